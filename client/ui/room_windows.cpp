// SPDX-License-Identifier: MIT
#include "client/ui/room_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "client/room/session.h"
#include "common/qt/text_codec.h"
#include "common/ui/dialog_buttons.h"
#include "common/ui/languages.h"
#include "common/ui/message_box.h"
#include "directory/languages.h"
#include "directory/room_address.h"
#include "protocol/limits.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

QLabel* Note(const QString& text, const char* name) {
  auto* label = new QLabel(text);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

CreateRoomWindow::CreateRoomWindow(Session* session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wCreateRoom"));
  setWindowTitle(tr("Create Room"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* intro = Note(tr("A room of your own on a server that hosts many rooms. You are "
                        "its first player, and so its admin."),
                     "labCreateRoom");
  txtServer_ = new QLineEdit(FromWire(session_->ServerForNewRoom()));
  txtServer_->setObjectName(QStringLiteral("txtServer"));
  txtServer_->setToolTip(
      tr("The server to make the room on: host, host:port or [IPv6]:port (the port "
         "is 2020 when none is given)"));
  txtRoomName_ = new QLineEdit;
  txtRoomName_->setObjectName(QStringLiteral("txtRoomName"));
  txtRoomName_->setMaxLength(static_cast<int>(protocol::kRoomNameLength));
  txtRoomPassword_ = new QLineEdit;
  txtRoomPassword_->setObjectName(QStringLiteral("txtRoomPassword"));
  txtRoomPassword_->setEchoMode(QLineEdit::Password);
  txtRoomPassword_->setMaxLength(static_cast<int>(kNewRoomPasswordLength));
  txtRoomPassword_->setPlaceholderText(tr("optional"));
  // Each language in itself, the player's own first chosen.
  cboLanguage_ = new QComboBox;
  cboLanguage_->setObjectName(QStringLiteral("cboLanguage"));
  cboLanguage_->setToolTip(
      tr("The language the room plays in: its word lists, and where the room directory lists it"));
  for (std::string_view code : directory::kKnownLanguages) {
    cboLanguage_->addItem(QString::fromStdString(directory::LanguageName(code)),
                          QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
  }
  cboLanguage_->setCurrentIndex(
      std::max(0, cboLanguage_->findData(scrawlbox::ChooseLanguage(
                      session_->options().Language, QLocale::system().uiLanguages()))));
  chkListed_ = new QCheckBox(tr("&List it in the room directory"));
  chkListed_->setObjectName(QStringLiteral("chkListed"));
  chkListed_->setToolTip(tr("Everyone may then find it in the server browser's Public list"));

  auto* buttons = scrawlbox::AcceptCancelButtons(this, QDialogButtonBox::Ok, "cmdCreate");
  cmdCreate_ = buttons->button(QDialogButtonBox::Ok);
  cmdCreate_->setText(tr("&Create"));
  const auto follow = [this] {
    cmdCreate_->setEnabled(!txtServer_->text().trimmed().isEmpty() &&
                           !txtRoomName_->text().trimmed().isEmpty());
  };
  connect(txtServer_, &QLineEdit::textChanged, this, follow);
  connect(txtRoomName_, &QLineEdit::textChanged, this, follow);
  follow();

  auto* form = new QFormLayout;
  form->addRow(tr("&Server:"), txtServer_);
  form->addRow(tr("&Name:"), txtRoomName_);
  form->addRow(tr("&Password:"), txtRoomPassword_);
  form->addRow(tr("Lan&guage:"), cboLanguage_);
  form->addRow(QString(), chkListed_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  if (session_->connected()) {
    // Making a room takes the player out of this one, without a question: said beforehand.
    layout->addWidget(Note(session_->GameInProgress()
                               ? tr("You leave the game in progress for the new room.")
                               : tr("You leave the room you are in for the new one."),
                           "labLeaving"));
  }
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(std::max(400, sizeHint().width()), sizeHint().height());
  (txtServer_->text().isEmpty() ? txtServer_ : txtRoomName_)->setFocus();
}

void CreateRoomWindow::accept() {
  const std::string server = ToWire(txtServer_->text().trimmed());
  std::string why;
  if (!directory::ParseRoomAddress(server, &why)) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Warning, tr("Not an address.."),
                              tr("\"%1\" is not a server to make a room on: %2.\n"
                                 "Enter host, host:port or [IPv6]:port.")
                                  .arg(txtServer_->text(), FromWire(why)));
    txtServer_->setFocus();
    return;
  }
  session_->PlaySound(Sound::kMouseClick);
  session_->CreateRoom(server, ToWire(txtRoomName_->text()), ToWire(txtRoomPassword_->text()),
                       chkListed_->isChecked(),
                       cboLanguage_->currentData().toString().toStdString());
  QDialog::accept();
}

RoomInviteWindow::RoomInviteWindow(const RoomInvite& invite, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("wRoomInvite"));
  setWindowTitle(tr("Invite friends"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Note(
      tr("Your room \"%1\" is ready. Send your friends a link to it:").arg(FromWire(invite.name)),
      "labInvite"));
  auto* grid = new QGridLayout;
  // Wide enough for the whole link, up to most of the screen; a longer one scrolls in its box.
  const QScreen* screen = this->screen();
  const int widest = screen ? screen->availableGeometry().width() * 2 / 3 : 900;
  QPushButton* first_copy = nullptr;
  int row = 0;
  const auto add_link = [&](const char* caption, const std::string& link, const char* box_name,
                            const char* button_name) {
    if (link.empty()) return;
    const QString text = FromWire(link);
    auto* box = new QLineEdit(text);
    box->setObjectName(QString::fromLatin1(box_name));
    box->setReadOnly(true);
    box->setCursorPosition(0);
    const int wanted = box->fontMetrics().horizontalAdvance(text) + box->fontMetrics().height();
    box->setMinimumWidth(std::min(wanted, widest));
    auto* copy = new QPushButton(tr("Copy link"));
    copy->setObjectName(QString::fromLatin1(button_name));
    // "Copied" takes no more room than the caption it replaces.
    copy->setMinimumWidth(copy->sizeHint().width() +
                          copy->fontMetrics().horizontalAdvance(tr("Copied!")) -
                          copy->fontMetrics().horizontalAdvance(copy->text()));
    connect(copy, &QPushButton::clicked, this, [copy, text] {
      QApplication::clipboard()->setText(text);
      copy->setText(tr("Copied!"));
    });
    auto* label = new QLabel(tr(caption));
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(copy, row, 2);
    ++row;
    if (!first_copy) first_copy = copy;
  };
  add_link(QT_TR_NOOP("In a browser:"), invite.web_link, "txtWebLink", "cmdCopyWebLink");
  add_link(QT_TR_NOOP("In Scrawlbox:"), invite.desktop_link, "txtDesktopLink",
           "cmdCopyDesktopLink");
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  if (!invite.web_link.empty()) {
    layout->addWidget(Note(tr("The browser link plays in any web browser, with "
                              "nothing to install; the Scrawlbox link opens this "
                              "program in the room."),
                           "labInviteHint"));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(sizeHint());
  if (first_copy) first_copy->setFocus();
}

}  // namespace client
