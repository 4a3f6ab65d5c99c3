// SPDX-License-Identifier: MIT
#pragma once

#include "server/connections/ports.h"

namespace server {

class RoomServer;

// The master socket: opened on the settings' port at start-up, closed and opened again on the
// same port by the operator, each failure shown and logged.
class ListeningSocket {
 public:
  ListeningSocket(RoomServer& room, Transport& transport, ServerView& view)
      : room_(room), transport_(transport), view_(view) {}
  ListeningSocket(const ListeningSocket&) = delete;
  ListeningSocket& operator=(const ListeningSocket&) = delete;

  // Opens on the settings' port and shows the master row.
  void Initialise();
  // True when listening.
  bool Relisten();
  void Stop();
  bool listening() const { return listening_; }

 private:
  // Listens on the port; on failure shows and logs the error. True when listening.
  bool Open(int port);

  RoomServer& room_;
  Transport& transport_;
  ServerView& view_;
  int port_ = 0;
  bool listening_ = false;
};

}  // namespace server
