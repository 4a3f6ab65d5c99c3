// SPDX-License-Identifier: MIT
#include "server/net/socket_transport.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "common/qt/host_address.h"
#include "server/connections/room_server.h"

namespace server {

namespace {

// An emptied buffer that grew past this gives its memory back: a thousand quiet players must
// not each keep what one burst once needed.
constexpr size_t kKeptCapacity = 4096;

}  // namespace

struct SocketTransport::Connection {
  Connection(int descriptor, int slot_number, uint64_t number)
      : fd(descriptor), slot(slot_number), serial(number) {
    reader = new QSocketNotifier(fd, QSocketNotifier::Read);
    writer = new QSocketNotifier(fd, QSocketNotifier::Write);
    writer->setEnabled(false);
  }
  ~Connection() {
    // The notifiers may be reporting right now: they go once their event is over.
    for (QSocketNotifier* notifier : {reader, writer}) {
      notifier->setEnabled(false);
      notifier->disconnect();
      notifier->deleteLater();
    }
    ::close(fd);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  size_t Pending() const { return out.size() - sent; }

  int fd;
  int slot;
  uint64_t serial;  // names the connection for timers that may outlive it
  QSocketNotifier* reader;
  QSocketNotifier* writer;
  std::string out;
  size_t sent = 0;  // bytes at the front of `out` already written
  bool write_queued = false;
  bool paused = false;
};

void SocketTransport::Listener::incomingConnection(qintptr descriptor) {
  owner_->Accept(static_cast<int>(descriptor));
}

SocketTransport::SocketTransport() : listener_(this) {
  write_pass_.setSingleShot(true);
  write_pass_.setInterval(0);
  connect(&write_pass_, &QTimer::timeout, this, &SocketTransport::WritePass);
}

SocketTransport::~SocketTransport() = default;

ListenResult SocketTransport::Listen(int port) {
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

void SocketTransport::StopListening() {
  listener_.close();
}

// --- Connections -----------------------------------------------------------------------------

void SocketTransport::Accept(int fd) {
  if (!core_) {
    ::close(fd);
    return;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  // Every stroke goes out as it comes: waiting to fill a packet would delay it.
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  QHostAddress address;
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0) {
    address.setAddress(reinterpret_cast<const sockaddr*>(&peer));
  }
  const RoomServer::Admission admission =
      core_->OnConnectionRequest(scrawlbox::AddressText(address));
  auto connection = std::make_unique<Connection>(fd, admission.slot, ++serials_);
  if (admission.slot == 0) {
    connection->out = admission.refusal;
    Release(std::move(connection));
    return;
  }
  const int slot = admission.slot;
  connect(connection->reader, &QSocketNotifier::activated, this,
          [this, slot] { OnReadable(slot); });
  connect(connection->writer, &QSocketNotifier::activated, this, [this, slot] {
    if (Connection* c = Find(slot); c && !WriteOut(*c)) {
      open_.erase(slot);
      core_->OnClosed(slot);
    }
  });
  open_.emplace(slot, std::move(connection));
}

SocketTransport::Connection* SocketTransport::Find(int slot) const {
  const auto it = open_.find(slot);
  return it == open_.end() ? nullptr : it->second.get();
}

void SocketTransport::OnReadable(int slot) {
  static char buffer[kReadChunk];  // one thread: the core copies what it keeps
  size_t taken = 0;
  while (taken < kReadPerTurn) {
    Connection* connection = Find(slot);
    if (!connection || connection->paused) break;
    const ssize_t n = ::recv(connection->fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      taken += static_cast<size_t>(n);
      core_->OnData(slot, std::string_view(buffer, static_cast<size_t>(n)));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    const int error = n < 0 ? errno : 0;
    // The peer is gone (or its socket failed): what it sent before was handled above.
    open_.erase(slot);
    if (error != 0 && error != ECONNRESET) core_->OnSocketError(slot, error, std::strerror(error));
    core_->OnClosed(slot);
    break;
  }
  // What this arrival made the room send goes out now, a write per receiver.
  WritePass();
}

// --- Sending ---------------------------------------------------------------------------------

SendResult SocketTransport::Send(int slot, std::string_view bytes) {
  Connection* connection = Find(slot);
  if (!connection) return SendResult{false, EBADF, "The connection is closed", 0};
  connection->out.append(bytes);
  QueueWrite(*connection);
  return SendResult{true, 0, {}, connection->Pending()};
}

size_t SocketTransport::QueuedBytes(int slot) const {
  const Connection* connection = Find(slot);
  return connection ? connection->Pending() : 0;
}

void SocketTransport::QueueWrite(Connection& connection) {
  if (connection.write_queued) return;
  connection.write_queued = true;
  waiting_writes_.push_back(connection.slot);
  if (!write_pass_.isActive()) write_pass_.start();
}

void SocketTransport::WritePass() {
  write_pass_.stop();
  // Closing a failed connection tells the others, which queues more writes: go round again.
  while (!waiting_writes_.empty()) {
    const std::vector<int> ready = std::exchange(waiting_writes_, {});
    std::vector<int> failed;
    for (const int slot : ready) {
      Connection* connection = Find(slot);
      if (!connection) continue;
      connection->write_queued = false;
      if (!WriteOut(*connection)) failed.push_back(slot);
    }
    for (const int slot : failed) {
      if (open_.erase(slot)) core_->OnClosed(slot);
    }
  }
}

bool SocketTransport::WriteOut(Connection& connection) {
  while (connection.Pending() > 0) {
    const ssize_t n = ::send(connection.fd, connection.out.data() + connection.sent,
                             connection.Pending(), MSG_NOSIGNAL);
    if (n > 0) {
      connection.sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    return false;
  }
  if (connection.Pending() == 0) {
    connection.sent = 0;
    if (connection.out.capacity() > kKeptCapacity) {
      std::string().swap(connection.out);
    } else {
      connection.out.clear();
    }
    connection.writer->setEnabled(false);
    return true;
  }
  // The reader is behind: the rest goes when its socket takes more.
  if (connection.sent > connection.out.size() / 2) {
    connection.out.erase(0, connection.sent);
    connection.sent = 0;
  }
  connection.writer->setEnabled(true);
  return true;
}

// --- Closing ---------------------------------------------------------------------------------

void SocketTransport::Close(int slot) {
  const auto it = open_.find(slot);
  if (it == open_.end()) return;
  std::unique_ptr<Connection> connection = std::move(it->second);
  open_.erase(it);
  Release(std::move(connection));
}

void SocketTransport::Release(std::unique_ptr<Connection> connection) {
  connection->reader->disconnect(this);
  connection->writer->disconnect(this);
  connection->reader->setEnabled(true);
  // A reader this far behind would keep the data (and the socket) for ever.
  if (connection->Pending() > RoomServer::kMaxSendQueue || !WriteOut(*connection)) {
    CheckAllClosed();
    return;
  }
  const uint64_t serial = connection->serial;
  // Our end is shut once everything is written; the socket closes when the peer closes its
  // end, so that the last messages are not lost to a reset.
  if (connection->Pending() == 0) ::shutdown(connection->fd, SHUT_WR);
  connect(connection->writer, &QSocketNotifier::activated, this,
          [this, serial] { OnClosingWritable(serial); });
  connect(connection->reader, &QSocketNotifier::activated, this,
          [this, serial] { OnClosingReadable(serial); });
  closing_.push_back(std::move(connection));
  QTimer::singleShot(kCloseGraceMs, this, [this, serial] { FinishClosing(serial); });
}

SocketTransport::Connection* SocketTransport::FindClosing(uint64_t serial) const {
  const auto it = std::find_if(closing_.begin(), closing_.end(),
                               [serial](const auto& c) { return c->serial == serial; });
  return it == closing_.end() ? nullptr : it->get();
}

void SocketTransport::OnClosingWritable(uint64_t serial) {
  Connection* connection = FindClosing(serial);
  if (!connection) return;
  if (!WriteOut(*connection)) {
    FinishClosing(serial);
  } else if (connection->Pending() == 0) {
    ::shutdown(connection->fd, SHUT_WR);
  }
}

void SocketTransport::OnClosingReadable(uint64_t serial) {
  Connection* connection = FindClosing(serial);
  if (!connection) return;
  char buffer[4096];
  // What a closing peer still sends is dropped; its close ends the connection.
  for (int reads = 0; reads < 16; ++reads) {
    const ssize_t n = ::recv(connection->fd, buffer, sizeof buffer, 0);
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    FinishClosing(serial);
    return;
  }
}

void SocketTransport::FinishClosing(uint64_t serial) {
  const auto it = std::find_if(closing_.begin(), closing_.end(),
                               [serial](const auto& c) { return c->serial == serial; });
  if (it == closing_.end()) return;  // finished already
  closing_.erase(it);
  CheckAllClosed();
}

void SocketTransport::CloseAllThen(std::function<void()> done) {
  listener_.close();
  all_closed_ = std::move(done);
  auto open = std::exchange(open_, {});
  for (auto& [slot, connection] : open) Release(std::move(connection));
  CheckAllClosed();
}

void SocketTransport::CheckAllClosed() {
  if (all_closed_ && open_.empty() && closing_.empty()) std::exchange(all_closed_, nullptr)();
}

void SocketTransport::PauseReading(int slot, bool paused) {
  Connection* connection = Find(slot);
  if (!connection) return;
  connection->paused = paused;
  // Level-triggered: a socket with data waiting reports again as soon as it is watched.
  connection->reader->setEnabled(!paused);
}

std::string SocketTransport::LocalHostName() const {
  return QHostInfo::localHostName().toStdString();
}

std::string SocketTransport::LocalAddress() const {
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
      return address.toString().toStdString();
    }
  }
  return "127.0.0.1";
}

}  // namespace server
