// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "client/room/client_ports.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace client {

class Session;

// File > Create Room: the server to make the room on (the one the player is on, or was last),
// the room's name, an optional password, its language, and whether the room directory may list
// it. Create
// hands them to the session, which makes the room and enters it.
class CreateRoomWindow : public QDialog {
  Q_OBJECT
 public:
  CreateRoomWindow(Session* session, QWidget* parent);

  void accept() override;

 private:
  Session* session_;
  QLineEdit* txtServer_;
  QLineEdit* txtRoomName_;
  QLineEdit* txtRoomPassword_;
  QComboBox* cboLanguage_;
  QCheckBox* chkListed_;
  QPushButton* cmdCreate_;
};

// The made room's links, each with a button that copies it, for the player to pass on.
class RoomInviteWindow : public QDialog {
  Q_OBJECT
 public:
  RoomInviteWindow(const RoomInvite& invite, QWidget* parent);
};

}  // namespace client
