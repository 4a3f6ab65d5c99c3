// SPDX-License-Identifier: MIT
#include "server/connections/listening_socket.h"

#include <cerrno>
#include <string>

#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::NumberText;

void ListeningSocket::Initialise() {
  view_.SetMasterState(kMasterOpening);
  port_ = room_.settings().PortNumber();
  if (!Open(port_)) return;
  view_.AddConnectionRow(0, 0, transport_.LocalAddress(),
                         protocol::RoomText("Master Socket - %1", {transport_.LocalHostName()}),
                         protocol::RoomText("Listening for connections.."));
  const std::string ready =
      protocol::RoomText("Master socket ready and waiting for incoming connections on port %1 ..",
                         {NumberText(port_)});
  room_.SetStatusMessage(ready, kIconInfo);
  room_.LogConnection(ready, kIconInfo);
  view_.SetMasterState(kMasterListening);
}

bool ListeningSocket::Open(int port) {
  ListenResult result;
  if (port == 0) {
    result = ListenResult{false, false, EINVAL,
                          "\"" + room_.settings().Port + "\" is not a port number"};
  } else {
    result = transport_.Listen(port);
  }
  listening_ = result.ok;
  if (!result.ok) {
    const std::string text = result.address_in_use
                                 ? "Error creating listening port. Port " + NumberText(port) +
                                       " is already in-use by another application."
                                 : "Error while creating listening socket. Error: [" +
                                       NumberText(result.error) + "] - " + result.description;
    view_.SetMasterState(kMasterError);
    room_.LogConnection("InitialiseMasterSocket() Error - " + NumberText(result.error) + ": " +
                            result.description + ".",
                        kIconError);
    room_.SetStatusMessage(text, kIconError);
  }
  return result.ok;
}

bool ListeningSocket::Relisten() {
  transport_.StopListening();
  return Open(port_);
}

void ListeningSocket::Stop() {
  transport_.StopListening();
  listening_ = false;
}

}  // namespace server
