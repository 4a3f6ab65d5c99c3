// SPDX-License-Identifier: MIT
// Dispatch of received messages and the handlers of the login sequence, chat, users and
// profiles, keep-alive answers, and the drawing relay.
#include <algorithm>
#include <limits>
#include <utility>

#include "common/version.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/text.h"
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

// The age is kept as a single-precision value, held within the float range so that absurd
// input cannot overflow the conversion.
float ToSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

// Free text from a peer as it is kept or relayed: without control codes, cut to its length.
std::string Clean(std::string_view text, size_t length) {
  return FirstChars(StripControlCodes(text), length);
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Whether a password is the room's, taking as long for every guess of one length, so that the
// time of the answer tells nothing of how much of a guess was right.
bool SameSecret(std::string_view guess, std::string_view secret) {
  unsigned char difference = guess.size() == secret.size() ? 0 : 1;
  for (size_t i = 0; i < guess.size(); ++i) {
    const char expected = secret.empty() ? '\0' : secret[i % secret.size()];
    difference |= static_cast<unsigned char>(guess[i] ^ expected);
  }
  return difference == 0;
}

// Names the program itself speaks as in the chat: a player must not pass for it.

constexpr std::string_view kReservedNicknames[] = {"system", "server", "admin", "administrator"};

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
  constexpr Limit kChat = Limit::kChat;
  constexpr MessageKind kTyped = MessageKind::kChat;
  static const std::map<std::string_view, Route> routes = [&] {
    // Everything another player sees, and every request that makes the server send to others,
    // passes the chat limit.

    std::map<std::string_view, Route> r = {
        {to_server::SCRAWLBOX_CL13NT, {A::kAny, false, plain(&RoomServer::OnHandshake)}},
        {to_server::USER, {A::kVersionOk, false, plain(&RoomServer::OnUser)}},
        {to_server::PASS, {A::kUserOk, false, plain(&RoomServer::OnPass)}},
        {to_server::DISAGREE, {A::kAny, false, plain(&RoomServer::OnDisagree)}},
        {to_server::NICK, {A::kNever, false, nullptr}},
        {to_server::ISALIVE, {A::kAny, false, plain(&RoomServer::OnIsAlive)}},
        {to_server::PONG, {A::kAny, false, plain(&RoomServer::OnPong)}},
        {to_server::SAY, {A::kInRoom, true, plain(&RoomServer::OnSay), kChat, kTyped}},
        {to_server::NEWINFO, {A::kInRoom, false, plain(&RoomServer::OnNewInfo), kChat}},
        {to_server::NICKCHG, {A::kInRoom, false, plain(&RoomServer::OnNickChange), kChat}},
        {to_server::USERACTION,
         {A::kInRoom, true, plain(&RoomServer::OnUserAction), kChat, kTyped}},
        {to_server::AWAY, {A::kInRoom, true, plain(&RoomServer::OnAway), kChat}},
        {to_server::PART, {A::kInRoom, true, plain(&RoomServer::OnPart)}},
        {to_server::ULISTREQ, {A::kInRoom, false, plain(&RoomServer::OnUserListRequest)}},
        {to_server::ADMIN, {A::kInRoom, true, plain(&RoomServer::OnAdmin)}},

        // Profiles and kicks name other users: only players in the room may ask.
        {to_server::USERINFO, {A::kInRoom, false, plain(&RoomServer::OnUserInfo), kChat}},
        {to_server::KICK, {A::kInRoom, false, plain(&RoomServer::OnKick), kChat}},
        {to_server::NOP, {A::kAny, false, plain(&RoomServer::OnNop)}},
        {to_server::GETWORDLISTS, {A::kInRoom, false, game(to_server::GETWORDLISTS), kChat}},
        {to_server::STARTGAME, {A::kInRoom, true, game(to_server::STARTGAME), kChat}},
        {to_server::SKIPWORD, {A::kInRoom, false, game(to_server::SKIPWORD)}},
        {to_server::WARNARTIST, {A::kInRoom, false, game(to_server::WARNARTIST), kChat}},
        {to_server::GIVEHINT, {A::kInRoom, true, game(to_server::GIVEHINT)}},
        {to_server::CANCELSETUP, {A::kInRoom, false, game(to_server::CANCELSETUP), kChat}},
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
  static auto last = routes.end();
  const auto route =
      last != routes.end() && last->first == parsed.command ? last : routes.find(parsed.command);
  last = route;
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
      record.LeaveReason = "Drawing flood";
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
    record.LeaveReason = "Flooding";
    CloseConnection(record.SlotIndex, CloseReason::kFlooding);
    return;
  }
  if (!record.last_flood_notice_ms || now - *record.last_flood_notice_ms >= kFloodNoticeMs) {
    record.last_flood_notice_ms = now;
    SendMessage(record.SlotIndex, to_client::NOTICE,
                "You are sending messages too quickly; please slow down.");
    refusal_log_.Note(record.address, "Messages over the chat limit",
                      record.row_name + " (" + record.address +
                          ") is sending messages too quickly; those over the limit are dropped.");
  }
}

// --- Login ---------------------------------------------------------------------------------------

void RoomServer::OnHandshake(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  if (record.State != StateNew) {
    if (transport_.Send(slot, protocol::kNotAClientGoodbye).ok) {
      counters_.Sent(MessageKind::kControl, protocol::kNotAClientGoodbye.size());
    }
    LogConnection(
        "A non-Scrawlbox client attempted a connection. The connection was forced closed by "
        "Scrawlbox Server.",
        kIconInfo);
    CloseConnection(slot, CloseReason::kProtocolError);
    return;
  }
  if (listen_state_ == kListenDeny) {
    // The deny message goes out before the connection closes: closing writes what is queued.
    SendMessage(slot, to_client::NOTICE, StripControlCodes(deny_message_));
    LogConnection(
        "A client from " + record.address + " was turned away because the server is in deny mode.",
        kIconInfo);
    record.LeaveReason = "Deny mode";
    CloseConnection(slot, CloseReason::kRefused);
    return;
  }
  if (bans_ && bans_->IsBanned(record.address)) {
    // Our client closes on its own when it reads this; a peer that does not would otherwise
    // have every repeated hello matched against the whole list.
    SendMessage(slot, to_client::BANNED, protocol::kNoData);
    record.LeaveReason = "Banned address";
    record.attempt_refused = true;
    CloseConnection(slot, CloseReason::kRefused);
    return;
  }
  const double version = protocol::LeadingNumber(data);
  if (version < MinClientVersion) {
    LogConnection("A Scrawlbox client was declined connection because it was an earlier version: " +
                      data + ".",
                  kIconInfo);
    record.State = StateRefused;
    SendMessage(slot, to_client::OLDVERSION, NumberText(MinClientVersion));
    return;
  }
  record.State = StateVersionOk;
  record.ClientVersion = version;
  // The greeting came: the rest of the login has what is left of the longer deadline.
  if (record.login_timer) {
    const int64_t left_ms =
        int64_t{settings_.LoginTimeout} * 1000 - (scheduler_.NowMs() - record.connected_ms);
    if (settings_.LoginTimeout <= 0) {
      record.login_timer.reset();
    } else {
      record.login_timer->Start(static_cast<int>(std::max<int64_t>(left_ms, 0)));
    }
  }
  UpdateConnectionRow(slot, "", "Connected; waiting for login info...");
  // An address whose attempts are being refused is not logged at every hello either.
  if (!refusal_log_.Recent(record.address)) {
    LogConnection("Scrawlbox client (v" + NumberText(version) +
                      ") connected, from IP address: " + record.address,
                  kIconInfo);
  }
  SendMessage(slot, to_client::SCRAWLBOX_S3RV3R,
              protocol::ServerVersionText(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor));
}

void RoomServer::OnUser(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  const auto fields = protocol::SplitFields(data);
  const std::string nickname = Clean(FieldOr(fields, 0), protocol::kShownNicknameLength);
  if (const std::string refusal = NicknameRefusal(nickname, record, true); !refusal.empty()) {
    if (StartGhostProbe(record, nickname, data)) return;
    if (!Trimmed(nickname).empty()) record.row_name = nickname;
    RefuseNickname(record, refusal);
    return;
  }
  record.State = StateUserOk;
  record.Nickname = nickname;
  record.AutoSkip = protocol::LeadingNumber(FieldOr(fields, 1)) != 0;
  record.Age = ToSingle(protocol::LeadingNumber(FieldOr(fields, 2)));
  record.Gender = Clean(FieldOr(fields, 3), protocol::kGenderLength);
  record.Location = Clean(FieldOr(fields, 4), protocol::kLocationLength);
  record.Homepage = Clean(FieldOr(fields, 5), protocol::kHomepageLength);
  record.Quote = Clean(FieldOr(fields, 6), protocol::kQuoteLength);
  record.HasDrawn = false;
  record.PingPending = false;
  UpdateConnectionRow(slot, record.Nickname, "Awaiting password...");
  SendMessage(slot, to_client::USEROK, NumberText(record.Id) + kSep);
}

std::string RoomServer::NicknameRefusal(const std::string& nickname, const ConnectionRecord& asker,
                                        bool login) const {
  const std::string name = Trimmed(nickname);
  const std::string lower = protocol::LowerCase(FirstChars(name, protocol::kShownNicknameLength));
  if (lower.empty() || lower == protocol::kDefaultNickname) {
    return "Please choose a nickname (Edit, User Profile) before you join a room.";
  }
  for (const std::string_view reserved : kReservedNicknames) {
    if (lower == reserved)
      return "The nickname \"" + name + "\" is reserved; please choose another.";
  }
  for (const auto& [slot, record] : connections_) {
    if (slot == asker.SlotIndex || record->State != StateInRoom) continue;
    const std::string other = Trimmed(FirstChars(record->Nickname, protocol::kShownNicknameLength));
    if (!protocol::EqualsIgnoreCase(other, lower)) continue;
    if (login && GhostOf(nickname, asker.address, asker.SlotIndex) == record.get()) continue;
    return "The nickname \"" + name + "\" is already used in this room; please choose another.";
  }
  return {};
}

ConnectionRecord* RoomServer::GhostOf(const std::string& nickname, const std::string& address,
                                      int except_slot) const {
  const std::string name = Trimmed(FirstChars(nickname, protocol::kShownNicknameLength));
  const int64_t now = scheduler_.NowMs();
  for (const auto& [slot, record] : connections_) {
    if (slot == except_slot || record->State != StateInRoom || record->address != address) {
      continue;
    }
    const std::string other = Trimmed(FirstChars(record->Nickname, protocol::kShownNicknameLength));
    // A live client answers every ping, so nothing heard for longer than the interval (and a
    // round trip) means the connection vanished without a close.
    if (protocol::EqualsIgnoreCase(other, name) &&
        (record->stopped_answering ||
         now - record->last_received_ms > settings_.PingInterval + kAnswerGraceMs)) {
      return record.get();
    }
  }
  return nullptr;
}

bool RoomServer::StartGhostProbe(ConnectionRecord& login, const std::string& nickname,
                                 const std::string& profile) {
  if (login.probing_slot != 0) return false;
  const std::string name = Trimmed(FirstChars(nickname, protocol::kShownNicknameLength));
  ConnectionRecord* holder = FindConnection([&](const ConnectionRecord& record) {
    return record.SlotIndex != login.SlotIndex && record.State == StateInRoom &&
           record.address == login.address &&
           protocol::EqualsIgnoreCase(
               Trimmed(FirstChars(record.Nickname, protocol::kShownNicknameLength)), name);
  });
  if (!holder) return false;
  login.probing_slot = holder->SlotIndex;
  login.probe_holder_bytes = holder->BytesReceived;
  login.held_profile = profile;
  SendMessage(holder->SlotIndex, to_client::PING, protocol::kNoData);
  const int slot = login.SlotIndex;
  scheduler_.SingleShot(kGhostProbeMs, [this, slot] {
    EventScope later(this);
    EndGhostProbe(slot);
  });
  return true;
}

void RoomServer::EndGhostProbe(int slot) {
  ConnectionRecord* login = Record(slot);
  if (!login || login->probing_slot <= 0) return;
  ConnectionRecord* holder = Record(login->probing_slot);
  if (holder && holder->BytesReceived == login->probe_holder_bytes) {
    holder->stopped_answering = true;
  }
  login->probing_slot = -1;
  // The profile again, now that the holder has answered, gone or stayed silent; then whatever
  // the login sent meanwhile.
  OnUser(slot, std::exchange(login->held_profile, {}));
  ServeReceived(slot, true);
}

void RoomServer::ReplaceGhost(ConnectionRecord& newcomer) {
  ConnectionRecord* ghost = GhostOf(newcomer.Nickname, newcomer.address, newcomer.SlotIndex);
  if (!ghost) return;
  const int64_t silent_s = (scheduler_.NowMs() - ghost->last_received_ms) / 1000;
  ghost->LeaveReason =
      "Reconnected (no answer for " + NumberText(static_cast<double>(silent_s)) + " s)";
  // The others see the ghost leave; the newcomer never knew it.
  Broadcast(to_client::PART, NumberText(ghost->Id) + kSep + ghost->LeaveReason, newcomer.SlotIndex);
  ghost->part_announced = true;
  CloseConnection(ghost->SlotIndex, CloseReason::kReplaced);
}

void RoomServer::RefuseNickname(ConnectionRecord& record, const std::string& refusal) {
  // Told before the close: closing writes what is queued. Clients that know NICKREFUSED ask
  // for another name; older ones show the NOTICE.
  record.State = StateRefused;
  SendMessage(record.SlotIndex, to_client::NICKREFUSED, refusal);
  SendMessage(record.SlotIndex, to_client::NOTICE, refusal);
  // The log gives the reason without the advice.
  std::string reason = refusal.substr(0, refusal.rfind("; please"));
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  record.LeaveReason = "Nickname refused: " + reason;
  CloseConnection(record.SlotIndex, CloseReason::kRefused);
}

void RoomServer::OnPass(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  // Another player may have taken the nickname since the profile came.
  if (const std::string refusal = NicknameRefusal(record.Nickname, record, true);
      !refusal.empty()) {
    RefuseNickname(record, refusal);
    return;
  }
  // A room with a password lets in only those who give it; without one, anyone.
  if (!settings_.ServerPassword.empty() && !PasswordAccepted(record, data)) return;
  record.State = StateInRoom;
  record.entry_order = ++entries_;

  // In the room, the login deadline is over for good: a big room need not keep its timers.
  record.login_timer.reset();
  UpdateConnectionRow(slot, "", "Awaiting UserList request...");
  const std::string welcome = Clean(settings_.MOTD, protocol::kMotdLength) + kSep +
                              Clean(settings_.Name, protocol::kRoomNameLength) + kSep + "-" + kSep +
                              NumberText(game_->CurrentRound()) + kSep +
                              NumberText(game_->TotalRounds());
  if (!SendMessage(slot, to_client::PASSOK, welcome)) return;
  // In the room before its ghost goes, so that the game counts the player as staying.
  ReplaceGhost(record);
  // From here on the others know of this user, so its leaving must be announced.
  record.entered_room = true;
  Broadcast(to_client::JOIN,
            NumberText(record.Id) + kSep +
                FirstChars(record.Nickname, protocol::kShownNicknameLength) + kSep +
                (record.AutoSkip ? "1" : "0"),
            slot);
  statistics_.Increment(Stat::EstablishedConnections);
  game_->OnPlayerEntered(record);
}

bool RoomServer::PasswordAccepted(ConnectionRecord& record, const std::string& password) {
  const int64_t now = scheduler_.NowMs();
  const bool locked = password_lockout_.Locked(record.address, now);
  if (!locked && SameSecret(password, settings_.ServerPassword)) return true;
  record.LeaveReason = locked ? "Wrong passwords: refused for a minute" : "Wrong password";
  record.attempt_refused = true;
  if (!locked) {
    // Guessing: the address (or its network) is refused for a while without comparing.
    switch (password_lockout_.Fail(record.address, now)) {
      case PasswordLockout::Lock::kNone:
        break;
      case PasswordLockout::Lock::kAddress:
        LogConnection("Too many wrong passwords from " + record.address +
                          "; its passwords are refused for a minute.",
                      kIconWarning);
        break;
      case PasswordLockout::Lock::kNetwork:
        LogConnection("Too many wrong passwords from addresses in " + NetworkOf(record.address) +
                          "; their passwords are refused for ten minutes.",
                      kIconWarning);
        break;
    }
  }
  record.State = StateRefused;
  SendMessage(record.SlotIndex, to_client::BADPASS, protocol::kNoData);
  SendMessage(record.SlotIndex, to_client::NOTICE, "This room needs a password.");
  CloseConnection(record.SlotIndex, CloseReason::kRefused);
  return false;
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
                    FirstChars(game_->RevealedLetters(), protocol::kRevealedLettersLength) + kSep +
                    FirstChars(game_->WordPattern(), protocol::kRevealedLettersLength));
    // The clock as it runs for the others: a late joiner's clock runs with theirs.
    if (const auto left = game_->TimeLeftMs()) {
      SendMessage(slot, to_client::STARTGAMETIMER, NumberText(*left));
    }
  }
  SendPicture(slot);
}

