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

}  // namespace
