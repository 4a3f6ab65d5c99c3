// SPDX-License-Identifier: MIT
#include "client/room/game_setup.h"

#include <algorithm>

#include "protocol/framing.h"
#include "protocol/numbers.h"

namespace client {

int32_t SetupLimit::Held(int32_t value) const {
  return std::clamp(value, low, high);
}

GameSetup HeldWithinLimits(GameSetup setup) {
  setup.player_limit = kPlayerLimitRange.Held(setup.player_limit);
  setup.total_rounds = kTotalRoundsRange.Held(setup.total_rounds);
  setup.seconds_per_round = kSecondsPerRoundRange.Held(setup.seconds_per_round);
  setup.grace_seconds = kGraceSecondsRange.Held(setup.grace_seconds);
  return setup;
}

std::string StartGameData(const GameSetup& setup) {
  constexpr double kMsPerSecond = 1000;
  std::string data = protocol::JoinFields(
      {protocol::StripControlCodes(setup.room_name), protocol::StripControlCodes(setup.description),
       protocol::NumberText(setup.player_limit), protocol::NumberText(setup.total_rounds),
       protocol::NumberText(setup.seconds_per_round * kMsPerSecond),
       protocol::NumberText(setup.grace_seconds * kMsPerSecond)});
  data += protocol::kFieldSep;
  for (const std::string& name : setup.word_lists) {
    data += protocol::kListSep;
    data += protocol::StripControlCodes(name);
  }
  return data;
}

}  // namespace client
