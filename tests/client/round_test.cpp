// SPDX-License-Identifier: MIT
// What a player sees of the game at a glance, and what the client keeps of every round.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing::ElementsAre;
using testing::StartsWith;
using testing_support::ClientHarness;

// A round's drawing as "CODE@ms" per step, '*' after this player's own.
std::string Steps(const RoundRecord& round) {
  std::string steps;
  for (const LoggedDrawing& step : round.drawing) {
    steps += (steps.empty() ? "" : " ") + std::string(protocol::DrawCodeWord(step.command.code)) +
             "@" + std::to_string(step.at_ms) + (step.own ? "*" : "");
  }
  return steps;
}

TEST(StatusLine, SaysWhatIsHappeningFromLoginToTheWinner) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  EXPECT_THAT(h.view.panel.status, StartsWith("Not connected"));
  h.session.ConnectFromBrowser({"room.example", 2021});
  EXPECT_EQ(h.view.panel.status, "Connecting to room.example:2021...");
  h.LogIn(100005);
  h.Play(
      "=> status: Waiting for a second player\n"
      "JOIN 100000|ann|0 => status: Press Setup Game to start a game");
  h.StartGame(100000, 2);
  h.Play(
      "=> status: ann is drawing\n"
      "ENDOFROUND car,automobile => status: The word was: car\n"
      "NEWROUND 2\n"
      "NEWARTIST 100005 => status: Your turn to draw\n"
      "NEWWORD fish,chips => status: Your turn: draw fish\n"
      // Everyone found it: the room only stops the clock, and the artist knows the word.
      "WORDFOUND 1|100000\n"
      "STOPGAMETIMER - => status: The word was: fish\n"
      "POINTSCHG 100000|12\n"
      "WINNER 100000 => status: ann wins!\n"
      "PART 100000|bye => status: Waiting for a second player\n");
  // The admin reads a dash while not connected, whatever the nickname becomes.
  EXPECT_EQ(h.view.panel.admin, "Painter");
  h.session.OnClosed();
  EXPECT_THAT(h.view.panel.status, StartsWith("Not connected"));
  h.session.EnterChatLine("/nick Zed");
  EXPECT_EQ(h.view.panel.admin, "-");
}

TEST(RoundLog, EveryRoundKeepsItsDrawingWordArtistAndFinders) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.StartGame(100000);
  EXPECT_EQ(h.view.rounds_begun, 1);
  h.Receive("FH", Wire("100000|1|2|3|4"));
  h.clock.Advance(500);
  h.Receive("CU", Wire("100000|-"));
  for (int twice = 0; twice < 2; ++twice) {  // said twice, kept once
    h.Receive("WORDFOUND", Wire("2|100001"));
  }
  h.Receive("ENDOFROUND", "car,automobile");
  ASSERT_EQ(h.view.rounds.size(), 1u);
  const RoundRecord& first = h.view.rounds[0];
  EXPECT_EQ(std::to_string(first.number) + " " + first.word + " by " + first.artist,
            "1 car by ann");
  EXPECT_THAT(first.finders, ElementsAre("ben"));
  EXPECT_EQ(Steps(first), "FH@0 CU@500");
  EXPECT_EQ(first.drawing[0].command.fields[2], 3);
  EXPECT_TRUE(first.complete);

  // The artist's own strokes never come back from the room: they are kept as sent.
  h.Receive("NEWROUND", "2");
  h.Receive("NEWARTIST", "100005");
  h.Receive("NEWWORD", "fish");
  h.session.SendDrawCommand("CI", Wire("10|10|40|30"));
  h.Receive("CL", "-");  // the room sends a clear back to its artist too
  h.Receive("WORDSKIPPED", "fish");
  ASSERT_EQ(h.view.rounds.size(), 2u);
  EXPECT_EQ(Steps(h.view.rounds[1]), "CI@0* CL@0");
  EXPECT_EQ(h.view.rounds[1].drawing[0].command.fields[3], 30);

  // A guesser who found it knows the word by the guess, when the room only stops the clock.
  h.Receive("NEWROUND", "3");
  h.Receive("NEWARTIST", "100001");
  h.session.EnterChatLine("Boat");
  h.Receive("WORDFOUND", Wire("1|100005"));
  h.Receive("WORDFOUND", Wire("0|100000"));
  h.Receive("STOPGAMETIMER", "-");
  ASSERT_EQ(h.view.rounds.size(), 3u);
  EXPECT_EQ(h.view.rounds[2].word, "Boat");
  EXPECT_THAT(h.view.rounds[2].finders, ElementsAre("un-named", "ann"));

  // An artist who leaves ends the round without a word; the game's end ends the last one.
  h.Receive("NEWROUND", "4");
  h.Receive("NEWARTIST", "100000");
  h.Receive("NEWARTIST", "100001");
  h.Receive("WINNER", "100001");
  ASSERT_EQ(h.view.rounds.size(), 5u);
  EXPECT_EQ(h.view.rounds[3].word, "");
  EXPECT_EQ(h.view.rounds[4].artist, "ben");
  // Between games nothing is kept.
  h.Receive("FH", Wire("100001|1|2|3|4"));
  EXPECT_EQ(h.view.rounds.size(), 5u);
}

TEST(RoundLog, ARoundKeepsABoundedLogAndEndsWithTheConnection) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Receive("NEWARTIST", "100000");
  for (size_t i = 0; i < RoundRecord::kMaxDrawing + 5; ++i) h.Receive("SP", Wire("100000|50|50"));
  h.session.OnClosed();
  ASSERT_EQ(h.view.rounds.size(), 1u);
  EXPECT_EQ(h.view.rounds[0].drawing.size(), RoundRecord::kMaxDrawing);
  EXPECT_FALSE(h.view.rounds[0].complete);
}

TEST(SetupMemory, TheLastSetUpComesBackNamedAfterTheRoom) {
  ClientHarness h;
  GameSetup setup;
  setup.room_name = "My old room";
  setup.total_rounds = 3;  // below the range: sent and kept as 5
  setup.word_lists = {"food"};
  EXPECT_FALSE(h.session.StartGame(GameSetup{}));  // nothing chosen: nothing kept
  EXPECT_TRUE(h.session.LastGameSetup().word_lists.empty());
  h.session.StartGame(setup);
  const GameSetup kept = h.session.LastGameSetup();
  EXPECT_EQ(kept.room_name + " " + std::to_string(kept.total_rounds), "My old room 5");
  EXPECT_THAT(kept.word_lists, ElementsAre("food"));
  h.LogIn(100005);  // the room is called "Room"
  EXPECT_EQ(h.session.LastGameSetup().room_name, "Room");
}

}  // namespace
}  // namespace client
