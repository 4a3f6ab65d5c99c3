// SPDX-License-Identifier: MIT
#pragma once

#include <gmock/gmock.h>

#include <ostream>

#include "protocol/framing.h"
#include "server/connections/game_hooks.h"

namespace protocol {
// Shows a message readably in test failures, with the control codes as <1> to <4>.
void PrintTo(const Message& message, std::ostream* out);
}  // namespace protocol

namespace testing_support {

// A received protocol::Message with exactly this command and data.
MATCHER_P2(Msg, command, data, "") {
  return arg.command == command && arg.data == data;
}

// A game stand-in that reports a game in progress, with a fixed artist and hint.
class RunningGame : public server::NoGame {
 public:
  bool IsRunning() const override { return true; }
  int32_t CurrentRound() const override { return 3; }
  int32_t TotalRounds() const override { return 5; }
  int32_t ArtistId() const override { return 100000; }
  std::string RevealedLetters() const override { return std::string(150, 'c'); }
};

}  // namespace testing_support
