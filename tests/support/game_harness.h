// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "server/game/game.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// The word-list folder of a room harness, made (with test.txt when its text is given) before
// the room that reads it.
struct WordListFolder {
  explicit WordListFolder(const std::string& test_list) {
    if (!test_list.empty()) WriteFile(dir / "test.txt", test_list);
  }
  TempDir dir;
};

// The whole room as the programs build it, over the fakes, with a word-list folder of its own
// that starts empty.
class RoomHarness : public WordListFolder, public ServerHarness {
 public:
  explicit RoomHarness(std::string_view server_ini = "", ManualClock* clock = nullptr)
      : RoomHarness(server_ini, clock, "") {}

 protected:
  RoomHarness(std::string_view server_ini, ManualClock* clock, const std::string& test_list)
      : WordListFolder(test_list), ServerHarness(server_ini, dir.path(), clock) {}
};

// The whole room, with a word list the test writes. Its players answer pings unseen. The list
// "test" holds one entry, so every round's word is the one the test set last.
class GameHarness : public RoomHarness {
 public:
  // Game tests chat and guess faster than people do, so the chat and guess limits are off
  // unless the test's own Server.ini says otherwise.
  explicit GameHarness(std::string_view server_ini = kNoChatLimit, ManualClock* clock = nullptr);
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

  server::Game& game;
};

}  // namespace testing_support
