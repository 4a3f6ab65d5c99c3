// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "server/host/room_host.h"
#include "server/net/web_transport.h"

namespace server {

// The web port of a host of many rooms, or of a single room. POST /rooms makes a room from a
// JSON object ("name", "password", "public") and answers 201 with its "code" and "url"; GET
// /rooms tells what the host holds (a single room: no room to make); /r/CODE is a room's link,
// the page itself, or a page saying the room is gone. Everything else is the page's files.
std::string HostPageAnswer(RoomHost& host, const WebTransport::Request& request, bool tls);

}  // namespace server
