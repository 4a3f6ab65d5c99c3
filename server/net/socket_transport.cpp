// SPDX-License-Identifier: MIT
#include "server/net/socket_transport.h"

#include <malloc.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "common/qt/host_address.h"
#include "server/connections/room_server.h"

namespace server {

namespace {

// An emptied buffer that grew past this gives its memory back (to the spares, or to the
// system): a thousand quiet players must not each keep what one burst once needed.
constexpr size_t kKeptCapacity = 256;
// Emptied buffers kept for the next pass: a busy room then writes each pass into memory it
// already has, rather than growing (and copying) every receiver's buffer anew. Bounded, so the
// spares never hold more than a mebibyte whatever the room's size.
constexpr size_t kSpareBuffers = 64;
constexpr size_t kMaxSpareCapacity = 64 * 1024;
constexpr size_t kMaxSpareBytes = 1u << 20;
// Pieces of one gathered write.
constexpr size_t kMaxIovecs = 16;

ListenResult ListenFailure(int error) {
  return ListenResult{false, error == EADDRINUSE, error, std::strerror(error)};
}

}  // namespace

struct SocketTransport::Connection {
  Connection(scrawlbox::SocketPoller& watcher, int descriptor, int slot_number, uint64_t number)
      : poller(watcher), fd(descriptor), slot(slot_number), serial(number) {}
  ~Connection() {
    poller.Unwatch(fd);
    if (aborting) {
      // A reset: the peer's unread bytes, and any of ours it has not taken, are dropped.
      const linger now{1, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    }
    ::close(fd);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void Want(bool read, bool write) {
    if (read == reading && write == writing) return;
    reading = read;
    writing = write;
    poller.SetInterest(fd, read, write);
  }
  size_t Pending() const { return piece_bytes - piece_sent + out.size() - sent; }
  // The bytes written leave the front of the queue.
  void Consume(size_t n) {
    while (n > 0 && !pieces.empty()) {
      const size_t left = pieces.front()->size() - piece_sent;
      if (n < left) {
        piece_sent += n;
        return;
      }
      n -= left;
      piece_bytes -= pieces.front()->size();
      pieces.erase(pieces.begin());
      piece_sent = 0;
    }
    sent += n;
  }

  scrawlbox::SocketPoller& poller;
  int fd;
  int slot;
  uint64_t serial;  // names the connection for timers that may outlive it
  // Pieces shared with other connections (a late joiner's picture) go out before `out`, and
  // what `out` held when one was queued became a piece of its own.
  // A vector, not a deque: an empty deque still holds half a kilobyte, a thousand times over.
  // There are a few dozen pieces at most (a picture of some megabytes in 64 KiB pieces).
  std::vector<std::shared_ptr<const std::string>> pieces;
  size_t piece_bytes = 0;  // in pieces, the front's written ones included
  size_t piece_sent = 0;   // bytes at the front of pieces.front() already written
  std::string out;
  size_t sent = 0;  // bytes at the front of `out` already written
  bool write_queued = false;
  bool reading = true;  // what the poller watches it for
  bool writing = false;
  bool paused = false;
  bool aborting = false;  // closed for abuse: not read again, reset once its bytes are out
  size_t drained = 0;     // bytes read and dropped since it was closed
};

SocketTransport::SocketTransport() : poller_(scrawlbox::MakeSocketPoller()) {
  // After every socket ready in the pass was read: a thousand logins at once then cost a write
  // per receiver per pass, not one per login.
  poller_->SetEndOfPass([this] { WritePass(); });
  give_back_.setSingleShot(true);
  connect(&give_back_, &QTimer::timeout, this, &SocketTransport::GiveBackMemory);
  accept_pause_.setSingleShot(true);
  connect(&accept_pause_, &QTimer::timeout, this, [this] {
    if (listen_fd_ >= 0) poller_->SetInterest(listen_fd_, true, false);
  });
}

SocketTransport::~SocketTransport() {
  CloseListener();
}

ListenResult SocketTransport::Listen(int port) {
  CloseListener();
  // Both families on one socket where the system has IPv6, as players may come by either.
  int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const int on = 1;
  const int off = 0;
  if (fd >= 0) {
    sockaddr_in6 any{};
    any.sin6_family = AF_INET6;
    any.sin6_addr = in6addr_any;
    any.sin6_port = htons(static_cast<uint16_t>(port));
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
      const int error = errno;
      ::close(fd);
      fd = -1;
      if (error == EADDRINUSE || error == EACCES) return ListenFailure(error);
    }
  }
  if (fd < 0) {
    fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return ListenFailure(errno);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(static_cast<uint16_t>(port));
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
      const int error = errno;
      ::close(fd);
      return ListenFailure(error);
    }
  }
  if (::listen(fd, kListenBacklog) != 0) {
    const int error = errno;
    ::close(fd);
    return ListenFailure(error);
  }
  listen_fd_ = fd;
  poller_->Watch(fd, true, false, [this](int, bool, bool, bool) { AcceptPass(); });
  return {};
}

void SocketTransport::StopListening() {
  CloseListener();
}

void SocketTransport::CloseListener() {
  accept_pause_.stop();
  if (listen_fd_ < 0) return;
  poller_->Unwatch(listen_fd_);
  ::close(listen_fd_);
  listen_fd_ = -1;
}

// --- Connections -----------------------------------------------------------------------------

void SocketTransport::AcceptPass() {
  for (int taken = 0; taken < kAcceptsPerPass && listen_fd_ >= 0;) {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    const int fd = ::accept4(listen_fd_, reinterpret_cast<sockaddr*>(&peer), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0) {
      ++taken;
      QHostAddress address;
      address.setAddress(reinterpret_cast<const sockaddr*>(&peer));
      Accept(fd, address);
      continue;
    }
    switch (errno) {
      case EAGAIN:
#if EWOULDBLOCK != EAGAIN
      case EWOULDBLOCK:
#endif
        return;
      // A request that failed on its way in: the next one may be fine.
      case EINTR:
      case ECONNABORTED:
      case EPROTO:
      case ENETDOWN:
      case ENOPROTOOPT:
      case EHOSTDOWN:
      case ENONET:
      case EHOSTUNREACH:
      case ENETUNREACH:
      case EPERM:
        ++taken;
        continue;
      default:
        // Out of descriptors or memory: the requests wait in the backlog meanwhile.
        poller_->SetInterest(listen_fd_, false, false);
        accept_pause_.start(kAcceptPauseMs);
        return;
    }
  }
  // More may be waiting: the poller reports them on the next pass.
}

void SocketTransport::Accept(int fd, const QHostAddress& address) {
  if (!core_) {
    ::close(fd);
    return;
  }
  // Every stroke goes out as it comes: waiting to fill a packet would delay it.
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  const ConnectionSink::Admission admission =
      core_->OnConnectionRequest(scrawlbox::AddressText(address));
  auto connection = std::make_unique<Connection>(*poller_, fd, admission.slot, ++serials_);
  if (admission.slot == 0) {
    connection->out = admission.refusal;
    Release(std::move(connection), false);
    return;
  }
  const int slot = admission.slot;
  ++counters_.accepted;
  poller_->Watch(fd, true, false, [this, slot](int, bool readable, bool writable, bool) {
    OnReady(slot, readable, writable);
  });
  // The core numbers its slots upwards, so a new connection almost always goes at the end.
  const auto at = std::upper_bound(open_.begin(), open_.end(), slot,
                                   [](int s, const auto& c) { return s < c->slot; });
  open_.insert(at, std::move(connection));
}

SocketTransport::Connection* SocketTransport::Find(int slot) const {
  // A relay looks its receivers up in ascending slot order: the one after the last found is
  // the likely one, and a search is the fallback.
  for (size_t i : {find_hint_, find_hint_ + 1}) {
    if (i < open_.size() && open_[i]->slot == slot) {
      find_hint_ = i;
      return open_[i].get();
    }
  }
  const size_t at = Position(slot);
  if (at == open_.size()) return nullptr;
  find_hint_ = at;
  return open_[at].get();
}

size_t SocketTransport::Position(int slot) const {
  const auto it = std::lower_bound(open_.begin(), open_.end(), slot,
                                   [](const auto& c, int s) { return c->slot < s; });
  return it != open_.end() && (*it)->slot == slot ? static_cast<size_t>(it - open_.begin())
                                                  : open_.size();
}

std::unique_ptr<SocketTransport::Connection> SocketTransport::Take(int slot) {
  const size_t at = Position(slot);
  if (at == open_.size()) return nullptr;
  std::unique_ptr<Connection> connection = std::move(open_[at]);
  open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(at));
  return connection;
}