void RoomServer::OnAdmin(int slot, const std::string& data) {
  // Clients claim the role when they find themselves alone in the room; a claim made while
  // others are present would let anyone take the room over.
  if (InRoomCount() != 1) return;
  ConnectionRecord& record = *Record(slot);
  record.IsAdmin = true;
  Broadcast(to_client::ADMIN,
            NumberText(record.Id) + kSep + Clean(data, protocol::kShownNicknameLength), slot);
}

// --- Chat, users and profiles
// ----------------------------------------------------------------------

void RoomServer::OnSay(int slot, const std::string& data) {
  const std::string text = Clean(data, protocol::kChatLength);
  if (protocol::IsBlankData(text)) return;
  if (game_->IsRunning() && game_->CheckGuess(slot, text)) return;
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  const std::string nickname = record->Nickname;
  Broadcast(to_client::SAY, NumberText(record->Id) + kSep + text, -1);
  LogChat(nickname + ": " + text, kIconInfo);
  statistics_.Increment(Stat::SentencesTyped);
}

void RoomServer::OnNewInfo(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  UpdateConnectionRow(slot, "", "Has changed their profile information.");
  record.Info = Clean(data, protocol::kInfoLength);
  Broadcast(to_client::INFOCHG, NumberText(record.Id) + kSep + record.Info, -1);
}

