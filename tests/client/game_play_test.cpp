// SPDX-License-Identifier: MIT
// The client's side of a game played through: the word's blanks, the end of a game, password
// rooms and leaving on purpose.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/client_fakes.h"
#include "tests/support/matchers.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::SizeIs;
using testing_support::ClientHarness;
using testing_support::Msg;

// Ann (100000), Ben (100001) and Cid (100002) with this player (100005); Ann draws.
class InGame : public testing::Test {
 protected:
  void SetUp() override {
    h.LogIn(100005, {"Ann", "Ben", "Cid"});
    h.StartGame(100000, 3);
    h.view.TakeTexts();
  }
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
};

TEST_F(InGame, TheBlanksShowFromTheRoundsStartAndHintsFillThemIn) {
  h.Receive("WORDPATTERN", "___ _____");
  EXPECT_EQ(h.view.panel.word, "_ _ _   _ _ _ _ _");  // the gap between the words stays wide
  EXPECT_EQ(h.view.panel.pattern, "_ _ _   _ _ _ _ _");
  h.Receive("HINT",
            Wire("[8 letters]|The artist has given a hint! The word has 8 letters.|___ _____"));
  EXPECT_EQ(h.view.panel.word, "_ _ _   _ _ _ _ _");
  h.Receive("HINT",
            Wire("i|The artist has given a second hint! The word starts with: i|i__ _____"));
  EXPECT_EQ(h.view.panel.word, "i _ _   _ _ _ _ _");
  h.Receive("HINT",
            Wire("ice|The artist has given a final hint! The word starts with: ice|ice _____"));
  EXPECT_EQ(h.view.panel.pattern, "i c e   _ _ _ _ _");
}

