// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTcpServer>
#include <functional>
#include <map>
#include <set>

#include "server/connections/ports.h"

class QTcpSocket;

namespace server {

class RoomServer;

// The room's sockets on Qt: the listening socket and one QTcpSocket per slot. Socket events
// become calls on the core; the core's sends and closes become socket calls.
class QtTransport : public QObject, public Transport {
  Q_OBJECT
 public:
  // How much one read takes from a socket. Qt buffers no more than this per connection, so a
  // peer cannot make the server hold more than one read plus one unfinished message.
  static constexpr qint64 kReadChunk = 64 * 1024;
  // A closing connection gets this long to take what is still queued for it.
  static constexpr int kCloseGraceMs = 5000;
  // Connection requests the system holds until they are taken: a thousand players arriving at
  // once must not find the door shut.
  static constexpr int kListenBacklog = 1024;

  QtTransport();
  ~QtTransport() override;

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

 private:
  void OnNewConnection();
  // Hands what the socket has to the core; a paused slot is left alone unless it is closing.
  void OnReadyRead(int slot, bool closing = false);
  void OnDisconnected(int slot);
  void OnError(int slot, int error);
  // Stops reporting the socket's events and lets it close in its own time.
  void Release(QTcpSocket* socket);

  QTcpServer listener_;
  std::map<int, QTcpSocket*> sockets_;
  std::set<int> paused_;
  int closing_ = 0;  // released sockets still writing out
  std::function<void()> all_closed_;
  RoomServer* core_ = nullptr;
};

}  // namespace server
