// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/qt/socket_poller.h"
#include "server/connections/ports.h"
#include "server/net/transport_counters.h"

class QHostAddress;

namespace server {

// The room's sockets: plain non-blocking sockets watched by the event loop's poller, the
// listening one and one per connection. A relayed message is appended to every receiver's
// buffer, and each buffer goes out in one write at the end of the event loop's pass, so a busy
// room costs a system call per player per pass rather than one per message; a connection costs
// a few hundred bytes rather than a Qt socket's buffers and notifiers.
class SocketTransport : public QObject, public Transport {
  Q_OBJECT
 public:
  // One read takes at most this; a connection that keeps sending is read again on the next
  // pass after at most kReadPerTurn, so that the others are served in between.
  static constexpr size_t kReadChunk = 64 * 1024;
  static constexpr size_t kReadPerTurn = 4 * kReadChunk;
  // A closing connection gets this long to take what is still queued for it; what its peer
  // sends meanwhile is read and dropped, up to kMaxClosingDrain, and then it is reset.
  static constexpr int kCloseGraceMs = 5000;
  static constexpr size_t kMaxClosingDrain = 1u << 20;
  // Connection requests the system holds until they are taken: a thousand players arriving at
  // once must not find the door shut.
  static constexpr int kListenBacklog = 1024;
  // Requests taken in one pass of the event loop: a storm of them waits in the backlog while
  // the room's players are served between the batches.
  static constexpr int kAcceptsPerPass = 64;
  // Out of descriptors, the listening socket rests this long before it tries again.
  static constexpr int kAcceptPauseMs = 100;

  SocketTransport();
  ~SocketTransport() override;

  void Attach(ConnectionSink* core) { core_ = core; }

  ListenResult Listen(int port) override;
  void StopListening() override;
  SendResult Send(int slot, std::string_view bytes) override;
  SendResult SendShared(int slot, std::shared_ptr<const std::string> bytes) override;
  size_t QueuedBytes(int slot) const override;
  void Close(int slot) override;
  void Abort(int slot) override;
  void PauseReading(int slot, bool paused) override;
  std::string LocalHostName() const override;
  std::string LocalAddress() const override;

  // Closes every connection, letting each write out what is queued, then calls done (at most
  // kCloseGraceMs later).
  void CloseAllThen(std::function<void()> done) override;

  // Open connections and those still writing out before they close.
  size_t OpenCount() const { return open_.size(); }
  size_t ClosingCount() const { return closing_.size(); }
  const TransportCounters& counters() const { return counters_; }

 private:
  struct Connection;

  // Takes up to kAcceptsPerPass waiting connection requests.
  void AcceptPass();
  void CloseListener();
  void Accept(int fd, const QHostAddress& address);
  Connection* Find(int slot) const;
  // The index of the slot's open connection in open_, or open_.size().
  size_t Position(int slot) const;
  // Removes the open connection from the list and hands it over; nullptr if there is none.
  std::unique_ptr<Connection> Take(int slot);
  void OnReady(int slot, bool readable, bool writable);
  void OnReadable(int slot);
  // A connection being closed: drains what the peer still sends until it closes its end.
  Connection* FindClosing(uint64_t serial) const;
  void OnClosingReadable(uint64_t serial);
  void OnClosingWritable(uint64_t serial);
  // Schedules the buffer of the connection for the next write pass.
  void QueueWrite(Connection& connection);
  // Writes every waiting buffer; connections that fail are reported as closed.
  void WritePass();
  // Writes what the buffer holds; false when the socket failed.
  bool WriteOut(Connection& connection);
  // Returns free heap memory to the system after buffers of many megabytes were let go.
  void GiveBackMemory();
  // Lets a connection go, counting what its buffer frees.
  void Drop(std::unique_ptr<Connection> connection);
  // Stops watching the connection for the core and lets it close once its buffer is out: with
  // abort, without reading it again and with a reset instead of waiting for the peer's close.
  void Release(std::unique_ptr<Connection> connection, bool abort);
  void FinishClosing(uint64_t serial);
  void CheckAllClosed();

  // Before the connections, which stop watching their sockets as they go.
  std::unique_ptr<scrawlbox::SocketPoller> poller_;
  int listen_fd_ = -1;
  QTimer accept_pause_;
  std::vector<std::unique_ptr<Connection>> open_;  // in slot order
  mutable size_t find_hint_ = 0;                   // where Find found the last one
  std::vector<std::unique_ptr<Connection>> closing_;
  std::vector<int> waiting_writes_;  // slots with buffered bytes, each once
  std::vector<int> writing_;         // the ones the write pass is at, kept for capacity
  bool in_write_pass_ = false;
  std::vector<std::string> spare_buffers_;  // emptied, kept for the next pass's writes
  size_t spare_bytes_ = 0;                  // their capacity
  static constexpr size_t kGiveBackAfter = 4u << 20;
  size_t released_ = 0;  // bytes of buffers freed since memory was last given back
  std::chrono::steady_clock::time_point last_give_back_;
  QTimer give_back_;
  std::function<void()> all_closed_;
  uint64_t serials_ = 0;
  TransportCounters counters_;
  ConnectionSink* core_ = nullptr;
};

}  // namespace server
