// SPDX-License-Identifier: MIT
// The room's sockets under load: writes gathered per receiver keep every message in order, a
// reader that stops reading is closed once a mebibyte waits for it, and an abuser is reset.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <QtCore/qtestsupport_core.h>

#include "protocol/commands.h"
#include "protocol/numbers.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

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
    burst += protocol::Frame("FH", std::to_string(i) + Wire("|1|2|3"));
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
        EXPECT_EQ(message->data, Wire("100000|mark ") + std::to_string(next - 1));
        ++marks;
        continue;
      }
      if (message->command != "FH") continue;
      ASSERT_EQ(protocol::LeadingNumber(protocol::RightOf(message->data, protocol::kFieldSep)),
                next);
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

// How the room ends a connection, seen from a peer that sent these bytes: what it read, and
// whether the end was a reset rather than an orderly close.
struct Ending {
  std::string read;
  bool reset = false;
};

Ending SendAndReadToTheEnd(quint16 port, const std::string& bytes) {
  Ending ending;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const timeval bound{10, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
  sockaddr_in room{};
  room.sin_family = AF_INET;
  room.sin_port = htons(port);
  room.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&room), sizeof room) == 0 &&
      ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size())) {
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) {
      ending.read.append(buffer, static_cast<size_t>(n));
    }
    ending.reset = n < 0 && errno == ECONNRESET;
  }
  ::close(fd);
  return ending;
}

TEST(Transport, AnAbuserIsResetAfterItsLastMessageOthersCloseInOrder) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  const std::string hello = protocol::Frame(to_server::SCRAWLBOX_CL13NT, "100001");
  const struct {
    const char* name;
    std::string sent;
    std::string last_read;
    bool reset;
  } cases[] = {
      {"a second handshake", hello + hello, "You are not a Scrawlbox client. Goodbye.", true},
      {"an empty nickname",
       hello + protocol::Frame(to_server::USER, testing_support::ProfileData("")), "\x01", false},
  };
  for (const auto& c : cases) {
    const Ending ending = SendAndReadToTheEnd(server.port(), c.sent);
    EXPECT_TRUE(ending.read.ends_with(c.last_read)) << c.name;
    EXPECT_EQ(ending.reset, c.reset) << c.name;
  }
}

}  // namespace
