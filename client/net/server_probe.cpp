// SPDX-License-Identifier: MIT
#include "client/net/server_probe.h"

#include "directory/server_browser.h"
#include "protocol/commands.h"
#include "protocol/framing.h"

namespace client {

namespace {

// The answer is one short message; a room that sends more is not answering the probe.
constexpr qint64 kMaxReply = 4096;

}  // namespace

ServerProbe::ServerProbe(QObject* parent) : QObject(parent) {
  socket_.setReadBufferSize(kMaxReply);
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    if (!running_) return;
    Finish();
    emit failed(
        QStringLiteral("The server did not answer within %1 seconds.").arg(kTimeoutMs / 1000));
  });
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    // A made room of a host answers for itself once named; the host answers an unknown code
    // with a notice and the close.
    const std::string probe =
        (code_.empty() ? std::string() : protocol::Frame(protocol::to_server::ROOM, code_)) +
        protocol::Frame(protocol::to_server::ISALIVE, protocol::kNoData);
    socket_.write(probe.data(), static_cast<qint64>(probe.size()));
  });
  connect(&socket_, &QTcpSocket::readyRead, this, [this] {
    if (!running_) return;
    reply_ += socket_.read(kMaxReply - reply_.size());
    const std::string_view reply(reply_.constData(), static_cast<size_t>(reply_.size()));
    if (directory::IsAliveAnswer(reply)) {
      Finish();
      emit online();
    } else if (reply_.size() >= kMaxReply || reply.find(protocol::kMessageEnd) != reply.npos) {
      // A whole message that is not the answer: whatever listens there is no live room.
      Finish();
      emit closed();
    }
  });
  connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (!running_) return;
    Finish();
    emit closed();
  });
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    if (!running_ || error == QAbstractSocket::RemoteHostClosedError) return;
    const QString description = socket_.errorString();
    Finish();
    emit failed(description);
  });
}

void ServerProbe::Probe(const QString& host, quint16 port, const std::string& code) {
  running_ = false;
  socket_.abort();
  reply_.clear();
  code_ = code;
  running_ = true;
  deadline_.start(kTimeoutMs);
  socket_.connectToHost(host, port);
}

void ServerProbe::Finish() {
  running_ = false;
  deadline_.stop();
  socket_.abort();
}

}  // namespace client
