// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/matchers.h"
#include "tests/support/server_harness.h"

namespace server {
namespace {

using testing_support::RunningGame;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// Chat is no answer to a ping: a player that only chats is closed after interval plus timeout,
// while answered pings keep a connection in any login state.
TEST(KeepAlive, OnlyAnsweredPingsKeepAConnection) {
  ServerHarness h("[Server Details]\nHandshake Timeout=0\nLogin Timeout=0\n");
  const int watcher = h.Join("watcher");
  const int silent = h.Join("silent");
  const int lurker = h.Connect();
  auto answer = [&](int slot) {
    if (h.Got(slot).find("PING") != std::string::npos) h.Send(slot, to_server::PONG, "-");
  };
  for (int second = 0; second < 15; ++second) {
    h.clock.Advance(second == 14 ? 999 : 1000);
    answer(watcher);
    answer(lurker);
    h.Send(silent, to_server::SAY, "still here");
  }
  EXPECT_THAT(h.TakeCommands(silent), testing::Contains("PING"));
  h.TakeAll();
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(watcher), "PART 100001|Ping timeout");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "silent's (10.0.0.1) connection has been closed: Ping timeout."));
  EXPECT_EQ(h.server.statistics().Get(Stat::PingTimeouts), 1);
  for (int second = 0; second < 100; ++second) {
    h.clock.Advance(1000);
    answer(watcher);
    answer(lurker);
  }
  EXPECT_FALSE(h.transport.IsClosed(watcher) || h.transport.IsClosed(lurker));
}

// A PART is announced once with its reason, a dropped connection as closed by the server, and
// connections that never entered the room leave without one.
TEST(Leaving, PartIsAnnouncedOnceWithItsReasonAndOnlyForPlayersInTheRoom) {
  ServerHarness h;
  const int stays = h.Join("stays");
  const int leaves = h.Join("leaves");
  const int drops = h.Join("drops");
  h.Send(leaves, to_server::PART, "bye");
  EXPECT_EQ(h.Got(leaves), "");
  EXPECT_TRUE(
      h.view.HasLog(LogKind::kConnections, "leaves's (10.0.0.1) connection has been closed: bye."));
  h.server.OnClosed(drops);
  const int probe = h.Connect();
  h.Send(probe, to_server::ISALIVE, "-");
  h.server.OnClosed(probe);
  EXPECT_EQ(h.Got(stays), "PART 100001|bye, PART 100002|Server closed connection");
  EXPECT_EQ(h.server.ConnectionCount(), 1);
  // Socket errors are logged and counted; that they close nothing the game tests show.
  h.server.OnSocketError(stays, 7, "Network dropped");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, "Sockets_Error(Index=1) = 7: Network dropped."));
  EXPECT_EQ(h.server.statistics().Get(Stat::SocketErrors), 1);
}

// A running game needs confirmation, then a moment for its last messages; then everyone in the
// room is told, once.
TEST(Shutdown, ARunningGameNeedsConfirmationThenEveryoneInTheRoomIsToldAMomentLater) {
  ServerHarness h;
  RunningGame game;
  h.server.SetGame(&game);
  const int a = h.Join("a");
  const int logging_in = h.Connect();
  EXPECT_EQ(h.server.Quit(false), RoomServer::QuitResult::kNeedsConfirmation);
  EXPECT_EQ(h.server.Quit(true), RoomServer::QuitResult::kQuitting);
  h.clock.Advance(249);
  EXPECT_EQ(h.Got(a), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(a) + h.Got(logging_in), "SERVERQUIT The server has been shutdown.");
  h.server.Quit(true);
  EXPECT_EQ(h.view.quit_finished, 1);
}

}  // namespace
}  // namespace server
