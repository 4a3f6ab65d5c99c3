// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpSocket>

#include "client/room/client_ports.h"

namespace client {

class Session;

// The game connection on a QTcpSocket. Socket events become calls on the session.
class QtConnection : public QObject, public GameConnection {
  Q_OBJECT
 public:
  // Qt keeps no more than this of unread data; the session's own buffer bounds the rest.
  static constexpr qint64 kReadChunk = 64 * 1024;

  QtConnection();
  // The session may already be gone: the socket's last events reach nobody.
  ~QtConnection() override;
  void Attach(Session* session) { session_ = session; }

  void Connect(const std::string& host, int port) override;
  void Close() override;
  bool Send(std::string_view bytes) override;
  SocketState State() const override;

  // Writes out what is queued without waiting: the program is about to end.
  void Flush();

 private:
  void OnReadyRead();
  void OnError(QAbstractSocket::SocketError error);

  QTcpSocket socket_;
  Session* session_ = nullptr;
  // Set while the session itself closes the socket, so that no close event reaches it.
  bool closing_ = false;
  int closes_ = 0;
};

}  // namespace client
