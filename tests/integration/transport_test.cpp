// SPDX-License-Identifier: MIT
// The room's sockets under load: writes gathered per receiver keep every message in order, and
// a reader that stops reading is closed once a mebibyte waits for it.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include "protocol/commands.h"
#include "protocol/numbers.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"

namespace {

using testing_support::RawClient;
using testing_support::ServerProcess;
namespace to_server = protocol::to_server;

constexpr char kNoLimits[] = "Drawing Burst=0\nFlood Burst=0\n";

TEST(Transport, ThousandsOfMessagesInOneWriteReachEveryoneOnceAndInOrder) {
  ServerProcess server(kNoLimits);
  ASSERT_TRUE(server.Start());
  RawClient artist, viewer, other;
  for (RawClient* client : {&artist, &viewer, &other}) ASSERT_TRUE(client->Connect(server.port()));
  ASSERT_FALSE(artist.Login("artist").empty());
  ASSERT_FALSE(viewer.Login("viewer").empty());
  ASSERT_FALSE(other.Login("other").empty());

  constexpr int kStrokes = 20000;
  std::string burst;
  for (int i = 0; i < kStrokes; ++i) {
    burst += protocol::Frame("FH", std::to_string(i) +
                                       "\x03"
                                       "1\x03"
                                       "2\x03"
                                       "3");
    if (i % 5000 == 4999) burst += protocol::Frame(to_server::SAY, "mark " + std::to_string(i));
  }
  artist.SendRaw(burst);
  for (RawClient* client : {&viewer, &other}) {
    int next = 0;
    int marks = 0;
    while (next < kStrokes) {
      const auto message = client->Next();
      ASSERT_TRUE(message) << "stroke " << next;
      if (message->command == "SAY") {
        // Chat keeps its place among the strokes of the same sender.
        EXPECT_EQ(message->data, "100000\x03mark " + std::to_string(next - 1));
        ++marks;
        continue;
      }
      if (message->command != "FH") continue;
      ASSERT_EQ(protocol::LeadingNumber(protocol::RightOf(message->data, '\x03')), next);
      ++next;
    }
    EXPECT_EQ(marks, 3);
  }
}

TEST(Transport, AReaderThatStopsReadingIsClosedOnceAMebibyteWaits) {
  ServerProcess server(kNoLimits);
  ASSERT_TRUE(server.Start());
  RawClient artist, stalled;
  stalled.SetReceiveBuffer(4096);  // the network itself holds little for it
  for (RawClient* client : {&artist, &stalled}) ASSERT_TRUE(client->Connect(server.port()));
  ASSERT_FALSE(artist.Login("artist").empty());
  ASSERT_FALSE(stalled.Login("stalled").empty());

  // About 12 MB of strokes while the stalled player reads nothing (the system buffers some).
  const std::string stroke = protocol::Frame("LI", std::string(200, '7'));
  std::string burst;
  for (int i = 0; i < 60000; ++i) burst += stroke;
  artist.SendRaw(burst);
  EXPECT_TRUE(server.WaitForOutput(
      QStringLiteral("stalled's (127.0.0.1) connection has been closed: Send queue exceeded."),
      20000));
  EXPECT_TRUE(stalled.WaitClosed());
}

}  // namespace
