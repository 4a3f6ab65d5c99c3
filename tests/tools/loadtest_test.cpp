// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/http/request_head.h"
#include "common/http/websocket.h"
#include "protocol/framing.h"
#include "tests/support/fake_transport.h"
#include "tests/support/wire.h"
#include "tools/loadtest/load_options.h"
#include "tools/loadtest/load_run.h"

using testing_support::Render;
using testing_support::Wire;

namespace loadtest {
namespace {

using Args = std::vector<std::string>;

TEST(LoadOptions, TakesAnAddressWithAnOptionalPortAndRefusesWhatWouldMakeItAnAttack) {
  std::string error;
  // The address is read by the client's parser, tested with the client.
  const auto v6 =
      ParseLoadOptions({"[::1]:3000", "--players", "3"}, &error).value_or(LoadOptions{});
  EXPECT_EQ(v6.host + " " + std::to_string(v6.port), "::1 3000");
  EXPECT_TRUE(ParseLoadOptions({"h", "--players", "5000"}, &error));
  EXPECT_FALSE(ParseLoadOptions({"h", "--players", "5001"}, &error));
  EXPECT_NE(error.find("5000"), std::string::npos);
  for (const Args& args :
       {Args{"h", "--players", "1"}, Args{"h", "--players", "3", "--seconds", "3601"},
        Args{"h", "--players", "3", "--seconds", "0"}, Args{"h", "--players", "3", "--chat", "-1"},
        Args{"h", "--players", "3", "--chatters", "3"}, Args{"h", "--players", "3", "--rate"},
        Args{"h", "--players", "3", "--rate", "fast"}, Args{"h", "--players", "3", "--frobnicate"},
        Args{"--players", "3"}, Args{"a", "b", "--players", "3"},
        Args{"h:abc", "--players", "3"}}) {
    EXPECT_FALSE(ParseLoadOptions(args, &error)) << args.back();
  }
  const auto all =
      ParseLoadOptions({"h", "--players", "64", "--rate", "50.5", "--seconds", "2", "--burst",
                        "--chat", "1", "--chatters", "50", "--json", "--tls"},
                       &error)
          .value_or(LoadOptions{});
  EXPECT_EQ(std::tuple(all.rate, all.burst, all.json, all.chatters, all.web, all.tls),
            std::tuple(50.5, true, true, 50, true, true));
}

// Plays the room: what each player wrote, and the room's answers fed back by the test.
struct Room : LoadRun::Output {
  void Send(int player, std::string_view bytes) override { written[player] += bytes; }
  // What one player wrote since the last call.
  std::vector<protocol::Message> Take(int player) {
    return testing_support::CutMessages(std::exchange(written[player], {}));
  }
  std::map<int, std::string> written;
};

// The room relays the artist's strokes (with its id in front) to one viewer.
void Relay(LoadRun& run, int viewer, const std::vector<std::string>& strokes, int64_t now) {
  std::string bytes;
  for (const std::string& s : strokes) bytes += protocol::Frame("FH", "100" + Wire("|") + s);
  run.OnData(viewer, bytes, now);
}

TEST(LoadRun, LogsInDrawsWithinTheWindowCountsEveryStrokeOnceAndChats) {
  LoadOptions options;
  options.players = 3;
  options.window = 10;
  options.run_tag = 7;
  options.chatters = 1;
  Room room;
  LoadRun run(options, room);
  // Every player logs in as the room answers, the last at 3 ms; answers may arrive cut anywhere.
  for (int p = 0; p < 3; ++p) {
    run.OnConnected(p, 0);
    const std::string answers = protocol::Frame("SCRAWLBOX_S3RV3R", "0100") +
                                protocol::Frame("USEROK", std::to_string(100 + p)) +
                                protocol::Frame("PASSOK", "1") + protocol::Frame("ULIST", "x") +
                                protocol::Frame("ULISTEND", "-");
    run.OnData(p, answers.substr(0, 5), 0);
    run.OnData(p, answers.substr(5), 1000000 * (p + 1));
    EXPECT_THAT(Render(room.Take(p)),
                testing::MatchesRegex("SCRAWLBOX_CL13NT [0-9]+, USER load" + std::to_string(p) +
                                      "\\|0\\|0\\|-\\|-\\|-\\|-, PASS <none>, ULISTREQ -"));
  }
  EXPECT_EQ(run.logged_in(), 3);
  // A picture from another artist, and one from a run whose artist had the same id, are not ours.
  run.OnData(1, protocol::Frame("FH", Wire("555|0|1|2|3")), 0);
  run.OnData(1, protocol::Frame("FH", Wire("100|0|1|2|3|99")), 0);
  // Bursts stay within the window of the slowest viewer.
  EXPECT_EQ(run.DrawAllowance(), 10u);
  run.Draw(10, 1000000);
  EXPECT_EQ(run.DrawAllowance(), 0u);
  std::vector<std::string> strokes, more;
  for (const auto& m : room.Take(0)) strokes.push_back(m.data);
  Relay(run, 1, strokes, 1000000 + 300000);  // 300 µs later
  EXPECT_EQ(run.DrawAllowance(), 0u);        // viewer 2 has nothing yet
  Relay(run, 2, {strokes.begin(), strokes.begin() + 4}, 1000000 + 500000);
  EXPECT_EQ(run.DrawAllowance(), 4u);
  EXPECT_FALSE(run.AllDelivered());
  Relay(run, 2, {strokes.begin() + 4, strokes.end()}, 1000000 + 500000);
  EXPECT_TRUE(run.AllDelivered());
  EXPECT_EQ(ReportJson(run.Report(0)),
            "{\"players\": 3, \"mode\": \"rate\", \"rate\": 200, \"seconds\": 5, \"logged_in\": 3, "
            "\"login_ms\": 3.0, \"sent\": 10, \"delivered\": 20, \"expected\": 20, \"lost\": 0, "
            "\"out_of_order\": 0, \"closed\": 0, \"per_second\": 40000, \"p50_us\": 300, "
            "\"p90_us\": 500, \"p99_us\": 500, \"max_us\": 500, \"chat_sent\": 0, "
            "\"chat_received\": 0}\n");
  // Losses, reordering and echoes are found.
  run.Draw(3, 2000000);
  for (const auto& m : room.Take(0)) more.push_back(m.data);
  Relay(run, 1, {more[1], more[0], more[2]}, 2000010);  // reordered
  Relay(run, 2, {more[0]}, 2000010);                    // the rest never comes
  Relay(run, 0, {more[0]}, 2000010);                    // echoed to the artist
  EXPECT_FALSE(run.AllDelivered());
  // Only the chatters chat, and pings are answered.
  run.Chat();
  run.Chat();
  EXPECT_EQ(Render(room.Take(1)), "SAY chat line 0, SAY chat line 1");
  run.OnData(2, protocol::Frame("PING", "-") + protocol::Frame("SAY", Wire("x|hi")), 0);
  EXPECT_EQ(Render(room.Take(2)), "PONG -");
  EXPECT_THAT(ReportText(run.Report(0)),
              testing::AllOf(testing::HasSubstr("Relayed: 24 of 26 strokes to the viewers, "),
                             testing::HasSubstr("\nLost: 2, out of order: 4, "),
                             testing::EndsWith("\nChat: 2 lines said, 1 received\n")));
}

// A made room of a host is named by its code before each player's greeting.
TEST(LoadRun, PlayersOfAMadeRoomNameItFirst) {
  std::string error;
  const LoadOptions options =
      ParseLoadOptions({"h:3000/abc", "--players", "2"}, &error).value_or(LoadOptions{});
  Room room;
  LoadRun run(options, room);
  run.OnConnected(1, 0);
  EXPECT_THAT(Render(room.Take(1)), testing::StartsWith("ROOM abc, SCRAWLBOX_CL13NT "));
}

TEST(LoadRun, TheRoomsRefusalIsWhatTheOperatorIsTold) {
  LoadOptions options;
  options.players = 2;
  Room room;
  LoadRun refused(options, room), banned(options, room);
  refused.OnConnected(0, 0);
  refused.OnData(0, protocol::Frame("NOTICE", "Too many connections from your address."), 0);
  refused.OnClosed(0);
  EXPECT_EQ(refused.failure(),
            "the room closed a connection during the login: \"Too many connections from your "
            "address.\"");
  banned.OnConnected(0, 0);
  banned.OnData(0, protocol::Frame("BANNED", "-"), 0);
  EXPECT_EQ(banned.failure(), "this address is banned from the room");
}

// What frames carried, in order: the bytes joined, then each ping and close.
struct Frames : http::websocket::FrameHandler {
  void OnData(std::string_view bytes) override { data += bytes; }
  void OnPing(std::string_view payload) override { events += "ping " + std::string(payload) + ";"; }
  void OnClose(uint16_t code, std::string_view) override {
    events += "close " + std::to_string(code) + ";";
  }
  std::string data, events;
};

TEST(WebPlayers, UpgradeAndFramesRoundTripThroughTheRoomsCodec) {
  namespace ws = http::websocket;
  const std::string key = ws::NewKey();
  http::RequestHead head;
  ASSERT_TRUE(head.Feed(ws::UpgradeRequest("127.0.0.1:2021", "/play", key)));
  const std::string answer = ws::AnswerUpgrade(head, {}).answer;
  EXPECT_EQ(ws::ReadUpgradeReply(answer.substr(0, 30), key).state,
            ws::UpgradeReply::State::kReading);
  const ws::UpgradeReply accepted = ws::ReadUpgradeReply(answer + "\x82", key);
  EXPECT_EQ(std::tuple(accepted.state, accepted.head_size),
            std::tuple(ws::UpgradeReply::State::kAccepted, answer.size()));
  EXPECT_EQ(ws::ReadUpgradeReply(answer, ws::NewKey()).status, "HTTP/1.1 101 Switching Protocols");
  EXPECT_EQ(ws::ReadUpgradeReply(std::string(ws::kMaxReplyHead + 1, 'x'), key).state,
            ws::UpgradeReply::State::kRefused);

  // The players' masked frames, of every length form, read by the room as they were written.
  const std::string big(70000, '\x7f');
  std::string out;
  for (const std::string& payload : {std::string("hi"), std::string(300, 'a'), big}) {
    ws::AppendMaskedFrame(out, ws::Opcode::kBinary, payload, 0x12345678);
  }
  Frames room;
  ws::FrameReader reader(1 << 20);
  EXPECT_TRUE(reader.Feed(out, 0, room));
  EXPECT_EQ(room.data, "hi" + std::string(300, 'a') + big);

  // The room's frames read in pieces; a masked frame or a text frame from the room ends it.
  const std::string from_room = ws::Frame(ws::Opcode::kBinary, big) +
                                ws::Frame(ws::Opcode::kPing, "p") + ws::CloseFrame(1001, "bye");
  Frames player;
  ws::FrameReader frames(SIZE_MAX, ws::FrameReader::Sender::kRoom);
  for (size_t at = 0; at < from_room.size(); at += 999)
    frames.Feed(from_room.substr(at, 999), 0, player);
  EXPECT_EQ(std::tuple(player.data == big, player.events), std::tuple(true, "ping p;close 1001;"));
  for (const std::string& bad : {out, ws::Frame(ws::Opcode::kText, "x")}) {
    ws::FrameReader faulty(SIZE_MAX, ws::FrameReader::Sender::kRoom);
    EXPECT_FALSE(faulty.Feed(bad, 0, player));
    EXPECT_NE(faulty.fault_code(), 0);
  }
}

}  // namespace
}  // namespace loadtest
