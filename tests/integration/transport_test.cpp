// SPDX-License-Identifier: MIT
// The room's sockets under load: writes gathered per receiver keep every message in order, a
// reader that stops reading is closed once a mebibyte waits for it, and an abuser is reset.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>

#include "protocol/commands.h"
#include "tests/integration/processes.h"
#include "tests/support/server_harness.h"

namespace testing_support {
namespace {

namespace to_server = protocol::to_server;

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
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) ending.read.append(buffer, n);
    ending.reset = n < 0 && errno == ECONNRESET;
  }
  ::close(fd);
  return ending;
}

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
  EXPECT_EQ(tool.exitCode(), 0);
  EXPECT_EQ(tool.readAllStandardError(), "");
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
  const struct {
    const char* name;
    std::string sent;
    std::string last_read;
    bool reset;
  } abusers[] = {
      {"a second handshake", hello + hello, "You are not a Scrawlbox client. Goodbye.", true},
      {"an empty nickname", hello + protocol::Frame(to_server::USER, ProfileData("")), "\x01",
       false},
  };
  for (const auto& c : abusers) {
    const Ending ending = SendAndReadToTheEnd(server.port(), c.sent);
    EXPECT_TRUE(ending.read.ends_with(c.last_read)) << c.name;
    EXPECT_EQ(ending.reset, c.reset) << c.name;
  }

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