// However a round ends, the blanks are filled with the word as the room spells it, never with
// the spelling this player found it with.
TEST_F(InGame, EveryEndOfARoundShowsTheRoomsWord) {
  using protocol::Frame;
  const struct {
    const char* name;
    std::string write;
  } cases[] = {
      {"time up, from an older room", Frame("ENDOFROUND", "ice cream,icecream#ice-cream")},
      {"skipped, from an older room", Frame("WORDSKIPPED", "ice cream,icecream")},
      {"everyone found it", Frame("STOPGAMETIMER", "-") + Frame("ROUNDWORD", "ice cream")},
      {"the artist left",
       Frame("NOTICE", "The artist has left the room.") + Frame("ROUNDWORD", "ice cream")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    h.Receive("NEWROUND", "2");
    h.Receive("NEWARTIST", "100000");
    h.Receive("WORDPATTERN", "___ _____");
    h.session.EnterChatLine("Ice-Cream");
    h.Receive("WORDFOUND", Wire("1|100005"));
    h.session.OnData(c.write);
    EXPECT_EQ(h.view.panel.word, "ice cream");
    EXPECT_EQ(h.view.panel.pattern, "i c e   c r e a m");
    EXPECT_EQ(h.view.panel.status, "The word was: ice cream");
    ASSERT_THAT(h.view.rounds, testing::Not(IsEmpty()));
    EXPECT_EQ(h.view.rounds.back().word, "ice cream");
  }
}

TEST_F(InGame, FromARoomWithoutPatternsTheLengthStaysAsBlanksForOneWordOnly) {
  const struct {
    const char* name;
    std::function<void(ClientHarness&)> next_word;
  } cases[] = {
      {"a new round", [](ClientHarness& h) { h.Receive("NEWROUND", "2"); }},
      {"a new game",
       [](ClientHarness& h) {
         h.Receive("WINNER", "0");
         h.Receive("START_GAME", "animals");
         h.Receive("NEWARTIST", "100000");
       }},
      {"a new login",
       [](ClientHarness& h) {
         h.session.OnClosed();
         h.LogIn(100005, {"Ann"});
         h.Receive("GAMERUNNING", Wire("100000|"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    h.Receive("HINT", Wire("[5 letters]|The artist has given a hint! The word has 5 letters."));
    EXPECT_EQ(h.view.panel.word, "_ _ _ _ _");
    h.Receive("HINT", Wire("ho|The artist has given a third hint! The word starts with: ho"));
    EXPECT_EQ(h.view.panel.word, "h o _ _ _");
    c.next_word(h);  // a new word: its length is not known yet
    h.Receive("HINT", Wire("xy|The artist has given a second hint! The word starts with: xy"));
    EXPECT_EQ(h.view.panel.word, "xy");
  }
}

TEST_F(InGame, TheArtistKeepsSeeingTheWholeWord) {
  h.Receive("NEWARTIST", "100005");
  h.Receive("NEWWORD", "horse");
  h.Receive("HINT", Wire("[5 letters]|The artist has given a hint! The word has 5 letters.|_____"));
  EXPECT_EQ(h.view.panel.word, "horse");
  EXPECT_EQ(h.view.panel.pattern, "horse");
}

TEST(LateJoin, TheGameRunningMessageBringsTheBlanks) {
  ClientHarness h;
  h.LogIn(100005, {"Ann"});
  h.Receive("GAMERUNNING", Wire("100000|c|c__"));
  EXPECT_EQ(h.view.panel.word, "c _ _");
  EXPECT_EQ(h.view.panel.pattern, "c _ _");
  h.Receive("GAMERUNNING", Wire("100000|"));  // no hint yet, from a room of either kind
  EXPECT_EQ(h.view.panel.word, "");
  EXPECT_TRUE(h.session.GameInProgress());
}

TEST_F(InGame, TheFinalStandingsAreWrittenBeforeThePointsGoBackToZero) {
  h.Receive("POINTSCHG", Wire("100001|220"));
  h.Receive("POINTSCHG", Wire("100002|150"));
  h.Receive("POINTSCHG", Wire("100005|150"));
  h.Receive("POINTSCHG", Wire("100000|40"));
  h.Receive("WINNER", "100001");
  h.Receive("RESETSCORES", "-");
  h.clock.Advance(2000);
  const auto texts = h.view.TakeTexts();
  const auto start = std::find(texts.begin(), texts.end(), "Final standings:");
  ASSERT_NE(start, texts.end());
  EXPECT_THAT(std::vector<std::string>(start + 1, start + 5),
              ElementsAre("1. Ben - 220 points", "2. Cid - 150 points", "2. Me - 150 points",
                          "4. Ann - 40 points"));
  EXPECT_EQ(texts.back(), "Another game will be starting soon; please wait.");
  EXPECT_THAT(h.view.winners, ElementsAre("Ben"));
  ASSERT_THAT(h.view.podium, SizeIs(3));
  EXPECT_EQ(h.view.podium[2].place, 2);
  EXPECT_EQ(h.view.podium[2].nickname, "Me");
  EXPECT_FALSE(h.session.GameInProgress());
  // The points and the podium stay until the next game begins.
  EXPECT_EQ(h.view.users[0].points, "40");
  h.Receive("NEWROUND", "1");
  EXPECT_EQ(h.view.users[0].points, "0");
  EXPECT_THAT(h.view.winners, IsEmpty());
}

TEST_F(InGame, TheEndOfAGameNamesItsWinnersSharedOrNone) {
  const struct {
    const char* name;
    std::vector<int> points;  // Ann, Ben, Cid, Me
    std::string winner;
    std::string line;
    std::vector<std::string> winners;
    std::vector<int> places;
  } cases[] = {
      {"one winner",
       {40, 220, 150, 0},
       "100001",
       "The game is over and the winner is Ben - well done!",
       {"Ben"},
       {1, 2, 3}},
      {"a tie for first",
       {40, 150, 150, 150},
       Wire("100001|100002|100005"),
       "The game is over: Ben, Cid and Me share first place - well done!",
       {"Ben", "Cid", "Me"},
       {1, 1, 1}},
      {"nobody scored",
       {0, 0, 0, 0},
       "0",
       "The game is over. Nobody scored, so there is no winner.",
       {},
       {}},
      {"nobody scored, from an older room",
       {0, -10, 0, 0},
       "100000",
       "The game is over. Nobody scored, so there is no winner.",
       {},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (size_t i = 0; i < c.points.size(); ++i) {
      h.Receive("POINTSCHG", std::to_string(i < 3 ? 100000 + i : 100005) + Wire("|") +
                                 std::to_string(c.points[i]));
    }
    h.view.TakeTexts();
    h.Receive("WINNER", c.winner);
    EXPECT_THAT(h.view.TakeTexts(), testing::Contains(c.line));
    EXPECT_EQ(h.view.winners, c.winners);
    std::vector<int> places;
    for (const Standing& s : h.view.podium) places.push_back(s.place);
    EXPECT_EQ(places, c.places);
  }
}

TEST_F(InGame, ARoomThatWaitsAfterTheGameSaysSoAndTheAdminMayStartOne) {
  h.Receive("ADMIN", Wire("100005|Me"));
  h.Receive("WINNER", "0");
  h.Receive("RESETSCORES", "-");
  h.Receive("GAMESTOPPED", "-");
  h.clock.Advance(10000);
  EXPECT_EQ(h.view.TakeTexts().back(),
            "Nobody drew or found a word in that game, so no new game starts by itself. Press "
            "Setup Game to start one.");
  EXPECT_EQ(h.view.controls.start.action, StartAction::kSetupGame);
  EXPECT_TRUE(h.view.controls.start.enabled);
  EXPECT_EQ(h.view.panel.status, "Press Setup Game to start a game");
}

// --- Password rooms ---------------------------------------------------------------------------

TEST(PasswordRoom, TheClientAsksRetriesKeepsARightPasswordAndForgetsARefusedOne) {
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
  auto to_the_password = [&h](bool bad_password_first) {
    h.Connect("den.example");
    if (bad_password_first) h.Receive("BADPASS", "-");  // before any password went out: ignored
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.Receive("USEROK", Wire("100007|"));
  };
  to_the_password(true);
  EXPECT_THAT(h.Sent(),
              ElementsAre(Msg("SCRAWLBOX_CL13NT", "100001"), testing::_, Msg("PASS", "<none>")));
  h.Receive("BADPASS", "-");
  h.Receive("BADPASS", "-");  // said twice: asked once
  EXPECT_THAT(h.view.password_asks, ElementsAre("den.example:2020"));
  h.session.OnClosed();

  h.session.RetryWithPassword("s3cret \xE9 x", true);
  EXPECT_EQ(h.connection.connects, 2);
  h.session.OnConnected();
  h.Receive("SCRAWLBOX_S3RV3R", "100");
  h.Receive("USEROK", Wire("100007|"));
  EXPECT_THAT(h.Sent().back(), Msg("PASS", "s3cret \xE9 x"));
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");  // kept only once it is right
  h.Receive("PASSOK", Wire("|Den|-|1|10"));
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "s3cret \xE9 x");
  h.Receive("BADPASS", "-");  // after the room let the player in: ignored
  EXPECT_EQ(h.view.password_asks.size(), 1u);

  // The next login sends the kept password at once; refused, it is forgotten and asked again.
  h.session.OnClosed();
  to_the_password(false);
  EXPECT_THAT(h.Sent().back(), Msg("PASS", "s3cret \xE9 x"));
  h.Receive("BADPASS", "-");
  EXPECT_EQ(h.view.password_asks.back(), "den.example:2020 (wrong)");
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");
}

// --- Leaving ----------------------------------------------------------------------------------

TEST_F(InGame, LeavingSendsThePlayersReasonAndLetsItGoOutBeforeTheClose) {
  EXPECT_TRUE(h.session.GameInProgress());
  h.session.LeaveRoom(h.session.quit_reason());
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PART", "Quit")));
  EXPECT_EQ(h.connection.leaves, 1);
  EXPECT_FALSE(h.session.GameInProgress());
}

}  // namespace
}  // namespace client
