// SPDX-License-Identifier: MIT
// What one player, or one address, can do to a room: flood limits, sizes, names, the game
// master, connection limits and the login deadline, all on the fake ports and clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "tests/support/game_harness.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::Each;
using testing::ElementsAre;
using testing_support::GameHarness;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

using Peers = testing_support::TwoInRoom<ServerHarness>;
using ThreeInGame = testing_support::ThreeInRoom<GameHarness>;

size_t Count(const std::vector<std::string>& commands, std::string_view command) {
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

// Log lines of the kind that contain the text.
size_t CountLogs(const testing_support::RecordingView& view, LogKind kind, std::string_view text) {
  return static_cast<size_t>(std::count_if(view.logs.begin(), view.logs.end(), [&](const auto& e) {
    return e.kind == kind && e.text.find(text) != std::string::npos;
  }));
}

// --- Flood control ------------------------------------------------------------------------

// Five lines at once, then two a second; the slow-down notice at most every five seconds.
TEST_F(Peers, ABurstOfChatGivesFiveLinesAtOnceThenTwoASecondAndDrawingHasItsOwnBucket) {
  auto send = [&](int lines) {
    for (int i = 0; i < lines; ++i) h.Send(a, to_server::SAY, "x");
    return std::to_string(Count(h.TakeCommands(b), "SAY")) + " said, " +
           std::to_string(Count(h.TakeCommands(a), "NOTICE")) + " told";
  };
  EXPECT_EQ(send(20), "5 said, 1 told");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "ann (10.0.0.1) is sending messages too quickly; those over the limit "
                            "are dropped."));
  EXPECT_EQ(h.server.statistics().Get(Stat::SentencesTyped), 5);  // dropped lines count nothing
  h.clock.Advance(1000);
  EXPECT_EQ(send(5), "2 said, 0 told");
  h.clock.Advance(4000);
  EXPECT_EQ(send(10), "5 said, 1 told");
  h.clock.Advance(1000);
  EXPECT_EQ(send(5), "2 said, 0 told");
  EXPECT_FALSE(h.transport.IsClosed(a));
  // Drawing over its own bucket closes the artist; huge drawing messages are dropped.
  const std::string segment = Wire("1|2|3|4");
  h.Send(a, "FH", std::string(256, '1'));  // the longest drawing message
  for (int i = 1; i < 2000; ++i) h.Send(a, "FH", segment);
  EXPECT_EQ(Count(h.TakeCommands(b), "FH"), 2000u);
  h.clock.Advance(500);  // 500 tokens back
  for (int i = 0; i < 500; ++i) h.Send(a, "FH", segment);
  h.Send(a, "FH", std::string(257, '1'));  // longer than any drawing message: dropped
  EXPECT_EQ(Count(h.TakeCommands(b), "FH"), 500u);
  h.Send(a, "FH", segment);
  EXPECT_TRUE(h.transport.IsAborted(a));
  EXPECT_EQ(h.Got(b), "PART 100000|Drawing flood");
}

TEST(FloodLimits, MoreThanThirtyDropsWithinTenSecondsClose) {
  const struct {
    const char* name;
    int64_t gap_ms;
    bool closed;
  } kRows[] = {{"the 31st drop ten seconds after the first", 10000, true},
               {"the 31st drop just over ten seconds after", 10001, false}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    ServerHarness h;
    const int a = h.Join("ann");
    const int b = h.Join("ben");
    for (int i = 0; i < 5 + 20; ++i) h.Send(a, to_server::SAY, "x");
    h.clock.Advance(row.gap_ms);  // the bucket is full again
    for (int i = 0; i < 5 + 10; ++i) h.Send(a, to_server::USERACTION, "y");
    EXPECT_FALSE(h.transport.IsClosed(a));  // exactly 30 drops
    h.Send(a, to_server::AWAY, "1");
    EXPECT_EQ(h.transport.IsAborted(a), row.closed);
    EXPECT_EQ(Count(h.TakeCommands(b), "PART"), row.closed ? 1u : 0u);
  }
}

