// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "client/settings/game_setup.h"

namespace client {

// The data of STARTGAME: the fields in the order the server reads them, the times in
// milliseconds, the word lists, each behind code 4, then the game's own words, if any, joined by
// code 4.
std::string StartGameData(const GameSetup& setup);

// The room's word lists of one language, as the set-up window offers them.
struct WordListGroup {
  std::string language;            // its two-letter code
  std::vector<std::string> lists;  // full names, in the order the room sent them
};
// The room's lists by their language (directory::WordListLanguage): `first` leads (the
// player's language), then the languages the programs know in their order, then any other in
// the order the room first names it. A language without lists has no group.
std::vector<WordListGroup> WordListsByLanguage(const std::vector<std::string>& names,
                                               std::string_view first);
// A list's name without its language in front, as it reads under its language: "tiere".
std::string_view WordListTitle(std::string_view name);

}  // namespace client
