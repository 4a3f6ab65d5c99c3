// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "server/connections/ports.h"
#include "server/net/socket_transport.h"
#include "server/net/web_transport.h"

namespace server {

// The room's one transport over its two kinds of connection: TCP sockets and the web port's
// WebSockets take their slots from the same room, and each call goes to the one whose slot it
// is. The web port opens and closes with the listening socket.
class RoomTransport : public Transport {
 public:
  using Logger = std::function<void(const std::string& text, int icon)>;

  void Attach(ConnectionSink* core, Logger log);
  // Told the web port each time it opens, or 0 when it cannot.
  void OnWebPort(std::function<void(int port)> told) { web_port_told_ = std::move(told); }
  SocketTransport& tcp() { return tcp_; }
  WebTransport& web() { return web_; }
  const SocketTransport& tcp() const { return tcp_; }
  const WebTransport& web() const { return web_; }

  ListenResult Listen(int port) override;
  void StopListening() override;
  SendResult Send(int slot, std::string_view bytes) override;
  SendResult SendShared(int slot, std::shared_ptr<const std::string> bytes) override;
  size_t QueuedBytes(int slot) const override;
  void Close(int slot) override;
  void Abort(int slot) override;
  void PauseReading(int slot, bool paused) override;
  void CloseAllThen(std::function<void()> done) override;
  std::string LocalHostName() const override { return tcp_.LocalHostName(); }
  std::string LocalAddress() const override { return tcp_.LocalAddress(); }

 private:
  SocketTransport tcp_;
  WebTransport web_;
  Logger log_;
  std::function<void(int port)> web_port_told_;
};

}  // namespace server