TEST(FloodLimits, ZeroTurnsThemOff) {
  ServerHarness h(
      "[Server Details]\nFlood Burst=0\nDrawing Rate=0\nMax Connections Per Address=0\n"
      "Login Timeout=0\n");
  const int a = h.Join("ann");
  const int b = h.Join("ben");
  const std::string line(500, 's');
  for (int i = 0; i < 200; ++i) h.Send(a, to_server::SAY, line);
  for (int i = 0; i < 5000; ++i) h.Send(a, "FH", Wire("1|1|2|2"));
  EXPECT_EQ(Count(h.TakeCommands(b), "SAY"), 200u);
  for (int i = 0; i < 20; ++i) EXPECT_NE(h.Connect("10.0.0.1"), 0);
  // Log lines are cut, so that one peer cannot flood them either.
  h.SendRaw(a, protocol::Frame("BOGUS", std::string(60000, 'u')));
  h.clock.Advance(3600 * 1000);
  EXPECT_EQ(CountLogs(h.view, LogKind::kConnections, "Login timed out"), 0u);
  for (const auto& entry : h.view.logs) {
    EXPECT_LE(entry.text.size(), RoomServer::kMaxLogLine + 1) << entry.text.substr(0, 40);
  }
  EXPECT_TRUE(h.view.HasLog(LogKind::kChat, "ann: " + line));
}

// --- Fair service -------------------------------------------------------------------------

TEST_F(Peers, StrokesGoOutInRunsInTheOrderTheyCameAndABurstATurnAtATime) {
  const std::string stroke = protocol::Frame("FH", Wire("1|1|2|2"));
  h.SendRaw(b, stroke + stroke + protocol::Frame(to_server::SAY, "hello") + stroke);
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("FH", "FH", "SAY", "FH"));
  EXPECT_THAT(h.TakeCommands(b), ElementsAre("SAY"));  // strokes are never echoed to the sender
  // A turn and a half, within the drawing limit's burst.
  const size_t strokes = RoomServer::kMessagesPerTurn * 3 / 2;
  std::string burst;
  for (size_t i = 0; i < strokes; ++i) burst += stroke;
  h.SendRaw(a, burst + protocol::Frame(to_server::SAY, "after the burst"));
  EXPECT_EQ(Count(h.TakeCommands(b), "FH"), RoomServer::kMessagesPerTurn);
  EXPECT_THAT(h.transport.paused_slots, ElementsAre(a));  // the rest waits in the network
  h.Send(b, to_server::SAY, "meanwhile");                 // served at once, between a's turns
  EXPECT_EQ(h.Got(a), "SAY 100001|meanwhile");
  for (int turn = 0; turn < 3; ++turn) h.clock.Advance(0);
  const auto to_b = h.TakeCommands(b);
  EXPECT_EQ(Count(to_b, "FH"), strokes - RoomServer::kMessagesPerTurn);
  EXPECT_EQ(to_b.back(), "SAY");  // in order, each once
  EXPECT_TRUE(h.transport.paused_slots.empty());
  // What a peer sent before closing is handled whatever its backlog.
  h.SendRaw(a, burst.substr(0, 100 * stroke.size()) + protocol::Frame(to_server::PART, "bye"));
  h.server.OnClosed(a);
  const auto to_b_at_close = h.Take(b);
  EXPECT_EQ(to_b_at_close.size(), 101u);
  EXPECT_EQ(testing_support::Render({to_b_at_close.back()}), "PART 100000|bye");
}

// --- Nicknames ----------------------------------------------------------------------------

