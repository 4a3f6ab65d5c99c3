// SPDX-License-Identifier: MIT
// Whole games on the manual clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/game_harness.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;
using testing_support::GameHarness;
namespace to_server = protocol::to_server;

constexpr char kArtistLeft[] =
    "NOTICE Artist has left the room; a new one will be selected., ROUNDWORD cat";

// Three players in slots 1-3 (ids 100000-100002) with a game of three 60 s rounds set up by
// the first; the first player is the artist of round 1 and the word is "cat".
class ThreePlayers : public testing_support::ThreeInRoom<GameHarness> {
 protected:
  void SetUp() override {
    ThreeInRoom::SetUp();
    h.StartGame(a);
    h.TakeAll();
  }
  const GameState& state() { return h.game.state(); }
  int32_t Points(int slot) { return h.server.Record(slot)->Points; }
};

// These suites each set their own game up, so they share only the players.
using ThreeJoined = testing_support::ThreeInRoom<GameHarness>;
class TwoPlayers : public testing_support::TwoInRoom<GameHarness> {
 protected:
  const GameState& state() { return h.game.state(); }
};

TEST_F(TwoPlayers, StartGameAnnouncesTheGameAndTellsOnlyTheArtistTheWord) {
  h.SetWord("apple|apples;#pomme");
  h.StartGame(b, 5, 45000, 20000);
  const std::string start = "SETGAMETIMER 45000, TOTALROUNDS 5, START_GAME test, NEWARTIST 100000";
  EXPECT_EQ(h.Got(b), start + ", WORDPATTERN _____");
  EXPECT_EQ(h.Got(a), start + ", NEWWORD apple,apples,,pomme");
  EXPECT_EQ(h.view.rows[100001].status, "Has started the game..");
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesStarted), 1);
  // A joiner hears the round in PASSOK, then the game and the clock as it runs for the others.
  const int late = h.LogInTo(GameHarness::Step::kUserList, "late");
  EXPECT_THAT(h.Got(late), AllOf(HasSubstr(", PASSOK ||-|1|5, "),
                                 testing::EndsWith(", GAMERUNNING 100000||_____, "
                                                   "STARTGAMETIMER 45000")));
}

// Found by fuzzing: a STARTGAME naming 8000 lists cost every round a 50 KB parse and sent
// 50 KB to every player.
TEST_F(TwoPlayers, OnlyTheRoomsListsAreKeptAndRelayedEachOnce) {
  h.WriteList("food.txt", "pie\r\n");
  h.Rescan();
  std::string lists = "food,test";
  for (int i = 0; i < 4000; ++i) lists += ",nowhere,test";
  h.StartGame(a, 3, 60000, 30000, lists);
  EXPECT_THAT(h.Got(a), HasSubstr("START_GAME food^test"));
  EXPECT_EQ(h.game.state().ChosenLists, Wire("food^test"));
}

TEST(GameSetup, WordListNamesComeInBatchesOfTenThenTheOthersAreTold) {
  GameHarness h;
  for (int i = 0; i < 22; ++i) h.WriteList("list" + std::to_string(100 + i) + ".txt", "x\r\n");
  h.Rescan();
  const int asker = h.Join("asker");
  const int other = h.Join("other");
  h.Send(asker, to_server::GETWORDLISTS, "-");
  EXPECT_EQ(h.Got(asker),
            "WORDLIST list100|list101|list102|list103|list104|list105|list106|list107|list108|"
            "list109, WORDLIST list110|list111|list112|list113|list114|list115|list116|list117|"
            "list118|list119, WORDLIST list120|list121|test, WORDLISTEND -");
  EXPECT_EQ(h.Got(other), "GAMEISBEINGSETUP -");
  // Closing the set-up window takes the notice back, unless a game runs.
  h.Send(asker, to_server::CANCELSETUP, "-");
  EXPECT_EQ(h.Got(other) + h.Got(asker), "SETUPCANCELLED -");
  h.StartGame(asker);
  h.TakeAll();
  h.Send(asker, to_server::CANCELSETUP, "-");
  EXPECT_EQ(h.Got(other), "");
}

