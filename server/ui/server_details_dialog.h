// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace server {

class RoomServer;

// Edits the "Server Details" settings: the room as players and the tracker see it, and the
// keep-alive interval.
class ServerDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  ServerDetailsDialog(RoomServer* core, QWidget* parent);

  // Opens the dialog; the first time for this user, a notice about plain characters comes first.
  // saved runs once the details were saved.
  static void OpenWithNotice(RoomServer* core, QWidget* parent, std::function<void()> saved = {});

  // Fills the address list from the machine's host name.
  void GuessIP();

  void accept() override;

 private:
  void ShowGuessResult();

  RoomServer* core_;
  QLineEdit* txtName_;
  QLineEdit* txtDescription_;
  QLineEdit* txtAdminName_;
  QLineEdit* txtAdminEmail_;
  QComboBox* cboIPAddress_;
  QPushButton* cmdGuessIP_;
  QLineEdit* txtWebsite_;
  QLineEdit* txtMOTD_;
  QCheckBox* chkPrivateServer_;
  QCheckBox* chkAutoRemove_;
  QLineEdit* txtPassword_;
  QLineEdit* txtPort_;
  QLineEdit* txtPing_;
};

}  // namespace server