TEST(Nicknames, EmptyDefaultReservedAndTakenNamesAreRefusedAtLoginAndInAChange) {
  ServerHarness h;
  const int ann = h.Join("Ann");
  for (const std::string name : {"", "   ", "un-named", "System", "SERVER", "admin",
                                 "Administrator", "ANN", " ann ", "\x01\x02"}) {
    const int slot = h.LogInTo(ServerHarness::Step::kProfile, name, "0", "10.0.0.2");
    const std::string got = h.Got(slot), why = got.substr(got.rfind("NOTICE ") + 7);
    EXPECT_EQ(got, "SCRAWLBOX_S3RV3R 101, NICKREFUSED " + why + ", NOTICE " + why) << name;
    EXPECT_TRUE(h.transport.IsClosed(slot)) << name;
  }
  EXPECT_EQ(h.Got(ann), "");  // nobody joined, nobody left
  EXPECT_EQ(h.server.ConnectionCount(), 1);
  // Control codes go before the comparison; a name that only looks alike is fine.
  const int b = h.Join("Sys\x07tem2");
  EXPECT_EQ(h.server.Record(b)->Nickname, "System2");
  h.Send(b, to_server::NICKCHG, "ANN");
  h.Send(b, to_server::NICKCHG, "system");
  EXPECT_THAT(h.TakeCommands(b), ElementsAre("NOTICE", "NOTICE"));
  EXPECT_EQ(h.Got(ann), "");
  h.Send(b, to_server::NICKCHG, "SYSTEM2");  // a new case of one's own name is allowed
  EXPECT_EQ(h.Got(ann), "NICKCHG 100011|SYSTEM2");
  // Of two logging in with one name, the second is refused at the password.
  const int first = h.LogInTo(ServerHarness::Step::kProfile, "twin");
  const int second = h.LogInTo(ServerHarness::Step::kProfile, "twin");
  h.Send(first, to_server::PASS, "<none>");
  h.Send(second, to_server::PASS, "<none>");
  EXPECT_FALSE(h.transport.IsClosed(first));
  EXPECT_THAT(h.TakeCommands(second),
              ElementsAre("SCRAWLBOX_S3RV3R", "USEROK", "NICKREFUSED", "NOTICE"));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "twin's (10.0.0.1) connection has been closed: Nickname refused: The "
                            "nickname \"twin\" is already used in this room."));
}

// --- The game -----------------------------------------------------------------------------

// Two letters are never close, though they are most of "cat" (under half a word is chat too).
TEST_F(ThreeInGame, OnlyALongEnoughGuessIsCloseAndOnlyTheMasterOrTheAdminRestarts) {
  h.SetWord("cat");
  h.StartGame(b);  // ann draws
  h.TakeAll();
  h.Say(c, "ca");
  EXPECT_EQ(h.Got(c), "SAY 100002|ca");
  h.TakeAll();
  h.StartGame(c, 999);  // neither master nor admin
  EXPECT_EQ(h.Got(a), "");
  EXPECT_EQ(h.game.state().TotalRounds, 3);
  h.server.Record(a)->IsAdmin = true;
  h.StartGame(a, 999, 1, 2000000000);
  const auto& state = h.game.state();
  EXPECT_EQ(std::tuple(state.TotalRounds, state.RoundTime, state.FoundTime),
            std::tuple(kMaxTotalRounds, kMinRoundTime, kMaxRoundTime));
  h.StartGame(b, 0, 2000000000, 0);  // b is no longer the master
  EXPECT_EQ(h.game.state().TotalRounds, kMaxTotalRounds);
}

// --- Connections --------------------------------------------------------------------------

TEST(Connections, EightFromOneAddressAndItsRefusalsLoggedOnceAMinuteWithACount) {
  ServerHarness h;
  for (int i = 0; i < 8; ++i) EXPECT_NE(h.Connect("10.0.0.1"), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(h.Connect("10.0.0.1"), 0);
  EXPECT_THAT(h.refusals,
              Each(protocol::Frame("NOTICE", "Too many connections from your address.")));
  EXPECT_EQ(CountLogs(h.view, LogKind::kConnections, "was refused"), 1u);
  h.clock.Advance(RoomServer::kRefusalLogMs);
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "2 more attempts from 10.0.0.1 were refused in the last minute (Too "
                            "many connections)."));
}

