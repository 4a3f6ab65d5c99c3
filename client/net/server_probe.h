// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <string>

namespace client {

// Asks a room whether it is alive, without logging in: connect, send ISALIVE, read the answer.
// Every probe ends in exactly one signal, at the latest kTimeoutMs after it began.
class ServerProbe : public QObject {
  Q_OBJECT
 public:
  static constexpr int kTimeoutMs = 10000;

  explicit ServerProbe(QObject* parent = nullptr);
  // A probe still running is dropped without an answer. code: a made room of a host of many
  // rooms, named before the question.
  void Probe(const QString& host, quint16 port, const std::string& code = {});

 signals:
  void online();
  // The room closed the connection without saying it is alive.
  void closed();
  void failed(const QString& description);

 private:
  // Ends the running probe; the first end of a probe is the only one reported.
  void Finish();

  QTcpSocket socket_;
  QTimer deadline_;
  QByteArray reply_;
  std::string code_;
  bool running_ = false;
};

}  // namespace client
