// SPDX-License-Identifier: MIT
// The room's sockets under load: writes gathered per receiver keep every message in order, a
// reader that stops reading is closed once a mebibyte waits for it, and an abuser is reset.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "protocol/commands.h"
#include "tests/integration/processes.h"
#include "tests/support/server_harness.h"

namespace testing_support {
namespace {

namespace to_server = protocol::to_server;

TEST(Transport, EveryMessageArrivesOnceAndInOrderAndAStalledReaderOrAnAbuserIsClosed) {
  // Many players from one address, sending without pause: the room's limits for peers off.
  ServerProcess server("Max Connections Per Address=0\nDrawing Burst=0\nFlood Burst=0\n");
  ASSERT_TRUE(server.Start());
  // Twenty players of the load tool get every stroke of the others in order.
  QProcess tool;
  tool.start(QStringLiteral(SCRAWLBOX_LOADTEST_BIN),
             Args(QStringLiteral("127.0.0.1:%1 --players 20 --seconds 2 --chat 1 --json")
                      .arg(server.port())));
  ASSERT_TRUE(tool.waitForFinished(60000));
  const QJsonObject report = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
  const auto number = [&](const char* key) { return report.value(key).toDouble(); };
  EXPECT_EQ(number("logged_in"), 20);
  EXPECT_GT(number("sent"), 300);
  EXPECT_EQ(number("delivered"), number("sent") * 19);
  EXPECT_EQ(number("lost") + number("out_of_order") + number("closed"), 0);
  EXPECT_GT(number("chat_received"), 0);

  RawClient artist, stalled;
  stalled.SetReceiveBuffer(4096);  // the network itself holds little for it
  ASSERT_FALSE(artist.Join(server.port(), "artist").empty());
  ASSERT_FALSE(stalled.Join(server.port(), "stalled").empty());

  // A second handshake is reset after its last message; an empty nickname is closed in order.
  const std::string hello = protocol::Frame(to_server::SCRAWLBOX_CL13NT, "100001");
  const Ending twice = RawExchange(server.port(), hello + hello);
  EXPECT_TRUE(twice.reset && twice.read.ends_with("You are not a Scrawlbox client. Goodbye."));
  const Ending nameless =
      RawExchange(server.port(), hello + protocol::Frame(to_server::USER, ProfileData("")));
  EXPECT_TRUE(!nameless.reset && nameless.read.ends_with("\x01")) << nameless.read;

  // About 12 MB of strokes while the stalled player reads nothing (the system buffers some).
  std::string burst;
  for (int i = 0; i < 60000; ++i) burst += protocol::Frame("LI", std::string(200, '7'));
  artist.SendRaw(burst);
  EXPECT_TRUE(server.WaitForOutput(
      QStringLiteral("stalled's (127.0.0.1) connection has been closed: Send queue exceeded."),
      20000));
  EXPECT_TRUE(stalled.WaitClosed());
  server.Terminate();  // a killed room would leave no trace of what it ran
  EXPECT_EQ(server.WaitForExit(), 0);
}

}  // namespace
}  // namespace testing_support
