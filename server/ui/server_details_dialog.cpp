// SPDX-License-Identifier: MIT
#include "server/ui/server_details_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QHostInfo>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "common/qt/text_codec.h"
#include "common/ui/dialog_buttons.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"
#include "directory/tracker.h"
#include "server/connections/room_server.h"

namespace server {

namespace {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

QLineEdit* Field(const char* name, const std::string& value) {
  auto* edit = new QLineEdit(FromWire(value));
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

}  // namespace

ServerDetailsDialog::ServerDetailsDialog(RoomServer* core, QWidget* parent)
    : QDialog(parent), core_(core) {
  setObjectName(QStringLiteral("wServerDetails"));
  setWindowTitle(tr("Server Details"));
  setAttribute(Qt::WA_DeleteOnClose);
  const ServerDetails d = core_->CurrentDetails();

  txtName_ = Field("txtName", d.Name);
  // The tracker refuses longer fields, so the dialog does not take them.
  txtName_->setMaxLength(static_cast<int>(directory::kMaxRoomName));
  txtDescription_ = Field("txtDescription", d.Description);
  txtDescription_->setMaxLength(static_cast<int>(directory::kMaxDescription));
  txtAdminName_ = Field("txtAdminName", d.AdminName);
  txtAdminName_->setMaxLength(static_cast<int>(directory::kMaxAdminName));
  txtAdminEmail_ = Field("txtAdminEmail", d.AdminEmail);
  txtAdminEmail_->setMaxLength(static_cast<int>(directory::kMaxAdminEmail));
  cboIPAddress_ = new QComboBox;
  cboIPAddress_->setObjectName(QStringLiteral("cboIPAddress"));
  cboIPAddress_->setEditable(true);
  cboIPAddress_->setEditText(FromWire(d.IPAddress));
  cmdGuessIP_ = new QPushButton(tr("Guess It"));
  cmdGuessIP_->setObjectName(QStringLiteral("cmdGuessIP"));
  cmdGuessIP_->setToolTip(tr("Let Scrawlbox try and guess your server's IP address.."));
  connect(cmdGuessIP_, &QPushButton::clicked, this, &ServerDetailsDialog::GuessIP);
  txtWebsite_ = Field("txtWebsite", d.Website);
  txtMOTD_ = Field("txtMOTD", d.MOTD);
  txtMOTD_->setMaxLength(2048);
  chkPrivateServer_ = new QCheckBox(tr("Private server (not listed on the tracker)"));
  chkPrivateServer_->setObjectName(QStringLiteral("chkPrivateServer"));
  chkPrivateServer_->setChecked(d.PrivateServer);
  chkAutoRemove_ = new QCheckBox(tr("Remove from the tracker automatically on quit"));
  chkAutoRemove_->setObjectName(QStringLiteral("chkAutoRemove"));
  chkAutoRemove_->setChecked(d.AutoRemoveFromTracker);
  txtPassword_ = Field("txtPassword", d.ServerPassword);
  txtPort_ = Field("txtPort", d.Port);
  txtPort_->setValidator(new QIntValidator(1, 65535, txtPort_));
  txtPort_->setToolTip(tr("A new port is used from the next start of the server."));
  txtPing_ = Field("txtPing", d.Ping);
  txtPing_->setValidator(new QIntValidator(1, 60, txtPing_));
  txtPing_->setToolTip(tr("Seconds between keep-alive probes (1 to 60)."));

  auto* ip_row = new QHBoxLayout;
  ip_row->addWidget(cboIPAddress_, 1);
  ip_row->addWidget(cmdGuessIP_);

  auto* form = new QFormLayout;
  form->addRow(tr("Room name:"), txtName_);
  form->addRow(tr("Description:"), txtDescription_);
  form->addRow(tr("Admin name:"), txtAdminName_);
  form->addRow(tr("Admin e-mail:"), txtAdminEmail_);
  form->addRow(tr("IP address:"), ip_row);
  form->addRow(tr("Website:"), txtWebsite_);
  form->addRow(tr("Message of the day:"), txtMOTD_);
  form->addRow(QString(), chkPrivateServer_);
  form->addRow(QString(), chkAutoRemove_);
  form->addRow(tr("Password:"), txtPassword_);
  form->addRow(tr("Port:"), txtPort_);
  form->addRow(tr("Ping (seconds):"), txtPing_);

  auto* buttons = scrawlbox::AcceptCancelButtons(this, QDialogButtonBox::Ok, "cmdOK");

  // The form scrolls on a screen too low for it (a large scale factor).
  auto* fields = new QWidget;
  fields->setLayout(form);
  form->setContentsMargins(0, 0, 0, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scrawlbox::ScrollingIfNeeded(fields), 1);
  layout->addWidget(buttons);
  scrawlbox::ResizeWithinScreen(this, sizeHint().expandedTo(QSize(460, 0)));
}

void ServerDetailsDialog::OpenWithNotice(RoomServer* core, QWidget* parent,
                                         std::function<void()> saved) {
  QSettings user_settings;
  const QString key = QStringLiteral("Settings/Server Details Msg");
  auto open_dialog = [core, parent, saved] {
    auto* dialog = new ServerDetailsDialog(core, parent);
    if (saved) QObject::connect(dialog, &QDialog::accepted, parent, saved);
    dialog->open();
  };
  if (user_settings.value(key, QStringLiteral("0")).toString() == QStringLiteral("1")) {
    open_dialog();
    return;
  }
  user_settings.setValue(key, QStringLiteral("1"));
  // The room keeps and sends its details in Windows-1252, one byte a character.
  QMessageBox* notice = scrawlbox::ShowMessageBox(
      parent, QMessageBox::Information, tr("Western European letters only"),
      tr("The server information is kept and sent in Windows-1252: English and the letters of "
         "Western European languages (such as é, ä, ñ, ß or ç) are "
         "fine. Any other character (Greek, Cyrillic, Polish or Chinese letters, emoji...) turns "
         "into \"?\"."));
  notice->setObjectName(QStringLiteral("msgWesternLetters"));
  QObject::connect(notice, &QMessageBox::finished, parent, open_dialog);
}

void ServerDetailsDialog::GuessIP() {
  const QString host = QHostInfo::localHostName();
  if (host.isEmpty()) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Critical, windowTitle(),
                              tr("The name of this computer is not known."));
    return;
  }
  cmdGuessIP_->setEnabled(false);
  QHostInfo::lookupHost(host.trimmed(), this, [this, host](const QHostInfo& info) {
    cmdGuessIP_->setEnabled(true);
    QStringList addresses;
    for (const QHostAddress& address : info.addresses()) {
      if (address.protocol() == QAbstractSocket::IPv4Protocol) addresses << address.toString();
    }
    if (!addresses.isEmpty()) {
      cboIPAddress_->clear();
      cboIPAddress_->addItems(addresses);
      cboIPAddress_->addItem(QStringLiteral("localhost"));
      cboIPAddress_->addItem(host);
      cboIPAddress_->setCurrentIndex(0);
    }
    ShowGuessResult();
  });
}

