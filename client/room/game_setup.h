// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "client/settings/game_setup.h"

namespace client {

// The data of STARTGAME: the fields in the order the server reads them, the times in
// milliseconds, the word lists, each behind code 4, then the game's own words, if any, joined by
// code 4.
std::string StartGameData(const GameSetup& setup);

}  // namespace client
