// SPDX-License-Identifier: MIT
// The room's counters, as a run of the room makes them move.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>

#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/support/game_harness.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::HasSubstr;
using testing_support::GameHarness;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// "messages/bytes" of the kind, received or sent.
std::string Counted(const std::array<RoomCounters::Traffic, kMessageKinds>& t, MessageKind kind) {
  const auto& traffic = t[static_cast<size_t>(kind)];
  return std::to_string(traffic.messages) + "/" + std::to_string(traffic.bytes);
}
uint64_t Closed(const ServerHarness& h, CloseReason reason) {
  return h.server.counters().closed[static_cast<size_t>(reason)];
}
uint64_t ClosedInAll(const ServerHarness& h) {
  uint64_t all = 0;
  for (uint64_t n : h.server.counters().closed) all += n;
  return all;
}

using Traffic = testing_support::ThreeInRoom<ServerHarness>;

// A chat line is received once and relayed to all three, the speaker included, with the
// speaker's id in front; drawing counts as drawing, and what a joiner gets of the picture too.
TEST_F(Traffic, MessagesAreCountedByKindAsReceivedAndAsSent) {
  const auto control = h.server.counters().sent[static_cast<size_t>(MessageKind::kControl)];
  h.Send(a, to_server::SAY, "hello");
  const RoomCounters& counters = h.server.counters();
  const size_t said = protocol::Frame(to_server::SAY, "hello").size();
  const size_t relayed = protocol::Frame("SAY", Wire("100000|hello")).size();
  EXPECT_EQ(Counted(counters.received, MessageKind::kChat), "1/" + std::to_string(said));
  EXPECT_EQ(Counted(counters.sent, MessageKind::kChat), "3/" + std::to_string(3 * relayed));
  EXPECT_EQ(counters.sent[static_cast<size_t>(MessageKind::kControl)].messages, control.messages);
  const std::string word(protocol::DrawCodeWord(protocol::DrawCode::LI));
  for (int i = 0; i < 3; ++i) h.Send(a, word, Wire("1|2|3|4"));
  EXPECT_THAT(Counted(counters.received, MessageKind::kDrawing), testing::StartsWith("3/"));
  EXPECT_THAT(Counted(counters.sent, MessageKind::kDrawing), testing::StartsWith("6/"));
  // The joiner is sent the three strokes as one piece of the picture: still three messages.
  h.Join("dee");
  EXPECT_THAT(Counted(counters.sent, MessageKind::kDrawing), testing::StartsWith("9/"));
  // An unknown command is counted as received, under control.
  const auto before = counters.received[static_cast<size_t>(MessageKind::kControl)].messages;
  h.Send(b, "WHATEVER", "x");
  EXPECT_EQ(counters.received[static_cast<size_t>(MessageKind::kControl)].messages, before + 1);
}

TEST_F(Traffic, EveryCloseIsCountedOnceUnderItsReason) {
  h.server.Record(a)->IsAdmin = true;
  h.Send(a, to_server::KICK, Wire("100002|rude"));  // cid
  EXPECT_EQ(Closed(h, CloseReason::kKicked), 1u);

  h.Send(b, to_server::PART, "bye");
  EXPECT_EQ(Closed(h, CloseReason::kLeft), 1u);

  const int long_talker = h.Join("long");
  h.SendRaw(long_talker, std::string(RoomServer::kMaxMessageLength + 1, 'x'));
  EXPECT_EQ(Closed(h, CloseReason::kMessageTooLong), 1u);

  const int early = h.Handshake();
  h.Send(early, to_server::SAY, "not in the room yet");
  EXPECT_EQ(Closed(h, CloseReason::kProtocolError), 1u);

  const int gone = h.Join("gone");
  h.server.OnClosed(gone);
  h.server.OnClosed(gone);  // a second report of the same close counts nothing
  EXPECT_EQ(Closed(h, CloseReason::kPeerClosed), 1u);

  const int slow = h.Join("slow");
  h.transport.queued_bytes[slow] = RoomServer::kMaxSendQueue + 1;
  h.Send(a, to_server::SAY, "anyone?");
  EXPECT_EQ(Closed(h, CloseReason::kSendQueueExceeded), 1u);

  const int taken = h.LogInTo(ServerHarness::Step::kProfile, "ann", "0", "10.0.0.2");  // a's name
  h.Send(taken, to_server::PASS, "<none>");
  EXPECT_EQ(Closed(h, CloseReason::kRefused), 1u);
  EXPECT_EQ(ClosedInAll(h), 7u);
}

