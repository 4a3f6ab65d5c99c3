// SPDX-License-Identifier: MIT
// The real scrawlbox-tracker over HTTP: alone, with a real room, and two of it on one database.
// What it answers is the service's and the registry's tests; here its sockets and processes.
#include <gmock/gmock.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpServer>
#include <algorithm>
#include <memory>

#include "directory/records.h"
#include "directory/server_browser.h"
#include "tests/integration/processes.h"
#include "tests/support/postgres_cluster.h"

namespace testing_support {
namespace {

using directory::GetValue;
using directory::ServerBrowser;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

// A room an operator lists from the console is found, joined and unlisted when it ends; the
// tracker serves its numbers and holds hostile clients within the bounds of Tracker.ini.
TEST(TrackerProcess, ListsARoomFromItsConsoleAndHoldsHostileClientsWithinBounds) {
  TrackerProcess tracker;
  WriteFile(tracker.dir() / "Tracker.ini",
            "[Tracker]\nHead Seconds=1\nMax Connections Per Address=3\n"
            "Trusted Proxies=127.0.0.3\n");
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  ServerProcess room("Name=Caf\xE9 & Co|Room\nIP Address=127.0.0.1\n[Directory]\nTracker URL=" +
                     tracker.Url() + "\n");
  // Its page for browsers is listed too, and linked from the tracker's.
  const quint16 web = FreePort();
  room.arguments = Args(QStringLiteral("--web-port %1").arg(web));
  ASSERT_TRUE(room.Start());
  room.Command("submit");
  ASSERT_TRUE(room.WaitForOutput(
      QStringLiteral("Your server was submitted successfully to the public database.")))
      << room.output().toStdString();
  const std::string scrape = Scrape(tracker.port());
  EXPECT_EQ(MetricValue(scrape, "scrawlbox_tracker_rooms{visibility=\"listed\"}"), 1) << scrape;
  EXPECT_EQ(PromtoolComplaints(scrape), "");
  const auto rows = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Caf\xE9 & Co\xA6Room");  // 8-bit text arrives as it was
  EXPECT_EQ(rows[0].web_address, "http://127.0.0.1:" + std::to_string(web) + "/");
  EXPECT_THAT(Fetch("http://127.0.0.1:" + std::to_string(tracker.port()) + "/").body,
              HasSubstr(">Play in the browser</a>"));
  RawClient player;
  EXPECT_FALSE(player.Join(static_cast<quint16>(ServerBrowser::PortFor(&rows[0])), "Pat").empty());
  room.Terminate();
  EXPECT_TRUE(player.HangUpOnQuit());
  EXPECT_EQ(room.WaitForExit(), 0);
  EXPECT_THAT(room.output().toStdString(),
              HasSubstr("Your server details have been removed from the server."));

  // A client that starts a request and never finishes it holds one connection only, and that
  // only until its head's deadline.
  QTcpSocket slow;
  slow.connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
  ASSERT_TRUE(slow.waitForConnected(5000));
  slow.write("GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHo");
  slow.waitForBytesWritten(5000);
  EXPECT_THAT(RoomNames(tracker), ElementsAre());
  EXPECT_TRUE(slow.state() == QAbstractSocket::UnconnectedState || slow.waitForDisconnected(5000));

  // Tracker.ini's trusted proxy names the client (which address it names is http_test's).
  std::string add = AddQuery("P", 2020);
  add.erase(add.find("&IP=127.0.0.1"), 13);
  EXPECT_THAT(RawExchange(tracker.port(),
                          "GET " + std::string(TrackerProcess::kPath) + "?" + add +
                              " HTTP/1.1\r\nX-Forwarded-For: 198.51.100.7\r\n\r\n",
                          "127.0.0.3")
                  .read,
              HasSubstr("STATUS=SUBMITOK"));
  EXPECT_EQ(GetValue(ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW")).at(0).tag, "SERVERIP"),
            "198.51.100.7");

  // One address holds a few connections; the next is told why, and other addresses are served.
  QTcpSocket held[3];
  for (QTcpSocket& socket : held) {
    socket.connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
  }
  EXPECT_THAT(RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n").read,
              StartsWith("HTTP/1.1 503 "));
  EXPECT_THAT(RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n", "127.0.0.2").read,
              StartsWith("HTTP/1.1 200 "));
}

// Two tracker processes on one PostgreSQL database serve one directory. The limits and the
// probing across instances are the registry's and the prober's tests; here the leases of a
// killed process run out and another takes its rooms.
TEST(TwoTrackersOnPostgres, KillingOneInstanceLeavesTheOtherProbingEveryRoom) {
  std::string database;
  SCRAWLBOX_POSTGRES_DATABASE(database);
  ServerProcess live("Name=Alive\n");
  ASSERT_TRUE(live.Start());
  const auto instance = [&](const char* name) {
    auto tracker = std::make_unique<TrackerProcess>(
        Args(QStringLiteral("--probe-seconds 1 --database %1 --instance %2")
                 .arg(QString::fromStdString(database), QLatin1String(name))));
    EXPECT_TRUE(tracker->Start()) << tracker->output().toStdString();
    return tracker;
  };
  auto a = instance("A"), b = instance("B");
  const std::string live_key = live.ListingKey();
  EXPECT_THAT(Ask(*a, AddQuery(live_key, live.port(), "LIVE")), HasSubstr("STATUS=SUBMITOK"));
  // Whichever instance ticks first claims every due room, so with both running A may never
  // hold a lease. B stays away until A holds some.
  b->Kill();
  // Rooms that take the connection and never answer: each probe runs to its time-out, so an
  // instance holds leases for a while.
  QTcpServer silent_rooms[4];
  std::vector<std::string> silent_keys;
  for (QTcpServer& room : silent_rooms) {
    ASSERT_TRUE(room.listen(QHostAddress::LocalHost, 0));
    silent_keys.push_back("SILENT" + std::to_string(room.serverPort()));
    Ask(*a, AddQuery(silent_keys.back(), room.serverPort()));
  }
  // The waits end as soon as what they wait for happens; their bounds only have to hold on a
  // machine busy with other builds. A holds a lease while its probe waits on a silent room.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return std::any_of(std::begin(silent_rooms), std::end(silent_rooms),
                           [](const QTcpServer& room) { return room.hasPendingConnections(); });
      },
      30000));
  b = instance("B");
  a->Kill();
  // B takes A's rooms once their leases run out, and drops every silent one, each once.
  for (const std::string& key : silent_keys) {
    const QString dropped = QString::fromStdString("Dropped " + key + ":");
    EXPECT_TRUE(b->WaitForOutput(dropped, 30000)) << key;
    EXPECT_EQ(a->output().count(dropped) + b->output().count(dropped), 1) << key;
  }
  EXPECT_THAT(RoomNames(*b), ElementsAre("LIVE"));
}

}  // namespace
}  // namespace testing_support
