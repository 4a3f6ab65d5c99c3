// SPDX-License-Identifier: MIT
#include "server/net/room_transport.h"

#include <utility>

namespace server {

void RoomTransport::Attach(ConnectionSink* core, Logger log) {
  tcp_.Attach(core);
  web_.Attach(core);
  log_ = std::move(log);
}

ListenResult RoomTransport::Listen(int port) {
  ListenResult result = tcp_.Listen(port);
  if (!result.ok || web_.port() == 0) return result;
  std::string error;
  const bool open = web_.Open(&error);
  if (!open && log_) {
    log_("Cannot open the web port " + std::to_string(web_.port()) + ": " + error +
             "; browsers cannot join.",
         kIconError);
  }
  if (web_port_told_) web_port_told_(open ? web_.port() : 0);
  return result;
}

void RoomTransport::StopListening() {
  tcp_.StopListening();
  web_.CloseListener();
}

SendResult RoomTransport::Send(int slot, std::string_view bytes) {
  return web_.Owns(slot) ? web_.Send(slot, bytes) : tcp_.Send(slot, bytes);
}

SendResult RoomTransport::SendShared(int slot, std::shared_ptr<const std::string> bytes) {
  return web_.Owns(slot) ? web_.SendShared(slot, bytes) : tcp_.SendShared(slot, std::move(bytes));
}

size_t RoomTransport::QueuedBytes(int slot) const {
  return web_.Owns(slot) ? web_.QueuedBytes(slot) : tcp_.QueuedBytes(slot);
}

void RoomTransport::Close(int slot) {
  web_.Owns(slot) ? web_.Close(slot) : tcp_.Close(slot);
}

void RoomTransport::Abort(int slot) {
  web_.Owns(slot) ? web_.Abort(slot) : tcp_.Abort(slot);
}

void RoomTransport::PauseReading(int slot, bool paused) {
  web_.Owns(slot) ? web_.PauseReading(slot, paused) : tcp_.PauseReading(slot, paused);
}

void RoomTransport::CloseAllThen(std::function<void()> done) {
  // Both let their connections write out at once; the quit goes on when the slower is done.
  auto left = std::make_shared<int>(2);
  auto one_done = [left, done = std::move(done)] {
    if (--*left == 0) done();
  };
  tcp_.CloseAllThen(one_done);
  web_.CloseAllThen(one_done);
}

}  // namespace server
