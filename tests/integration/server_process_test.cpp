// SPDX-License-Identifier: MIT
// The real scrawlbox-server, headless, with real sockets on loopback: what needs the program,
// its console, its signals and its listening socket. The rules behind it are the core's tests.
#include <gmock/gmock.h>

#include <QTcpServer>

#include "protocol/commands.h"
#include "tests/integration/processes.h"

namespace testing_support {

namespace {

using testing::StartsWith;

// Its numbers served over HTTP, the operator closing and opening the real listening socket and
// banning from the console, a flooder cut off mid-read, no tracker to be listed by, and the
// goodbye on SIGTERM.
TEST(ServerProcess, ServesMetricsObeysItsConsoleAndSaysGoodbyeOnSigterm) {
  ServerProcess server("[Directory]\nTracker URL=http://127.0.0.1:" + std::to_string(FreePort()) +
                       TrackerProcess::kPath + "\n");
  const quint16 metrics = FreePort();
  server.arguments = Args(QStringLiteral("--metrics-port %1").arg(metrics));
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(
      server.WaitForOutput(QStringLiteral("Metrics at http://127.0.0.1:%1/metrics.").arg(metrics)));
  server.Command("listen offline");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Listen state: offline.")));
  RawClient refused, ann, troll, flooder;
  EXPECT_FALSE(refused.Connect(server.port()));
  server.Command("listen accept");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Listen state: accept.")));
  ASSERT_EQ(ann.Join(server.port(), "ann"), "100000");

  const std::string scrape = Scrape(metrics);
  EXPECT_EQ(MetricValue(scrape, "scrawlbox_room_players"), 1) << scrape;
  EXPECT_GT(MetricValue(scrape, "process_resident_memory_bytes"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");
  EXPECT_THAT(RawExchange(metrics, std::string(64 * 1024, 'A')).read, StartsWith("HTTP/1.1 431 "));

  // A flooder is closed in the middle of reading what it sent in one write.
  ASSERT_FALSE(flooder.Join(server.port(), "flooder").empty());
  std::string flood;
  for (int i = 0; i < 5000; ++i) flood += protocol::Frame("SAY", "line " + std::to_string(i));
  flooder.SendRaw(flood);
  EXPECT_TRUE(flooder.WaitClosed());

  // The client does not close by itself once banned, so the room closes it.
  server.Command("ban " + troll.Join(server.port(), "troll") + " trolling");
  EXPECT_TRUE(troll.WaitFor("KICKOP"));
  EXPECT_TRUE(troll.WaitClosed());
  // A tracker that refuses the connection is reported as one that cannot be reached.
  server.Command("submit");
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("Tracker Socket Error: [")));

  server.Terminate();
  EXPECT_EQ(ann.WaitFor("SERVERQUIT").value_or(protocol::Message{}).data,
            "The server has been shutdown.");
  EXPECT_TRUE(ann.WaitClosed());
  ASSERT_EQ(server.WaitForExit(), 0);
  EXPECT_THAT(ReadFile(server.dir() / "Server.ini"),
              testing::HasSubstr("Banned IP[1]=IP=127.0.0.1\xACREASON=trolling"));
}

// A room whose port is taken tries again and listens once the port is free. Meanwhile its console
// has ended at once, under systemd (/dev/null for standard input) or started with "<&-" (none),
// and the room went on.
TEST(ServerProcess, WithoutStandardInputWaitsForATakenPortOrEndsWithTheReason) {
  for (const auto input : {ServerProcess::Input::kNull, ServerProcess::Input::kClosed}) {
    ServerProcess server;
    server.input = input;
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, server.port()));
    ASSERT_TRUE(server.Start(QStringLiteral("Port %1 is already in-use").arg(server.port())));
    taken.close();
    ASSERT_TRUE(
        server.WaitForOutput(QStringLiteral("Listening on port %1 now.").arg(server.port())));
    RawClient player;
    EXPECT_FALSE(player.Join(server.port(), "night owl").empty());
    server.Terminate();
    EXPECT_TRUE(player.HangUpOnQuit());
    EXPECT_EQ(server.WaitForExit(), 0);
  }
  // With a bound on the tries, a port that stays taken ends the program.
  ServerProcess server("Listen Retry Seconds=1\n");
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::Any, server.port()));
  server.Start();
  EXPECT_EQ(server.WaitForExit(), 1);
  EXPECT_TRUE(server.output().contains(
      QStringLiteral("port %1 could not be opened within 1 s").arg(server.port())));
}

}  // namespace
}  // namespace testing_support