TEST(RoomCloses, FloodingAndTimeoutsCountUnderTheirOwnReasons) {
  ServerHarness h("[Server Details]\nLogin Timeout=5\nPing=10\nPing Timeout=5\n");
  const int flooder = h.Join("flood");
  for (int i = 0; i < 40; ++i) h.Send(flooder, to_server::SAY, "x");
  EXPECT_EQ(Closed(h, CloseReason::kFlooding), 1u);
  EXPECT_EQ(h.server.counters().chat_dropped, 31u);

  h.Handshake();     // never logs in
  h.Join("silent");  // never answers a ping
  h.clock.Advance(5000);
  EXPECT_EQ(Closed(h, CloseReason::kLoginTimeout), 1u);
  h.clock.Advance(10000);
  EXPECT_EQ(Closed(h, CloseReason::kPingTimeout), 1u);
  EXPECT_EQ(ClosedInAll(h), 3u);
}

TEST(RoomRefusals, RequestsTurnedAwayAreCountedAndNoSlotIsTaken) {
  ServerHarness h("[Server Details]\nMax Connections Per Address=1\nMax Connections=1\n");
  h.Join("ann");
  EXPECT_EQ(h.Connect("10.0.0.1"), 0);
  EXPECT_EQ(h.Connect("10.0.0.3"), 0);
  const RoomCounters& c = h.server.counters();
  EXPECT_EQ(c.accepted, 1u);
  EXPECT_EQ(c.refused[static_cast<size_t>(Refusal::kAddressLimit)], 1u);
  EXPECT_EQ(c.refused[static_cast<size_t>(Refusal::kRoomFull)], 1u);
}

using Play = testing_support::ThreeInRoom<GameHarness>;

TEST_F(Play, GamesRoundsAndGuessesByResult) {
  h.SetWord("elephant");
  h.StartGame(a, 2);  // ann draws first
  EXPECT_EQ(h.server.counters().games_started, 1u);
  EXPECT_EQ(h.server.counters().rounds_started, 1u);

  h.Say(a, "hint: big");  // the artist's chat is no guess
  h.Say(b, "mouse");
  h.Say(b, "elephan");  // close
  h.Say(b, "elephant");
  h.Say(b, "elephant");  // ben found it already: chat, not a guess
  const auto guesses = h.server.counters().guesses;
  EXPECT_EQ(guesses[static_cast<size_t>(GuessResult::kWrong)], 1u);
  EXPECT_EQ(guesses[static_cast<size_t>(GuessResult::kClose)], 1u);
  EXPECT_EQ(guesses[static_cast<size_t>(GuessResult::kCorrect)], 1u);

  h.Say(c, "elephant");  // everyone found it: the round ends, the next starts after a pause
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_EQ(h.server.counters().rounds_started, 2u);
  EXPECT_EQ(h.server.counters().guesses[static_cast<size_t>(GuessResult::kCorrect)], 2u);
  EXPECT_EQ(h.server.counters().games_started, 1u);
}

TEST_F(Play, TheTextShowsTheTableAsItIsNow) {
  const int waiting = h.Handshake();
  h.StartGame(a);
  const std::string text = h.server.MetricsText();
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_connections{state=\"in_room\"} 3\n"));
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_connections{state=\"version_ok\"} 1\n"));
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_players 3\n"));
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_game_running 1\n"));
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_games_started_total 1\n"));
  // Every reason is listed from the start, at zero, under the name operators' dashboards use.
  std::string reasons;
  const std::string_view kLabel = "_closed_total{reason=\"";
  for (size_t at = 0; (at = text.find(kLabel, at)) != std::string::npos;) {
    at += kLabel.size();
    const size_t end = text.find('\n', at);
    reasons += text.substr(at, end - at) + " ";
  }
  static_assert(kCloseReasons == 14);
  EXPECT_EQ(reasons,
            "peer_closed\"} 0 left\"} 0 kicked\"} 0 ping_timeout\"} 0 login_timeout\"} 0 "
            "flooding\"} 0 drawing_flood\"} 0 message_too_long\"} 0 send_queue_exceeded\"} 0 "
            "send_failed\"} 0 refused\"} 0 made_way\"} 0 replaced\"} 0 protocol_error\"} 0 ");
  h.transport.queued_bytes[waiting] = 1234;
  EXPECT_THAT(h.server.MetricsText(), HasSubstr("\nscrawlbox_room_send_queue_bytes 1234\n"));
}

}  // namespace
}  // namespace server
