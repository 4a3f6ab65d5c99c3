// SPDX-License-Identifier: MIT
// What the client keeps of every round.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/fake_transport.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing_support::ClientHarness;

// The rounds kept, "number word by artist found by finders: steps" joined by "; ", each step as
// "CODE@ms data" ('*' after this player's own).
std::string Rounds(const std::vector<RoundRecord>& rounds) {
  std::string seen;
  for (const RoundRecord& r : rounds) {
    std::vector<protocol::Message> steps;
    for (const LoggedDrawing& s : r.drawing)
      steps.push_back({std::string(protocol::DrawCodeWord(s.command.code)) + "@" +
                           std::to_string(s.at_ms) + (s.own ? "*" : ""),
                       protocol::BuildDrawData(s.command)});
    seen += (seen.empty() ? "" : "; ") + std::to_string(r.number) + " " + r.word + " by " +
            r.artist + " found by " + protocol::JoinFields(r.finders, ',') + ": " +
            testing_support::Render(steps);
  }
  return seen;
}

TEST(RoundLog, EveryRoundKeepsItsDrawingWordArtistAndFinders) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.StartGame(100000);
  EXPECT_EQ(h.view.rounds_begun, 1);
  // A finder said twice is kept once.
  h.Play(
      "FH 100000|1|2|3|4\n+500\nCU 100000|-\nWORDFOUND 2|100001\nWORDFOUND 2|100001\nENDOFROUND "
      "car");
  // The artist's own strokes never come back from the room: they are kept as sent.
  h.Play("NEWROUND 2\nNEWARTIST 100005\nNEWWORD fish");
  h.session.SendDrawCommand("CI", Wire("10|10|40|30"));
  h.Play("CL -\nWORDSKIPPED fish");  // the room sends a clear back to its artist too
  // A guesser who found it knows the word by the guess, when the room only stops the clock.
  h.Play(
      "NEWROUND 3\nNEWARTIST 100001\n> Boat\nWORDFOUND 1|100005\nWORDFOUND 0|100000\nSTOPGAMETIMER "
      "-");
  // An artist who leaves ends the round without a word; the game's end ends the last one.
  // Between games nothing is kept.
  h.Play("NEWROUND 4\nNEWARTIST 100000\nNEWARTIST 100001\nWINNER 100001\nFH 100001|1|2|3|4");
  EXPECT_EQ(Rounds(h.view.rounds),
            "1 car by ann found by ben: FH@0 1|2|3|4, CU@500 -; "
            "2 fish by un-named found by : CI@0* 10|10|40|30, CL@0 -; "
            "3 Boat by ben found by un-named,ann: ; 4  by ann found by : ; 4  by ben found by : ");
  // A round keeps a bounded log and ends with the connection.
  h.Receive("NEWARTIST", "100000");
  for (size_t i = 0; i < RoundRecord::kMaxDrawing + 5; ++i) h.Receive("SP", Wire("100000|50|50"));
  h.session.OnClosed();
  EXPECT_TRUE(h.view.rounds.size() == 6 &&
              h.view.rounds[5].drawing.size() == RoundRecord::kMaxDrawing &&
              !h.view.rounds[5].complete);
}

}  // namespace
}  // namespace client
