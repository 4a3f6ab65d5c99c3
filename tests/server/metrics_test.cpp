// SPDX-License-Identifier: MIT
// The room's counters, as a run of the room makes them move.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// "messages/bytes in, messages/bytes out" of the kind.
std::string Counted(const ServerHarness& h, MessageKind kind) {
  const auto& in = h.server.counters().received[static_cast<size_t>(kind)];
  const auto& out = h.server.counters().sent[static_cast<size_t>(kind)];
  return std::to_string(in.messages) + "/" + std::to_string(in.bytes) + " in, " +
         std::to_string(out.messages) + "/" + std::to_string(out.bytes) + " out";
}

// "name=count " for every count that is not zero, in the order of the enum.
template <typename E, size_t N>
std::string NonZero(const std::array<uint64_t, N>& counts, std::string_view (*name)(E)) {
  std::string text;
  for (size_t i = 0; i < N; ++i) {
    if (counts[i]) text += std::string(name(E(i))) + "=" + std::to_string(counts[i]) + " ";
  }
  return text;
}

using Traffic = testing_support::ThreeInRoom<ServerHarness>;

// A chat line is received once and relayed to all three, the speaker included, with the
// speaker's id in front; drawing counts as drawing, and what a joiner gets of the picture too.
TEST_F(Traffic, MessagesAreCountedByKindAsReceivedAndAsSentAndClosesByReason) {
  const std::string control = Counted(h, MessageKind::kControl);
  h.Send(a, to_server::SAY, "hello");
  const size_t said = protocol::Frame(to_server::SAY, "hello").size();
  const size_t relayed = protocol::Frame("SAY", Wire("100000|hello")).size();
  EXPECT_EQ(Counted(h, MessageKind::kChat),
            "1/" + std::to_string(said) + " in, 3/" + std::to_string(3 * relayed) + " out");
  EXPECT_EQ(Counted(h, MessageKind::kControl), control);
  const std::string word(protocol::DrawCodeWord(protocol::DrawCode::LI));
  for (int i = 0; i < 3; ++i) h.Send(a, word, Wire("1|2|3|4"));
  EXPECT_THAT(Counted(h, MessageKind::kDrawing), testing::ContainsRegex("^3/[0-9]+ in, 6/"));
  // The joiner is sent the three strokes as one piece of the picture: still three messages.
  h.Join("dee");
  EXPECT_THAT(Counted(h, MessageKind::kDrawing), HasSubstr(" in, 9/"));
  // An unknown command is counted as received, under control.
  const auto& control_in = h.server.counters().received[static_cast<size_t>(MessageKind::kControl)];
  const auto before = control_in.messages;
  h.Send(b, "WHATEVER", "x");
  EXPECT_EQ(control_in.messages, before + 1);
  // Every close is counted once under its reason.
  h.server.Record(a)->IsAdmin = true;
  h.Send(a, to_server::KICK, Wire("100002|rude"));  // cid
  h.Send(b, to_server::PART, "bye");
  h.SendRaw(h.Join("long"), std::string(RoomServer::kMaxMessageLength + 1, 'x'));
  h.Send(h.Handshake(), to_server::SAY, "not in the room yet");
  const int gone = h.Join("gone");
  h.server.OnClosed(gone);
  h.server.OnClosed(gone);  // a second report of the same close counts nothing
  h.transport.queued_bytes[h.Join("slow")] = RoomServer::kMaxSendQueue + 1;
  h.Send(a, to_server::SAY, "anyone?");
  const int taken = h.LogInTo(ServerHarness::Step::kProfile, "ann", "0", "10.0.0.2");  // a's name
  h.Send(taken, to_server::PASS, "<none>");
  EXPECT_EQ(NonZero(h.server.counters().closed, CloseReasonName),
            "peer_closed=1 left=1 kicked=1 message_too_long=1 send_queue_exceeded=1 refused=1 "
            "protocol_error=1 ");
}

TEST(RoomCloses, FloodingAndTimeoutsCountUnderTheirOwnReasons) {
  ServerHarness h("[Server Details]\nLogin Timeout=5\nPing=10\nPing Timeout=5\n");
  const int flooder = h.Join("flood");
  for (int i = 0; i < 40; ++i) h.Send(flooder, to_server::SAY, "x");
  EXPECT_EQ(h.server.counters().chat_dropped, 31u);
  h.Handshake();     // never logs in
  h.Join("silent");  // never answers a ping
  h.clock.Advance(15000);
  EXPECT_EQ(NonZero(h.server.counters().closed, CloseReasonName),
            "ping_timeout=1 login_timeout=1 flooding=1 ");
}

TEST(RoomRefusals, RequestsTurnedAwayAreCountedAndNoSlotIsTaken) {
  ServerHarness h("[Server Details]\nMax Connections Per Address=1\nMax Connections=1\n");
  h.Join("ann");
  EXPECT_EQ(h.Connect("10.0.0.1") + h.Connect("10.0.0.3"), 0);
  EXPECT_EQ(h.server.counters().accepted, 1u);
  EXPECT_EQ(NonZero(h.server.counters().refused, RefusalName), "room_full=1 address_limit=1 ");
}

using Play = testing_support::ThreeInRoom<testing_support::GameHarness>;

TEST_F(Play, GamesRoundsAndGuessesByResultAndTheTextShowsThemAsTheyAreNow) {
  const int waiting = h.Handshake();
  h.SetWord("elephant");
  h.StartGame(a, 2);      // ann draws first
  h.Say(a, "hint: big");  // the artist's chat is no guess
  h.Say(b, "mouse");
  h.Say(b, "elephan");  // close
  h.Say(b, "elephant");
  h.Say(b, "elephant");  // ben found it already: chat, not a guess
  const auto& counters = h.server.counters();
  EXPECT_EQ(NonZero(counters.guesses, GuessResultName), "correct=1 close=1 wrong=1 ");
  EXPECT_EQ(counters.rounds_started, 1u);
  h.Say(c, "elephant");  // everyone found it: the round ends, the next starts after a pause
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_EQ(NonZero(counters.guesses, GuessResultName), "correct=2 close=1 wrong=1 ");
  EXPECT_EQ(std::to_string(counters.games_started) + " " + std::to_string(counters.rounds_started),
            "1 2");
  // The text shows the table as it is now.
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
    reasons += text.substr(at, text.find('\n', at) - at) + " ";
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