void SocketTransport::OnReady(int slot, bool readable, bool writable) {
  if (readable) OnReadable(slot);
  if (!writable) return;
  if (Connection* connection = Find(slot); connection && !WriteOut(*connection)) {
    Drop(Take(slot));
    core_->OnClosed(slot);
  }
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
      counters_.received_bytes += static_cast<uint64_t>(n);
      core_->OnData(slot, std::string_view(buffer, static_cast<size_t>(n)));
      // A short read emptied the socket: asking again would only hear "nothing more" at the
      // cost of a system call, and whatever arrives meanwhile is reported on the next pass.
      if (static_cast<size_t>(n) < sizeof buffer) break;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    const int error = n < 0 ? errno : 0;
    // The peer is gone (or its socket failed): what it sent before was handled above.
    Drop(Take(slot));
    if (error != 0 && error != ECONNRESET) core_->OnSocketError(slot, error, std::strerror(error));
    core_->OnClosed(slot);
    break;
  }
  // What this arrival made the room send waits for the write pass.
}

// --- Sending ---------------------------------------------------------------------------------

SendResult SocketTransport::Send(int slot, std::string_view bytes) {
  Connection* connection = Find(slot);
  if (!connection) return SendResult{false, EBADF, "The connection is closed", 0};
  if (connection->out.empty() && !spare_buffers_.empty()) {
    connection->out.swap(spare_buffers_.back());
    spare_buffers_.pop_back();
    spare_bytes_ -= connection->out.capacity();
  }
  connection->out.append(bytes);
  QueueWrite(*connection);
  return SendResult{true, 0, {}, connection->Pending()};
}