void RoomServer::OnNickChange(int slot, const std::string& data) {
  ConnectionRecord& record = *Record(slot);
  const std::string nickname = Clean(data, protocol::kKeptNicknameLength);
  if (const std::string refusal = NicknameRefusal(nickname, record, false); !refusal.empty()) {
    SendMessage(slot, to_client::NOTICE, refusal);
    return;
  }
  record.Nickname = nickname;
  UpdateConnectionRow(slot, record.Nickname, "Has changed nickname.");
  Broadcast(
      to_client::NICKCHG,
      NumberText(record.Id) + kSep + FirstChars(record.Nickname, protocol::kShownNicknameLength),
      -1);
}

void RoomServer::OnUserAction(int slot, const std::string& data) {
  const std::string text = Clean(data, protocol::kChatLength);
  if (protocol::IsBlankData(text)) return;
  Broadcast(to_client::USERACTION, NumberText(Record(slot)->Id) + kSep + text, slot);
}

void RoomServer::OnAway(int slot, const std::string& data) {
  // The stored auto-skip flag stays as sent at login; only the others' display changes.
  const std::string flag = Clean(data, protocol::kChatLength);
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
  // The target is relayed as the number it names, whatever else the field held.
  const double target_id = protocol::LeadingNumber(FieldOr(fields, 0));
  const std::string reason = Clean(FieldOr(fields, 1), protocol::kLeaveReasonLength);
  const int target_slot = SlotOfId(target_id);
  UpdateConnectionRow(slot, "", "Has kicked: " + reason);
  Broadcast(to_client::KICKINFO,
            NumberText(kicker.Id) + kSep + NumberText(target_id) + kSep + reason, -1);
  if (ConnectionRecord* target = Record(target_slot)) {
    target->LeaveReason = reason;
    CloseConnection(target_slot, CloseReason::kKicked);
    statistics_.Increment(Stat::UsersKicked);
  }
}