void ServerDetailsDialog::ShowGuessResult() {
  const int count = cboIPAddress_->count();
  QMessageBox* box =
      count == 0 ? scrawlbox::ShowMessageBox(this, QMessageBox::Warning, tr("Guess IP Results"),
                                             tr("Sorry, I was unable to guess your IP."))
                 : scrawlbox::ShowMessageBox(this, QMessageBox::Information, tr("Guess IP Results"),
                                             tr("I found %n IP address(es).", nullptr, count));
  box->setObjectName(QStringLiteral("msgGuessIPResults"));
}

void ServerDetailsDialog::accept() {
  ServerDetails d;
  d.Name = ToWire(txtName_->text());
  d.Description = ToWire(txtDescription_->text());
  d.AdminName = ToWire(txtAdminName_->text());
  d.AdminEmail = ToWire(txtAdminEmail_->text());
  d.IPAddress = ToWire(cboIPAddress_->currentText());
  d.Website = ToWire(txtWebsite_->text());
  d.MOTD = ToWire(txtMOTD_->text());
  d.PrivateServer = chkPrivateServer_->isChecked();
  d.ServerPassword = ToWire(txtPassword_->text());
  d.AutoRemoveFromTracker = chkAutoRemove_->isChecked();
  d.Port = ToWire(txtPort_->text());
  d.Ping = ToWire(txtPing_->text());
  if (!core_->SaveDetails(d)) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Warning, windowTitle(),
                              tr("The settings could not be written to Server.ini. Check that its "
                                 "folder can be written and is not full."));
    return;
  }
  QDialog::accept();
}

}  // namespace server
