// SPDX-License-Identifier: MIT
// The metrics of the real room and tracker, scraped while they work, and what Prometheus's own
// checker says of them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <string>

#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/integration/tracker_process.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace {

using testing_support::ChildProcess;
using testing_support::RawClient;
using testing_support::ServerProcess;
using testing_support::TrackerProcess;
namespace to_server = protocol::to_server;

// The body of a GET of the path, or the whole answer when it is no 200.
std::string Scrape(quint16 port, const char* path = "/metrics") {
  const QByteArray answer = testing_support::RawExchange(
      port, QByteArray("GET ") + path + " HTTP/1.1\r\nHost: localhost\r\n\r\n");
  const qsizetype body = answer.indexOf("\r\n\r\n");
  if (!answer.startsWith("HTTP/1.1 200 ") || body < 0) return answer.toStdString();
  return answer.mid(body + 4).toStdString();
}

// The value of one series ("name" or "name{labels}"), or -1 when the scrape lacks it.
double Value(const std::string& scrape, const std::string& series) {
  const std::string start = "\n" + series + " ";
  const size_t at = ("\n" + scrape).find(start);
  if (at == std::string::npos) return -1;
  return std::stod(scrape.substr(at + start.size() - 1));
}

// promtool's verdict on a scrape: empty when it accepts it, else what it said.
std::string PromtoolComplaints(const std::string& scrape) {
  const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
  if (promtool.isEmpty()) return "promtool is not installed (scripts/deps installs it)";
  QProcess check;
  check.setProcessChannelMode(QProcess::MergedChannels);
  check.start(promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
  if (!check.waitForStarted(ChildProcess::kWaitMs)) return "promtool did not start";
  check.write(QByteArray::fromStdString(scrape));
  check.closeWriteChannel();
  if (!check.waitForFinished(ChildProcess::kWaitMs)) return "promtool did not finish";
  const std::string said = check.readAll().toStdString();
  if (check.exitCode() != 0) return said.empty() ? "promtool failed" : said;
  return said;  // lint warnings are printed with a zero exit code too
}

TEST(MetricsProcess, TheRoomsNumbersFollowAGamePlayedOverRawSockets) {
  ServerProcess server;
  server.CopyWordLists(SCRAWLBOX_SOURCE_DIR "/data/Wordlists");
  const quint16 metrics_port = testing_support::FreePort();
  server.arguments = {QStringLiteral("--metrics-port"), QString::number(metrics_port)};
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(server.WaitForOutput(
      QStringLiteral("Metrics at http://127.0.0.1:%1/metrics.").arg(metrics_port)));

  RawClient ann, ben, cid, dee;
  ASSERT_TRUE(ann.Connect(server.port()));
  ASSERT_FALSE(ann.Login("ann").empty());
  ann.Send(to_server::ADMIN, "ann");  // alone in the room: she becomes its admin
  std::string dee_id;
  for (auto [client, name] : {std::pair{&ben, "ben"}, {&cid, "cid"}, {&dee, "dee"}}) {
    ASSERT_TRUE(client->Connect(server.port()));
    dee_id = client->Login(name);
    ASSERT_FALSE(dee_id.empty());
  }

  ann.Send(to_server::SAY, "hello, room");
  ASSERT_TRUE(dee.WaitFor("SAY"));
  ann.Send(to_server::KICK, dee_id + Wire("|") + "rude");
  ASSERT_TRUE(ann.WaitFor("KICKINFO"));
  EXPECT_TRUE(dee.WaitClosed());

  // Ann draws first; a long countdown keeps the round going while the test looks.
  ann.Send(to_server::STARTGAME,
           protocol::JoinFields({"Room", "-", "8", "3", "60000", "60000", Wire("^animals")}));
  const auto word = ann.WaitFor("NEWWORD");
  ASSERT_TRUE(word);
  ann.Send(protocol::DrawCodeWord(protocol::DrawCode::LI), Wire("1|2|3|4"));
  ASSERT_TRUE(ben.WaitFor(protocol::DrawCodeWord(protocol::DrawCode::LI)));
  ben.Send(to_server::SAY, "zzzz");
  ASSERT_TRUE(cid.WaitFor("SAY"));
  ben.Send(to_server::SAY, word->data.substr(0, word->data.find(',')));
  ASSERT_TRUE(cid.WaitFor("WORDFOUND"));

  const std::string scrape = Scrape(metrics_port);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_players"), 3) << scrape;
  EXPECT_EQ(Value(scrape, "scrawlbox_room_connections{state=\"in_room\"}"), 3);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_connections_accepted_total"), 4);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_connections_closed_total{reason=\"kicked\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_connections_closed_total{reason=\"peer_closed\"}"), 0);
  // Three chat lines came in, each once: the greeting (to four), the wrong guess (to three),
  // and the right one, which nobody else sees.
  EXPECT_EQ(Value(scrape, "scrawlbox_room_messages_received_total{kind=\"chat\"}"), 3);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_messages_sent_total{kind=\"chat\"}"), 7);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_messages_received_total{kind=\"drawing\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_messages_sent_total{kind=\"drawing\"}"), 2);
  EXPECT_GT(Value(scrape, "scrawlbox_room_received_bytes_total{kind=\"control\"}"), 0);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_games_started_total"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_rounds_started_total"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_guesses_total{result=\"wrong\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_guesses_total{result=\"correct\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_game_running"), 1);
  EXPECT_GT(Value(scrape, "process_resident_memory_bytes"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");

  // The endpoint answers nothing else, and a hostile request costs it nothing.
  EXPECT_EQ(Scrape(metrics_port, "/").substr(0, 13), "HTTP/1.1 404 ");
  const QByteArray flood = testing_support::RawExchange(metrics_port, QByteArray(64 * 1024, 'A'));
  EXPECT_TRUE(flood.startsWith("HTTP/1.1 431 ")) << flood.left(40).toStdString();
  EXPECT_EQ(Value(Scrape(metrics_port), "scrawlbox_room_players"), 3);
}

TEST(MetricsProcess, TheTrackersNumbersFollowItsRequests) {
  TrackerProcess tracker;
  ASSERT_TRUE(tracker.Start());
  const std::string add =
      "ACTION=ADD&KEY=k1&SERVERNAME=Den&DESC=-&IP=&PORT=2020&SERVERVERSION=1.00&ADMINNAME=a"
      "&ADMINEMAIL=-&ISPUBLIC=False";
  EXPECT_NE(testing_support::Ask(tracker, add).find("SUBMITOK"), std::string::npos);
  EXPECT_NE(testing_support::Ask(tracker,
                                 "ACTION=ADD&KEY=k2&SERVERNAME=Hidden&PORT=2021"
                                 "&ISPUBLIC=True")
                .find("SUBMITOK"),
            std::string::npos);
  EXPECT_NE(testing_support::Ask(tracker, "ACTION=ADD&KEY=k3&SERVERNAME=Bad&PORT=0").find("FAIL"),
            std::string::npos);
  EXPECT_NE(testing_support::Ask(tracker, "ACTION=VIEW").find("Den"), std::string::npos);

  const std::string scrape = Scrape(tracker.port());
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_rooms{visibility=\"listed\"}"), 1) << scrape;
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_rooms{visibility=\"private\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_requests_total{action=\"add\",answer=\"submitok\"}"),
            2);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_requests_total{action=\"add\",answer=\"fail\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_requests_total{action=\"view\",answer=\"rooms\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_refusals_total{reason=\"bad_field\"}"), 1);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_refusals_total{reason=\"rate_limit\"}"), 0);
  EXPECT_EQ(Value(scrape, "scrawlbox_tracker_probes_total{result=\"alive\"}"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");
}

// Under systemd a room has /dev/null for its standard input; started by hand with "<&-" it has
// none. Either way the console ends at once and the room goes on.
TEST(MetricsProcess, ARoomWithoutStandardInputKeepsRunningAndStopsOnSigterm) {
  for (const auto input : {ServerProcess::Input::kNull, ServerProcess::Input::kClosed}) {
    SCOPED_TRACE(input == ServerProcess::Input::kNull ? "/dev/null" : "closed");
    ServerProcess server;
    server.input = input;
    ASSERT_TRUE(server.Start());
    RawClient player;
    ASSERT_TRUE(player.Connect(server.port()));
    ASSERT_FALSE(player.Login("night owl").empty());
    player.Send(to_server::SAY, "still there?");
    EXPECT_TRUE(player.WaitFor("SAY"));
    EXPECT_TRUE(server.Running());
    // Off unless asked for.
    EXPECT_FALSE(server.output().contains(QStringLiteral("Metrics at")));
    server.Terminate();
    EXPECT_TRUE(player.WaitFor("SERVERQUIT"));
    EXPECT_EQ(server.WaitForExit(), 0);
  }
}

}  // namespace
