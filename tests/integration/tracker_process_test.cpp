// SPDX-License-Identifier: MIT
// The real scrawlbox-tracker over HTTP, alone and together with a real room server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>

#include "directory/records.h"
#include "directory/server_browser.h"
#include "directory/tracker.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/integration/tracker_process.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

using directory::GetValue;
using directory::ReplyRecord;
using directory::ServerBrowser;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

std::string AddQuery(const std::string& key, const std::string& name, int port,
                     const std::string& extra = "&ISPUBLIC=False") {
  return "ACTION=ADD&KEY=" + key + "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + name +
         "&DESC=Come%20and%20draw&IP=127.0.0.1&PORT=" + std::to_string(port) +
         "&ADMINNAME=Ann&ADMINEMAIL=&TOTALCONNECTIONS=0&TOTALGAMES=0&TOTALROUNDS=0"
         "&TOTALWORDS=10&TOTALWORDLISTS=1" +
         extra;
}

std::vector<std::string> RoomNames(const std::string& view_body) {
  std::vector<std::string> names;
  for (const auto& row : ServerBrowser::PublicRows(view_body)) names.push_back(row.name);
  return names;
}

TEST(TrackerProcess, AnswersAddRemoveAndViewInChunkedForm) {
  TrackerProcess tracker;
  ASSERT_TRUE(tracker.Start()) << tracker.output().toStdString();
  EXPECT_EQ(ReplyRecord(Ask(tracker, AddQuery("HOST:ANN", "Sketchers", 2020))),
            "STATUS=SUBMITOK|EXTRA=");
  EXPECT_EQ(ReplyRecord(Ask(tracker, AddQuery("HOST:ANN", "Sketchers%202", 2021))),
            "STATUS=UPDATEOK|EXTRA=");

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

  EXPECT_EQ(ReplyRecord(Ask(tracker, "ACTION=REMOVE&KEY=HOST:ANN")), "STATUS=REMOVEOK|EXTRA=");
  EXPECT_EQ(ReplyRecord(Ask(tracker, "ACTION=REMOVE&KEY=HOST:ANN")), "STATUS=NOTFOUND|EXTRA=");
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("No servers online."));
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

TEST(TrackerProcess, HostileRequestsGetReasonsAndNothingBreaks) {
  TrackerProcess tracker({.request_seconds = 1});
  ASSERT_TRUE(tracker.Start());
  // A client that starts a request and never finishes it holds one connection only, and that
  // only until its deadline.
  QTcpSocket slow;
  QElapsedTimer clock;
  qint64 dropped_after_ms = -1;
  QObject::connect(&slow, &QTcpSocket::disconnected, [&] { dropped_after_ms = clock.elapsed(); });
  slow.connectToHost(QStringLiteral("127.0.0.1"), tracker.port());
  ASSERT_TRUE(slow.waitForConnected(5000));
  clock.start();
  slow.write("GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHo");
  slow.waitForBytesWritten(5000);
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("No servers online."));
  EXPECT_EQ(slow.state(), QAbstractSocket::ConnectedState);

  EXPECT_EQ(ReplyRecord(Ask(tracker, "ACTION=VIEW&X=" + std::string(1 << 20, 'a'))),
            "STATUS=ERROR|EXTRA=The request is too long.");
  EXPECT_EQ(ReplyRecord(Ask(tracker, "KEY=x")), "STATUS=ERROR|EXTRA=No ACTION was given.");
  EXPECT_EQ(ReplyRecord(Ask(tracker, "ACTION=NUKE")), "STATUS=ERROR|EXTRA=Unknown ACTION NUKE.");
  EXPECT_EQ(ReplyRecord(Ask(tracker, "ACTION=VIEW&ACTION=VIEW")),
            "STATUS=ERROR|EXTRA=ACTION was given more than once.");
  EXPECT_EQ(
      GetValue(ReplyRecord(Ask(tracker, AddQuery("K", std::string(21, 'n'), 2020))), "STATUS"),
      "FAIL");
  EXPECT_EQ(GetValue(ReplyRecord(Ask(tracker, AddQuery("K", "ok", 0))), "STATUS"), "FAIL");
  // A bar, a line break and bytes above 127 stay inside the one field.
  EXPECT_EQ(ReplyRecord(Ask(tracker, AddQuery("K", "a%7CPORT=9%0D%0A%E9", 2020))),
            "STATUS=SUBMITOK|EXTRA=");
  // A broken escape is kept as it stands.
  EXPECT_EQ(ReplyRecord(Ask(tracker, AddQuery("K2", "%zz", 2021))), "STATUS=SUBMITOK|EXTRA=");
  const auto view = Ask(tracker, "ACTION=VIEW");
  const auto rows = ServerBrowser::PublicRows(view);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "a\xA6PORT=9\xE9");
  EXPECT_EQ(rows[1].name, "%zz");
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
  EXPECT_EQ(RoomNames(Ask(tracker, "ACTION=VIEW")).size(), 2u);
}

