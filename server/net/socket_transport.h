// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/connections/ports.h"

class QSocketNotifier;

namespace server {

class RoomServer;

// The room's sockets: Qt's server socket for listening, and each connection a plain
// non-blocking socket watched by QSocketNotifier. A relayed message is appended to every
// receiver's buffer, and each buffer goes out in one write per pass of the event loop, so a
// busy room costs a system call per player per pass rather than one per message; a connection
// costs a few hundred bytes rather than a Qt socket's buffers.
class SocketTransport : public QObject, public Transport {
  Q_OBJECT
 public:
  // One read takes at most this; a connection that keeps sending is read again on the next
  // pass after at most kReadPerTurn, so that the others are served in between.
  static constexpr size_t kReadChunk = 64 * 1024;
  static constexpr size_t kReadPerTurn = 4 * kReadChunk;
  // A closing connection gets this long to take what is still queued for it.
  static constexpr int kCloseGraceMs = 5000;
  // Connection requests the system holds until they are taken: a thousand players arriving at
  // once must not find the door shut.
  static constexpr int kListenBacklog = 1024;

  SocketTransport();
  ~SocketTransport() override;

  void Attach(RoomServer* core) { core_ = core; }

  ListenResult Listen(int port) override;
  void StopListening() override;
  SendResult Send(int slot, std::string_view bytes) override;
  size_t QueuedBytes(int slot) const override;
  void Close(int slot) override;
  void PauseReading(int slot, bool paused) override;
  std::string LocalHostName() const override;
  std::string LocalAddress() const override;

  // Closes every connection, letting each write out what is queued, then calls done (at most
  // kCloseGraceMs later).
  void CloseAllThen(std::function<void()> done);

  // Open connections and those still writing out before they close.
  size_t OpenCount() const { return open_.size(); }
  size_t ClosingCount() const { return closing_.size(); }

 private:
  struct Connection;
  // Qt's listener hands over the accepted socket's descriptor and nothing more.
  class Listener : public QTcpServer {
   public:
    explicit Listener(SocketTransport* owner) : owner_(owner) {}

   protected:
    void incomingConnection(qintptr descriptor) override;

   private:
    SocketTransport* owner_;
  };

  void Accept(int fd);
  Connection* Find(int slot) const;
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
  // Stops watching the connection for the core and lets it close once its buffer is out.
  void Release(std::unique_ptr<Connection> connection);
  void FinishClosing(uint64_t serial);
  void CheckAllClosed();

  Listener listener_;
  std::unordered_map<int, std::unique_ptr<Connection>> open_;  // by slot
  std::vector<std::unique_ptr<Connection>> closing_;
  std::vector<int> waiting_writes_;  // slots with buffered bytes, each once
  QTimer write_pass_;
  std::function<void()> all_closed_;
  uint64_t serials_ = 0;
  RoomServer* core_ = nullptr;
};

}  // namespace server