TEST(GameSetup, NoWordListsAreReportedToTheAsker) {
  GameHarness h;
  std::filesystem::remove(h.dir / "test.txt");
  h.Rescan();
  EXPECT_THAT(h.view.criticals, ElementsAre(StartsWith("ScanWordlist(): There was an error sca")));
  const int asker = h.Join("asker");
  h.Send(asker, to_server::GETWORDLISTS, "-");
  EXPECT_EQ(h.Got(asker), "NOWORDLISTS -");
}

TEST_F(TwoPlayers, BadSetUpDataGivesAClearOutcome) {
  const int stranger = h.Connect();  // from outside the room: closed
  h.StartGame(stranger);
  EXPECT_TRUE(h.transport.IsClosed(stranger));
  // Missing fields: no word lists chosen, so no word and no game.
  h.Send(a, to_server::STARTGAME, "Room");
  EXPECT_EQ(h.Got(b), "NOTICE No words could be read from the chosen word lists.");
  EXPECT_FALSE(h.game.IsRunning());
  // Unknown names and paths are no lists either.
  h.StartGame(a, 3, 60000, 30000, "nope,../test,/etc/passwd");
  EXPECT_THAT(h.TakeCommands(b), ElementsAre("NOTICE"));
  // Absurd numbers are held to something playable.
  h.Send(a, to_server::STARTGAME,
         protocol::JoinFields({"R", "D", "x", "-4", "1099511627776", "0", Wire("^test")}));
  EXPECT_EQ(h.game.state().TotalRounds, 1);
  EXPECT_EQ(h.game.state().RoundTime, kMaxRoundTime);
  EXPECT_EQ(h.game.state().FoundTime, kMinFoundTime);
  EXPECT_TRUE(h.game.IsRunning());
  h.Send(a, to_server::STARTGAME, "\r\n");  // blank: ignored
  EXPECT_EQ(h.game.state().TotalRounds, 1);
}

TEST_F(ThreeJoined, RotateInSlotOrderAndLateJoinersDrawAfterTheEarlierPlayers) {
  h.StartGame(a, 10, kMinRoundTime, kMinFoundTime);
  std::vector<int32_t> artists = {h.game.state().ArtistId};
  for (int round = 0; round < 5; ++round) {
    if (round == 1) h.Join("dee");  // slot 4 joins during the first cycle
    h.clock.Advance(kMinRoundTime + BetweenRoundsPause);
    artists.push_back(h.game.state().ArtistId);
  }
  EXPECT_THAT(artists, ElementsAre(100000, 100001, 100002, 100003, 100000, 100001));
}

TEST(Artists, PlayersOnAutoSkipAndPlayersStillLoggingInNeverDraw) {
  GameHarness h;
  const int a = h.Join("ann", "1");
  const int b = h.Join("ben", "1");
  h.Connect();  // never logs in
  h.StartGame(a);
  EXPECT_THAT(h.Got(a), HasSubstr("NEWARTIST 0"));
  EXPECT_THAT(h.Got(b), Not(HasSubstr("NEWWORD")));
}

TEST_F(ThreePlayers, RoundTimerRunsTheWholeStateMachine) {
  EXPECT_EQ(state().TimerMode, kTimerRound);
  h.clock.Advance(59999);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(b), "ENDOFROUND cat, ROUNDWORD cat");
  h.TakeAll();
  EXPECT_EQ(state().TimerMode, kTimerBetweenRounds);
  h.SetWord("dog");
  h.clock.Advance(3500);
  EXPECT_EQ(h.Got(c), "SETGAMETIMER 60000, NEWROUND 2, NEWARTIST 100001, WORDPATTERN ___");
  EXPECT_THAT(h.Got(b), Not(HasSubstr("WORDPATTERN")));
  // The first find starts the countdown; when it runs out the round ends by time as well.
  h.Say(a, "dog");
  EXPECT_EQ(state().TimerMode, kTimerCountdown);
  EXPECT_EQ(h.Got(c), "WORDFOUND 1|100000, POINTSCHG 100000|220, STARTGAMETIMER 30000");
  h.clock.Advance(30000);
  EXPECT_EQ(h.Got(c), "ENDOFROUND dog, ROUNDWORD dog");
  h.clock.Advance(3500);
  EXPECT_EQ(state().Round, 3);
  // The last round ends the game: the word, the winner, the reset, and 6 s later a new game.
  h.TakeAll();
  h.clock.Advance(60000);
  EXPECT_EQ(h.Got(b), "ENDOFROUND dog, ROUNDWORD dog, WINNER 100000, RESETSCORES -");
  EXPECT_EQ(state().TimerMode, kTimerBetweenGames);
  EXPECT_EQ(Points(a), 0);
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesCompleted), 1);
  h.clock.Advance(5999);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_THAT(h.TakeCommands(b),
              ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN"));
  EXPECT_EQ(state().Round, 1);
}

