// SPDX-License-Identifier: MIT
#include "tests/integration/raw_client.h"

#include <QElapsedTimer>
#include <QHostAddress>

#include "protocol/commands.h"
#include "tests/support/server_harness.h"

namespace testing_support {

bool RawClient::Connect(quint16 port) {
  socket_.connectToHost(QHostAddress::LocalHost, port);
  return socket_.waitForConnected(kWaitMs);
}

void RawClient::Send(std::string_view command, std::string_view data) {
  SendRaw(protocol::Frame(command, data));
}

void RawClient::SendRaw(std::string_view bytes) {
  socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  // Everything goes out before the test goes on: nothing else runs this socket's events.
  while (socket_.bytesToWrite() > 0 && socket_.waitForBytesWritten(kWaitMs)) {
  }
}

std::optional<protocol::Message> RawClient::Next(int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  std::string raw;
  while (true) {
    if (buffer_.Next(&raw) == protocol::ReceiveBuffer::Status::kMessage) {
      protocol::Message message = protocol::ParseMessage(raw);
      if (answer_pings && message.command == protocol::to_client::PING) {
        Send(protocol::to_server::PONG, "-");
      }
      return message;
    }
    const qint64 left = timeout_ms - clock.elapsed();
    if (left <= 0) return std::nullopt;
    if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(static_cast<int>(left))) {
      return std::nullopt;
    }
    const QByteArray bytes = socket_.readAll();
    buffer_.Append(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  }
}

std::optional<protocol::Message> RawClient::WaitFor(std::string_view command, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout_ms) {
    auto message = Next(static_cast<int>(timeout_ms - clock.elapsed()));
    if (!message) return std::nullopt;
    if (message->command == command) return message;
  }
  return std::nullopt;
}

bool RawClient::WaitClosed(int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout_ms) {
    if (socket_.state() == QAbstractSocket::UnconnectedState) return true;
    socket_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, timeout_ms - clock.elapsed())));
    socket_.readAll();
  }
  return socket_.state() == QAbstractSocket::UnconnectedState;
}

std::string RawClient::Login(const std::string& nickname) {
  namespace to_server = protocol::to_server;
  Send(to_server::SCRAWLBOX_CL13NT, "100001");
  if (!WaitFor("SCRAWLBOX_S3RV3R")) return {};
  Send(to_server::USER, ProfileData(nickname));
  const auto ok = WaitFor("USEROK");
  if (!ok) return {};
  Send(to_server::PASS, "<none>");
  if (!WaitFor("PASSOK")) return {};
  Send(to_server::ULISTREQ, "-");
  if (!WaitFor("ULISTEND")) return {};
  return std::string(protocol::LeftOf(ok->data, protocol::kFieldSep));
}

}  // namespace testing_support
