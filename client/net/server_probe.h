// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpSocket>

namespace client {

// Asks a room whether it is alive, without logging in: connect, send ISALIVE, read the answer.
class ServerProbe : public QObject {
  Q_OBJECT
 public:
  explicit ServerProbe(QObject* parent = nullptr);
  void Probe(const QString& host, quint16 port);

 signals:
  void online();
  // The room closed the connection.
  void closed();
  void failed(const QString& description);

 private:
  QTcpSocket socket_;
  QByteArray reply_;
};

}  // namespace client