TEST_F(ThreeJoined, GuessesMatchIgnoringCaseAndCloseOnesReachOnlyTheirSender) {
  h.SetWord("Ice Cream");
  h.StartGame(a);
  h.TakeAll();
  // "ice" is too short a beginning of "Ice Cream" to be told it is close: it is chat.
  for (const std::string wrong : {"icecream", " ice cream", "ice", "ice cr", "ice c"}) {
    h.Say(b, wrong);
  }
  const std::string chat = "SAY 100001|icecream, SAY 100001| ice cream, SAY 100001|ice";
  EXPECT_EQ(h.Got(c), chat);
  EXPECT_EQ(h.Got(b), chat + ", WORDCLOSE ice cr, WORDCLOSE ice c");
  h.TakeAll();
  h.Say(b, "ICE CREAM");
  h.Say(c, "ice cream");
  EXPECT_THAT(h.TakeCommands(a),
              ElementsAre("WORDFOUND", "POINTSCHG", "STARTGAMETIMER", "WORDFOUND", "POINTSCHG",
                          "STOPGAMETIMER", "ROUNDWORD"));
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsAlmostGuessed), 2);
}

TEST_F(ThreeJoined, AnyAlternativeCountsButClosenessLooksAtTheWholeLine) {
  h.SetWord("cat|kitten");
  h.StartGame(a);
  h.TakeAll();
  for (const char* line : {"kit", "cat,k", "KITTEN"}) h.Say(b, line);
  EXPECT_EQ(h.Got(b),
            "SAY 100001|kit, WORDCLOSE cat,k, WORDFOUND 2|100001, POINTSCHG 100001|220, "
            "STARTGAMETIMER 30000");
}

// Many connections of one address cannot run through a word list: they share one bucket, and
// a line over it is only chat.
TEST(GuessLimit, OneAddressSharesABucketAndLinesOverItAreChatNotGuesses) {
  GameHarness h("[Server Details]\nFlood Burst=0\nGuess Burst=3\nGuess Rate=4\n");
  const int artist = h.Join("ann");
  const int b = h.Join("ben");
  const int c = h.Join("cid");
  const int elsewhere = h.Join("dee", "0", "10.0.0.2");
  h.StartGame(artist);
  h.TakeAll();
  for (const char* wrong : {"dog", "cow", "pig"}) h.Say(b, wrong);
  h.Say(c, "cat");
  h.Say(artist, "cat");  // the artist's lines are always looked at: never relayed
  h.Say(elsewhere, "cat");
  EXPECT_EQ(h.Got(elsewhere),
            "SAY 100001|dog, SAY 100001|cow, SAY 100001|pig, SAY 100002|cat, "
            "WORDFOUND 4|100003, POINTSCHG 100003|220, STARTGAMETIMER 30000");
  h.clock.Advance(250);  // a guess a quarter of a second
  h.Say(c, "cat");
  EXPECT_THAT(h.Got(c), HasSubstr("WORDFOUND"));
}

