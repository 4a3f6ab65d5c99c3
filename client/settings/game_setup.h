// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace client {

// The range one number of the game set-up may take.
struct SetupLimit {
  int32_t low;
  int32_t high;

  int32_t Held(int32_t value) const;
};

inline constexpr SetupLimit kPlayerLimitRange{0, 40};  // 0: no limit
inline constexpr SetupLimit kTotalRoundsRange{5, 100};
inline constexpr SetupLimit kSecondsPerRoundRange{10, 900};
inline constexpr SetupLimit kGraceSecondsRange{5, 900};

// A game as its admin sets it up; the defaults are what the set-up window shows first.
struct GameSetup {
  std::string room_name;
  std::string description = "nodesc";
  int32_t player_limit = 0;
  int32_t total_rounds = 10;
  int32_t seconds_per_round = 60;
  int32_t grace_seconds = 30;  // left to the others once the first player found the word
  std::vector<std::string> word_lists;
  // The game's own words as the room takes them (protocol::CustomWords), "|" between spellings.
  std::vector<std::string> custom_words;
};

// The set-up with each number held within its limits.
GameSetup HeldWithinLimits(GameSetup setup);

}  // namespace client
