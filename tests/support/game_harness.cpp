// SPDX-License-Identifier: MIT
#include "tests/support/game_harness.h"

#include "protocol/commands.h"
#include "protocol/framing.h"

namespace testing_support {

GameHarness::GameHarness(std::string_view server_ini, ManualClock* shared_clock)
    : RoomHarness(server_ini, shared_clock, "cat\r\n"), game(room().game()) {
  // Players answer every ping, after the event that sent it, so rounds of any length can run.
  transport.on_ping = [this](int slot) {
    clock.SingleShot(0, [this, slot] { Send(slot, protocol::to_server::PONG, "-"); });
  };
}

void GameHarness::WriteList(const std::string& file_name, const std::string& text) {
  WriteFile(dir / file_name, text);
}

void GameHarness::SetWord(const std::string& entry) {
  WriteList("test.txt", entry + "\r\n");
}

void GameHarness::StartGame(int slot, int rounds, int round_ms, int found_ms,
                            const std::string& lists_text) {
  std::string chosen;
  for (const auto& name : protocol::SplitFields(lists_text, ','))
    chosen += protocol::kListSep + name;
  Send(slot, protocol::to_server::STARTGAME,
       protocol::JoinFields({"Room", "Desc", "8", std::to_string(rounds), std::to_string(round_ms),
                             std::to_string(found_ms), chosen}));
}

void GameHarness::Say(int slot, const std::string& text) {
  Send(slot, protocol::to_server::SAY, text);
}

}  // namespace testing_support
