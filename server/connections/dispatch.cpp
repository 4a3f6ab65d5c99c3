// SPDX-License-Identifier: MIT
// Dispatch of received messages: the route table, the login states each command is accepted
// in, the rate limits, and the handlers that hand a message to the game or the drawing relay.
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "protocol/room_text.h"
#include "server/connections/room_server.h"

namespace server {

namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

const std::map<std::string_view, RoomServer::Route>& RoomServer::Routes() {
  using A = Accept;
  // Most handlers are a part's and need the slot and the data only; the game's commands and
  // the drawing codes share a handler and are told which command (or code) they serve.
  auto login = [](void (Entrance::*handler)(int, const std::string&)) -> Handler {
    return [handler](RoomServer& room, int slot, const std::string& data) {
      (room.entrance_.*handler)(slot, data);
    };
  };
  auto user = [](void (UserCommands::*handler)(int, const std::string&)) -> Handler {
    return [handler](RoomServer& room, int slot, const std::string& data) {
      (room.commands_.*handler)(slot, data);
    };
  };
  auto game = [](std::string_view command) -> Handler {
    return [command](RoomServer& room, int slot, const std::string& data) {
      room.OnGameCommand(slot, command, data);
    };
  };
  constexpr Limit kChat = Limit::kChat;
  constexpr MessageKind kTyped = MessageKind::kChat;
  static const std::map<std::string_view, Route> routes = [&] {
    // Everything another player sees, and every request that makes the server send to others,
    // passes the chat limit.

    std::map<std::string_view, Route> r = {
        {to_server::SCRAWLBOX_CL13NT, {A::kAny, false, login(&Entrance::OnHandshake)}},
        {to_server::USER, {A::kVersionOk, false, login(&Entrance::OnUser)}},
        {to_server::PASS, {A::kUserOk, false, login(&Entrance::OnPass)}},
        {to_server::DISAGREE, {A::kAny, false, login(&Entrance::OnDisagree)}},
        {to_server::NICK, {A::kNever, false, nullptr}},
        {to_server::ISALIVE, {A::kAny, false, user(&UserCommands::OnIsAlive)}},
        {to_server::PONG, {A::kAny, false, user(&UserCommands::OnPong)}},
        {to_server::SAY, {A::kInRoom, true, user(&UserCommands::OnSay), kChat, kTyped}},
        {to_server::NEWINFO, {A::kInRoom, false, user(&UserCommands::OnNewInfo), kChat}},
        {to_server::NICKCHG, {A::kInRoom, false, user(&UserCommands::OnNickChange), kChat}},
        {to_server::USERACTION,
         {A::kInRoom, true, user(&UserCommands::OnUserAction), kChat, kTyped}},
        {to_server::AWAY, {A::kInRoom, true, user(&UserCommands::OnAway), kChat}},
        {to_server::PART, {A::kInRoom, true, user(&UserCommands::OnPart)}},
        {to_server::ULISTREQ, {A::kInRoom, false, user(&UserCommands::OnUserListRequest)}},
        {to_server::ADMIN, {A::kInRoom, true, user(&UserCommands::OnAdmin)}},

        // Profiles and kicks name other users: only players in the room may ask.
        {to_server::USERINFO, {A::kInRoom, false, user(&UserCommands::OnUserInfo), kChat}},
        {to_server::KICK, {A::kInRoom, false, user(&UserCommands::OnKick), kChat}},
        {to_server::NOP, {A::kAny, false, user(&UserCommands::OnNop)}},
        {to_server::GETWORDLISTS, {A::kInRoom, false, game(to_server::GETWORDLISTS), kChat}},
        {to_server::STARTGAME, {A::kInRoom, true, game(to_server::STARTGAME), kChat}},
        {to_server::SKIPWORD, {A::kInRoom, false, game(to_server::SKIPWORD)}},
        {to_server::WARNARTIST, {A::kInRoom, false, game(to_server::WARNARTIST), kChat}},
        {to_server::GIVEHINT, {A::kInRoom, true, game(to_server::GIVEHINT)}},
        {to_server::CANCELSETUP, {A::kInRoom, false, game(to_server::CANCELSETUP), kChat}},
        {to_server::CHOOSEWORD, {A::kInRoom, true, game(to_server::CHOOSEWORD)}},
        {to_server::VOTEKICK,
         {A::kInRoom, false,
          [](RoomServer& room, int slot, const std::string& data) { room.OnVoteKick(slot, data); },
          kChat}},
        {to_server::WATCH, {A::kInRoom, true, game(to_server::WATCH), kChat}},
    };
    for (size_t i = 0; i < protocol::kDrawCodeCount; ++i) {
      const auto code = static_cast<protocol::DrawCode>(i);
      r.emplace(protocol::DrawCodeWord(code),
                Route{A::kInRoom, true,
                      [code](RoomServer& room, int slot, const std::string& data) {
                        room.OnDrawing(slot, code, data);
                      },
                      Limit::kDrawing, MessageKind::kDrawing});
    }
    return r;
  }();
  return routes;
}

std::vector<std::string_view> RoomServer::RoutedCommands() {
  std::vector<std::string_view> commands;
  for (const auto& [command, route] : Routes()) commands.push_back(command);
  return commands;
}

void RoomServer::ProcessMessage(const std::string& message, int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  const protocol::Message parsed = protocol::ParseMessage(message);
  const auto& routes = Routes();
  // Strokes come in runs of one code: the route found last is tried before a search.
  const auto route = last_route_ != routes.end() && last_route_->first == parsed.command
                         ? last_route_
                         : routes.find(parsed.command);
  last_route_ = route;
  counters_.Received(route == routes.end() ? MessageKind::kControl : route->second.kind,
                     message.size() + 1);
  if (route == routes.end()) {
    // Unknown data reaches the log, so it is limited like chat.
    if (!PassesLimit(*record, Limit::kChat, parsed.data)) return;
    LogConnection(
        "Client (" + record->Nickname + ") has sent unknown data. Data follows: " + message,
        kIconError);
    return;
  }
  bool accepted = false;
  switch (route->second.accept) {
    case Accept::kAny:
      accepted = true;
      break;
    case Accept::kVersionOk:
      accepted = record->State == StateVersionOk;
      break;
    case Accept::kUserOk:
      accepted = record->State == StateUserOk;
      break;
    case Accept::kInRoom:
      accepted = record->State == StateInRoom;
      break;
    case Accept::kNever:
      accepted = false;
      break;
  }
  if (!accepted) {
    if (record->LeaveReason.empty()) {
      record->LeaveReason = "Protocol error (" + std::string(parsed.command) + " out of turn)";
    }
    CloseConnection(slot, CloseReason::kProtocolError);
    return;
  }
  // A message over a limit is dropped before anything else looks at it.
  if (!PassesLimit(*record, route->second.limit, parsed.data)) return;
  if (route->second.ignore_blank && protocol::IsBlankData(parsed.data)) return;
  route->second.handler(*this, slot, parsed.data);
}

bool RoomServer::PassesLimit(ConnectionRecord& record, Limit limit, const std::string& data) {
  // The clock costs more than the rest of the check: a limit that is off does without it.
  const auto now = [this](double burst, double rate) {
    return burst > 0 && rate > 0 ? scheduler_.NowMs() : 0;
  };
  switch (limit) {
    case Limit::kNone:
      return true;
    case Limit::kChat:
      if (record.chat_bucket.Take(now(settings_.FloodBurst, settings_.FloodRate),
                                  settings_.FloodBurst, settings_.FloodRate)) {
        return true;
      }
      ++counters_.chat_dropped;
      OnFloodDrop(record);
      return false;
    case Limit::kDrawing:
      if (data.size() > kMaxDrawingData) {
        ++counters_.drawing_dropped;
        return false;
      }
      if (record.drawing_bucket.Take(now(settings_.DrawingBurst, settings_.DrawingRate),
                                     settings_.DrawingBurst, settings_.DrawingRate)) {
        return true;
      }
      // Dropping strokes would leave the pads different: the sender goes instead.
      record.LeaveReason = protocol::RoomText("Drawing flood");
      CloseConnection(record.SlotIndex, CloseReason::kDrawingFlood);
      return false;
  }
  return false;
}

void RoomServer::OnFloodDrop(ConnectionRecord& record) {
  const int64_t now = scheduler_.NowMs();
  record.drop_times.push_back(now);
  if (record.drop_times.size() > kFloodDropsToClose + 1) {
    record.drop_times.erase(record.drop_times.begin());
  }
  if (record.drop_times.size() > kFloodDropsToClose &&
      now - record.drop_times.front() <= kFloodDropWindowMs) {
    record.LeaveReason = protocol::RoomText("Flooding");
    CloseConnection(record.SlotIndex, CloseReason::kFlooding);
    return;
  }
  if (!record.last_flood_notice_ms || now - *record.last_flood_notice_ms >= kFloodNoticeMs) {
    record.last_flood_notice_ms = now;
    SendMessage(record.SlotIndex, to_client::NOTICE,
                protocol::RoomText("You are sending messages too quickly; please slow down."));
    refusal_log_.Note(record.address, "Messages over the chat limit",
                      record.row_name + " (" + record.address +
                          ") is sending messages too quickly; those over the limit are dropped.");
  }
}

void RoomServer::OnGameCommand(int slot, std::string_view command, const std::string& data) {
  game_->HandleCommand(command, slot, data);
}

void RoomServer::OnVoteKick(int slot, const std::string& data) {
  if (votes_) return votes_->OnVoteKick(slot, data);
  SendMessage(slot, to_client::NOTICE, kNoVoteKick);
}

void RoomServer::OnDrawing(int slot, protocol::DrawCode code, const std::string& data) {
  if (!game_->MayDraw(slot)) return;
  relay_.Relay(code, Record(slot)->Id, slot, data);
  game_->OnDrawingRelayed(slot);
}

}  // namespace server
