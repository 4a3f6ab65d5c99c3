// SPDX-License-Identifier: MIT
#include "server/admin/operator_actions.h"

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/room_text.h"
#include "server/connections/room_server.h"

namespace server {

namespace to_client = protocol::to_client;

namespace {
constexpr char kByOperator[] = SB_TEXT("by the server operator");
}  // namespace

std::string OperatorText(const std::string& text, size_t length) {
  if (text.find_first_not_of(' ') == std::string::npos) return {};
  return protocol::FirstChars(protocol::StripControlCodes(text), length);
}

bool OperatorActions::MessageUser(int slot, const std::string& text) {
  const std::string message = OperatorText(text, kMaxText);
  if (message.empty() || !room_.Record(slot)) return false;
  room_.AsEvent([&] { room_.SendMessage(slot, to_client::SERVERMSG, message); });
  return true;
}

bool OperatorActions::MessageAll(const std::string& text) {
  const std::string message = OperatorText(text, kMaxText);
  if (message.empty()) return false;
  room_.AsEvent([&] { room_.Broadcast(to_client::SERVERMSG, message, -1); });
  return true;
}

bool OperatorActions::Kick(int slot, const std::string& answer) {
  const std::string reason = OperatorText(answer, kMaxText);
  if (reason.empty() || !room_.Record(slot)) return false;
  PutOut(slot, kByOperator, reason, false);
  return true;
}

void OperatorActions::KickByVote(int slot) {
  if (room_.Record(slot)) PutOut(slot, SB_TEXT("by a vote of the players"), "", false);
}

void OperatorActions::PutOut(int slot, const std::string& by, const std::string& reason,
                             bool banned) {
  ConnectionRecord* record = room_.Record(slot);
  room_.AsEvent([&] {
    // Each text with and without a reason, so that a client can match either as a whole.
    const auto text = [&](std::string_view plain, std::string_view with_reason) {
      return reason.empty() ? protocol::RoomText(plain, {record->Nickname, by})
                            : protocol::RoomText(with_reason, {record->Nickname, by, reason});
    };
    record->LeaveReason = banned ? text(SB_TEXT("Banned %2."), SB_TEXT("Banned %2: %3"))
                                 : text(SB_TEXT("Kicked %2."), SB_TEXT("Kicked %2: %3"));
    record->kicked = true;
    if (banned) {
      const std::string because = reason.empty() ? "." : ": " + reason;
      room_.SendMessage(slot, to_client::NOTICE, std::string(protocol::kBannedNotice) + because);
      room_.Broadcast(to_client::NOTICE,
                      text(SB_TEXT("%1 has been banned %2."), SB_TEXT("%1 has been banned %2: %3")),
                      slot);
    } else {
      room_.Broadcast(to_client::NOTICE,
                      text(SB_TEXT("%1 has been kicked %2."), SB_TEXT("%1 has been kicked %2: %3")),
                      -1);
    }
    // Our client closes when it reads KICKOP; it says a reason, so a ban without one has one.
    room_.SendMessage(slot, to_client::KICKOP,
                      !reason.empty() ? reason
                      : banned        ? kBannedReason
                                      : record->LeaveReason);
    if (ConnectionRecord* still = room_.Record(slot)) {
      still->State = StateRefused;
      // Out of the room already: the others need not wait for the close to get an admin.
      room_.HandOverAdmin(*still);
    }
    room_.statistics().Increment(Stat::UsersKicked);
  });
  // The client closes on KICKOP; one that does not is closed for it a little later. Slots are
  // never reused, so an open slot is still the kicked connection.
  scheduler_.SingleShot(kNoopDelayMs, [this, slot] {
    room_.AsEvent([&] { room_.SendMessage(slot, to_client::NOOP, protocol::kNoData); });
  });
  scheduler_.SingleShot(kKickCloseMs, [this, slot] {
    room_.AsEvent([&] { room_.CloseConnection(slot, CloseReason::kKicked); });
  });
}

bool OperatorActions::Ban(int slot, const std::string& reason) {
  const ConnectionRecord* record = room_.Record(slot);
  if (!record) return false;
  const bool added = bans_.AddBan(record->address, reason);
  if (!added) {
    room_.SetStatusMessage(
        bans_.full() ? protocol::RoomText("The banned list is full.")
                     : protocol::RoomText("This IP address is already in the banned list."),
        kIconInfo);
  }
  PutOut(slot, kByOperator, OperatorText(reason, kMaxText), true);
  return added;
}

void OperatorActions::Announce(const std::string& message) {
  room_.SetStatusMessage(message, kIconInfo);
  room_.LogConnection(message, kIconWarning);
}

void OperatorActions::SetListenState(int state) {
  if (state == room_.listen_state()) return;
  room_.set_listen_state(state);
  switch (state) {
    case RoomServer::kListenAccept:
      room_.view().SetMasterState(kMasterOpening);
      if (room_.Relisten()) {
        room_.view().SetMasterState(kMasterListening);
        Announce("Server is now online. Future connections will be accepted.");
      }
      break;
    case RoomServer::kListenDeny:
      room_.SetStatusMessage(protocol::RoomText("Please set the Deny message..."), kIconInfo);
      break;
    case RoomServer::kListenOffline:
      room_.StopListening();
      room_.view().SetMasterState(kMasterOffline);
      Announce("Server has been taken offline. Future connections will be ignored.");
      break;
    default:
      break;
  }
}

bool OperatorActions::AcceptDenyMessage(const std::string& message) {
  if (message.find_first_not_of(' ') == std::string::npos) return false;
  room_.SetDenyMessage(protocol::StripControlCodes(message));
  room_.set_listen_state(RoomServer::kListenDeny);
  room_.view().SetMasterState(kMasterDeny);
  room_.SetStatusMessage(
      protocol::RoomText("Server has been placed in Deny mode. Clients will be given the message "
                         "and then disconnected."),
      kIconInfo);
  return true;
}

void OperatorActions::CancelDeny() {
  room_.set_listen_state(RoomServer::kListenAccept);
  if (!room_.listening() && !room_.Relisten()) return;
  room_.view().SetMasterState(kMasterListening);
  room_.SetStatusMessage(protocol::RoomText("Deny mode cancelled, server is back in online mode."),
                         kIconInfo);
}

}  // namespace server
