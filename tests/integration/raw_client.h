// SPDX-License-Identifier: MIT
#pragma once

#include <QTcpSocket>
#include <optional>
#include <string>

#include "protocol/framing.h"
#include "protocol/receive_buffer.h"

namespace testing_support {

// A client that speaks the wire protocol by hand over a real socket. Every wait is bounded.
class RawClient {
 public:
  static constexpr int kWaitMs = 5000;

  bool Connect(quint16 port);
  // Asks the system to hold at most about this much for the client (before Connect).
  void SetReceiveBuffer(int bytes) {
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, bytes);
  }
  void Send(std::string_view command, std::string_view data);
  void SendRaw(std::string_view bytes);
  // The next message, or nothing when none came within the time.
  std::optional<protocol::Message> Next(int timeout_ms = kWaitMs);
  // Skips messages until one with this command arrives (answering pings when asked to).
  std::optional<protocol::Message> WaitFor(std::string_view command, int timeout_ms = kWaitMs);
  // Whether the server closes the connection within the time; messages are read and dropped.
  bool WaitClosed(int timeout_ms = kWaitMs);
  // Runs the whole login and returns the user id the server gave.
  std::string Login(const std::string& nickname);

  bool answer_pings = true;

 private:
  QTcpSocket socket_;
  protocol::ReceiveBuffer buffer_;
};

}  // namespace testing_support
