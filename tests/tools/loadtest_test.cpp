// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "protocol/framing.h"
#include "tests/support/wire.h"
#include "tools/loadtest/load_options.h"
#include "tools/loadtest/load_run.h"

using testing_support::Wire;

namespace loadtest {
namespace {

std::optional<LoadOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string ignored;
  return ParseLoadOptions(args, error ? error : &ignored);
}

// As in the client, a bare IPv6 address means the default port.
TEST(LoadOptions, AddressesTakeAnOptionalPortAndIpv6InBrackets) {
  using Row = std::pair<std::string, std::string>;
  for (const auto& [address, parsed] :
       {Row{"example.org", "example.org 2020"}, Row{"127.0.0.1:2021", "127.0.0.1 2021"},
        Row{"[::1]:3000", "::1 3000"}, Row{"::1", "::1 2020"}, Row{"host:", ""}, Row{":2020", ""},
        Row{"host:99999", ""}, Row{"host:abc", ""}, Row{"[::1", ""}, Row{"[::1]x", ""}}) {
    std::string error;
    const auto options = Parse({address, "--players", "3"}, &error);
    EXPECT_EQ(options ? options->host + " " + std::to_string(options->port) : "", parsed);
    EXPECT_EQ(error.empty(), options.has_value()) << address;
  }
}

TEST(LoadOptions, RefusesWhatWouldTurnItIntoAnAttack) {
  std::string error;
  EXPECT_TRUE(Parse({"h", "--players", "5000"}));
  EXPECT_FALSE(Parse({"h", "--players", "5001"}, &error));
  EXPECT_NE(error.find("5000"), std::string::npos);
  using Args = std::vector<std::string>;
  for (const Args& args :
       {Args{"h", "--players", "1"}, Args{"h", "--players", "3", "--seconds", "3601"},
        Args{"h", "--players", "3", "--seconds", "0"}, Args{"h", "--players", "3", "--chat", "-1"},
        Args{"h", "--players", "3", "--chatters", "3"}, Args{"h", "--players", "3", "--rate"},
        Args{"h", "--players", "3", "--rate", "fast"}, Args{"h", "--players", "3", "--frobnicate"},
        Args{"--players", "3"}, Args{"a", "b", "--players", "3"}}) {
    EXPECT_FALSE(Parse(args)) << args.back();
  }
  const auto all = Parse({"h", "--players", "64", "--rate", "50.5", "--seconds", "2", "--burst",
                          "--chat", "1", "--chatters", "50", "--json"});
  ASSERT_TRUE(all);
  EXPECT_DOUBLE_EQ(all->rate, 50.5);
  EXPECT_TRUE(all->burst);
  EXPECT_TRUE(all->json);
  EXPECT_EQ(all->chatters, 50);
}

// Plays the room: what each player wrote, and the room's answers fed back by the test.
class Room : public LoadRun::Output {
 public:
  void Send(int player, std::string_view bytes) override { written[player] += bytes; }

  // The messages one player wrote since the last call, as "COMMAND data".
  std::vector<std::string> Take(int player) {
    std::vector<std::string> messages;
    std::string& bytes = written[player];
    size_t start = 0;
    for (size_t end; (end = bytes.find(protocol::kMessageEnd, start)) != std::string::npos;) {
      const auto m = protocol::ParseMessage(std::string_view(bytes).substr(start, end - start));
      messages.push_back(std::string(m.command) + " " + std::string(m.data));
      start = end + 1;
    }
    bytes.erase(0, start);
    return messages;
  }

  std::map<int, std::string> written;
};

class LoadRunTest : public testing::Test {
 protected:
  static LoadOptions Three() {
    LoadOptions options;
    options.players = 3;
    options.window = 10;
    options.run_tag = 7;
    return options;
  }

  // Takes every player through the login as the room answers it.
  void LogIn(LoadRun& run) {
    for (int p = 0; p < run.players(); ++p) {
      run.OnConnected(p, 0);
      ASSERT_EQ(room_.Take(p).at(0).rfind("SCRAWLBOX_CL13NT ", 0), 0u);
      run.OnData(p, protocol::Frame("SCRAWLBOX_S3RV3R", "0100"), 0);
      ASSERT_EQ(room_.Take(p).at(0).rfind("USER load" + std::to_string(p), 0), 0u);
      run.OnData(p, protocol::Frame("USEROK", std::to_string(100 + p)), 0);
      ASSERT_EQ(room_.Take(p), std::vector<std::string>{"PASS <none>"});
      // The answers may arrive cut anywhere.
      const std::string rest = protocol::Frame("PASSOK", "1") + protocol::Frame("ULIST", "x") +
                               protocol::Frame("ULISTEND", "-");
      run.OnData(p, rest.substr(0, 5), 0);
      run.OnData(p, rest.substr(5), 1000000 * (p + 1));
      ASSERT_EQ(room_.Take(p), std::vector<std::string>{"ULISTREQ -"});
    }
    ASSERT_EQ(run.logged_in(), run.players());
  }