TEST_F(ThreeJoined, ThePotFallsWithTimeAndHintsButAHintLeavesASmallPotAsItIs) {
  h.StartGame(a, 3, 200000);
  h.clock.Advance(5000);
  EXPECT_EQ(h.game.state().ScorePot, 190);
  h.Send(a, to_server::GIVEHINT, "-");
  h.Send(a, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.game.state().ScorePot, 160);
  h.clock.Advance(74000);
  EXPECT_EQ(h.game.state().ScorePot, 12);
  h.Send(a, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.game.state().ScorePot, 12);
  h.clock.Advance(100000);
  EXPECT_EQ(h.game.state().ScorePot, 0);
  h.Say(b, "cat");  // a late first finder: nothing but the bonus
  EXPECT_EQ(h.server.Record(b)->Points, 20);
}

TEST_F(ThreePlayers, FirstFinderGetsTheBonusTheLastFindEndsTheRoundAndTheCountdownIsWhole) {
  h.clock.Advance(10000);
  h.Say(b, "CAT");
  EXPECT_EQ(Points(b), 180 + 20);
  h.clock.Advance(1000);
  h.Say(c, "cat");
  EXPECT_EQ(Points(c), 178);
  EXPECT_EQ(h.Got(a),
            "WORDFOUND 2|100001, POINTSCHG 100001|200, STARTGAMETIMER 30000, "
            "WORDFOUND 3|100002, POINTSCHG 100002|178, STOPGAMETIMER -, ROUNDWORD cat");
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsGuessed), 1);
  // A finder who types the word again only chats.
  h.Say(b, "cat");
  EXPECT_EQ(h.Got(a), "SAY 100001|cat");
  EXPECT_EQ(Points(b), 200);
  h.clock.Advance(3500);
  EXPECT_THAT(h.Got(a), HasSubstr("NEWROUND 2"));
  // A first find just before the end still gives the others the whole countdown.
  h.clock.Advance(55000);
  h.Say(a, "cat");
  h.clock.Advance(29999);
  EXPECT_THAT(h.Got(c), Not(HasSubstr("ENDOFROUND")));
  h.clock.Advance(1);
  EXPECT_THAT(h.Got(c), HasSubstr("ENDOFROUND"));
}

TEST_F(ThreePlayers, TheLastRoundsFinalFindEndsTheGameWithoutRelayingTheGuess) {
  for (int round = 1; round < 3; ++round) h.clock.Advance(60000 + 3500);
  ASSERT_EQ(state().ArtistId, 100002);
  h.TakeAll();
  h.Say(a, "cat");
  h.Say(b, "cat");
  EXPECT_EQ(h.Got(c),
            "WORDFOUND 1|100000, POINTSCHG 100000|220, STARTGAMETIMER 30000, "
            "WORDFOUND 2|100001, POINTSCHG 100001|200, STOPGAMETIMER -, ROUNDWORD cat, "
            "WINNER 100000, RESETSCORES -");
}

