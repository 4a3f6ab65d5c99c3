// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/matchers.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::Msg;
using testing_support::RunningGame;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// Lets the seconds pass one at a time, the slot answering each ping as a live client does.
void AdvanceAnsweringPings(ServerHarness& h, int slot, int seconds) {
  for (int second = 0; second < seconds; ++second) {
    h.clock.Advance(1000);
    for (const auto& m : h.Take(slot)) {
      if (m.command == "PING") h.Send(slot, to_server::PONG, "-");
    }
  }
}

TEST(KeepAlive, SilentConnectionIsClosedAfterIntervalPlusTimeout) {
  ServerHarness h;
  const int watcher = h.Join("watcher");
  const int silent = h.Join("silent");
  // The watcher answers every ping; the silent one never does.
  AdvanceAnsweringPings(h, watcher, 14);
  h.clock.Advance(999);
  EXPECT_FALSE(h.transport.IsClosed(silent));
  EXPECT_THAT(h.Take(silent), ElementsAre(Msg("PING", "-")));
  h.clock.Advance(1);
  EXPECT_TRUE(h.transport.IsClosed(silent));
  EXPECT_THAT(h.Take(watcher), ElementsAre(Msg("PART", Wire("100001|Ping timeout"))));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "silent's (10.0.0.1) connection has been closed: Ping timeout."));
  EXPECT_EQ(h.view.rows.count(100001), 0u);
  EXPECT_EQ(h.server.statistics().Get(Stat::PingTimeouts), 1);
  EXPECT_FALSE(h.transport.IsClosed(watcher));
}

TEST(KeepAlive, OnlyPongRestartsTheInterval) {
  ServerHarness h;
  const int slot = h.Join("chatty");
  // Chat is no answer to a ping.
  for (int i = 0; i < 15; ++i) {
    h.clock.Advance(1000);
    h.Send(slot, to_server::SAY, "still here");
  }
  EXPECT_TRUE(h.transport.IsClosed(slot));
}

TEST(KeepAlive, AnsweredPingsKeepAConnectionInAnyLoginState) {
  ServerHarness h(
      "[Server Details]\nHandshake Timeout=0\nLogin Timeout=0\n");  // the keep-alive alone
  const int lurker = h.Connect();
  for (int i = 0; i < 10; ++i) {
    h.clock.Advance(10000);
    EXPECT_THAT(h.Take(lurker), ElementsAre(Msg("PING", "-")));
    h.Send(lurker, to_server::PONG, "-");
  }
  EXPECT_FALSE(h.transport.IsClosed(lurker));
}

TEST(Leaving, PartIsAnnouncedOnceWithItsReason) {
  ServerHarness h;
  const int stays = h.Join("stays");
  const int leaves = h.Join("leaves");
  h.Send(leaves, to_server::PART, "bye");
  EXPECT_THAT(h.Take(stays), ElementsAre(Msg("PART", Wire("100001|bye"))));
  EXPECT_THAT(h.Take(leaves), IsEmpty());
  EXPECT_TRUE(h.transport.IsClosed(leaves));
  EXPECT_TRUE(
      h.view.HasLog(LogKind::kConnections, "leaves's (10.0.0.1) connection has been closed: bye."));
}

TEST(Leaving, DroppedConnectionIsReportedAsClosedByTheServer) {
  ServerHarness h;
  const int stays = h.Join("stays");
  const int drops = h.Join("drops");
  h.server.OnClosed(drops);
  h.server.OnClosed(drops);  // a second close event changes nothing
  EXPECT_THAT(h.Take(stays), ElementsAre(Msg("PART", Wire("100001|Server closed connection"))));
  EXPECT_EQ(h.server.ConnectionCount(), 1);
}

TEST(Leaving, ConnectionsThatNeverEnteredTheRoomLeaveWithoutAPart) {
  ServerHarness h;
  const int stays = h.Join("stays");
  const int probe = h.Connect();
  h.Send(probe, to_server::ISALIVE, "-");
  h.server.OnClosed(probe);
  const int halfway = h.Handshake();
  h.clock.Advance(10000);
  h.Send(stays, to_server::PONG, "-");
  h.clock.Advance(5000);
  EXPECT_TRUE(h.transport.IsClosed(halfway));
  EXPECT_FALSE(h.transport.IsClosed(stays));
  EXPECT_THAT(h.TakeCommands(stays), ElementsAre("PING"));
}

TEST(Leaving, SocketErrorsAreLoggedAndCountedButCloseNothing) {
  ServerHarness h;
  const int slot = h.Join("shaky");
  h.server.OnSocketError(slot, 7, "Network dropped");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, "Sockets_Error(Index=1) = 7: Network dropped."));
  EXPECT_FALSE(h.transport.IsClosed(slot));
  EXPECT_EQ(h.server.statistics().Get(Stat::SocketErrors), 1);
}

TEST(Shutdown, EveryoneInTheRoomIsToldAndTheProgramMayEnd) {
  ServerHarness h;
  const int a = h.Join("a");
  const int b = h.Join("b");
  const int logging_in = h.Connect();
  EXPECT_EQ(h.server.Quit(false), RoomServer::QuitResult::kQuitting);
  const auto quit = Msg("SERVERQUIT", "The server has been shutdown.");
  EXPECT_THAT(h.Take(a), ElementsAre(quit));
  EXPECT_THAT(h.Take(b), ElementsAre(quit));
  EXPECT_THAT(h.Take(logging_in), IsEmpty());
  EXPECT_EQ(h.view.quit_finished, 1);
  h.server.Quit(true);  // a second request does not repeat it
  EXPECT_EQ(h.view.quit_finished, 1);
}

TEST(Shutdown, ARunningGameNeedsConfirmationThenWaitsAMoment) {
  ServerHarness h;
  RunningGame game;
  h.server.SetGame(&game);
  const int a = h.Join("a");
  EXPECT_EQ(h.server.Quit(false), RoomServer::QuitResult::kNeedsConfirmation);
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_EQ(h.view.quit_finished, 0);
  EXPECT_EQ(h.server.Quit(true), RoomServer::QuitResult::kQuitting);
  h.clock.Advance(249);
  EXPECT_EQ(h.view.quit_finished, 0);
  h.clock.Advance(1);
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("SERVERQUIT"));
  EXPECT_EQ(h.view.quit_finished, 1);
}

}  // namespace
}  // namespace server
