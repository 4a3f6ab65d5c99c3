// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <functional>

#include "client/room/client_ports.h"

namespace client {

class Session;

// The game connection on a QTcpSocket. Socket events become calls on the session.
class QtConnection : public QObject, public GameConnection {
  Q_OBJECT
 public:
  // Qt keeps no more than this of unread data; the session's own buffer bounds the rest.
  static constexpr qint64 kReadChunk = 64 * 1024;
  // A room that does not take the last message within this is left without it.
  static constexpr int kLeaveGraceMs = 2000;

  QtConnection();
  // The session may already be gone: the socket's last events reach nobody.
  ~QtConnection() override;
  void Attach(Session* session) { session_ = session; }

  void Connect(const std::string& host, int port) override;
  void Close() override;
  bool Send(std::string_view bytes) override;
  void Leave() override;
  // Leaves as Leave does and calls done once the connection is closed (at most kLeaveGraceMs
  // later): the program waits for it before it ends.
  void LeaveThen(std::function<void()> done);
  SocketState State() const override;

  // Writes out what is queued without waiting: the program is about to end.
  void Flush();

 private:
  void OnReadyRead();
  void OnError(QAbstractSocket::SocketError error);
  void FinishLeaving();

  QTcpSocket socket_;
  Session* session_ = nullptr;
  // Set while the session itself closes the socket, so that no close event reaches it.
  bool closing_ = false;
  int closes_ = 0;
  // Set while the last messages are written out before the close.
  bool leaving_ = false;
  int leaves_ = 0;
  std::function<void()> left_;
};

}  // namespace client