SendResult SocketTransport::SendShared(int slot, std::shared_ptr<const std::string> bytes) {
  Connection* connection = Find(slot);
  if (!connection) return SendResult{false, EBADF, "The connection is closed", 0};
  if (connection->out.size() > connection->sent) {
    connection->pieces.push_back(
        std::make_shared<const std::string>(connection->out.substr(connection->sent)));
    connection->piece_bytes += connection->pieces.back()->size();
  }
  connection->out.clear();
  connection->sent = 0;
  connection->piece_bytes += bytes->size();
  connection->pieces.push_back(std::move(bytes));
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
  if (!in_write_pass_) poller_->RequestEndOfPass();
}

void SocketTransport::WritePass() {
  in_write_pass_ = true;
  // Closing a failed connection tells the others, which queues more writes: go round again.
  while (!waiting_writes_.empty()) {
    writing_.swap(waiting_writes_);
    std::vector<int> failed;
    for (const int slot : writing_) {
      Connection* connection = Find(slot);
      if (!connection) continue;
      connection->write_queued = false;
      if (!WriteOut(*connection)) failed.push_back(slot);
    }
    for (const int slot : failed) {
      if (std::unique_ptr<Connection> gone = Take(slot)) {
        Drop(std::move(gone));
        core_->OnClosed(slot);
      }
    }
    writing_.clear();
  }
  in_write_pass_ = false;
  GiveBackMemory();
}

void SocketTransport::Drop(std::unique_ptr<Connection> connection) {
  if (!connection) return;
  // Many slow readers closed at once may leave megabytes of their buffers free in the heap.
  released_ += connection->out.capacity();
  connection.reset();
  GiveBackMemory();
}

void SocketTransport::GiveBackMemory() {
  // A thousand logins at once fill every buffer with the others' arrivals; once written, that
  // memory lies free inside the heap, where the allocator keeps it unless asked to give it back.
  // At most once a second: a busy room frees and takes such buffers all the time.
  if (released_ < kGiveBackAfter || give_back_.isActive()) return;
  const auto now = std::chrono::steady_clock::now();
  const auto next = last_give_back_ + std::chrono::seconds(1);
  if (now < next) {
    give_back_.start(
        static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count()));
    return;
  }
  last_give_back_ = now;
  released_ = 0;
  ::malloc_trim(0);
}

