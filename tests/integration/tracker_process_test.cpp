// SPDX-License-Identifier: MIT
// The real scrawlbox-tracker over HTTP: alone, with real rooms, and two of it on one database.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <memory>

#include "directory/records.h"
#include "directory/server_browser.h"
#include "tests/integration/processes.h"
#include "tests/support/postgres_cluster.h"
#include "tests/tracker/backends.h"
#include "tracker/registry.h"

namespace testing_support {
namespace {

using directory::GetValue;
using directory::ReplyRecord;
using directory::ServerBrowser;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

// How many "<tr class="room">" rows a page has.
int PageRows(const QString& page) {
  return page.count(QStringLiteral("<tr class=\"room\">"));
}

// The tracker's process tests, on each back end.
class TrackerOn : public testing::TestWithParam<tracker::Backend> {
 protected:
  void SetUp() override {
    if (GetParam() == tracker::Backend::kPostgresql) SCRAWLBOX_POSTGRES_DATABASE(database_);
  }
  // The command line of a tracker on this back end's database.
  QStringList On(QStringList arguments = {}) const {
    if (!database_.empty())
      arguments << QStringLiteral("--database") << QString::fromStdString(database_);
    return arguments;
  }

  std::string database_;
};

// The request answers are the service's tests; here the HTTP front, its limits and metrics.
TEST_P(TrackerOn, ServesRoomsFilesAndMetricsAndHoldsHostileClientsWithinBounds) {
  TrackerProcess tracker(On());
  WriteFile(tracker.dir() / "Tracker.ini",
            "[Tracker]\nHead Seconds=1\nMax Connections Per Address=3\n"
            "Trusted Proxies=127.0.0.3\n");
  std::filesystem::create_directories(tracker.dir() / "version");
  WriteFile(tracker.dir() / "version" / "client.txt", "102031\r\n");
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  EXPECT_THAT(ReplyRecord(Ask(tracker, AddQuery("HOST:ANN", 2021, "Sketchers%202"))),
              StartsWith("STATUS=SUBMITOK|EXTRA=|SECRET="));
  EXPECT_THAT(Ask(tracker, "ACTION=ADD&KEY=k2&SERVERNAME=Hidden&PORT=2021&ISPUBLIC=True"),
              HasSubstr("SUBMITOK"));
  EXPECT_THAT(Ask(tracker, "ACTION=ADD&KEY=k3&SERVERNAME=Bad&PORT=0"), HasSubstr("FAIL"));

  // VIEW as the programs ask for it, read back the plain way: the text after the headers, the
  // chunk-size line dropped, then one room per line.
  const std::string raw =
      RawExchange(tracker.port(),
                  "GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                  "Accept: */*\r\nUser-Agent: Scrawlbox Client v1.0 build#0001\r\n"
                  "Connection: close\r\n\r\n");
  ASSERT_THAT(raw, StartsWith("HTTP/1.1 200 OK\r\n"));
  EXPECT_THAT(raw, HasSubstr("\r\nTransfer-Encoding: chunked\r\n"));
  const std::string body = raw.substr(raw.find("\r\n\r\n") + 4);
  const size_t size_end = body.find("\r\n");
  const size_t chunk = std::stoul(body.substr(0, size_end), nullptr, 16);
  EXPECT_EQ(body.substr(size_end + 2 + chunk), "\r\n0\r\n\r\n");
  const auto rows = ServerBrowser::PublicRows(body.substr(size_end + 2));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Sketchers 2");
  EXPECT_EQ(rows[0].description, "Come and draw");
  EXPECT_EQ(GetValue(rows[0].tag, "PORT"), "2021");
  EXPECT_EQ(GetValue(rows[0].tag, "SERVERIP"), "127.0.0.1");

  const std::string scrape = Scrape(tracker.port());
  const auto value = [&](const std::string& series) {
    return MetricValue(scrape, "scrawlbox_tracker_" + series);
  };
  EXPECT_EQ(value("rooms{visibility=\"listed\"}"), 1) << scrape;
  EXPECT_EQ(value("rooms{visibility=\"private\"}"), 1);
  EXPECT_EQ(value("requests_total{action=\"add\",answer=\"submitok\"}"), 2);
  EXPECT_EQ(value("requests_total{action=\"add\",answer=\"fail\"}"), 1);
  EXPECT_EQ(value("requests_total{action=\"view\",answer=\"rooms\"}"), 1);
  EXPECT_EQ(value("refusals_total{reason=\"bad_field\"}"), 1);
  EXPECT_EQ(value("refusals_total{reason=\"rate_limit\"}"), 0);
  EXPECT_EQ(value("probes_total{result=\"alive\"}"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");

  // The version files are plain text, and nothing outside their folder is served.
  const auto client = Fetch(tracker.Url("/version/client.txt"));
  ASSERT_TRUE(client.ok) << client.error_text;
  EXPECT_EQ(directory::LatestVersion(client.body), 102031);
  EXPECT_FALSE(Fetch(tracker.Url("/version/server.txt")).ok);
  EXPECT_FALSE(Fetch(tracker.Url("/version/../tracker.sqlite")).ok);

  // A client that starts a request and never finishes it holds one connection only, and that
  // only until its head's deadline.
  QTcpSocket slow;
  QElapsedTimer clock;
  qint64 dropped_after_ms = -1;
  QObject::connect(&slow, &QTcpSocket::disconnected, [&] { dropped_after_ms = clock.elapsed(); });
  slow.connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
  ASSERT_TRUE(slow.waitForConnected(5000));
  clock.start();
  slow.write("GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHo");
  slow.waitForBytesWritten(5000);
  EXPECT_THAT(RoomNames(tracker), ElementsAre("Sketchers 2"));
  EXPECT_EQ(slow.state(), QAbstractSocket::ConnectedState);

  // How a head is read and refused is the front's test (http_test); here it reaches the service.
  // The query reaches the service undecoded: a bar, a line break and bytes above 127 stay
  // inside the one field.
  EXPECT_THAT(ReplyRecord(Ask(tracker, AddQuery("HOST:ANN", 2020, "a%7CPORT=9%0D%0A%E9"))),
              StartsWith("STATUS=UPDATEOK|EXTRA=|"));
  const auto updated = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(updated.size(), 1u);
  EXPECT_EQ(updated[0].name, "a\xA6PORT=9\xE9");
  EXPECT_EQ(GetValue(updated[0].tag, "PORT"), "2020");
  EXPECT_THAT(RawExchange(tracker.port(), "POST / HTTP/1.1\r\nContent-Length: 1\r\n\r\nx"),
              StartsWith("HTTP/1.1 405"));

  // The slow client is dropped at its deadline, not before.
  if (slow.state() != QAbstractSocket::UnconnectedState) {
    EXPECT_TRUE(slow.waitForDisconnected(5000));
  }
  EXPECT_GE(dropped_after_ms, 900);  // a coarse timer may fire 5% early
  EXPECT_TRUE(tracker.Running());

  // Tracker.ini's trusted proxy names the client (which address it names is http_test's).
  std::string add = AddQuery("P", 2020);
  add.erase(add.find("&IP=127.0.0.1"), 13);
  EXPECT_THAT(RawExchange(tracker.port(),
                          "GET " + std::string(TrackerProcess::kPath) + "?" + add +
                              " HTTP/1.1\r\nX-Forwarded-For: 198.51.100.7\r\n\r\n",
                          "127.0.0.3"),
              HasSubstr("STATUS=SUBMITOK"));
  const auto listed = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(GetValue(listed[1].tag, "SERVERIP"), "198.51.100.7");

  // One address holds a few connections; the next is told why, and other addresses are served.
  QTcpSocket held[3];
  for (QTcpSocket& socket : held) {
    socket.connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
  }
  EXPECT_THAT(RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n"), StartsWith("HTTP/1.1 503 "));
  EXPECT_THAT(RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n", "127.0.0.2"),
              StartsWith("HTTP/1.1 200 "));
}

// An operator lists the room from the console and a player finds it and joins it; the probes
// (whose rules are the prober's test) drop a dead listing and one aimed at a room that is not
// the one registered under its key, through the real connector; ending the room unlists it.
TEST_P(TrackerOn, ARoomSubmittedFromTheConsoleIsProbedJoinedAndRemovedOnExit) {
  TrackerProcess tracker(On(Args(QStringLiteral("--probe-seconds 1"))));
  ASSERT_TRUE(tracker.Start());
  ServerProcess room(
      "Name=Caf\xE9 & Co|Room\nDescription=Pens ready\nIP Address=127.0.0.1\n"
      "[Directory]\nTracker URL=" +
      tracker.Url() + "\n");
  ASSERT_TRUE(room.Start());
  room.Command("submit");
  ASSERT_TRUE(room.WaitForOutput(
      QStringLiteral("Your server was submitted successfully to the public database.")))
      << room.output().toStdString();
  Ask(tracker, AddQuery("DEAD", FreePort()));
  Ask(tracker, AddQuery("AIMED", room.port()));
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped DEAD"), 15000));
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped AIMED"), 15000));
  const std::string live = room.ListingKey();
  ASSERT_EQ(live.size(), 64u);
  EXPECT_THAT(tracker.output().toStdString(), testing::Not(HasSubstr("Dropped " + live)));

  const auto rows = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Caf\xE9 & Co\xA6Room");  // 8-bit text arrives as it was
  EXPECT_EQ(rows[0].description, "Pens ready");
  EXPECT_EQ(ServerBrowser::PortFor(&rows[0]), room.port());
  RawClient player;
  EXPECT_FALSE(player.Join(static_cast<quint16>(ServerBrowser::PortFor(&rows[0])), "Pat").empty());

  room.Terminate();
  EXPECT_EQ(room.WaitForExit(), 0);
  EXPECT_THAT(room.output().toStdString(),
              HasSubstr("Your server details have been removed from the server."));
  EXPECT_THAT(RoomNames(tracker), ElementsAre());
}

TEST(TrackerProcess, TheWebPageListsThePublicRoomsInABrowser) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  if (chromium.isEmpty()) GTEST_SKIP() << "headless Chromium is not installed: scripts/deps";
  TrackerProcess tracker;
  ASSERT_TRUE(tracker.Start());
  Ask(tracker, AddQuery("A", 2020, "Doodle%20Den"));
  Ask(tracker,
      AddQuery("B", 2021, "Caf%E9%20%3Cb%3Ebold%3C%2Fb%3E", "&ISPUBLIC=False&LOCKED=True"));
  Ask(tracker, AddQuery("C", 2022, "Hidden", "&ISPUBLIC=True"));
  QProcess browser;
  browser.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                           QStringLiteral("--disable-gpu"),
                           QStringLiteral("--user-data-dir=") +
                               QString::fromStdString((tracker.dir() / "chromium").string()),
                           QStringLiteral("--dump-dom"), QString::fromStdString(tracker.Url("/"))});
  ASSERT_TRUE(browser.waitForFinished(60000));
  const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
  EXPECT_EQ(PageRows(dom), 2) << dom.toStdString();
  for (const char* part :
       {"<td data-label=\"Room\">Doodle Den</td>", "Caf\u00e9 &lt;b&gt;bold&lt;/b&gt;",
        "<td data-label=\"Port\">2021</td>",
        // The lock is drawn, with words for those who cannot see it.
        "<title>Password needed</title>", "File \u203a Connect..</span>", "<small>2 rooms. "}) {
    EXPECT_EQ(dom.count(QString::fromUtf8(part)), 1) << part;
  }
  EXPECT_FALSE(dom.contains(QStringLiteral("Hidden")));
}

// A room put straight into the database, as another instance would: it reaches the kept
// answers within two seconds, and the page's search is read from the URL as a form sends it
// (UTF-8, spaces as "+"). Paging and searching themselves are the registry's tests.
TEST_P(TrackerOn, ARoomFromAnotherWriterIsListedAndFoundByName) {
  TrackerProcess tracker(On());
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  EXPECT_THAT(RoomNames(tracker), ElementsAre());  // an answer to keep
  tracker::Registry store;
  std::string error;
  ASSERT_TRUE(store.Open(*tracker::ParseDatabaseUrl(
      database_.empty() ? "sqlite:" + (tracker.dir() / "tracker.sqlite").string() : database_,
      &error)))
      << store.error().toStdString();
  tracker::Room room;
  room.key = "K";
  room.name = "Caf\xE9 Den";
  room.address = "127.0.0.1";
  room.port = 2020;
  room.source = "10.0.0.1";
  ASSERT_EQ(store.Add(room, {.max_per_address = 0}, 0).result,
            tracker::RoomStore::AddResult::kAdded);
  EXPECT_TRUE(QTest::qWaitFor([&] { return RoomNames(tracker).size() == 1; }, 2000));
  for (const auto& [query, rows] : {std::pair{"?q=caf%C3%A9+", 1}, {"?q=den+caf", 0}}) {
    const auto page = Fetch(tracker.Url(std::string("/") + query));
    ASSERT_TRUE(page.ok) << page.error_text;
    EXPECT_EQ(PageRows(QString::fromStdString(page.body)), rows) << query;
  }
}

SCRAWLBOX_ON_BACKENDS(TrackerOn);

// Two tracker processes on one PostgreSQL database serve one directory. The limits and the
// probing across instances are the registry's and the prober's tests; here the leases of a
// killed process run out and another takes its rooms.
class TwoTrackers : public TrackerOn {};

TEST_P(TwoTrackers, KillingOneInstanceLeavesTheOtherProbingEveryRoom) {
  ServerProcess live("Name=Alive\n");
  ASSERT_TRUE(live.Start());
  const auto instance = [&](const char* name) {
    auto tracker = std::make_unique<TrackerProcess>(
        On(Args(QStringLiteral("--probe-seconds 1 --instance ") + QLatin1String(name))));
    EXPECT_TRUE(tracker->Start()) << tracker->output().toStdString();
    return tracker;
  };
  auto a = instance("A"), b = instance("B");
  // That another writer's rooms reach a tracker's kept answers is ManyRoomsFromAnotherWriter's.
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
  // machine busy with other builds.
  // A holds a lease while its probe waits on a silent room's connection.
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

INSTANTIATE_TEST_SUITE_P(Backends, TwoTrackers, testing::Values(tracker::Backend::kPostgresql),
                         tracker::BackendName);

}  // namespace
}  // namespace testing_support
