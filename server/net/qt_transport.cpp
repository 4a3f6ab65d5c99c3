// SPDX-License-Identifier: MIT
#include "server/net/qt_transport.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTimer>

#include "common/qt/host_address.h"
#include "common/qt/text_codec.h"
#include "server/connections/room_server.h"

namespace server {

using scrawlbox::AddressText;

QtTransport::QtTransport() {
  connect(&listener_, &QTcpServer::newConnection, this, &QtTransport::OnNewConnection);
}

QtTransport::~QtTransport() {
  for (auto& [slot, socket] : sockets_) {
    socket->disconnect(this);
    socket->abort();
    delete socket;
  }
}

ListenResult QtTransport::Listen(int port) {
  listener_.close();
  listener_.setListenBacklogSize(kListenBacklog);
  if (listener_.listen(QHostAddress::Any, static_cast<quint16>(port))) return {};
  ListenResult result;
  result.ok = false;
  result.address_in_use = listener_.serverError() == QAbstractSocket::AddressInUseError;
  result.error = static_cast<int>(listener_.serverError());
  result.description = listener_.errorString().toStdString();
  return result;
}

void QtTransport::StopListening() {
  listener_.close();
}

void QtTransport::OnNewConnection() {
  while (QTcpSocket* socket = listener_.nextPendingConnection()) {
    if (!core_) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    socket->setReadBufferSize(kReadChunk);
    const RoomServer::Admission admission =
        core_->OnConnectionRequest(AddressText(socket->peerAddress()));
    if (admission.slot == 0) {
      socket->write(admission.refusal.data(), static_cast<qint64>(admission.refusal.size()));
      Release(socket);
      continue;
    }
    const int slot = admission.slot;
    sockets_[slot] = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, slot] { OnReadyRead(slot); });
    connect(socket, &QTcpSocket::disconnected, this, [this, slot] { OnDisconnected(slot); });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, slot](QAbstractSocket::SocketError error) { OnError(slot, error); });
    // Data may have arrived before the signals were connected.
    if (socket->bytesAvailable() > 0) OnReadyRead(slot);
  }
}

void QtTransport::OnReadyRead(int slot, bool closing) {
  // The core may close or pause the slot while handling a chunk; look it up again each time.
  for (auto it = sockets_.find(slot); it != sockets_.end(); it = sockets_.find(slot)) {
    if (!closing && paused_.count(slot)) return;
    const QByteArray chunk = it->second->read(kReadChunk);
    if (chunk.isEmpty()) return;
    core_->OnData(slot, std::string_view(chunk.constData(), static_cast<size_t>(chunk.size())));
  }
}

void QtTransport::OnDisconnected(int slot) {
  const auto it = sockets_.find(slot);
  if (it == sockets_.end()) return;
  QTcpSocket* socket = it->second;
  // Whatever arrived just before the close is still handled, in order.
  OnReadyRead(slot, true);
  if (sockets_.count(slot) == 0) return;  // the core closed it meanwhile
  sockets_.erase(slot);
  paused_.erase(slot);
  socket->disconnect(this);
  socket->deleteLater();
  core_->OnClosed(slot);
}

void QtTransport::OnError(int slot, int error) {
  // A peer closing its end is an ordinary departure, reported by the close event.
  if (error == QAbstractSocket::RemoteHostClosedError) return;
  const auto it = sockets_.find(slot);
  if (it == sockets_.end()) return;
  core_->OnSocketError(slot, error, it->second->errorString().toStdString());
  // The core does not close on errors; a socket that is already dead closes here.
  if (sockets_.count(slot) && it->second->state() == QAbstractSocket::UnconnectedState) {
    OnDisconnected(slot);
  }
}

SendResult QtTransport::Send(int slot, std::string_view bytes) {
  const auto it = sockets_.find(slot);
  if (it == sockets_.end()) return SendResult{false, 0, "The connection is closed"};
  QTcpSocket* socket = it->second;
  if (socket->write(bytes.data(), static_cast<qint64>(bytes.size())) < 0) {
    return SendResult{false, static_cast<int>(socket->error()),
                      socket->errorString().toStdString()};
  }
  return {};
}

size_t QtTransport::QueuedBytes(int slot) const {
  const auto it = sockets_.find(slot);
  return it == sockets_.end() ? 0 : static_cast<size_t>(it->second->bytesToWrite());
}

void QtTransport::Close(int slot) {
  const auto it = sockets_.find(slot);
  if (it == sockets_.end()) return;
  QTcpSocket* socket = it->second;
  sockets_.erase(it);
  paused_.erase(slot);
  Release(socket);
}

void QtTransport::PauseReading(int slot, bool paused) {
  if (paused) {
    paused_.insert(slot);
    return;
  }
  paused_.erase(slot);
  // Data that waited in the socket's buffer raises no new signal: read it on the next pass.
  QTimer::singleShot(0, this, [this, slot] { OnReadyRead(slot); });
}

void QtTransport::Release(QTcpSocket* socket) {
  socket->disconnect(this);
  if (static_cast<size_t>(socket->bytesToWrite()) > RoomServer::kMaxSendQueue) {
    // A reader this far behind would keep the data (and the socket) forever.
    socket->abort();
    socket->deleteLater();
    return;
  }
  ++closing_;
  auto finished = std::make_shared<bool>(false);
  auto finish = [this, socket, finished] {
    if (*finished) return;
    *finished = true;
    socket->abort();
    socket->deleteLater();
    if (--closing_ == 0 && sockets_.empty() && all_closed_) std::exchange(all_closed_, nullptr)();
  };
  connect(socket, &QTcpSocket::disconnected, this, finish);
  QTimer::singleShot(kCloseGraceMs, this, finish);
  socket->disconnectFromHost();  // writes out what is queued, then closes
  if (socket->state() == QAbstractSocket::UnconnectedState) finish();
}

void QtTransport::CloseAllThen(std::function<void()> done) {
  listener_.close();
  all_closed_ = std::move(done);
  auto sockets = std::exchange(sockets_, {});
  for (auto& [slot, socket] : sockets) Release(socket);
  if (closing_ == 0 && all_closed_) std::exchange(all_closed_, nullptr)();
}

std::string QtTransport::LocalHostName() const {
  return QHostInfo::localHostName().toStdString();
}

std::string QtTransport::LocalAddress() const {
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
      return address.toString().toStdString();
    }
  }
  return "127.0.0.1";
}

}  // namespace server
