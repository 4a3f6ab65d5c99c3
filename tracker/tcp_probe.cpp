// SPDX-License-Identifier: MIT
#include "tracker/tcp_probe.h"

#include <QTcpSocket>
#include <array>

#include "protocol/commands.h"
#include "protocol/framing.h"

namespace tracker {

namespace {

class TcpProbe : public ProbeAttempt {
 public:
  static constexpr size_t kMaxReply = 4096;

  TcpProbe(const ProbeTarget& room, std::function<void(bool alive)> done)
      : socket_(new QTcpSocket), key_(room.key), done_(std::move(done)) {
    socket_->setReadBufferSize(kMaxReply);
    connections_[0] =
        QObject::connect(socket_, &QTcpSocket::connected, socket_, [this, code = room.code] {
          // A host passes a connection to the room it names before anything else; one whose room
          // is gone answers with a notice and closes, which fails the probe.
          std::string probe =
              code.empty() ? std::string() : protocol::Frame(protocol::to_server::ROOM, code);
          probe += protocol::Frame(protocol::to_server::ISALIVE, protocol::kNoData);
          socket_->write(probe.data(), static_cast<qint64>(probe.size()));
        });
    connections_[1] = QObject::connect(socket_, &QTcpSocket::readyRead, socket_, [this] {
      reply_.append(socket_->read(kMaxReply - reply_.size()).toStdString());
      const ProbeAnswer answer = ReadProbeAnswer(reply_, key_);
      if (answer != ProbeAnswer::kIncomplete) {
        Finish(answer == ProbeAnswer::kAlive);
      } else if (reply_.size() >= kMaxReply) {
        // A room's answer is a few bytes; whatever talks this much without it is no room.
        Finish(false);
      }
    });
    connections_[2] =
        QObject::connect(socket_, &QTcpSocket::errorOccurred, socket_, [this] { Finish(false); });
    socket_->connectToHost(QString::fromStdString(room.address), static_cast<quint16>(room.port));
  }

  // Runs inside the socket's own signals too, so the socket goes once the event is over.
  ~TcpProbe() override {
    Quiet();
    socket_->abort();
    socket_->deleteLater();
  }

 private:
  void Finish(bool alive) {
    // The first outcome is the answer: nothing the socket says afterwards reaches done.
    Quiet();
    // done may drop this probe, so nothing here is touched after it.
    const auto done = std::move(done_);
    done(alive);
  }

  void Quiet() {
    for (const QMetaObject::Connection& connection : connections_) QObject::disconnect(connection);
  }

  QTcpSocket* socket_;
  const std::string key_;
  std::array<QMetaObject::Connection, 3> connections_;
  std::function<void(bool alive)> done_;
  std::string reply_;
};

}  // namespace

std::unique_ptr<ProbeAttempt> TcpProbeConnector::Start(const ProbeTarget& room,
                                                       std::function<void(bool alive)> done) {
  return std::make_unique<TcpProbe>(room, std::move(done));
}

}  // namespace tracker
