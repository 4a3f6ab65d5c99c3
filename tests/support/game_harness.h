// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <string>

#include "server/game/game.h"
#include "server/game/word_lists.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// Chance on demand: the numbers given, then `fallback` for ever.
class ScriptedRandom : public scrawlbox::Random {
 public:
  double Next() override {
    if (values.empty()) return fallback;
    const double value = values.front();
    values.pop_front();
    return value;
  }
  std::deque<double> values;
  double fallback = 0.0;
};

// A room server with its game, and a word-list folder the test writes. Its players answer pings
// unseen. The list "test" holds
// one entry, so every round's word is the one the test set last.
class GameHarness : public ServerHarness {
 public:
  // Game tests chat and guess faster than people do, so the chat and guess limits are off
  // unless the test's own Server.ini says otherwise.
  explicit GameHarness(std::string_view server_ini = kNoChatLimit);
  static constexpr std::string_view kNoChatLimit =
      "[Server Details]\nFlood Burst=0\nGuess Burst=0\n";

  // Rewrites test.txt with this single entry; the next pick takes it.
  void SetWord(const std::string& entry);
  void WriteList(const std::string& file_name, const std::string& text);
  void Rescan() { game.ScanWordlists(); }
  // STARTGAME from the slot as the client sends it.
  void StartGame(int slot, int rounds = 3, int round_ms = 60000, int found_ms = 30000,
                 const std::string& lists = "test");
  // Chat from the slot.
  void Say(int slot, const std::string& text);

  TempDir dir;
  ScriptedRandom random;
  server::WordLists lists;
  server::Game game;
};

}  // namespace testing_support