TEST(TrackerProcess, TenAddsAMinuteFromOneAddress) {
  TrackerProcess tracker;
  ASSERT_TRUE(tracker.Start());
  for (int i = 0; i < 10; ++i) {
    EXPECT_THAT(ReplyRecord(Ask(tracker, AddQuery("K" + std::to_string(i), "r", 2020))),
                StartsWith("STATUS=SUBMITOK"));
  }
  EXPECT_EQ(GetValue(ReplyRecord(Ask(tracker, AddQuery("K99", "r", 2020))), "STATUS"), "FAIL");
  EXPECT_EQ(RoomNames(Ask(tracker, "ACTION=VIEW")).size(), 10u);
}

TEST(TrackerProcess, ADeadRoomIsDroppedAfterThreeProbesAndALiveOneStaysUntilItDies) {
  ServerProcess room("Name=Alive\n");
  ASSERT_TRUE(room.Start());
  TrackerProcess tracker({.probe_seconds = 1});
  ASSERT_TRUE(tracker.Start());
  Ask(tracker, AddQuery("LIVE", "Alive", room.port()));
  Ask(tracker, AddQuery("DEAD", "Gone", FreePort()));
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("Alive", "Gone"));
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped DEAD"), 15000));
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("Alive"));
  EXPECT_THAT(tracker.output().toStdString(), Not(HasSubstr("Dropped LIVE")));

  // A room that dies later goes the same way.
  room.Terminate();
  ASSERT_EQ(room.WaitForExit(), 0);
  EXPECT_TRUE(tracker.WaitForOutput(QStringLiteral("Dropped LIVE"), 15000));
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("No servers online."));
}

TEST(TrackerProcess, TheWebPageListsThePublicRoomsInABrowser) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  if (chromium.isEmpty()) {
    GTEST_SKIP() << "headless Chromium is not installed: scripts/deps chromium";
  }
  TrackerProcess tracker;
  ASSERT_TRUE(tracker.Start());
  Ask(tracker, AddQuery("A", "Doodle%20Den", 2020));
  Ask(tracker, AddQuery("B", "Caf%E9%20%3Cb%3Ebold%3C%2Fb%3E", 2021));
  Ask(tracker, AddQuery("C", "Hidden", 2022, "&ISPUBLIC=True"));

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
}

// An operator lists the room from the console, a player finds it under Public and joins it, and
// ending the room takes it off the list.
TEST(TrackerProcess, ARoomSubmittedFromTheConsoleIsFoundJoinedAndRemovedOnExit) {
  TrackerProcess tracker;
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

  room.Command("submit");
  EXPECT_TRUE(room.WaitForOutput(QStringLiteral("have been updated in the public database")));

  room.Terminate();
  EXPECT_EQ(room.WaitForExit(), 0);
  EXPECT_THAT(room.output().toStdString(),
              HasSubstr("Your server details have been removed from the server."));
  EXPECT_THAT(RoomNames(Ask(tracker, "ACTION=VIEW")), ElementsAre("No servers online."));
}

TEST(TrackerProcess, AServerWithNoTrackerSaysSoAndStillQuits) {
  ServerProcess room("[Directory]\nTracker URL=http://127.0.0.1:" + std::to_string(FreePort()) +
                     "/misc/scrawlbox/tracker.php\n");
  ASSERT_TRUE(room.Start());
  room.Command("submit");
  EXPECT_TRUE(room.WaitForOutput(QStringLiteral("Tracker Socket Error: [")));
  room.Command("update");
  EXPECT_TRUE(room.WaitForOutput(QStringLiteral("Error checking for update!")));
  room.Terminate();
  EXPECT_EQ(room.WaitForExit(), 0);
}

}  // namespace
}  // namespace testing_support