bool SocketTransport::WriteOut(Connection& connection) {
  while (connection.Pending() > 0) {
    ssize_t n = 0;
    if (connection.pieces.empty()) {
      n = ::send(connection.fd, connection.out.data() + connection.sent, connection.Pending(),
                 MSG_NOSIGNAL);
    } else {
      iovec pieces[kMaxIovecs];
      size_t count = 0;
      size_t skip = connection.piece_sent;
      for (const auto& piece : connection.pieces) {
        if (count == kMaxIovecs - 1) break;
        pieces[count++] = {const_cast<char*>(piece->data()) + skip, piece->size() - skip};
        skip = 0;
      }
      if (connection.out.size() > connection.sent) {
        pieces[count++] = {connection.out.data() + connection.sent,
                           connection.out.size() - connection.sent};
      }
      msghdr message{};
      message.msg_iov = pieces;
      message.msg_iovlen = count;
      n = ::sendmsg(connection.fd, &message, MSG_NOSIGNAL);
    }
    if (n > 0) {
      counters_.sent_bytes += static_cast<uint64_t>(n);
      connection.Consume(static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    return false;
  }
  if (connection.Pending() == 0) {
    connection.sent = 0;
    connection.out.clear();
    if (connection.out.capacity() > kKeptCapacity) {
      std::string emptied;
      emptied.swap(connection.out);
      if (spare_buffers_.size() < kSpareBuffers && emptied.capacity() <= kMaxSpareCapacity &&
          spare_bytes_ + emptied.capacity() <= kMaxSpareBytes) {
        spare_bytes_ += emptied.capacity();
        spare_buffers_.push_back(std::move(emptied));
      } else {
        released_ += emptied.capacity();
      }
    }
    connection.Want(connection.reading, false);
    return true;
  }
  // The reader is behind: the rest goes when its socket takes more.
  if (connection.sent > connection.out.size() / 2) {
    connection.out.erase(0, connection.sent);
    connection.sent = 0;
  }
  connection.Want(connection.reading, true);
  return true;
}

// --- Closing ---------------------------------------------------------------------------------

void SocketTransport::Close(int slot) {
  if (std::unique_ptr<Connection> connection = Take(slot)) Release(std::move(connection), false);
}

void SocketTransport::Abort(int slot) {
  if (std::unique_ptr<Connection> connection = Take(slot)) Release(std::move(connection), true);
}

void SocketTransport::Release(std::unique_ptr<Connection> connection, bool abort) {
  connection->aborting = abort;
  // An abuser is not read again: what it still sends waits in the network until the reset.
  connection->reading = !abort;
  // A reader this far behind would keep the data (and the socket) for ever.
  if (connection->Pending() > RoomServer::kMaxSendQueue || !WriteOut(*connection) ||
      (abort && connection->Pending() == 0)) {
    Drop(std::move(connection));
    CheckAllClosed();
    return;
  }
  const uint64_t serial = connection->serial;
  // Our end is shut once everything is written; the socket closes when the peer closes its
  // end, so that the last messages are not lost to a reset.
  if (connection->Pending() == 0) ::shutdown(connection->fd, SHUT_WR);
  poller_->Watch(connection->fd, connection->reading, connection->writing,
                 [this, serial](int, bool readable, bool writable, bool) {
                   if (writable) OnClosingWritable(serial);
                   if (readable) OnClosingReadable(serial);
                 });
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
  if (!WriteOut(*connection) || (connection->aborting && connection->Pending() == 0)) {
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
    if (n > 0) {
      connection->drained += static_cast<size_t>(n);
      if (connection->drained <= kMaxClosingDrain) continue;
      // A peer that keeps sending after it was closed is not worth more reads.
      connection->aborting = true;
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    }
    FinishClosing(serial);
    return;
  }
}

void SocketTransport::FinishClosing(uint64_t serial) {
  const auto it = std::find_if(closing_.begin(), closing_.end(),
                               [serial](const auto& c) { return c->serial == serial; });
  if (it == closing_.end()) return;  // finished already
  Drop(std::move(*it));
  closing_.erase(it);
  CheckAllClosed();
}

void SocketTransport::CloseAllThen(std::function<void()> done) {
  CloseListener();
  all_closed_ = std::move(done);
  auto open = std::exchange(open_, {});
  for (auto& connection : open) Release(std::move(connection), false);
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
  connection->Want(!paused, connection->writing);
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
