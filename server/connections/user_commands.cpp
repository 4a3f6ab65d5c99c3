// SPDX-License-Identifier: MIT
#include "server/connections/user_commands.h"

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "server/connections/peer_text.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::FieldOr;
using protocol::FirstChars;
using protocol::NumberText;
namespace to_client = protocol::to_client;

void UserCommands::OnUserListRequest(int slot, const std::string&) {
  constexpr int kUsersPerMessage = 10;
  std::string batch;
  int entries = 0;
  auto flush = [&] {
    batch.pop_back();  // the field separator after the last entry
    room_.SendMessage(slot, to_client::ULIST, batch);
    batch.clear();
    entries = 0;
  };
  room_.ForEachConnection([&](ConnectionRecord& user) {
    if (user.State != StateInRoom) return;
    batch += NumberText(user.Id) + kSep + (user.IsAdmin ? "@" : "") +
             FirstChars(user.Nickname, protocol::kShownNicknameLength) + kSep +
             (user.AutoSkip ? "1" : "0") + kSep + NumberText(user.Points) + kSep;
    if (++entries == kUsersPerMessage) flush();
  });
  if (entries > 0) flush();
  const bool newer = room_.Record(slot)->TakesGameRules();
  if (newer) {
    room_.ForEachConnection([&](ConnectionRecord& user) {
      if (user.State == StateInRoom && user.Watching)
        room_.SendMessage(slot, to_client::WATCHING, NumberText(user.Id) + kSep + "1");
    });
  }
  if (!room_.SendMessage(slot, to_client::ULISTEND, "")) return;
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("The login sequence was successful."));
  const GameHooks& game = *room_.game_;
  if (game.IsRunning()) {
    // An older client would show the chooser drawing: it hears of no artist until the round
    // starts, as the others' clients do.
    const int32_t artist = !newer && game.ChoosingWord() ? 0 : game.ArtistId();
    room_.SendMessage(slot, to_client::GAMERUNNING,
                      NumberText(artist) + kSep +
                          FirstChars(game.RevealedLetters(), protocol::kRevealedLettersLength) +
                          kSep + FirstChars(game.WordPattern(), protocol::kRevealedLettersLength));
    // The clock as it runs for the others: a late joiner's clock runs with theirs.
    if (const auto left = game.TimeLeftMs()) {
      room_.SendMessage(slot, to_client::STARTGAMETIMER, NumberText(*left));
    }
    room_.game_->TellGameInProgress(slot);
  }
  room_.relay_.SendPicture(slot);
}

void UserCommands::OnAdmin(int slot, const std::string& data) {
  // Clients claim the role when they find themselves alone in the room; a claim made while
  // others are present would let anyone take the room over.
  if (room_.InRoomCount() != 1) return;
  ConnectionRecord& record = *room_.Record(slot);
  record.IsAdmin = true;
  room_.Broadcast(to_client::ADMIN,
                  NumberText(record.Id) + kSep + Clean(data, protocol::kShownNicknameLength), slot);
}

// --- Chat, users and profiles --------------------------------------------------------------------

void UserCommands::OnSay(int slot, const std::string& data) {
  const std::string text = Clean(data, protocol::kChatLength);
  if (protocol::IsBlankData(text)) return;
  if (room_.game_->IsRunning() && room_.game_->CheckGuess(slot, text)) return;
  ConnectionRecord* record = room_.Record(slot);
  if (!record) return;
  const std::string nickname = record->Nickname;
  room_.Broadcast(to_client::SAY, NumberText(record->Id) + kSep + text, -1);
  room_.LogChat(nickname + ": " + text, kIconInfo);
  room_.statistics().Increment(Stat::SentencesTyped);
}

void UserCommands::OnNewInfo(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Has changed their profile information."));
  record.Info = Clean(data, protocol::kInfoLength);
  room_.Broadcast(to_client::INFOCHG, NumberText(record.Id) + kSep + record.Info, -1);
}

