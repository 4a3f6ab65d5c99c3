// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "tests/integration/server_process.h"

namespace {

using testing_support::ServerProcess;

QJsonObject RunLoadTest(const QStringList& arguments, int* exit_code) {
  QProcess tool;
  tool.start(QStringLiteral(SCRAWLBOX_LOADTEST_BIN), arguments);
  EXPECT_TRUE(tool.waitForFinished(60000));
  *exit_code = tool.exitCode();
  const QByteArray output = tool.readAllStandardOutput();
  EXPECT_TRUE(tool.readAllStandardError().isEmpty());
  return QJsonDocument::fromJson(output).object();
}

TEST(LoadTest, TwentyPlayersGetEveryStrokeInOrderFromTheRealServer) {
  // Twenty players from one address, drawing without pause: the room's limits for peers off.
  ServerProcess server("Max Connections Per Address=0\nDrawing Burst=0\n");
  ASSERT_TRUE(server.Start());
  int exit_code = -1;
  const QJsonObject report =
      RunLoadTest({QStringLiteral("127.0.0.1:%1").arg(server.port()), QStringLiteral("--players"),
                   QStringLiteral("20"), QStringLiteral("--seconds"), QStringLiteral("2"),
                   QStringLiteral("--chat"), QStringLiteral("1"), QStringLiteral("--json")},
                  &exit_code);
  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(report.value("logged_in").toInt(), 20);
  EXPECT_GT(report.value("sent").toDouble(), 300);
  EXPECT_EQ(report.value("delivered").toDouble(), report.value("sent").toDouble() * 19);
  EXPECT_EQ(report.value("lost").toDouble(), 0);
  EXPECT_EQ(report.value("out_of_order").toDouble(), 0);
  EXPECT_EQ(report.value("closed").toDouble(), 0);
  EXPECT_GT(report.value("chat_received").toDouble(), 0);
}

TEST(LoadTest, ARoomsLimitIsReportedAndTheRunRefused) {
  ServerProcess server;  // at most 8 connections from one address
  ASSERT_TRUE(server.Start());
  QProcess tool;
  tool.start(QStringLiteral(SCRAWLBOX_LOADTEST_BIN),
             {QStringLiteral("127.0.0.1:%1").arg(server.port()), QStringLiteral("--players"),
              QStringLiteral("12"), QStringLiteral("--seconds"), QStringLiteral("1")});
  ASSERT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.exitCode(), 2);
  EXPECT_TRUE(tool.readAllStandardError().contains("Too many connections from your address."));
}

}  // namespace
