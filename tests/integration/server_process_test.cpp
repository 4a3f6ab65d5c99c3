// SPDX-License-Identifier: MIT
// The real scrawlbox-server, headless, with real sockets on loopback.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpServer>
#include <utility>

#include "protocol/commands.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace {

using testing_support::RawClient;
using testing_support::ServerProcess;
namespace to_server = protocol::to_server;

TEST(ServerProcess, TwoPlayersLogInAndChat) {
  ServerProcess server("Name=Loopback Room\nMOTD=Hello there\n");
  ASSERT_TRUE(server.Start()) << server.output().toStdString();
  RawClient ann, ben;
  ASSERT_TRUE(ann.Connect(server.port()));
  EXPECT_EQ(ann.Login("ann"), "100000");
  ASSERT_TRUE(ben.Connect(server.port()));
  EXPECT_EQ(ben.Login("ben"), "100001");

  const auto join = ann.WaitFor("JOIN");
  ASSERT_TRUE(join);
  EXPECT_EQ(join->data, Wire("100001|ben|0"));

  ben.Send(to_server::SAY, "hi ann");
  const auto to_ann = ann.WaitFor("SAY");
  const auto to_ben = ben.WaitFor("SAY");
  ASSERT_TRUE(to_ann && to_ben);
  EXPECT_EQ(to_ann->data, Wire("100001|hi ann"));
  EXPECT_EQ(to_ben->data, Wire("100001|hi ann"));
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("[chat] ben: hi ann")));
}

TEST(ServerProcess, SilentClientTimesOutAndTheOthersAreTold) {
  ServerProcess server("Ping=1\nPing Timeout=1\n");
  ASSERT_TRUE(server.Start());
  RawClient awake, silent;
  ASSERT_TRUE(awake.Connect(server.port()));
  ASSERT_FALSE(awake.Login("awake").empty());
  silent.answer_pings = false;
  ASSERT_TRUE(silent.Connect(server.port()));
  ASSERT_FALSE(silent.Login("silent").empty());

  const auto part = awake.WaitFor("PART", 6000);
  ASSERT_TRUE(part);
  EXPECT_EQ(part->data, Wire("100001|Ping timeout"));
  EXPECT_TRUE(silent.WaitClosed());
  EXPECT_TRUE(server.WaitForOutput(
      QStringLiteral("silent's (127.0.0.1) connection has been closed: Ping timeout.")));
}

TEST(ServerProcess, TerminationTellsEveryoneAndExitsCleanly) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  RawClient a, b;
  ASSERT_TRUE(a.Connect(server.port()));
  ASSERT_FALSE(a.Login("a").empty());
  ASSERT_TRUE(b.Connect(server.port()));
  ASSERT_FALSE(b.Login("b").empty());
  server.Terminate();
  for (RawClient* client : {&a, &b}) {
    const auto quit = client->WaitFor("SERVERQUIT");
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->data, "The server has been shutdown.");
    EXPECT_TRUE(client->WaitClosed());
  }
  EXPECT_EQ(server.WaitForExit(), 0);
}

// A headless room whose port is taken tries again and listens once the port is free, or ends
// with an error and the reason when the port stays taken.
TEST(ServerProcess, ATakenPortIsTriedAgainUntilFreeOrTheProgramEndsWithTheReason) {
  for (const bool freed : {true, false}) {
    ServerProcess server(freed ? "" : "Listen Retry Seconds=1\n");
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, server.port()));
    const QString in_use = QStringLiteral(
                               "Error creating listening port. Port %1 is already in-use "
                               "by another application.")
                               .arg(server.port());
    ASSERT_TRUE(server.Start(in_use)) << server.output().toStdString();
    if (freed) {
      taken.close();
      ASSERT_TRUE(
          server.WaitForOutput(QStringLiteral("Listening on port %1 now.").arg(server.port())));
      RawClient player;
      ASSERT_TRUE(player.Connect(server.port()));
      EXPECT_EQ(player.Login("player"), "100000");
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
    ASSERT_TRUE(process.waitForFinished(10000)) << option;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << option;
    EXPECT_EQ(process.exitCode(), 0) << option;
    EXPECT_TRUE(process.readAllStandardOutput().contains(text)) << option;
  }
}

TEST(ServerProcess, GarbageSettingsAndOversizedMessagesLeaveTheRoomRunning) {
  ServerProcess server(
      "\x01\x02\xff[[[\nPing=banana\nPing Timeout=\n=\n[Server Statistics]\n"
      "Total Server Launches=lots\n");
  ASSERT_TRUE(server.Start()) << server.output().toStdString();
  RawClient flooder, player;
  ASSERT_TRUE(flooder.Connect(server.port()));
  flooder.SendRaw(std::string(70000, 'x'));
  EXPECT_TRUE(flooder.WaitClosed());
  ASSERT_TRUE(player.Connect(server.port()));
  EXPECT_EQ(player.Login("player"), "100001");
  EXPECT_TRUE(
      server.WaitForOutput(QStringLiteral("connection has been closed: Message too long.")));
}

}  // namespace