void UserCommands::OnNickChange(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
  const std::string nickname = Clean(data, protocol::kKeptNicknameLength);
  if (const std::string refusal = room_.entrance_.NicknameRefusal(nickname, record, false);
      !refusal.empty()) {
    room_.SendMessage(slot, to_client::NOTICE, refusal);
    return;
  }
  record.Nickname = nickname;
  room_.UpdateConnectionRow(slot, record.Nickname, protocol::RoomText("Has changed nickname."));
  room_.Broadcast(
      to_client::NICKCHG,
      NumberText(record.Id) + kSep + FirstChars(record.Nickname, protocol::kShownNicknameLength),
      -1);
}

void UserCommands::OnUserAction(int slot, const std::string& data) {
  const std::string text = Clean(data, protocol::kChatLength);
  if (protocol::IsBlankData(text)) return;
  room_.Broadcast(to_client::USERACTION, NumberText(room_.Record(slot)->Id) + kSep + text, slot);
}

void UserCommands::OnAway(int slot, const std::string& data) {
  // The stored auto-skip flag stays as sent at login; only the others' display changes.
  const std::string flag = Clean(data, protocol::kChatLength);
  if (protocol::IsBlankData(flag)) return;
  room_.Broadcast(to_client::AWAY, NumberText(room_.Record(slot)->Id) + kSep + flag, slot);
}

void UserCommands::OnUserInfo(int slot, const std::string& data) {
  static const ConnectionRecord kNobody;
  const int target_slot = room_.SlotOfId(protocol::LeadingNumber(data));
  const ConnectionRecord& target = target_slot ? *room_.Record(target_slot) : kNobody;
  const std::string nickname = target.Nickname;
  room_.SendMessage(slot, to_client::USERINFO,
                    target.Nickname + kSep + NumberText(target.Age) + kSep + target.Gender + kSep +
                        target.Location + kSep + target.Homepage + kSep + target.Quote);
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Requested UserInfo for: %1", {nickname}));
  room_.statistics().Increment(Stat::ProfileRequests);
}

void UserCommands::OnKick(int slot, const std::string& data) {
  ConnectionRecord& kicker = *room_.Record(slot);
  // Only the room's admin may kick; the client offers the command to nobody else.
  if (!kicker.IsAdmin) return;
  const auto fields = protocol::SplitFields(data);
  // The target is relayed as the number it names, whatever else the field held.
  const double target_id = protocol::LeadingNumber(FieldOr(fields, 0));
  const std::string reason = Clean(FieldOr(fields, 1), protocol::kLeaveReasonLength);
  const int target_slot = room_.SlotOfId(target_id);
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Has kicked: %1", {reason}));
  room_.Broadcast(to_client::KICKINFO,
                  NumberText(kicker.Id) + kSep + NumberText(target_id) + kSep + reason, -1);
  if (ConnectionRecord* target = room_.Record(target_slot)) {
    target->LeaveReason = reason;
    room_.CloseConnection(target_slot, CloseReason::kKicked);
    room_.statistics().Increment(Stat::UsersKicked);
  }
}

// --- Keep-alive and leaving ----------------------------------------------------------------------

void UserCommands::OnIsAlive(int slot, const std::string&) {
  // The tracker asks every room once a minute: a line each time would bury the log.
  room_.Record(slot)->probed = true;
  // Older trackers look only for the "YES".
  room_.SendMessage(
      slot, to_client::ISALIVE,
      registration_key_.empty() ? "YES" : std::string("YES") + kSep + registration_key_);
  ++room_.counters().probes_answered;
  room_.statistics().Increment(Stat::ProbesAnswered);
}

void UserCommands::OnNop(int slot, const std::string&) {
  // Answered at once: the reply keeps its place among this connection's messages, and nothing
  // waits for other events to run.
  room_.SendMessage(slot, to_client::NOP, "NOP");
}

void UserCommands::OnPong(int slot, const std::string&) {
  room_.Record(slot)->PingPending = false;
  room_.RestartPingTimer(slot, room_.settings().PingInterval);
}

void UserCommands::OnPart(int slot, const std::string& data) {
  ConnectionRecord& record = *room_.Record(slot);
  record.LeaveReason = Clean(data, protocol::kLeaveReasonLength);
  // Told once, here; the close that follows does not repeat it.
  room_.Broadcast(to_client::PART, NumberText(record.Id) + kSep + record.LeaveReason, slot);
  record.part_announced = true;
  room_.CloseConnection(slot, CloseReason::kLeft);
}

}  // namespace server
