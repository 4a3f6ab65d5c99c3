// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QTimer>

#include "client/room/client_ports.h"

class QLabel;
class QLineEdit;
class QTextEdit;

namespace client {

class Session;

// A room's terms, shown during the login; the player agrees or refuses.
class AgreementWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kDisconnectDelayMs = 250;

  AgreementWindow(Session* session, const QString& text, QWidget* parent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Agree();
  void Disagree();

  Session* session_;
  QTimer tmrDisconnect_;
  bool answered_ = false;
};

// What a room with a password asks for: the password (shown as dots) and whether to keep it
// for that room.
class RoomPasswordWindow : public QDialog {
  Q_OBJECT
 public:
  RoomPasswordWindow(const QString& room, bool wrong, QWidget* parent);

 signals:
  void passwordGiven(const QString& password, bool remember);
};

}  // namespace client
