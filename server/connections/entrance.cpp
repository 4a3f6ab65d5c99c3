// SPDX-License-Identifier: MIT
#include "server/connections/entrance.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "common/version.h"
#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/text.h"
#include "protocol/version_text.h"
#include "server/connections/peer_text.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::FieldOr;
using protocol::FirstChars;
using protocol::NumberText;
namespace to_client = protocol::to_client;

namespace {

// The age is kept as a single-precision value, held within the float range so that absurd
// input cannot overflow the conversion.
float ToSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The nickname as others see it, for comparing: cut to its shown length, without the spaces
// around it.
std::string ShownName(std::string_view nickname) {
  return Trimmed(FirstChars(nickname, protocol::kShownNicknameLength));
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

Entrance::Entrance(RoomServer& room, Transport& transport, Scheduler& scheduler,
                   RefusalLog& refusals)
    : room_(room), transport_(transport), scheduler_(scheduler), refusals_(refusals) {}

// --- Connection requests -------------------------------------------------------------------------

std::optional<std::string> Entrance::Screen(const std::string& address) {
  const ServerSettings& settings = room_.settings();
  RoomCounters& counters = room_.counters();
  // The address's own limit first: a newcomer that is refused anyway takes nobody's place.
  if (settings.MaxConnectionsPerAddress > 0) {
    int from_address = 0;
    room_.ForEachConnection(
        [&](const ConnectionRecord& record) { from_address += record.address == address; });
    if (from_address >= settings.MaxConnectionsPerAddress) {
      ++counters.refused[static_cast<size_t>(Refusal::kAddressLimit)];
      return Refuse(address, "Too many connections",
                    protocol::RoomText("Too many connections from your address."),
                    "A connection from " + address + " was refused: " + NumberText(from_address) +
                        " connections from that address are open.");
    }
  }
  if (settings.MaxConnections > 0 && room_.ConnectionCount() >= settings.MaxConnections &&
      !MakeWay(address)) {
    ++counters.refused[static_cast<size_t>(Refusal::kRoomFull)];
    return Refuse("", "The room is full", protocol::RoomText("The room is full."),
                  "A connection from " + address + " was refused: the room is full.");
  }
  return std::nullopt;
}

std::string Entrance::Refuse(const std::string& key, const std::string& reason,
                             const std::string& text, const std::string& log) {
  refusals_.Note(key, reason, log);
  std::string refusal = protocol::Frame(to_client::NOTICE, text);
  room_.counters().Sent(MessageKind::kControl, refusal.size());
  return refusal;
}

bool Entrance::MakeWay(const std::string& newcomer) {
  // Slots only grow, so the first unfinished login in slot order is the oldest.
  ConnectionRecord* oldest =
      room_.FindConnection([](const ConnectionRecord& record) { return !record.entered_room; });
  if (!oldest) return false;
  refusals_.Note("", "Closed to make way for a newcomer",
                 oldest->row_name + "'s (" + oldest->address +
                     ") connection has been closed to make way for a newcomer (" + newcomer +
                     "): the room is full.");
  oldest->LeaveReason = protocol::RoomText("Made way for a newcomer");
  room_.CloseConnection(oldest->SlotIndex, CloseReason::kMadeWay);
  return true;
}

void Entrance::StartLoginDeadline(ConnectionRecord& record) {
  // Idle connections must not hold the room: the greeting comes within a few seconds, the
  // rest of the login within the longer deadline.
  const int handshake_s = room_.settings().HandshakeTimeout;
  const int login_s = room_.settings().LoginTimeout;
  const int first_deadline_s = handshake_s > 0 && login_s > 0 ? std::min(handshake_s, login_s)
                                                              : std::max(handshake_s, login_s);
  if (first_deadline_s <= 0) return;
  const int slot = record.SlotIndex;
  record.login_timer =
      scheduler_.CreateTimer([this, slot] { room_.AsEvent([&] { OnLoginTimeout(slot); }); });
  record.login_timer->Start(first_deadline_s * 1000);
}

void Entrance::OnLoginTimeout(int slot) {
  ConnectionRecord* record = room_.Record(slot);
  if (!record || record->entered_room) return;
  record->LeaveReason = record->State == StateNew ? protocol::RoomText("Handshake timed out")
                                                  : protocol::RoomText("Login timed out");
  room_.CloseConnection(slot, CloseReason::kLoginTimeout);
}

// --- Login ---------------------------------------------------------------------------------------

void Entrance::OnHandshake(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
  if (record.State != StateNew) {
    if (transport_.Send(slot, protocol::kNotAClientGoodbye).ok) {
      room_.counters().Sent(MessageKind::kControl, protocol::kNotAClientGoodbye.size());
    }
    room_.LogConnection(
        "A non-Scrawlbox client attempted a connection. The connection was forced closed by "
        "Scrawlbox Server.",
        kIconInfo);
    room_.CloseConnection(slot, CloseReason::kProtocolError);
    return;
  }
  if (room_.listen_state() == RoomServer::kListenDeny) {
    // The deny message goes out before the connection closes: closing writes what is queued.
    room_.SendMessage(slot, to_client::NOTICE, protocol::StripControlCodes(room_.deny_message()));
    room_.LogConnection(
        "A client from " + record.address + " was turned away because the server is in deny mode.",
        kIconInfo);
    record.LeaveReason = protocol::RoomText("Deny mode");
    room_.CloseConnection(slot, CloseReason::kRefused);
    return;
  }
  if (bans_ && bans_->IsBanned(record.address)) {
    // Our client closes on its own when it reads this; a peer that does not would otherwise
    // have every repeated hello matched against the whole list.
    room_.SendMessage(slot, to_client::BANNED, protocol::kNoData);
    record.LeaveReason = protocol::RoomText("Banned address");
    record.attempt_refused = true;
    room_.CloseConnection(slot, CloseReason::kRefused);
    return;
  }
  if (const std::string refusal = room_.votes_ ? room_.votes_->ReturnRefusal(record.address) : "";
      !refusal.empty()) {
    room_.SendMessage(slot, to_client::NOTICE, refusal);
    record.LeaveReason = protocol::RoomText("Voted out");
    record.attempt_refused = true;
    room_.CloseConnection(slot, CloseReason::kRefused);
    return;
  }
  const double version = protocol::LeadingNumber(data);
  if (version < MinClientVersion) {
    room_.LogConnection(
        "A Scrawlbox client was declined connection because it was an earlier version: " + data +
            ".",
        kIconInfo);
    record.State = StateRefused;
    room_.SendMessage(slot, to_client::OLDVERSION, NumberText(MinClientVersion));
    return;
  }
  record.State = StateVersionOk;
  record.ClientVersion = version;
  // The greeting came: the rest of the login has what is left of the longer deadline.
  if (record.login_timer) {
    const int login_s = room_.settings().LoginTimeout;
    const int64_t left_ms = int64_t{login_s} * 1000 - (scheduler_.NowMs() - record.connected_ms);
    if (login_s <= 0) {
      record.login_timer.reset();
    } else {
      record.login_timer->Start(static_cast<int>(std::max<int64_t>(left_ms, 0)));
    }
  }
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Connected; waiting for login info..."));
  // An address whose attempts are being refused is not logged at every hello either.
  if (!refusals_.Recent(record.address)) {
    room_.LogConnection("Scrawlbox client (v" + NumberText(version) +
                            ") connected, from IP address: " + record.address,
                        kIconInfo);
  }
  room_.SendMessage(
      slot, to_client::SCRAWLBOX_S3RV3R,
      protocol::ServerVersionText(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor));
}

void Entrance::OnUser(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
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
  room_.UpdateConnectionRow(slot, record.Nickname, protocol::RoomText("Awaiting password..."));
  room_.SendMessage(slot, to_client::USEROK, NumberText(record.Id) + kSep);
}

void Entrance::OnPass(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
  // Another player may have taken the nickname since the profile came.
  if (const std::string refusal = NicknameRefusal(record.Nickname, record, true);
      !refusal.empty()) {
    RefuseNickname(record, refusal);
    return;
  }
  const ServerSettings& settings = room_.settings();
  // A room with a password lets in only those who give it; without one, anyone.
  if (!settings.ServerPassword.empty() && !PasswordAccepted(record, data)) return;
  record.State = StateInRoom;
  record.entry_order = ++entries_;
  record.entered_round = room_.game_->RoundSerial();

  // In the room, the login deadline is over for good: a big room need not keep its timers.
  record.login_timer.reset();
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Awaiting UserList request..."));
  const GameHooks& game = *room_.game_;
  const std::string welcome = Clean(settings.MOTD, protocol::kMotdLength) + kSep +
                              Clean(settings.Name, protocol::kRoomNameLength) + kSep + "-" + kSep +
                              NumberText(game.CurrentRound()) + kSep +
                              NumberText(game.TotalRounds()) + kSep + settings.Language;
  if (!room_.SendMessage(slot, to_client::PASSOK, welcome)) return;
  // In the room before its ghost goes, so that the game counts the player as staying.
  ReplaceGhost(record);
  // From here on the others know of this user, so its leaving must be announced.
  record.entered_room = true;
  room_.Broadcast(to_client::JOIN,
                  NumberText(record.Id) + kSep +
                      FirstChars(record.Nickname, protocol::kShownNicknameLength) + kSep +
                      (record.AutoSkip ? "1" : "0"),
                  slot);
  room_.statistics().Increment(Stat::EstablishedConnections);
  room_.game_->OnPlayerEntered(record);
}

bool Entrance::PasswordAccepted(ConnectionRecord& record, const std::string& password) {
  const int64_t now = scheduler_.NowMs();
  const bool locked = password_lockout_.Locked(record.address, now);
  if (!locked && SameSecret(password, room_.settings().ServerPassword)) return true;
  record.LeaveReason = locked ? protocol::RoomText("Wrong passwords: refused for a minute")
                              : protocol::RoomText("Wrong password");
  record.attempt_refused = true;
  if (!locked) {
    // Guessing: the address (or its network) is refused for a while without comparing.
    switch (password_lockout_.Fail(record.address, now)) {
      case PasswordLockout::Lock::kNone:
        break;
      case PasswordLockout::Lock::kAddress:
        room_.LogConnection("Too many wrong passwords from " + record.address +
                                "; its passwords are refused for a minute.",
                            kIconWarning);
        break;
      case PasswordLockout::Lock::kNetwork:
        room_.LogConnection("Too many wrong passwords from addresses in " +
                                NetworkOf(record.address) +
                                "; their passwords are refused for ten minutes.",
                            kIconWarning);
        break;
    }
  }
  record.State = StateRefused;
  room_.SendMessage(record.SlotIndex, to_client::BADPASS, protocol::kNoData);
  room_.SendMessage(record.SlotIndex, to_client::NOTICE,
                    protocol::RoomText("This room needs a password."));
  room_.CloseConnection(record.SlotIndex, CloseReason::kRefused);
  return false;
}

void Entrance::OnDisagree(int slot, const std::string&) {
  room_.Record(slot)->State = StateRefused;
  // The client closes the connection itself.
  room_.SendMessage(slot, to_client::PING, protocol::kNoData);
}

// --- Nicknames and ghosts ------------------------------------------------------------------------

std::string Entrance::NicknameRefusal(const std::string& nickname, const ConnectionRecord& asker,
                                      bool login) const {
  const std::string name = Trimmed(nickname);
  const std::string lower = protocol::LowerCase(FirstChars(name, protocol::kShownNicknameLength));
  if (lower.empty() || lower == protocol::kDefaultNickname) {
    return protocol::RoomText(
        "Please choose a nickname (Edit, User Profile) before you join a room.");
  }
  for (const std::string_view reserved : kReservedNicknames) {
    if (lower == reserved)
      return protocol::RoomText("The nickname \"%1\" is reserved; please choose another.", {name});
  }
  const ConnectionRecord* holder = room_.FindConnection([&](const ConnectionRecord& record) {
    return record.SlotIndex != asker.SlotIndex && record.State == StateInRoom &&
           protocol::EqualsIgnoreCase(ShownName(record.Nickname), lower) &&
           !(login && GhostOf(nickname, asker.address, asker.SlotIndex) == &record);
  });
  if (!holder) return {};
  return protocol::RoomText(
      "The nickname \"%1\" is already used in this room; please choose another.", {name});
}

ConnectionRecord* Entrance::GhostOf(const std::string& nickname, const std::string& address,
                                    int except_slot) const {
  const std::string name = ShownName(nickname);
  const int64_t now = scheduler_.NowMs();
  const int64_t silence_ms = room_.settings().PingInterval + RoomServer::kAnswerGraceMs;
  // A live client answers every ping, so nothing heard for longer than the interval (and a
  // round trip) means the connection vanished without a close.
  return room_.FindConnection([&](const ConnectionRecord& record) {
    return record.SlotIndex != except_slot && record.State == StateInRoom &&
           record.address == address &&
           protocol::EqualsIgnoreCase(ShownName(record.Nickname), name) &&
           (record.stopped_answering || now - record.last_received_ms > silence_ms);
  });
}

bool Entrance::StartGhostProbe(ConnectionRecord& login, const std::string& nickname,
                               const std::string& profile) {
  if (login.probing_slot != 0) return false;
  const std::string name = ShownName(nickname);
  ConnectionRecord* holder = room_.FindConnection([&](const ConnectionRecord& record) {
    return record.SlotIndex != login.SlotIndex && record.State == StateInRoom &&
           record.address == login.address &&
           protocol::EqualsIgnoreCase(ShownName(record.Nickname), name);
  });
  if (!holder) return false;
  login.probing_slot = holder->SlotIndex;
  login.probe_holder_bytes = holder->BytesReceived;
  login.held_profile = profile;
  room_.SendMessage(holder->SlotIndex, to_client::PING, protocol::kNoData);
  const int slot = login.SlotIndex;
  scheduler_.SingleShot(RoomServer::kGhostProbeMs,
                        [this, slot] { room_.AsEvent([&] { EndGhostProbe(slot); }); });
  return true;
}

void Entrance::EndGhostProbe(int slot) {
  ConnectionRecord* login = room_.Record(slot);
  if (!login || login->probing_slot <= 0) return;
  ConnectionRecord* holder = room_.Record(login->probing_slot);
  if (holder && holder->BytesReceived == login->probe_holder_bytes) {
    holder->stopped_answering = true;
  }
  login->probing_slot = -1;
  // The profile again, now that the holder has answered, gone or stayed silent; then whatever
  // the login sent meanwhile.
  OnUser(slot, std::exchange(login->held_profile, {}));
  room_.ServeReceived(slot, true);
}

void Entrance::ReplaceGhost(ConnectionRecord& newcomer) {
  ConnectionRecord* ghost = GhostOf(newcomer.Nickname, newcomer.address, newcomer.SlotIndex);
  if (!ghost) return;
  const int64_t silent_s = (scheduler_.NowMs() - ghost->last_received_ms) / 1000;
  ghost->LeaveReason =
      "Reconnected (no answer for " + NumberText(static_cast<double>(silent_s)) + " s)";
  // The others see the ghost leave; the newcomer never knew it.
  room_.Broadcast(to_client::PART, NumberText(ghost->Id) + kSep + ghost->LeaveReason,
                  newcomer.SlotIndex);
  ghost->part_announced = true;
  room_.CloseConnection(ghost->SlotIndex, CloseReason::kReplaced);
}

void Entrance::RefuseNickname(ConnectionRecord& record, const std::string& refusal) {
  // Told before the close: closing writes what is queued. Clients that know NICKREFUSED ask
  // for another name; older ones show the NOTICE.
  record.State = StateRefused;
  room_.SendMessage(record.SlotIndex, to_client::NICKREFUSED, refusal);
  room_.SendMessage(record.SlotIndex, to_client::NOTICE, refusal);
  // The log gives the reason without the advice.
  std::string reason = refusal.substr(0, refusal.rfind("; please"));
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  record.LeaveReason = protocol::RoomText("Nickname refused: %1", {reason});
  room_.CloseConnection(record.SlotIndex, CloseReason::kRefused);
}

}  // namespace server
