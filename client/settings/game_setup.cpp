// SPDX-License-Identifier: MIT
#include "client/settings/game_setup.h"

#include <algorithm>

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

}  // namespace client