TEST(Winner, IsTheTopScoreSharedByAllWhoHaveItAndNobodyWithoutPoints) {
  struct Row {
    const char* name;
    int32_t points[3];
    const char* winner;
  };
  const Row rows[] = {
      {"one top score", {10, 50, 0}, "WINNER 100001,"},
      {"a tie: the lowest slot first, then the others", {50, 10, 50}, "WINNER 100000|100002,"},
      {"nobody above 0", {0, -10, 0}, "WINNER 0,"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h;
    const int slots[] = {h.Join("ann"), h.Join("ben"), h.Join("cid")};
    h.StartGame(slots[0], 1);
    for (int i = 0; i < 3; ++i) h.server.Record(slots[i])->Points = row.points[i];
    h.TakeAll();
    h.clock.Advance(60000);
    EXPECT_THAT(h.Got(slots[2]), HasSubstr(row.winner));
  }
}

// Rather than crown winners of empty games for ever, a game nobody played stops the room.
TEST(GameEnd, OnlyAGameSomebodyDrewOrFoundInStartsTheNextByItself) {
  struct Row {
    const char* name;
    void (*play)(GameHarness& h, int artist, int guesser);
    bool next_game;
  };
  const Row rows[] = {
      {"nobody drew or found", [](GameHarness&, int, int) {}, false},
      {"only a guesser tried to draw",
       [](GameHarness& h, int, int guesser) { h.Send(guesser, "CL", "-"); }, false},
      {"the artist drew", [](GameHarness& h, int artist, int) { h.Send(artist, "CL", "-"); }, true},
      {"the word was found", [](GameHarness& h, int, int guesser) { h.Say(guesser, "cat"); }, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h;
    const int a = h.Join("ann");
    const int b = h.Join("ben");
    const int c = h.Join("cid");
    h.StartGame(a, 1);
    row.play(h, a, b);
    h.clock.Advance(60000);
    EXPECT_EQ(h.TakeCommands(c).back() == "GAMESTOPPED", !row.next_game);
    h.clock.Advance(BetweenGamesPause);
    EXPECT_EQ(h.game.IsRunning(), row.next_game);
    if (row.next_game) continue;
    h.StartGame(b);  // anyone may start the next game
    EXPECT_TRUE(h.game.IsRunning());
  }
}

// The admin leaves during a game: the player in the room longest, not the one in the lowest
// slot, is the admin now, everyone is told, and it may start the game over.
TEST(Admin, TheRolePassesToThePlayerInTheRoomLongestWhoMayRestartTheGame) {
  GameHarness h;
  const int a = h.Join("ann");
  h.Send(a, to_server::ADMIN, "ann");
  const int c = h.LogInTo(GameHarness::Step::kProfile, "cid");  // slot 2, enters last
  const int b = h.Join("ben");
  h.Send(c, to_server::PASS, "<none>");
  h.StartGame(a, 5);
  h.TakeAll();
  h.server.OnClosed(a);
  EXPECT_EQ(h.Got(c),
            std::string("PART 100000|Server closed connection, ADMIN 100002|ben, ") + kArtistLeft);
  EXPECT_THAT(h.Got(b), HasSubstr("ADMIN"));
  h.StartGame(b, 2);
  EXPECT_EQ(h.game.state().TotalRounds, 2);
  EXPECT_EQ(h.game.state().MasterId, h.IdOf(b));
  h.server.OnClosed(b);
  EXPECT_THAT(h.Got(c), HasSubstr("ADMIN 100001|cid"));
}

TEST_F(TwoPlayers, TheOnlyGuessersFindEndsTheRoundAtOnceWithoutBonus) {
  h.Connect();  // a connection still logging in counts for nothing
  h.StartGame(a);
  h.TakeAll();
  h.Say(b, "cat");
  EXPECT_EQ(h.server.Record(b)->Points, 200);
  EXPECT_THAT(h.TakeCommands(a),
              ElementsAre("WORDFOUND", "POINTSCHG", "STOPGAMETIMER", "ROUNDWORD"));
}

TEST_F(ThreePlayers, TheArtistLeavingStartsANewRoundFourSecondsLater) {
  h.server.OnClosed(a);
  EXPECT_EQ(h.Got(b), std::string("PART 100000|Server closed connection, ") + kArtistLeft);
  h.clock.Advance(3999);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(b), "SETGAMETIMER 60000, NEWROUND 2, NEWARTIST 100001, NEWWORD cat");
}

// The chosen artist's connection breaks while a game or a round is being announced: the game
// learns of it once the announcement is over and goes on as when the artist leaves, rather
// than running a round that nobody draws.
TEST_F(ThreeJoined, AnArtistWhoseConnectionBreaksDuringTheGamesStartIsReplaced) {
  h.TakeAll();
  h.transport.failing_slots.insert(a);
  h.StartGame(b);
  EXPECT_TRUE(h.transport.IsClosed(a));
  EXPECT_EQ(h.Got(c),
            "SETGAMETIMER 60000, TOTALROUNDS 3, START_GAME test, NEWARTIST 100000, WORDPATTERN "
            "___, PART 100000|Server closed connection, " +
                std::string(kArtistLeft));
  h.clock.Advance(ArtistLeftPause);
  EXPECT_THAT(h.TakeCommands(c),
              ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN"));
  EXPECT_EQ(h.game.state().ArtistId, h.IdOf(b));
}

TEST_F(ThreePlayers, AnArtistWhoseConnectionBreaksAsTheRoundStartsIsReplaced) {
  h.clock.Advance(60000);
  h.TakeAll();
  h.transport.failing_slots.insert(b);  // the artist of round 2
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_TRUE(h.transport.IsClosed(b));
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN",
                                             "PART", "NOTICE", "ROUNDWORD"));
  h.clock.Advance(ArtistLeftPause);
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "NEWWORD"));
  EXPECT_EQ(state().ArtistId, h.IdOf(c));
}

