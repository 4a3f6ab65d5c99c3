// SPDX-License-Identifier: MIT
// Dispatch of received messages and the handlers of the login sequence, chat, users and
// profiles, keep-alive answers, and the drawing relay.
#include <algorithm>
#include <limits>

#include "common/version.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/version_text.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::FieldOr;
using protocol::FirstChars;
using protocol::NumberText;
using protocol::StripControlCodes;
namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

namespace {

constexpr char kSep = protocol::kFieldSep;

// Peer text echoed into a log line is cut, so that one message cannot flood the operator's logs.
constexpr size_t kMaxEchoedLength = 1024;

// The age is kept as a single-precision value, held within the float range so that absurd
// input cannot overflow the conversion.
float ToSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

std::string Echo(std::string_view text) {
  return text.size() <= kMaxEchoedLength ? std::string(text)
                                         : FirstChars(text, kMaxEchoedLength) + "...";
}

}  // namespace

const std::map<std::string_view, RoomServer::Route>& RoomServer::Routes() {
  using A = Accept;
  // Most handlers need the slot and the data only; the game's commands and the drawing codes
  // share a handler and are told which command (or code) they serve.
  auto plain = [](void (RoomServer::*handler)(int, const std::string&)) -> Handler {
    return [handler](RoomServer& room, int slot, const std::string& data) {
      (room.*handler)(slot, data);
    };
  };
  auto game = [](std::string_view command) -> Handler {
    return [command](RoomServer& room, int slot, const std::string& data) {
      room.OnGameCommand(slot, command, data);
    };
  };
  static const std::map<std::string_view, Route> routes = [&] {
    std::map<std::string_view, Route> r = {
        {to_server::SCRAWLBOX_CL13NT, {A::kAny, false, plain(&RoomServer::OnHandshake)}},
        {to_server::USER, {A::kVersionOk, false, plain(&RoomServer::OnUser)}},
        {to_server::PASS, {A::kUserOk, false, plain(&RoomServer::OnPass)}},
        {to_server::DISAGREE, {A::kAny, false, plain(&RoomServer::OnDisagree)}},
        {to_server::NICK, {A::kNever, false, nullptr}},
        {to_server::ISALIVE, {A::kAny, false, plain(&RoomServer::OnIsAlive)}},
        {to_server::PONG, {A::kAny, false, plain(&RoomServer::OnPong)}},
        {to_server::SAY, {A::kInRoom, true, plain(&RoomServer::OnSay)}},
        {to_server::NEWINFO, {A::kInRoom, false, plain(&RoomServer::OnNewInfo)}},
        {to_server::NICKCHG, {A::kInRoom, false, plain(&RoomServer::OnNickChange)}},
        {to_server::USERACTION, {A::kInRoom, true, plain(&RoomServer::OnUserAction)}},
        {to_server::AWAY, {A::kInRoom, true, plain(&RoomServer::OnAway)}},
        {to_server::PART, {A::kInRoom, true, plain(&RoomServer::OnPart)}},
        {to_server::ULISTREQ, {A::kInRoom, false, plain(&RoomServer::OnUserListRequest)}},
        {to_server::ADMIN, {A::kInRoom, true, plain(&RoomServer::OnAdmin)}},
        // Profiles and kicks name other users: only players in the room may ask.
        {to_server::USERINFO, {A::kInRoom, false, plain(&RoomServer::OnUserInfo)}},
        {to_server::KICK, {A::kInRoom, false, plain(&RoomServer::OnKick)}},
        {to_server::NOP, {A::kAny, false, plain(&RoomServer::OnNop)}},
        {to_server::GETWORDLISTS, {A::kInRoom, false, game(to_server::GETWORDLISTS)}},
        {to_server::STARTGAME, {A::kInRoom, true, game(to_server::STARTGAME)}},
        {to_server::SKIPWORD, {A::kInRoom, false, game(to_server::SKIPWORD)}},
        {to_server::WARNARTIST, {A::kInRoom, false, game(to_server::WARNARTIST)}},
        {to_server::GIVEHINT, {A::kInRoom, true, game(to_server::GIVEHINT)}},
    };
    for (size_t i = 0; i < protocol::kDrawCodeCount; ++i) {
      const auto code = static_cast<protocol::DrawCode>(i);
      r.emplace(
          protocol::DrawCodeWord(code),
          Route{A::kInRoom, true, [code](RoomServer& room, int slot, const std::string& data) {
                  room.OnDrawing(slot, code, data);
                }});
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
  const auto route = routes.find(parsed.command);
  if (route == routes.end()) {
    LogConnection(
        "Client (" + record->Nickname + ") has sent unknown data. Data follows: " + Echo(message),
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
    CloseConnection(slot);
    return;
  }
  if (route->second.ignore_blank && protocol::IsBlankData(parsed.data)) return;
  route->second.handler(*this, slot, parsed.data);
}

// --- Login ---------------------------------------------------------------------------------------

void RoomServer::OnHandshake(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  if (record.State != StateNew) {
    transport_.Send(slot, protocol::kNotAClientGoodbye);
    LogConnection(
        "A non-Scrawlbox client attempted a connection. The connection was forced closed by "
        "Scrawlbox Server.",
        kIconInfo);
    CloseConnection(slot);
    return;
  }
  if (listen_state_ == kListenDeny) {
    // The deny message goes out before the connection closes: closing writes what is queued.
    SendMessage(slot, to_client::NOTICE, StripControlCodes(deny_message_));
    LogConnection(
        "A client from " + record.address + " was turned away because the server is in deny mode.",
        kIconInfo);
    CloseConnection(slot);
    return;
  }
  if (bans_ && bans_->IsBanned(record.address)) {
    // The client closes on its own when it reads this.
    SendMessage(slot, to_client::BANNED, protocol::kNoData);
    return;
  }
  const double version = protocol::LeadingNumber(data);
  if (version < MinClientVersion) {
    LogConnection("A Scrawlbox client was declined connection because it was an earlier version: " +
                      Echo(data) + ".",
                  kIconInfo);
    record.State = StateRefused;
    SendMessage(slot, to_client::OLDVERSION, NumberText(MinClientVersion));
    return;
  }
  record.State = StateVersionOk;
  record.ClientVersion = version;
  UpdateConnectionRow(slot, "", "Connected; waiting for login info...");
  LogConnection("Scrawlbox client (v" + NumberText(version) +
                    ") connected, from IP address: " + record.address,
                kIconInfo);
  SendMessage(slot, to_client::SCRAWLBOX_S3RV3R,
              protocol::ServerVersionText(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor));
}

void RoomServer::OnUser(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  const auto fields = protocol::SplitFields(data);
  record.State = StateUserOk;
  record.Nickname = StripControlCodes(FieldOr(fields, 0));
  record.AutoSkip = protocol::LeadingNumber(FieldOr(fields, 1)) != 0;
  record.Age = ToSingle(protocol::LeadingNumber(FieldOr(fields, 2)));
  record.Gender = StripControlCodes(FieldOr(fields, 3));
  record.Location = StripControlCodes(FieldOr(fields, 4));
  record.Homepage = StripControlCodes(FieldOr(fields, 5));
  record.Quote = StripControlCodes(FieldOr(fields, 6));
  record.HasDrawn = false;
  record.PingPending = false;
  UpdateConnectionRow(slot, record.Nickname, "Awaiting password...");
  SendMessage(slot, to_client::USEROK, NumberText(record.Id) + kSep);
}

void RoomServer::OnPass(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  // The password is kept but never compared: every room is open to anyone with the client.
  record.State = StateInRoom;
  record.Password = data;
  UpdateConnectionRow(slot, "", "Awaiting UserList request...");
  const std::string welcome =
      FirstChars(StripControlCodes(settings_.MOTD), protocol::kMotdLength) + kSep +
      FirstChars(StripControlCodes(settings_.Name), protocol::kRoomNameLength) + kSep + "-" + kSep +
      NumberText(game_->CurrentRound()) + kSep + NumberText(game_->TotalRounds());
  if (!SendMessage(slot, to_client::PASSOK, welcome)) return;
  // From here on the others know of this user, so its leaving must be announced.
  record.entered_room = true;
  Broadcast(to_client::JOIN,
            NumberText(record.Id) + kSep +
                FirstChars(record.Nickname, protocol::kShownNicknameLength) + kSep +
                (record.AutoSkip ? "1" : "0"),
            slot);
  statistics_.Increment(Stat::EstablishedConnections);
}

void RoomServer::OnDisagree(int slot, const std::string&) {
  Record(slot)->State = StateRefused;
  // The client closes the connection itself.
  SendMessage(slot, to_client::PING, protocol::kNoData);
}

void RoomServer::OnUserListRequest(int slot, const std::string&) {
  constexpr int kUsersPerMessage = 10;
  std::string batch;
  int entries = 0;
  auto flush = [&] {
    batch.pop_back();  // the field separator after the last entry
    SendMessage(slot, to_client::ULIST, batch);
    batch.clear();
    entries = 0;
  };
  ForEachConnection([&](ConnectionRecord& user) {
    if (user.State != StateInRoom) return;
    batch += NumberText(user.Id) + kSep + (user.IsAdmin ? "@" : "") +
             FirstChars(user.Nickname, protocol::kShownNicknameLength) + kSep +
             (user.AutoSkip ? "1" : "0") + kSep + NumberText(user.Points) + kSep;
    if (++entries == kUsersPerMessage) flush();
  });
  if (entries > 0) flush();
  if (!SendMessage(slot, to_client::ULISTEND, "")) return;
  UpdateConnectionRow(slot, "", "The login sequence was successful.");
  if (game_->IsRunning()) {
    SendMessage(slot, to_client::GAMERUNNING,
                NumberText(game_->ArtistId()) + kSep +
                    FirstChars(game_->RevealedLetters(), protocol::kRevealedLettersLength));
  }
}

void RoomServer::OnAdmin(int slot, const std::string& data) {
  // Clients claim the role when they find themselves alone in the room; a claim made while
  // others are present would let anyone take the room over.
  if (InRoomCount() != 1) return;
  ConnectionRecord& record = *Record(slot);
  record.IsAdmin = true;
  Broadcast(to_client::ADMIN, NumberText(record.Id) + kSep + StripControlCodes(data), slot);
}

// --- Chat, users and profiles
// ----------------------------------------------------------------------

void RoomServer::OnSay(int slot, const std::string& data) {
  const std::string text = StripControlCodes(data);
  if (protocol::IsBlankData(text)) return;
  if (game_->IsRunning() && game_->CheckGuess(slot, text)) return;
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  const std::string nickname = record->Nickname;
  Broadcast(to_client::SAY, NumberText(record->Id) + kSep + FirstChars(text, protocol::kChatLength),
            -1);
  LogChat(nickname + ": " + text, kIconInfo);
  statistics_.Increment(Stat::SentencesTyped);
}

void RoomServer::OnNewInfo(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  UpdateConnectionRow(slot, "", "Has changed their profile information.");
  record.Info = FirstChars(StripControlCodes(data), protocol::kInfoLength);
  Broadcast(to_client::INFOCHG, NumberText(record.Id) + kSep + record.Info, -1);
}

void RoomServer::OnNickChange(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  record.Nickname = FirstChars(StripControlCodes(data), protocol::kKeptNicknameLength);
  UpdateConnectionRow(slot, record.Nickname, "Has changed nickname.");
  Broadcast(
      to_client::NICKCHG,
      NumberText(record.Id) + kSep + FirstChars(record.Nickname, protocol::kShownNicknameLength),
      -1);
}

void RoomServer::OnUserAction(int slot, const std::string& data) {
  const std::string text = StripControlCodes(data);
  if (protocol::IsBlankData(text)) return;
  Broadcast(to_client::USERACTION, NumberText(Record(slot)->Id) + kSep + text, slot);
}

void RoomServer::OnAway(int slot, const std::string& data) {
  // The stored auto-skip flag stays as sent at login; only the others' display changes.
  const std::string flag = StripControlCodes(data);
  if (protocol::IsBlankData(flag)) return;
  Broadcast(to_client::AWAY, NumberText(Record(slot)->Id) + kSep + flag, slot);
}

void RoomServer::OnUserInfo(int slot, const std::string& data) {
  static const ConnectionRecord kNobody;
  const int target_slot = SlotOfId(protocol::LeadingNumber(data));
  const ConnectionRecord& target = target_slot ? *Record(target_slot) : kNobody;
  const std::string nickname = target.Nickname;
  SendMessage(slot, to_client::USERINFO,
              target.Nickname + kSep + NumberText(target.Age) + kSep + target.Gender + kSep +
                  target.Location + kSep + target.Homepage + kSep + target.Quote);
  UpdateConnectionRow(slot, "", "Requested UserInfo for: " + nickname);
  statistics_.Increment(Stat::ProfileRequests);
}

void RoomServer::OnKick(int slot, const std::string& data) {
  ConnectionRecord& kicker = *Record(slot);
  // Only the room's admin may kick; the client offers the command to nobody else.
  if (!kicker.IsAdmin) return;
  const auto fields = protocol::SplitFields(data);
  const std::string target_text = StripControlCodes(FieldOr(fields, 0));
  const std::string reason = StripControlCodes(FieldOr(fields, 1));
  const int target_slot = SlotOfId(protocol::LeadingNumber(target_text));
  UpdateConnectionRow(slot, "", "Has kicked: " + reason);
  Broadcast(to_client::KICKINFO, NumberText(kicker.Id) + kSep + target_text + kSep + reason, -1);
  if (ConnectionRecord* target = Record(target_slot)) {
    target->LeaveReason = reason;
    CloseConnection(target_slot);
    statistics_.Increment(Stat::UsersKicked);
  }
}

void RoomServer::OnIsAlive(int slot, const std::string&) {
  SendMessage(slot, to_client::ISALIVE, "YES");
  LogGeneral("Received ISALIVE request. Replied with YES.", kIconNone);
}

void RoomServer::OnNop(int slot, const std::string&) {
  // Answered at once: the reply keeps its place among this connection's messages, and nothing
  // waits for other events to run.
  SendMessage(slot, to_client::NOP, "NOP");
}

// --- Keep-alive and leaving
// -------------------------------------------------------------------------

void RoomServer::OnPong(int slot, const std::string&) {
  Record(slot)->PingPending = false;
  RestartPingTimer(slot, settings_.PingInterval);
}

void RoomServer::OnPart(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  record.LeaveReason = FirstChars(StripControlCodes(data), protocol::kLeaveReasonLength);
  // Told once, here; the close that follows does not repeat it.
  Broadcast(to_client::PART, NumberText(record.Id) + kSep + record.LeaveReason, slot);
  record.part_announced = true;
  CloseConnection(slot);
}

// --- Game and drawing
// ------------------------------------------------------------------------------

void RoomServer::OnGameCommand(int slot, std::string_view command, const std::string& data) {
  game_->HandleCommand(command, slot, data);
}

void RoomServer::OnDrawing(int slot, protocol::DrawCode code, const std::string& data) {
  if (!game_->MayDraw(slot)) return;
  const int32_t id = Record(slot)->Id;
  Broadcast(protocol::DrawCodeWord(code), protocol::RelayDrawData(code, id, data),
            protocol::RelayIncludesSender(code) ? -1 : slot);
}

}  // namespace server
