// SPDX-License-Identifier: MIT
#include "client/ui/small_windows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include "client/room/session.h"
#include "common/qt/text_codec.h"

namespace client {

using scrawlbox::FromWire;

AgreementWindow::AgreementWindow(Session* session, const QString& text, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wAgreement"));
  setWindowTitle(tr("Room Agreement"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* rtbAgreement = new QTextEdit;
  rtbAgreement->setObjectName(QStringLiteral("rtbAgreement"));
  rtbAgreement->setReadOnly(true);
  rtbAgreement->setPlainText(text);  // the room's text is never read as markup
  auto* cmdAgree = new QPushButton(tr("I Agree"));
  cmdAgree->setObjectName(QStringLiteral("cmdAgree"));
  auto* cmdDisagree = new QPushButton(tr("I Disagree"));
  cmdDisagree->setObjectName(QStringLiteral("cmdDisagree"));
  connect(cmdAgree, &QPushButton::clicked, this, &AgreementWindow::Agree);
  connect(cmdDisagree, &QPushButton::clicked, this, &AgreementWindow::Disagree);
  tmrDisconnect_.setSingleShot(true);
  tmrDisconnect_.setInterval(kDisconnectDelayMs);
  connect(&tmrDisconnect_, &QTimer::timeout, this, [this] {
    answered_ = true;
    close();
  });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(cmdAgree);
  row->addWidget(cmdDisagree);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Please read the rules of this room:")));
  layout->addWidget(rtbAgreement, 1);
  layout->addLayout(row);
  resize(460, 340);
}

void AgreementWindow::Agree() {
  answered_ = true;
  session_->AgreementAccepted();
  close();
}

void AgreementWindow::Disagree() {
  if (tmrDisconnect_.isActive()) return;
  // The session follows up with NOP; the window goes once that has gone out.
  session_->AgreementRefused();
  tmrDisconnect_.start();
}

void AgreementWindow::closeEvent(QCloseEvent* event) {
  // Closing the window without an answer refuses the terms, so the login does not hang.
  if (!answered_ && !tmrDisconnect_.isActive()) session_->AgreementRefused();
  tmrDisconnect_.stop();
  event->accept();
}

RoomPasswordWindow::RoomPasswordWindow(const QString& room, bool wrong, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("wRoomPassword"));
  setWindowTitle(tr("Room Password"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The client knows a room by its address until it is let in: "The room 10.0.0.5:2020" reads
  // as a name, "the room at" as the place it is.
  auto* text =
      new QLabel((wrong ? tr("The password was not right. The room at %1 asks for its password:")
                        : tr("The room at %1 asks for a password:"))
                     .arg(room));
  text->setObjectName(QStringLiteral("labRoomPassword"));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  auto* txtPassword = new QLineEdit;
  txtPassword->setObjectName(QStringLiteral("txtPassword"));
  txtPassword->setEchoMode(QLineEdit::Password);
  txtPassword->setMaxLength(256);
  auto* chkRemember = new QCheckBox(tr("Remember it for this room"));
  chkRemember->setObjectName(QStringLiteral("chkRememberPassword"));
  auto* cmdJoin = new QPushButton(tr("Join"));
  cmdJoin->setObjectName(QStringLiteral("cmdJoin"));
  cmdJoin->setDefault(true);
  cmdJoin->setEnabled(false);
  auto* cmdCancel = new QPushButton(tr("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(txtPassword, &QLineEdit::textChanged, cmdJoin,
          [cmdJoin](const QString& password) { cmdJoin->setEnabled(!password.isEmpty()); });
  connect(cmdJoin, &QPushButton::clicked, this, [this, txtPassword, chkRemember] {
    emit passwordGiven(txtPassword->text(), chkRemember->isChecked());
    accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(cmdJoin);
  row->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(txtPassword);
  layout->addWidget(chkRemember);
  layout->addLayout(row);
  resize(380, sizeHint().height());
}

}  // namespace client
