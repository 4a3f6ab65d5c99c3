// SPDX-License-Identifier: MIT
// The client's side of a game played through: the word's blanks, the final standings, password
// rooms and leaving on purpose.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/matchers.h"

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
    h.Receive("TOTALROUNDS", "3");
    h.Receive("START_GAME", "animals");
    h.Receive("NEWARTIST", "100000");
    h.view.TakeTexts();
  }
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
};

TEST_F(InGame, HintsShowTheWordsBlanksAndFillThemIn) {
  h.Receive("HINT",
            "[8 letters]\x03The artist has given a hint! The word has 8 letters.\x03___ _____");
  EXPECT_EQ(h.view.panel.word, "_ _ _   _ _ _ _ _");  // the gap between the words stays wide
  h.Receive("HINT",
            "i\x03The artist has given a second hint! The word starts with: i\x03i__ _____");
  EXPECT_EQ(h.view.panel.word, "i _ _   _ _ _ _ _");
  h.Receive("HINT",
            "ice\x03The artist has given a final hint! The word starts with: ice\x03ice _____");
  EXPECT_EQ(h.view.panel.word, "i c e   _ _ _ _ _");
}

TEST_F(InGame, FromARoomWithoutPatternsTheLengthStaysAsBlanks) {
  h.Receive("HINT", "[5 letters]\x03The artist has given a hint! The word has 5 letters.");
  EXPECT_EQ(h.view.panel.word, "_ _ _ _ _");
  h.Receive("HINT", "ho\x03The artist has given a third hint! The word starts with: ho");
  EXPECT_EQ(h.view.panel.word, "h o _ _ _");
  h.Receive("NEWROUND", "2");  // a new word: its length is not known yet
  h.Receive("HINT", "x\x03The artist has given a second hint! The word starts with: x");
  EXPECT_EQ(h.view.panel.word, "x");
}

TEST_F(InGame, TheArtistKeepsSeeingTheWholeWord) {
  h.Receive("NEWARTIST", "100005");
  h.Receive("NEWWORD", "horse");
  h.Receive("HINT", "[5 letters]\x03The artist has given a hint! The word has 5 letters.\x03_____");
  EXPECT_EQ(h.view.panel.word, "horse");
}

TEST(LateJoin, TheGameRunningMessageBringsTheBlanks) {
  ClientHarness h;
  h.LogIn(100005, {"Ann"});
  h.Receive("GAMERUNNING",
            "100000\x03"
            "c\x03"
            "c__");
  EXPECT_EQ(h.view.panel.word, "c _ _");
  h.Receive("GAMERUNNING", "100000\x03");  // no hint yet, from a room of either kind
  EXPECT_EQ(h.view.panel.word, "");
  EXPECT_TRUE(h.session.GameInProgress());
}

TEST_F(InGame, TheFinalStandingsAreWrittenBeforeThePointsGoBackToZero) {
  h.Receive("POINTSCHG",
            "100001\x03"
            "220");
  h.Receive("POINTSCHG",
            "100002\x03"
            "150");
  h.Receive("POINTSCHG",
            "100005\x03"
            "150");
  h.Receive("POINTSCHG",
            "100000\x03"
            "40");
  h.Receive("WINNER", "100001");
  h.Receive("RESETSCORES", "-");
  const auto texts = h.view.TakeTexts();
  const auto start = std::find(texts.begin(), texts.end(), "Final standings:");
  ASSERT_NE(start, texts.end());
  EXPECT_THAT(std::vector<std::string>(start + 1, start + 5),
              ElementsAre("1. Ben - 220 points", "2. Cid - 150 points", "2. Me - 150 points",
                          "4. Ann - 40 points"));
  EXPECT_EQ(h.view.winner, "Ben");
  ASSERT_THAT(h.view.podium, SizeIs(3));
  EXPECT_EQ(h.view.podium[2].place, 2);
  EXPECT_EQ(h.view.podium[2].nickname, "Me");
  EXPECT_EQ(h.view.users[0].points, "0");
  EXPECT_FALSE(h.session.GameInProgress());
}

