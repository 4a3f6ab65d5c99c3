// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>

#include "common/scheduling.h"
#include "server/connections/game_hooks.h"
#include "server/connections/ports.h"

namespace server {

class OperatorActions;
class RoomServer;
struct ConnectionRecord;

// Players removing a griefer without the operator: more than half of those who were in the room
// before the round began (before the vote began, between rounds) vote, one vote per address, and
// the player is kicked and its address kept out for a while. Only the votes of the last few
// minutes count, so that an old grudge does not linger.
class VoteKick : public VoteKickHooks {
 public:
  static constexpr int kMinPlayers = 3;
  static constexpr int64_t kVoteMs = 5 * 60 * 1000;
  static constexpr int64_t kKeptOutMs = 10 * 60 * 1000;
  // Addresses kept out at once; the oldest goes first.
  static constexpr size_t kMaxKeptOut = 1024;

  VoteKick(RoomServer& room, const GameHooks& game, OperatorActions& actions,
           scrawlbox::Scheduler& scheduler)
      : room_(room), game_(game), actions_(actions), scheduler_(scheduler) {}
  VoteKick(const VoteKick&) = delete;
  VoteKick& operator=(const VoteKick&) = delete;

  void OnVoteKick(int slot, const std::string& data) override;
  std::string ReturnRefusal(const std::string& address) override;

 private:
  // The votes against one player.
  struct Ballot {
    int64_t started_ms = 0;
    uint64_t last_entry = 0;  // the entry order of the latest player in the room then
    std::set<std::string> addresses;
  };
  struct KeptOut {
    std::string address;
    int64_t until_ms = 0;
  };
  bool MayVote(const ConnectionRecord& player, const Ballot& ballot, int32_t target_id) const;
  // Ends the votes whose target left and those too old to count.
  void ForgetOldVotes(int64_t now);
  void KeepOut(const std::string& address, int64_t now);

  RoomServer& room_;
  const GameHooks& game_;
  OperatorActions& actions_;
  scrawlbox::Scheduler& scheduler_;
  std::map<int32_t, Ballot> ballots_;  // by the target's user id
  std::deque<KeptOut> kept_out_;       // oldest first
};

}  // namespace server
