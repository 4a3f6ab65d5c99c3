// SPDX-License-Identifier: MIT
#include "client/net/server_probe.h"

#include "directory/server_browser.h"
#include "protocol/commands.h"
#include "protocol/framing.h"

namespace client {

ServerProbe::ServerProbe(QObject* parent) : QObject(parent) {
  socket_.setReadBufferSize(4096);
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    const std::string probe = protocol::Frame(protocol::to_server::ISALIVE, protocol::kNoData);
    socket_.write(probe.data(), static_cast<qint64>(probe.size()));
  });
  connect(&socket_, &QTcpSocket::readyRead, this, [this] {
    reply_ += socket_.read(4096);
    if (directory::IsAliveAnswer(
            std::string_view(reply_.constData(), static_cast<size_t>(reply_.size())))) {
      emit online();
    }
    socket_.abort();
  });
  connect(&socket_, &QTcpSocket::disconnected, this, [this] { emit closed(); });
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    if (error != QAbstractSocket::RemoteHostClosedError) emit failed(socket_.errorString());
  });
}

void ServerProbe::Probe(const QString& host, quint16 port) {
  socket_.abort();
  reply_.clear();
  socket_.connectToHost(host, port);
}

}  // namespace client
