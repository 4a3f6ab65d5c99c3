// SPDX-License-Identifier: MIT
#include "client/ui/small_windows.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "client/room/session.h"
#include "common/qt/text_codec.h"

namespace client {

using scrawlbox::FromWire;

UserInfoWindow::UserInfoWindow(const UserProfile& p, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("wUserInfo"));
  setWindowTitle(QStringLiteral("User Information"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto field = [](const char* name, const std::string& value) {
    auto* edit = new QLineEdit(FromWire(value));
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
  };
  auto* male = new QRadioButton(QStringLiteral("Male"));
  male->setObjectName(QStringLiteral("optMale"));
  auto* female = new QRadioButton(QStringLiteral("Female"));
  female->setObjectName(QStringLiteral("optFemale"));
  (p.gender == "Male" ? male : female)->setChecked(true);
  male->setEnabled(false);
  female->setEnabled(false);
  auto* gender = new QHBoxLayout;
  gender->addWidget(male);
  gender->addWidget(female);
  gender->addStretch();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Name:"), field("txtName", p.name));
  form->addRow(QStringLiteral("Age:"), field("txtAge", p.age));
  form->addRow(QStringLiteral("Gender:"), gender);
  form->addRow(QStringLiteral("Location:"), field("txtLocation", p.location));
  form->addRow(QStringLiteral("Homepage:"), field("txtHomepage", p.homepage));
  form->addRow(QStringLiteral("Quote:"), field("txtQuote", p.quote));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(380, sizeHint().height());
}

AgreementWindow::AgreementWindow(Session* session, const QString& text, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wAgreement"));
  setWindowTitle(QStringLiteral("Room Agreement"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* rtbAgreement = new QTextEdit;
  rtbAgreement->setObjectName(QStringLiteral("rtbAgreement"));
  rtbAgreement->setReadOnly(true);
  rtbAgreement->setPlainText(text);  // the room's text is never read as markup
  auto* cmdAgree = new QPushButton(QStringLiteral("I Agree"));
  cmdAgree->setObjectName(QStringLiteral("cmdAgree"));
  auto* cmdDisagree = new QPushButton(QStringLiteral("I Disagree"));
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
  layout->addWidget(new QLabel(QStringLiteral("Please read the rules of this room:")));
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

}  // namespace client
