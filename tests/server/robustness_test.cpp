// SPDX-License-Identifier: MIT
// Peers that misbehave: oversized messages, readers that stop reading, failing sends, short
// or binary data in every command, and random bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "protocol/commands.h"
#include "tests/support/game_harness.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing_support::GameHarness;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// Each fault closes only its own slot, once the event it came in is over.
TEST(Limits, OverlongMessagesStalledReadersAndFailedSendsCloseTheirSlotOnly) {
  ServerHarness h;
  const int a = h.Join("a");
  // A failed PASSOK: no JOIN for a ghost, and no row or record left.
  const int joining = h.LogInTo(ServerHarness::Step::kProfile, "j");
  h.transport.failing_slots.insert(joining);
  h.Send(joining, to_server::PASS, "<none>");
  EXPECT_EQ(h.Got(a), "");
  EXPECT_EQ(h.server.ConnectionCount(), 1);
  EXPECT_EQ(h.view.rows.size(), 2u);
  // Earlier complete messages of the same read still count; the rest is not read any more.
  const int flooder = h.Join("flooder");
  h.SendRaw(flooder, std::string("SAY\2fine\1SAY\2") +
                         std::string(RoomServer::kMaxMessageLength, 'x') + "\1");
  EXPECT_TRUE(h.transport.IsAborted(flooder));
  EXPECT_EQ(h.Got(a), "SAY 100002|fine, PART 100002|Message too long");
  // A reader whose queue is over the limit is closed, but not aborted: it gets time to take it.
  const int stalled = h.Join("stalled");
  h.transport.queued_bytes[stalled] = RoomServer::kMaxSendQueue;
  h.Send(a, to_server::SAY, "one");
  h.transport.queued_bytes[stalled] = RoomServer::kMaxSendQueue + 1;
  h.Send(a, to_server::SAY, "two");
  EXPECT_FALSE(h.transport.IsAborted(stalled));
  EXPECT_EQ(h.Got(a), "SAY 100000|one, SAY 100000|two, PART 100003|Send queue exceeded");
  // A failed send closes its slot once the broadcast has gone to everyone.
  const int broken = h.Join("broken");
  const int c = h.Join("c");
  h.transport.failing_slots.insert(broken);
  h.Send(a, to_server::SAY, "hello");
  const std::string told = "SAY 100000|hello, PART 100004|Server closed connection";
  EXPECT_EQ(h.Got(a) + "; " + h.Got(c), told + "; " + told);
  // A direct send that fails is logged before the slot closes.
  const int probe = h.Connect();
  h.transport.failing_slots.insert(probe);
  h.Send(probe, to_server::ISALIVE, "-");
  EXPECT_TRUE(h.transport.IsClosed(probe));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, "SendDATA(Index=7) error - 32: Broken pipe."));
}

// Every command the dispatcher routes, with data that is short, empty, huge or binary, from
// connections in every login state, with the game attached: the server must neither crash nor
// stop serving the players who behave.
TEST(BadInput, EveryCommandSurvivesMalformedData) {
  std::string binary(1, '\0');  // every byte but the message terminator
  for (int i = 2; i < 256; ++i) binary.push_back(static_cast<char>(i));
  std::vector<std::string> payloads = {"", "-", Wire("|"), Wire("||||||||"), Wire("^^"), "abc"};
  payloads.insert(payloads.end(), {Wire("-1e999|nan|1e999"), std::string(60000, 'z'), binary});
  for (const std::string_view command : RoomServer::RoutedCommands()) {
    GameHarness h("[Server Details]\nMax Connections Per Address=0\n");
    const int admin = h.Join("boss");
    h.server.Record(admin)->IsAdmin = true;
    const int watcher = h.Join("watcher");
    int players = 0;
    for (const auto& payload : payloads) {
      const int fresh = h.Connect();
      const int in_room = h.Join("p" + std::to_string(++players));
      h.server.Record(in_room)->IsAdmin = true;
      h.Send(fresh, command, payload);
      h.Send(in_room, command, payload);
    }
    h.TakeAll();
    h.Send(watcher, to_server::SAY, "still alive");
    EXPECT_THAT(h.TakeCommands(watcher), testing::Contains("SAY")) << command;
  }
}

TEST(BadInput, RandomBytesNeverStopTheRoom) {
  std::mt19937 random(2026);
  ServerHarness h;
  const int watcher = h.Join("watcher");
  for (int round = 0; round < 200; ++round) {
    const int slot = round % 3 == 0 ? h.Connect() : h.Join("r");
    std::string bytes;
    const size_t length = random() % 400;
    for (size_t i = 0; i < length; ++i) {
      // Mostly control codes and capitals, so that real commands and frames turn up often.
      const unsigned pick = random() % 10;
      bytes.push_back(pick < 3   ? static_cast<char>(1 + random() % 4)
                      : pick < 8 ? static_cast<char>('A' + random() % 26)
                                 : static_cast<char>(random() % 256));
    }
    h.SendRaw(slot, bytes);
    if (random() % 2) h.server.OnClosed(slot);
    h.clock.Advance(random() % 3000);
    h.Send(watcher, to_server::PONG, "-");
  }
  h.TakeAll();
  h.Send(watcher, to_server::SAY, "still alive");
  EXPECT_THAT(h.TakeCommands(watcher), testing::Contains("SAY"));
  const int late = h.Join("late");
  h.Send(late, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.TakeCommands(late), testing::Contains("ULISTEND"));
}

}  // namespace
}  // namespace server
