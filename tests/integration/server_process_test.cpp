// SPDX-License-Identifier: MIT
// The real scrawlbox-server, headless, with real sockets on loopback: what needs the program,
// its console, its signals and its listening socket. The rules behind it are the core's tests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpServer>
#include <utility>

#include "protocol/commands.h"
#include "tests/integration/processes.h"

namespace testing_support {

namespace {

using testing::StartsWith;

// Its numbers served over HTTP, the operator closing and opening the real listening socket and
// banning from the console, no tracker to be listed by, and the goodbye on SIGTERM.
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
  RawClient refused, ann, troll;
  EXPECT_FALSE(refused.Connect(server.port()));
  server.Command("listen accept");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Listen state: accept.")));
  ASSERT_EQ(ann.Join(server.port(), "ann"), "100000");

  const std::string scrape = Scrape(metrics);
  EXPECT_EQ(MetricValue(scrape, "scrawlbox_room_players"), 1) << scrape;
  EXPECT_GT(MetricValue(scrape, "process_resident_memory_bytes"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");
  EXPECT_THAT(Scrape(metrics, "/"), StartsWith("HTTP/1.1 404 "));
  EXPECT_THAT(RawExchange(metrics, std::string(64 * 1024, 'A')), StartsWith("HTTP/1.1 431 "));

  // A flooder is closed in the middle of reading what it sent in one write.
  RawClient flooder;
  ASSERT_FALSE(flooder.Join(server.port(), "flooder").empty());
  std::string flood;
  for (int i = 0; i < 5000; ++i) flood += protocol::Frame("SAY", "line " + std::to_string(i));
  flooder.SendRaw(flood);
  EXPECT_TRUE(flooder.WaitClosed());

  // The client does not close by itself once banned, so the room closes it.
  server.Command("ban " + troll.Join(server.port(), "troll") + " trolling");
  EXPECT_TRUE(troll.WaitFor("KICKOP"));
  EXPECT_TRUE(troll.WaitClosed());
  server.Command("submit");
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("Tracker Socket Error: [")));
  server.Command("update");
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("Error checking for update!")));

  server.Terminate();
  const auto quit = ann.WaitFor("SERVERQUIT");
  ASSERT_TRUE(quit);
  EXPECT_EQ(quit->data, "The server has been shutdown.");
  EXPECT_TRUE(ann.WaitClosed());
  ASSERT_EQ(server.WaitForExit(), 0);
  EXPECT_THAT(ReadFile(server.dir() / "Server.ini"),
              testing::HasSubstr("Banned IP[1]=IP=127.0.0.1\xACREASON=trolling"));
}

// Under systemd a room has /dev/null for its standard input; started by hand with "<&-" it has
// none. Either way the console ends at once and the room goes on.
TEST(ServerProcess, WithoutStandardInputKeepsRunningAndStopsOnSigterm) {
  for (const auto input : {ServerProcess::Input::kNull, ServerProcess::Input::kClosed}) {
    SCOPED_TRACE(input == ServerProcess::Input::kNull ? "/dev/null" : "closed");
    ServerProcess server;
    server.input = input;
    ASSERT_TRUE(server.Start());
    RawClient player;
    ASSERT_FALSE(player.Join(server.port(), "night owl").empty());
    player.Send(protocol::to_server::SAY, "still there?");
    EXPECT_TRUE(player.WaitFor("SAY"));
    server.Terminate();
    EXPECT_TRUE(player.HangUpOnQuit());
    EXPECT_EQ(server.WaitForExit(), 0);
  }
}

// A room whose port is taken tries again and listens once the port is free, or ends with an
// error and the reason when the port stays taken.
TEST(ServerProcess, ATakenPortIsTriedAgainUntilFreeOrTheProgramEndsWithTheReason) {
  for (const bool freed : {true, false}) {
    ServerProcess server(freed ? "" : "Listen Retry Seconds=1\n");
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, server.port()));
    ASSERT_TRUE(server.Start(QStringLiteral("Error creating listening port. Port %1 is already "
                                            "in-use by another application.")
                                 .arg(server.port())))
        << server.output().toStdString();
    if (freed) {
      taken.close();
      ASSERT_TRUE(
          server.WaitForOutput(QStringLiteral("Listening on port %1 now.").arg(server.port())));
      RawClient player;
      EXPECT_EQ(player.Join(server.port(), "player"), "100000");
    } else {
      EXPECT_EQ(server.WaitForExit(), 1);
      EXPECT_TRUE(server.output().contains(
          QStringLiteral("port %1 could not be opened within 1 s").arg(server.port())));
    }
  }
}

TEST(ServerProcess, HelpAndVersionNeedNoDisplay) {
  for (const auto& [option, text] :
       {std::pair{"--help", "Usage:"}, {"--version", "Scrawlbox Server "}}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SCRAWLBOX_SERVER_BIN), {QString::fromLatin1(option)});
    ASSERT_TRUE(process.waitForFinished(ChildProcess::kWaitMs)) << option;
    EXPECT_EQ(process.exitCode(), 0) << option;
    EXPECT_TRUE(process.readAllStandardOutput().contains(text)) << option;
  }
}

}  // namespace
}  // namespace testing_support
