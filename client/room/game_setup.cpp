// SPDX-License-Identifier: MIT
#include "client/room/game_setup.h"

#include "protocol/framing.h"
#include "protocol/numbers.h"

namespace client {

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
  // A room that knows the game's own words reads them from the next field; an older one stops
  // reading at the lists.
  if (!setup.custom_words.empty()) {
    data += protocol::kFieldSep;
    data += protocol::JoinFields(setup.custom_words, protocol::kListSep);
  }
  return data;
}

}  // namespace client