// Idle connections cannot shut a room: the oldest unfinished login makes way for a newcomer,
// while players in the room are never pushed out.
TEST(Connections, AFullRoomMakesWayForNewcomersButNotAtThePlayersCost) {
  ServerHarness h("[Server Details]\nMax Connections=3\n");
  const int player = h.Join("ann");
  const int idle = h.Connect("10.0.0.2");
  const int halfway = h.Handshake("10.0.0.3");
  EXPECT_NE(h.Connect("10.0.0.4"), 0);
  EXPECT_TRUE(h.transport.IsClosed(idle));
  EXPECT_FALSE(h.transport.IsClosed(halfway));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Unknown User's (10.0.0.2) connection has been closed to make way for "
                            "a newcomer (10.0.0.4): the room is full."));
  EXPECT_NE(h.Connect("10.0.0.5"), 0);
  EXPECT_TRUE(h.transport.IsClosed(halfway));
  h.Join("ben", "0", "10.0.0.6");
  h.Join("cid", "0", "10.0.0.7");
  EXPECT_EQ(h.Connect("10.0.0.9"), 0);
  EXPECT_EQ(h.refusals.back(), protocol::Frame("NOTICE", "The room is full."));
  EXPECT_FALSE(h.transport.IsClosed(player));
}

TEST(Connections, TheGreetingMustComeWithinItsDeadlineAndTheLoginWithinTheLongerOne) {
  ServerHarness h("[Server Details]\nHandshake Timeout=5\nLogin Timeout=30\nPing=60\n");
  const int silent = h.Connect();
  const int probe = h.Connect();
  h.Send(probe, to_server::ISALIVE, "-");  // a probe is not a greeting
  h.clock.Advance(4000);
  const int stuck = h.LogInTo(ServerHarness::Step::kProfile, "slow");
  const int player = h.Join("quick");
  h.clock.Advance(1000);
  EXPECT_TRUE(h.transport.IsClosed(silent) && h.transport.IsClosed(probe));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Unknown User's (10.0.0.1) connection has been closed: Handshake timed "
                            "out."));
  h.clock.Advance(28999);  // thirty seconds from its connection
  EXPECT_FALSE(h.transport.IsClosed(stuck));
  h.clock.Advance(1);
  EXPECT_TRUE(h.transport.IsClosed(stuck));
  EXPECT_FALSE(h.transport.IsClosed(player));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "slow's (10.0.0.1) connection has been closed: Login timed out."));
}

// A peer refused again and again writes a line a minute, not one per attempt. Each attempt
// logs in and chats: a ban, the room's password or the flood limit turns it away.
TEST(Connections, RefusedAttemptsAreLoggedOnceAMinutePerAddressWithACount) {
  struct BanEveryone : BanCheck {
    bool IsBanned(const std::string&) override { return true; }
  } everyone;
  for (const auto& [ini, reason] : {std::pair{"", "Banned address"},
                                    {"Server Password=secret", "Wrong password"},
                                    {"", "Flooding"}}) {
    SCOPED_TRACE(reason);
    ServerHarness h(std::string("[Server Details]\n") + ini + "\n");
    if (reason == std::string_view("Banned address")) h.server.SetBanCheck(&everyone);
    const auto attempt = [&h](int i) {
      const int slot = h.Join("p" + std::to_string(i));
      for (int line = 0; line < 40; ++line) h.Send(slot, to_server::SAY, "spam");
    };
    attempt(0);
    const size_t after_first = CountLogs(h.view, LogKind::kConnections, "");
    EXPECT_EQ(CountLogs(h.view, LogKind::kConnections, reason), 1u);
    for (int i = 1; i < 4; ++i) attempt(i);
    EXPECT_EQ(CountLogs(h.view, LogKind::kConnections, ""), after_first);
    h.clock.Advance(RoomServer::kRefusalLogMs);
    EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                              "3 more attempts from 10.0.0.1 were refused in the last minute (" +
                                  std::string(reason) + ")."));
    // A quiet minute ends it: the next attempt is logged at once.
    h.clock.Advance(RoomServer::kRefusalLogMs);
    const size_t quiet = CountLogs(h.view, LogKind::kConnections, reason);
    attempt(4);
    EXPECT_EQ(CountLogs(h.view, LogKind::kConnections, reason), quiet + 1);
  }
}

}  // namespace
}  // namespace server