void RoomServer::OnIsAlive(int slot, const std::string&) {
  // The tracker asks every room once a minute: a line each time would bury the log.
  Record(slot)->probed = true;
  // Older trackers look only for the "YES".
  SendMessage(slot, to_client::ISALIVE,
              registration_key_.empty() ? "YES" : std::string("YES") + kSep + registration_key_);
  ++counters_.probes_answered;
  statistics_.Increment(Stat::ProbesAnswered);
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
  record.LeaveReason = Clean(data, protocol::kLeaveReasonLength);
  // Told once, here; the close that follows does not repeat it.
  Broadcast(to_client::PART, NumberText(record.Id) + kSep + record.LeaveReason, slot);
  record.part_announced = true;
  CloseConnection(slot, CloseReason::kLeft);
}

// --- Game and drawing
// ------------------------------------------------------------------------------

void RoomServer::OnGameCommand(int slot, std::string_view command, const std::string& data) {
  game_->HandleCommand(command, slot, data);
}

void RoomServer::OnDrawing(int slot, protocol::DrawCode code, const std::string& data) {
  if (!game_->MayDraw(slot)) return;
  const int32_t id = Record(slot)->Id;
  // Every stroke is framed into this one buffer, which keeps its memory from one to the next.
  static std::string framed;
  protocol::FrameRelayedDrawing(framed, code, id, data);
  if (code == protocol::DrawCode::CL) {
    ClearPicture(false);
  } else {
    picture_.Record(code, framed);
  }
  BroadcastDrawing(framed, protocol::RelayIncludesSender(code) ? -1 : slot);
  game_->OnDrawingRelayed(slot);
}

}  // namespace server
