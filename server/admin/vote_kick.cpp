// SPDX-License-Identifier: MIT
#include "server/admin/vote_kick.h"

#include <algorithm>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "server/admin/operator_actions.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::NumberText;
namespace to_client = protocol::to_client;

void VoteKick::OnVoteKick(int slot, const std::string& data) {
  const ConnectionRecord& voter = *room_.Record(slot);
  const auto tell = [&](const std::string& text) {
    room_.SendMessage(slot, to_client::NOTICE, text);
  };
  if (!room_.settings().VoteKick) return tell(kNoVoteKick);
  const int target_slot = room_.SlotOfId(protocol::LeadingNumber(data));
  const ConnectionRecord* target = room_.Record(target_slot);
  if (!target || target->State != StateInRoom) {
    return tell(protocol::RoomText("The player you voted to kick is not in the room."));
  }
  if (target_slot == slot) return tell(protocol::RoomText("You cannot vote to kick yourself."));
  if (room_.InRoomCount() < kMinPlayers) {
    return tell(protocol::RoomText("A vote to kick needs at least %1 players in the room.",
                                   {NumberText(kMinPlayers)}));
  }
  const int64_t now = scheduler_.NowMs();
  ForgetOldVotes(now);
  const std::string name = target->Nickname;
  const int32_t target_id = target->Id;
  auto [ballot_it, started] = ballots_.try_emplace(target_id);
  Ballot& ballot = ballot_it->second;
  if (started) {
    ballot.started_ms = now;
    room_.ForEachConnection([&](const ConnectionRecord& player) {
      if (player.State == StateInRoom)
        ballot.last_entry = std::max(ballot.last_entry, player.entry_order);
    });
  }
  if (!MayVote(voter, ballot, target_id)) {
    if (ballot.addresses.empty()) ballots_.erase(ballot_it);
    return tell(game_.RoundRunning()
                    ? protocol::RoomText("Only players who were in the room when this round "
                                         "began may vote to kick.")
                    : protocol::RoomText("Only players who were in the room when the vote to "
                                         "kick %1 began may vote in it.",
                                         {name}));
  }
  if (!ballot.addresses.insert(voter.address).second) {
    return tell(protocol::RoomText("A vote from your address to kick %1 has already been counted.",
                                   {name}));
  }
  int eligible = 0;
  room_.ForEachConnection(
      [&](const ConnectionRecord& player) { eligible += MayVote(player, ballot, target_id); });
  const size_t needed = static_cast<size_t>(eligible) / 2 + 1;
  const std::string text = protocol::RoomText(
      "%1 votes to kick %2 (%3 of %4 needed).",
      {voter.Nickname, name, NumberText(static_cast<double>(ballot.addresses.size())),
       NumberText(static_cast<double>(needed))});
  room_.Broadcast(to_client::NOTICE, text, -1);
  room_.LogGeneral(text + " From " + voter.address + ".", kIconInfo);
  ++room_.counters().kick_votes;
  if (ballot.addresses.size() < needed) return;
  ballots_.erase(ballot_it);
  KeepOut(target->address, now);
  room_.LogConnection(name + " (" + target->address +
                          ") was kicked by a vote of the players; the address is kept out for " +
                          NumberText(static_cast<double>(kKeptOutMs / 60000)) + " minutes.",
                      kIconWarning);
  ++room_.counters().vote_kicks;
  actions_.KickByVote(target_slot);
}

bool VoteKick::MayVote(const ConnectionRecord& player, const Ballot& ballot,
                       int32_t target_id) const {
  if (player.State != StateInRoom || player.Id == target_id) return false;
  return game_.RoundRunning() ? player.entered_round < game_.RoundSerial()
                              : player.entry_order <= ballot.last_entry;
}

void VoteKick::ForgetOldVotes(int64_t now) {
  std::erase_if(ballots_, [&](const auto& entry) {
    const ConnectionRecord* target = room_.Record(room_.SlotOfId(entry.first));
    return !target || target->State != StateInRoom || now - entry.second.started_ms >= kVoteMs;
  });
}

void VoteKick::KeepOut(const std::string& address, int64_t now) {
  std::erase_if(kept_out_, [&](const KeptOut& entry) { return entry.address == address; });
  if (kept_out_.size() >= kMaxKeptOut) kept_out_.pop_front();
  kept_out_.push_back({address, now + kKeptOutMs});
}

std::string VoteKick::ReturnRefusal(const std::string& address) {
  const int64_t now = scheduler_.NowMs();
  // All are kept out equally long, so the oldest ends first.
  while (!kept_out_.empty() && kept_out_.front().until_ms <= now) kept_out_.pop_front();
  const auto entry = std::find_if(kept_out_.begin(), kept_out_.end(),
                                  [&](const KeptOut& e) { return e.address == address; });
  if (entry == kept_out_.end()) return {};
  const int64_t minutes = (entry->until_ms - now + 59999) / 60000;
  return "You were voted out of this room; you may come back in " +
         NumberText(static_cast<double>(minutes)) + (minutes == 1 ? " minute." : " minutes.");
}

}  // namespace server