  // The room relays the artist's strokes (with its id in front) to one viewer.
  void Relay(LoadRun& run, int viewer, const std::vector<std::string>& strokes, int64_t now) {
    std::string bytes;
    for (const std::string& s : strokes) {
      bytes += protocol::Frame("FH", "100" + std::string(1, protocol::kFieldSep) + s);
    }
    run.OnData(viewer, bytes, now);
  }

  std::vector<std::string> DrawnData() {
    std::vector<std::string> data;
    for (const std::string& m : room_.Take(0)) data.push_back(m.substr(3));  // after "FH "
    return data;
  }

  LoadOptions options_ = Three();
  Room room_;
  LoadRun run{options_, room_};
};

TEST_F(LoadRunTest, CountsEveryStrokeOnceAndMeasuresItsWay) {
  LogIn(run);
  run.Draw(4, 1000000);
  const auto strokes = DrawnData();
  ASSERT_EQ(strokes.size(), 4u);
  Relay(run, 1, strokes, 1000000 + 300000);  // 300 µs later
  Relay(run, 2, strokes, 1000000 + 500000);
  EXPECT_TRUE(run.AllDelivered());
  // The last login ended at 3 ms.
  EXPECT_EQ(ReportJson(run.Report(0)),
            "{\"players\": 3, \"mode\": \"rate\", \"rate\": 200, \"seconds\": 5, \"logged_in\": 3, "
            "\"login_ms\": 3.0, \"sent\": 4, \"delivered\": 8, \"expected\": 8, \"lost\": 0, "
            "\"out_of_order\": 0, \"closed\": 0, \"per_second\": 16000, \"p50_us\": 300, "
            "\"p90_us\": 500, \"p99_us\": 500, \"max_us\": 500, \"chat_sent\": 0, "
            "\"chat_received\": 0}\n");
}

TEST_F(LoadRunTest, LossesReorderingAndEchoesAreFound) {
  LogIn(run);
  run.Draw(3, 0);
  const auto strokes = DrawnData();
  Relay(run, 1, {strokes[1], strokes[0], strokes[2]}, 10);  // reordered
  Relay(run, 2, {strokes[0]}, 10);                          // the rest never comes
  Relay(run, 0, {strokes[0]}, 10);                          // echoed to the artist
  EXPECT_FALSE(run.AllDelivered());
  EXPECT_THAT(ReportText(run.Report(0)),
              testing::AllOf(testing::HasSubstr("Relayed: 4 of 6 strokes to the viewers, "),
                             testing::HasSubstr("\nLost: 2, out of order: 4, ")));
}

TEST_F(LoadRunTest, AnEarlierPictureInTheRoomIsNotTakenForThisRunsStrokes) {
  LogIn(run);
  // A picture from another artist, and one from a run whose artist had the same id.
  run.OnData(1, protocol::Frame("FH", Wire("555|0|1|2|3")), 0);
  run.OnData(1, protocol::Frame("FH", Wire("100|0|1|2|3|99")), 0);
  run.Draw(1, 0);
  Relay(run, 1, DrawnData(), 5);
  const LoadReport report = run.Report(0);
  EXPECT_EQ(report.delivered, 1u);
  EXPECT_EQ(report.out_of_order, 0u);
}

TEST_F(LoadRunTest, BurstsStayWithinTheWindowOfTheSlowestViewer) {
  LogIn(run);
  EXPECT_EQ(run.DrawAllowance(), 10u);
  run.Draw(10, 0);
  EXPECT_EQ(run.DrawAllowance(), 0u);
  const auto strokes = DrawnData();
  Relay(run, 1, strokes, 1);
  EXPECT_EQ(run.DrawAllowance(), 0u);  // viewer 2 has nothing yet
  Relay(run, 2, {strokes.begin(), strokes.begin() + 4}, 1);
  EXPECT_EQ(run.DrawAllowance(), 4u);
}

TEST_F(LoadRunTest, TheRoomsRefusalIsWhatTheOperatorIsTold) {
  run.OnConnected(0, 0);
  run.OnData(0, protocol::Frame("NOTICE", "Too many connections from your address."), 0);
  run.OnClosed(0);
  EXPECT_NE(run.failure().find("Too many connections from your address."), std::string::npos);

  LoadRun banned(options_, room_);
  banned.OnConnected(0, 0);
  banned.OnData(0, protocol::Frame("BANNED", "-"), 0);
  EXPECT_NE(banned.failure().find("banned"), std::string::npos);
}

TEST_F(LoadRunTest, ChattersTakeTurnsAndPingsAreAnswered) {
  options_.players = 4;
  options_.chatters = 2;
  LoadRun chat(options_, room_);
  LogIn(chat);
  for (int i = 0; i < 4; ++i) chat.Chat();
  EXPECT_EQ(room_.Take(1).size(), 2u);
  EXPECT_EQ(room_.Take(2).size(), 2u);
  EXPECT_TRUE(room_.Take(3).empty());
  chat.OnData(3, protocol::Frame("PING", "-") + protocol::Frame("SAY", Wire("x|hi")), 0);
  EXPECT_EQ(room_.Take(3), std::vector<std::string>{"PONG -"});
  EXPECT_EQ(chat.Report(0).chat_received, 1u);
}

}  // namespace
}  // namespace loadtest