TEST_F(ThreePlayers, TheGameStopsSilentlyWhenOnePlayerRemainsAndCanStartAgain) {
  h.server.OnClosed(c);
  h.server.OnSocketError(b, 10054, "reset");  // two players still make a game
  EXPECT_TRUE(h.game.IsRunning());
  h.server.OnClosed(b);
  EXPECT_FALSE(h.game.IsRunning());
  EXPECT_EQ(h.Got(a),
            "PART 100002|Server closed connection, PART 100001|Server closed connection, "
            "ROUNDWORD cat");
  h.clock.Advance(120000);
  EXPECT_EQ(h.Got(a), "");
  EXPECT_EQ(h.clock.PendingCount(), 1u);  // only a's ping timer is left
  const int d = h.Join("dee");
  h.StartGame(d);
  EXPECT_EQ(state().Round, 1);
  EXPECT_TRUE(h.game.IsRunning());
}

TEST_F(TwoPlayers, HintsRevealTheWordLetterByLetterCountLettersAndStopEarlyForShortWords) {
  h.StartGame(a);
  h.TakeAll();
  for (int i = 0; i < 5; ++i) h.Send(a, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.Got(b),
            "HINT [3 letters]|The artist has given a hint! The word has 3 letters.|___, "
            "HINT c|The artist has given a second hint! The word starts with: c|c__, "
            "HINT ca|The artist has given a third hint! The word starts with: ca|ca_, "
            "HINT cat|The artist has given a final hint! The word starts with: cat|cat");
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("HINT", "HINT", "HINT", "HINT", "NOMOREHINTS"));
  EXPECT_EQ(h.view.rows[100000].status, "Has given a hint.");
  EXPECT_EQ(h.server.statistics().Get(Stat::HintsGiven), 4);
  // A joiner mid-round learns the letters given so far.
  const int late = h.Join("late");
  h.Send(late, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.Got(late), HasSubstr("GAMERUNNING 100000|cat|cat"));

  h.SetWord("ice cream");
  h.StartGame(a);
  EXPECT_EQ(h.game.GetHint(),
            Wire("[9 letters]|The artist has given a hint! The word has 8 letters."));
  h.SetWord("sea horse|seahorse");
  h.StartGame(a);
  EXPECT_EQ(h.game.GetHint(),
            Wire("[9 letters]|The artist has given a hint! The word has 9 letters."));
  h.SetWord("ox");
  h.StartGame(a);
  h.TakeAll();
  int artist = 0;
  for (const int slot : {a, b, late}) artist = h.IdOf(slot) == state().ArtistId ? slot : artist;
  for (int i = 0; i < 3; ++i) h.Send(artist, to_server::GIVEHINT, "-");
  EXPECT_THAT(h.Got(artist),
              testing::EndsWith("|o_, HINT ox|The artist has given a third hint! The "
                                "word starts with: ox|ox, NOMOREHINTS -"));
}

TEST_F(TwoPlayers, SkipsCostTheArtistAndReplayTheRoundNumber) {
  h.StartGame(a, 5, kMinRoundTime, kMinFoundTime);
  h.clock.Advance(2 * (kMinRoundTime + BetweenRoundsPause));
  ASSERT_EQ(h.game.state().Round, 3);
  ASSERT_EQ(h.game.state().ArtistId, 100000);
  h.TakeAll();
  h.Send(a, to_server::SKIPWORD, "-");
  EXPECT_EQ(h.Got(b), "WORDSKIPPED cat, ROUNDWORD cat, POINTSCHG 100000|-10");
  EXPECT_EQ(h.view.rows[100000].status, "Has skipped the current word.");
  h.clock.Advance(3999);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_THAT(h.Got(b), HasSubstr("NEWROUND 3"));
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsSkipped), 1);
}

