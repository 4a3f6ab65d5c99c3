// SPDX-License-Identifier: MIT
// The metrics of the real room and tracker, scraped while they work, and what Prometheus's own
// checker says of them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <string>

#include "protocol/commands.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/integration/tracker_process.h"

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

// What the counters count is the room's own (metrics_test); here the program serves them.
TEST(MetricsProcess, TheRoomServesItsNumbersOverHttp) {
  ServerProcess server;
  const quint16 metrics_port = testing_support::FreePort();
  server.arguments = {QStringLiteral("--metrics-port"), QString::number(metrics_port)};
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(server.WaitForOutput(
      QStringLiteral("Metrics at http://127.0.0.1:%1/metrics.").arg(metrics_port)));
  RawClient ann;
  ASSERT_TRUE(ann.Connect(server.port()));
  ASSERT_FALSE(ann.Login("ann").empty());

  const std::string scrape = Scrape(metrics_port);
  EXPECT_EQ(Value(scrape, "scrawlbox_room_players"), 1) << scrape;
  EXPECT_GT(Value(scrape, "process_resident_memory_bytes"), 0);
  EXPECT_EQ(PromtoolComplaints(scrape), "");

  // The endpoint answers nothing else, and a hostile request costs it nothing.
  EXPECT_EQ(Scrape(metrics_port, "/").substr(0, 13), "HTTP/1.1 404 ");
  const QByteArray flood = testing_support::RawExchange(metrics_port, QByteArray(64 * 1024, 'A'));
  EXPECT_TRUE(flood.startsWith("HTTP/1.1 431 ")) << flood.left(40).toStdString();
  EXPECT_EQ(Value(Scrape(metrics_port), "scrawlbox_room_players"), 1);
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
