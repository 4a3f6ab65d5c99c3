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

std::vector<std::string> Codes(const RoundRecord& round) {
  std::vector<std::string> codes;
  for (const LoggedDrawing& step : round.drawing) {
    codes.emplace_back(protocol::DrawCodeWord(step.command.code));
  }
  return codes;
}

TEST(StatusLine, SaysWhatIsHappeningFromLoginToTheWinner) {
  ClientHarness h;
  EXPECT_THAT(h.view.panel.status, StartsWith("Not connected"));
  h.session.ConnectFromBrowser({"room.example", 2021});
  EXPECT_EQ(h.view.panel.status, "Connecting to room.example:2021...");
  h.LogIn(100005);
  EXPECT_EQ(h.view.panel.status, "Waiting for a second player");
  h.Receive("JOIN", Wire("100000|ann|0"));
  EXPECT_EQ(h.view.panel.status, "Press Setup Game to start a game");
  h.StartGame(100000, 2);
  EXPECT_EQ(h.view.panel.status, "ann is drawing");
  h.Receive("ENDOFROUND", "car,automobile");
  EXPECT_EQ(h.view.panel.status, "The word was: car");
  h.Receive("NEWROUND", "2");
  h.Receive("NEWARTIST", "100005");
  EXPECT_EQ(h.view.panel.status, "Your turn to draw");
  h.Receive("NEWWORD", "fish,chips");
  EXPECT_EQ(h.view.panel.status, "Your turn: draw fish");
  // Everyone found it: the room only stops the clock, and the artist knows the word.
  h.Receive("WORDFOUND", Wire("1|100000"));
  h.Receive("STOPGAMETIMER", "-");
  EXPECT_EQ(h.view.panel.status, "The word was: fish");
  h.Receive("POINTSCHG", Wire("100000|12"));
  h.Receive("WINNER", "100000");
  EXPECT_EQ(h.view.panel.status, "ann wins!");
  h.Receive("PART", Wire("100000|bye"));
  EXPECT_EQ(h.view.panel.status, "Waiting for a second player");
  h.session.OnClosed();
  EXPECT_THAT(h.view.panel.status, StartsWith("Not connected"));
}

TEST(StatusLine, ALateJoinerSeesWhoDrawsAndTheRoundEveryoneElseSees) {
  ClientHarness h;
  h.Connect();
  h.Receive("USEROK", Wire("100005|"));
  h.Receive("PASSOK", Wire("|Den|-|3|5"));
  EXPECT_EQ(h.view.panel.rounds, "-");
  h.Receive("ULIST", Wire("100000|ann|0|0|100005|un-named|0|0"));
  h.Receive("ULISTEND", "");
  EXPECT_EQ(h.view.panel.status, "Waiting for a game to start");
  h.Receive("GAMERUNNING", Wire("100000|c"));
  EXPECT_EQ(h.view.panel.rounds, "3 of 5");
  EXPECT_EQ(h.view.panel.status, "ann is drawing");
  EXPECT_TRUE(h.view.users[0].artist);
  h.Receive("NEWROUND", "4");
  EXPECT_EQ(h.view.panel.rounds, "4 of 5");
  // A round already under way when the client came is not one of its rounds.
  h.Receive("ENDOFROUND", "cat");
  EXPECT_EQ(h.view.rounds_begun, 0);
  EXPECT_TRUE(h.view.rounds.empty());
}

TEST(StatusLine, AdminReadsADashWhileNotConnected) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  h.LogIn(100005);
  EXPECT_EQ(h.view.panel.admin, "Painter");
  h.session.OnClosed();
  EXPECT_EQ(h.view.panel.admin, "-");
  h.session.EnterChatLine("/nick Zed");
  EXPECT_EQ(h.view.panel.admin, "-");
}

TEST(UserMarks, TheArtistAndTheFindersAreMarkedUntilTheRoundEnds) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.Receive("NEWARTIST", "100000");
  EXPECT_TRUE(h.view.users[0].artist);
  EXPECT_FALSE(h.view.users[1].artist);
  h.Receive("WORDFOUND", Wire("2|100001"));
  EXPECT_TRUE(h.view.users[1].found_word);
  EXPECT_EQ(h.view.users[1].colour, kFinderRed);
  h.Receive("NEWARTIST", "100001");
  EXPECT_FALSE(h.view.users[0].artist);
  EXPECT_TRUE(h.view.users[1].artist);
  EXPECT_FALSE(h.view.users[1].found_word);
  h.Receive("ENDOFROUND", "cat");
  EXPECT_FALSE(h.view.users[1].artist);
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
  EXPECT_EQ(first.number, 1);
  EXPECT_EQ(first.word, "car");
  EXPECT_EQ(first.artist, "ann");
  EXPECT_THAT(first.finders, ElementsAre("ben"));
  EXPECT_THAT(Codes(first), ElementsAre("FH", "CU"));
  EXPECT_EQ(first.drawing[0].command.fields[2], 3);
  EXPECT_EQ(first.drawing[1].at_ms, 500);
  EXPECT_FALSE(first.drawing[0].own);
  EXPECT_TRUE(first.complete);

  // The artist's own strokes never come back from the room: they are kept as sent.
  h.Receive("NEWROUND", "2");
  h.Receive("NEWARTIST", "100005");
  h.Receive("NEWWORD", "fish");
  h.session.SendDrawCommand("CI", Wire("10|10|40|30"));
  h.Receive("CL", "-");  // the room sends a clear back to its artist too
  h.Receive("WORDSKIPPED", "fish");
  ASSERT_EQ(h.view.rounds.size(), 2u);
  EXPECT_THAT(Codes(h.view.rounds[1]), ElementsAre("CI", "CL"));
  EXPECT_TRUE(h.view.rounds[1].drawing[0].own);
  EXPECT_FALSE(h.view.rounds[1].drawing[1].own);
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
  for (size_t i = 0; i < RoundRecord::kMaxDrawing + 5; ++i) {
    h.Receive("SP", Wire("100000|50|50"));
  }
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
  EXPECT_EQ(h.session.LastGameSetup().room_name, "My old room");
  EXPECT_EQ(h.session.LastGameSetup().total_rounds, 5);
  EXPECT_THAT(h.session.LastGameSetup().word_lists, ElementsAre("food"));
  h.LogIn(100005);  // the room is called "Room"
  EXPECT_EQ(h.session.LastGameSetup().room_name, "Room");
}

}  // namespace
}  // namespace client