// --- Password rooms ---------------------------------------------------------------------------

class PasswordRoom : public testing::Test {
 protected:
  // The login up to the password, as a room with one answers it.
  void ToThePassword() {
    h.Connect("den.example");
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.Receive("USEROK", "100007\x03");
  }
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
};

TEST_F(PasswordRoom, TheClientAsksRetriesWithThePasswordAndKeepsItWhenAsked) {
  ToThePassword();
  const auto sent = h.Sent();
  ASSERT_THAT(sent, SizeIs(3));
  EXPECT_THAT(sent[2], Msg("PASS", "<none>"));
  h.Receive("BADPASS", "-");
  h.Receive("BADPASS", "-");  // said twice: asked once
  EXPECT_THAT(h.view.password_asks, ElementsAre("den.example:2020"));
  h.session.OnClosed();

  h.session.RetryWithPassword("s3cret \xE9 x", true);
  EXPECT_EQ(h.connection.connects, 2);
  h.session.OnConnected();
  h.Receive("SCRAWLBOX_S3RV3R", "100");
  h.Receive("USEROK", "100007\x03");
  EXPECT_THAT(h.Sent().back(), Msg("PASS", "s3cret \xE9 x"));
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");  // kept only once it is right
  h.Receive("PASSOK",
            "\x03"
            "Den\x03-\x03"
            "1\x03"
            "10");
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "s3cret \xE9 x");

  // The next login sends the kept password at once.
  h.session.OnClosed();
  ToThePassword();
  EXPECT_THAT(h.Sent().back(), Msg("PASS", "s3cret \xE9 x"));
}

TEST_F(PasswordRoom, AKeptPasswordTheRoomRefusesIsForgottenAndAskedAgain) {
  h.settings.SaveRoomPassword("den.example:2020", "old");
  ToThePassword();
  EXPECT_THAT(h.Sent().back(), Msg("PASS", "old"));
  h.Receive("BADPASS", "-");
  EXPECT_THAT(h.view.password_asks, ElementsAre("den.example:2020 (wrong)"));
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");
}

TEST_F(PasswordRoom, ABadPasswordMessageAtAnyOtherTimeIsIgnored) {
  h.Connect("den.example");
  h.Receive("BADPASS", "-");  // before any password went out
  h.Receive("SCRAWLBOX_S3RV3R", "100");
  h.Receive("USEROK", "100007\x03");
  h.Receive("PASSOK",
            "\x03"
            "Den\x03-\x03"
            "1\x03"
            "10");
  h.Receive("BADPASS", "-");  // after the room let the player in
  EXPECT_THAT(h.view.password_asks, IsEmpty());
}

// --- Leaving ----------------------------------------------------------------------------------

TEST_F(InGame, LeavingSendsThePlayersReasonAndLetsItGoOutBeforeTheClose) {
  EXPECT_TRUE(h.session.GameInProgress());
  h.session.LeaveRoom(h.session.quit_reason());
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PART", "Quit")));
  EXPECT_EQ(h.connection.leaves, 1);
  EXPECT_FALSE(h.session.GameInProgress());
}

TEST_F(InGame, QuitLeavesItToTheWindowWithItsOwnReason) {
  h.session.EnterChatLine("/quit");
  EXPECT_TRUE(h.view.closed);
  EXPECT_THAT(h.Sent(), IsEmpty());  // the window sends PART as it closes
  EXPECT_EQ(h.session.quit_reason(), "Quitting (via CLI).");
}

TEST_F(InGame, TheNopAfterAnOperatorsKickGoesOutBeforeTheClose) {
  h.Receive("KICKOP", "spam");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("NOP", "NOP")));
  EXPECT_EQ(h.connection.leaves, 1);
}

}  // namespace
}  // namespace client
