// SPDX-License-Identifier: MIT
// The real scrawlbox-tracker over HTTP, alone and together with a real room server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <memory>
#include <vector>

#include "directory/records.h"
#include "directory/server_browser.h"
#include "directory/tracker.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/integration/tracker_process.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/temp_dir.h"
#include "tests/tracker/backends.h"
#include "tracker/registry.h"

namespace testing_support {
namespace {

using directory::GetValue;
using directory::ReplyRecord;
using directory::ServerBrowser;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;

// The tracker's process tests, on each back end.
class TrackerOn : public testing::TestWithParam<tracker::Backend> {
 protected:
  void SetUp() override {
    if (GetParam() == tracker::Backend::kPostgresql) SCRAWLBOX_POSTGRES_DATABASE(database_);
  }
  // The options with this back end's database.
  TrackerOptions On(TrackerOptions options = {}) const {
    options.database = database_;
    return options;
  }
  // The database a tracker with those options uses.
  tracker::DatabaseUrl Url(const TrackerProcess& tracker) const {
    std::string error;
    return *tracker::ParseDatabaseUrl(
        database_.empty() ? "sqlite:" + (tracker.dir() / "tracker.sqlite").string() : database_,
        &error);
  }

 private:
  std::string database_;
};

TEST_P(TrackerOn, AnswersViewInChunkedForm) {
  TrackerProcess tracker(On());
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  EXPECT_THAT(ReplyRecord(Ask(tracker, AddQuery("HOST:ANN", 2021, "Sketchers%202"))),
              StartsWith("STATUS=SUBMITOK|EXTRA=|SECRET="));

  // The request lines the programs send, read back the plain way: the text after the headers,
  // the chunk-size line dropped, then one room per line.
  const QByteArray raw =
      RawExchange(tracker.port(),
                  "GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                  "Accept: */*\r\nUser-Agent: Scrawlbox Client v1.0 build#0001\r\n"
                  "Connection: close\r\n\r\n");
  ASSERT_TRUE(raw.startsWith("HTTP/1.1 200 OK\r\n")) << raw.toStdString();
  EXPECT_TRUE(raw.contains("\r\nTransfer-Encoding: chunked\r\n"));
  const QByteArray body = raw.mid(raw.indexOf("\r\n\r\n") + 4);
  const qsizetype size_end = body.indexOf("\r\n");
  bool hex_ok = false;
  const int chunk = body.left(size_end).toInt(&hex_ok, 16);
  ASSERT_TRUE(hex_ok);
  EXPECT_TRUE(body.mid(size_end + 2 + chunk).startsWith("\r\n0\r\n\r\n"));
  const auto rows = ServerBrowser::PublicRows(body.mid(size_end + 2).toStdString());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Sketchers 2");
  EXPECT_EQ(rows[0].description, "Come and draw");
  EXPECT_EQ(GetValue(rows[0].tag, "PORT"), "2021");
  EXPECT_EQ(GetValue(rows[0].tag, "SERVERIP"), "127.0.0.1");
}

TEST(TrackerProcess, ServesTheVersionFilesAsPlainText) {
  TrackerProcess tracker;
  std::filesystem::create_directories(tracker.dir() / "version");
  WriteFile(tracker.dir() / "version" / "client.txt", "102031\r\n");
  ASSERT_TRUE(tracker.Start());
  const auto client = Fetch(tracker.Url("/version/client.txt"));
  ASSERT_TRUE(client.ok) << client.error_text;
  EXPECT_EQ(directory::LatestVersion(client.body), 102031);
  const auto missing = Fetch(tracker.Url("/version/server.txt"));
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(Fetch(tracker.Url("/version/../tracker.sqlite")).ok);
}

TEST_P(TrackerOn, HostileClientsAreHeldWithinBoundsAndNothingBreaks) {
  TrackerProcess tracker(On());
  WriteFile(tracker.dir() / "Tracker.ini",
            "[Tracker]\nHead Seconds=1\nMax Connections Per Address=3\n"
            "Trusted Proxies=127.0.0.3\n");
  ASSERT_TRUE(tracker.Start());
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
  EXPECT_THAT(RoomNames(tracker), IsEmpty());
  EXPECT_EQ(slow.state(), QAbstractSocket::ConnectedState);

  // A head over 8 KiB is refused as soon as it is.
  EXPECT_THAT(RawExchange(tracker.port(), "GET /misc/scrawlbox/tracker.php?ACTION=VIEW&X=" +
                                              QByteArray(1 << 20, 'a'))
                  .toStdString(),
              StartsWith("HTTP/1.1 431 "));
  // The query reaches the service undecoded: a bar, a line break and bytes above 127 stay
  // inside the one field.
  EXPECT_THAT(ReplyRecord(Ask(tracker, AddQuery("K", 2020, "a%7CPORT=9%0D%0A%E9"))),
              StartsWith("STATUS=SUBMITOK|EXTRA=|"));
  const auto rows = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "a\xA6PORT=9\xE9");
  EXPECT_EQ(GetValue(rows[0].tag, "PORT"), "2020");

  EXPECT_THAT(
      RawExchange(tracker.port(), "POST / HTTP/1.1\r\nContent-Length: 1\r\n\r\nx").toStdString(),
      StartsWith("HTTP/1.1 405"));
  EXPECT_THAT(RawExchange(tracker.port(), "\x01\x02 nonsense\r\n\r\n").toStdString(),
              Not(HasSubstr("STATUS=")));

  // The slow client is dropped at its deadline, not before.
  if (slow.state() != QAbstractSocket::UnconnectedState) {
    EXPECT_TRUE(slow.waitForDisconnected(5000));
  }
  EXPECT_GE(dropped_after_ms, 900);  // a coarse timer may fire 5% early
  EXPECT_TRUE(tracker.Running());
  EXPECT_EQ(RoomNames(tracker).size(), 1u);

  // A trusted proxy holds more, and its request counts for the client it names last.
  std::vector<std::unique_ptr<QTcpSocket>> proxied;
  for (int i = 0; i < 3; ++i) {
    proxied.push_back(std::make_unique<QTcpSocket>());
    proxied.back()->bind(QHostAddress(QStringLiteral("127.0.0.3")));
    proxied.back()->connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
    ASSERT_TRUE(proxied.back()->waitForConnected(5000));
  }
  std::string add = AddQuery("P", 2020);
  add.erase(add.find("&IP=127.0.0.1"), 13);
  EXPECT_THAT(RawExchange(tracker.port(),
                          QByteArray::fromStdString("GET " + std::string(TrackerProcess::kPath) +
                                                    "?" + add + " HTTP/1.1\r\n") +
                              "X-Forwarded-For: 6.6.6.6\r\nX-Forwarded-For: 198.51.100.7\r\n\r\n",
                          5000, "127.0.0.3")
                  .toStdString(),
              HasSubstr("STATUS=SUBMITOK"));
  const auto listed = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(GetValue(listed[1].tag, "SERVERIP"), "198.51.100.7");

  // One address holds a few connections; the next is told why, and other addresses are served.
  std::vector<std::unique_ptr<QTcpSocket>> held;
  for (int i = 0; i < 3; ++i) {
    held.push_back(std::make_unique<QTcpSocket>());
    held.back()->connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
    ASSERT_TRUE(held.back()->waitForConnected(5000));
  }
  EXPECT_THAT(RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n").toStdString(),
              StartsWith("HTTP/1.1 503 "));
  EXPECT_THAT(
      RawExchange(tracker.port(), "GET / HTTP/1.1\r\n\r\n", 5000, "127.0.0.2").toStdString(),
      StartsWith("HTTP/1.1 200 "));
}

// The probe rules are the prober's test; here a real room and the real connector.
TEST_P(TrackerOn, ADeadOrAnotherRoomIsDroppedAndALiveOneStays) {
  ServerProcess room("Name=Alive\n");
  ASSERT_TRUE(room.Start());
  TrackerProcess tracker(On({.probe_seconds = 1}));
  ASSERT_TRUE(tracker.Start());
  const std::string live = room.ListingKey();
  ASSERT_EQ(live.size(), 64u);
  Ask(tracker, AddQuery(live, room.port(), "Alive"));
  Ask(tracker, AddQuery("DEAD", FreePort()));
  // A listing aimed at a room that is not the one registered under its key.
  Ask(tracker, AddQuery("AIMED", room.port()));
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped DEAD"), 15000));
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped AIMED"), 15000));
  EXPECT_THAT(RoomNames(tracker), ElementsAre("Alive"));
  EXPECT_THAT(tracker.output().toStdString(), Not(HasSubstr("Dropped " + live)));
}

TEST(TrackerProcess, TheWebPageListsThePublicRoomsInABrowser) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  if (chromium.isEmpty()) {
    GTEST_SKIP() << "headless Chromium is not installed: scripts/deps chromium";
  }
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
  EXPECT_EQ(dom.count(QStringLiteral("<tr class=\"room\">")), 2) << dom.toStdString();
  EXPECT_TRUE(dom.contains(QStringLiteral("<td data-label=\"Room\">Doodle Den</td>")));
  EXPECT_TRUE(dom.contains(QStringLiteral("Caf\u00e9 &lt;b&gt;bold&lt;/b&gt;")));
  EXPECT_TRUE(dom.contains(QStringLiteral("<td data-label=\"Port\">2021</td>")));
  EXPECT_FALSE(dom.contains(QStringLiteral("Hidden")));
  // The lock is drawn, with words for those who cannot see it; how to join is said.
  EXPECT_EQ(dom.count(QStringLiteral("<title>Password needed</title>")), 1);
  EXPECT_TRUE(dom.contains(QStringLiteral("File \u203a Connect..</span>")));
  EXPECT_TRUE(dom.contains(QStringLiteral("<small>2 rooms. ")));
}

// An operator lists the room from the console, a player finds it under Public and joins it, and
// ending the room takes it off the list.
TEST_P(TrackerOn, ARoomSubmittedFromTheConsoleIsFoundJoinedAndRemovedOnExit) {
  TrackerProcess tracker(On());
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

  const auto rows = ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Caf\xE9 & Co\xA6Room");  // 8-bit text arrives as it was
  EXPECT_EQ(rows[0].description, "Pens ready");
  EXPECT_EQ(ServerBrowser::PortFor(&rows[0]), room.port());
  RawClient player;
  ASSERT_TRUE(player.Connect(static_cast<quint16>(ServerBrowser::PortFor(&rows[0]))));
  EXPECT_FALSE(player.Login("Pat").empty());

  room.Terminate();
  EXPECT_EQ(room.WaitForExit(), 0);
  EXPECT_THAT(room.output().toStdString(),
              HasSubstr("Your server details have been removed from the server."));
  EXPECT_THAT(RoomNames(tracker), IsEmpty());
}

TEST(TrackerProcess, AServerWithNoTrackerSaysSoAndStillQuits) {
  ServerProcess room("[Directory]\nTracker URL=http://127.0.0.1:" + std::to_string(FreePort()) +
                     "/misc/scrawlbox/tracker.php\n");
  ASSERT_TRUE(room.Start());
  room.Command("submit");
  EXPECT_TRUE(room.WaitForOutput(QStringLiteral("Tracker Socket Error: [")));
  EXPECT_THAT(room.output().toStdString(), Not(HasSubstr("Connected")));
  room.Command("update");
  EXPECT_TRUE(room.WaitForOutput(QStringLiteral("Error checking for update!")));
  room.Terminate();
  EXPECT_EQ(room.WaitForExit(), 0);
}

// Many rooms, put straight into the database as other instances would: they reach the kept
// answers, and the page's paging and search are read from the URL.
TEST_P(TrackerOn, ManyRoomsFromAnotherWriterAreListedInPagesAndFoundByName) {
  TrackerProcess tracker(On());
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  EXPECT_THAT(RoomNames(tracker), IsEmpty());  // an answer to keep
  {
    tracker::Registry store;
    ASSERT_TRUE(store.Open(Url(tracker))) << store.error().toStdString();
    for (int i = 0; i < 250; ++i) {
      tracker::Room room;
      room.key = "K" + std::to_string(i);
      room.name = (i % 50 == 7 ? "Caf\xE9 " : "Room ") + std::to_string(i);
      room.address = "127.0.0.1";
      room.port = 2020;
      room.players = i;
      room.source = "10.0." + std::to_string(i / 20) + ".1";
      ASSERT_EQ(
          store.Add(room, {.max_per_address = 0}, int64_t{i} * tracker::RoomStore::kRateWindowMs)
              .result,
          tracker::RoomStore::AddResult::kAdded);
    }
  }
  // Another writer's rooms reach the kept answers within two seconds.
  EXPECT_TRUE(
      WaitUntil([&] { return RoomNames(tracker, "ACTION=VIEW&MAX=500").size() == 250; }, 2000));
  const auto page = [&](const std::string& query) {
    const auto answer = Fetch(tracker.Url("/" + query));
    EXPECT_TRUE(answer.ok) << answer.error_text;
    return answer.body;
  };
  const std::string first = page("");
  EXPECT_EQ(QString::fromStdString(first).count(QStringLiteral("<tr class=\"room\">")), 100);
  EXPECT_THAT(first, HasSubstr("Page 1 of 3"));
  const std::string third = page("?page=3");
  EXPECT_EQ(QString::fromStdString(third).count(QStringLiteral("<tr class=\"room\">")), 50);
  // The form sends the search as the browser types it: UTF-8, spaces as "+".
  const std::string found = page("?q=caf%C3%A9+");
  EXPECT_EQ(QString::fromStdString(found).count(QStringLiteral("<tr class=\"room\">")), 5);
}

SCRAWLBOX_ON_BACKENDS(TrackerOn);

}  // namespace
}  // namespace testing_support