TEST_F(TwoPlayers, ASkippedLastRoundIsPlayedAgain) {
  h.Send(a, to_server::STARTGAME,
         protocol::JoinFields({"R", "D", "8", "0", "60000", "30000", Wire("^test")}));
  h.TakeAll();
  h.Send(a, to_server::SKIPWORD, "-");
  EXPECT_THAT(h.TakeCommands(b), ElementsAre("WORDSKIPPED", "ROUNDWORD", "POINTSCHG"));
  h.clock.Advance(4000);
  EXPECT_THAT(h.Got(b), HasSubstr("NEWROUND 1"));
}

TEST_F(ThreeJoined, TheArtistLeavingInTheLastRoundEndsTheGame) {
  h.StartGame(b, 1);
  h.TakeAll();
  h.server.OnClosed(a);
  EXPECT_THAT(h.TakeCommands(b),
              ElementsAre("PART", "NOTICE", "ROUNDWORD", "WINNER", "RESETSCORES", "GAMESTOPPED"));
}

// --- What the game does not let players do ----------------------------------------------------

TEST_F(ThreePlayers, OnlyTheArtistDrawsSkipsOrHintsAndItsOwnWordNeverScores) {
  h.Send(b, to_server::SKIPWORD, "-");
  h.Send(c, to_server::GIVEHINT, "-");
  h.Send(b, "FH", Wire("1|2|3|4"));
  h.Send(b, "CL", "-");
  EXPECT_EQ(h.Got(a) + h.Got(c), "");
  EXPECT_FALSE(h.transport.IsClosed(b));
  EXPECT_EQ(Points(b), 0);
  EXPECT_EQ(state().ScorePot, 200);
  for (const char* line : {"CAT", "ca", "it has whiskers"}) h.Say(a, line);
  h.Send(a, "FH", Wire("1|2|3|4"));
  EXPECT_EQ(h.Got(c), "SAY 100000|it has whiskers, FH 100000|1|2|3|4");
  EXPECT_EQ(Points(a), 0);
  EXPECT_EQ(state().FoundCount, 0);
  const int stranger = h.Connect();
  h.Send(stranger, to_server::SKIPWORD, "-");
  EXPECT_TRUE(h.transport.IsClosed(stranger));
  EXPECT_EQ(state().Round, 1);
  EXPECT_EQ(state().TimerMode, kTimerRound);
}

TEST_F(ThreePlayers, BetweenRoundsTheShownWordIsJustChat) {
  h.clock.Advance(60000);
  h.TakeAll();
  h.Say(b, "cat");
  EXPECT_EQ(h.Got(c), "SAY 100001|cat");
  EXPECT_EQ(Points(b), 0);
  // Chat in the pause after everyone found the word does not end the round again.
  h.clock.Advance(3500);
  ASSERT_EQ(state().ArtistId, 100001);
  h.Say(a, "cat");
  h.Say(c, "cat");
  h.TakeAll();
  h.Say(b, "well done");
  h.Say(a, "cat");
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("SAY", "SAY"));
  EXPECT_EQ(state().TimerMode, kTimerBetweenRounds);
}

// A guesser who had not found the word takes no find with it; the last one leaving ends a
// round everyone else has found.
TEST_F(ThreeJoined, GuessersLeavingCountOnlyForWhatTheyFound) {
  const int d = h.Join("dee");
  h.StartGame(a);
  h.Say(b, "cat");
  h.server.OnClosed(c);
  EXPECT_EQ(h.game.state().FoundCount, 1);
  EXPECT_EQ(h.game.state().TimerMode, kTimerCountdown);
  h.TakeAll();
  h.server.OnClosed(d);
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("PART", "STOPGAMETIMER", "ROUNDWORD"));
  EXPECT_EQ(h.game.state().TimerMode, kTimerBetweenRounds);
}

}  // namespace
}  // namespace server
