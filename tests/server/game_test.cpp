// SPDX-License-Identifier: MIT
// Whole games on the manual clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/game_harness.h"
#include "tests/support/matchers.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;
using testing_support::GameHarness;
using testing_support::Msg;
namespace to_server = protocol::to_server;

using testing_support::ThreeInRoom;
using testing_support::TwoInRoom;

// Three players in slots 1-3 (ids 100000-100002) with a game of three 60 s rounds set up by
// the first; the first player is the artist of round 1 and the word is "cat".
class ThreePlayers : public ThreeInRoom<GameHarness> {
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
using Guesses = ThreeInRoom<GameHarness>;
using Winner = ThreeInRoom<GameHarness>;
using TwoPlayers = TwoInRoom<GameHarness>;
using ThreeJoined = ThreeInRoom<GameHarness>;
using Hints = TwoInRoom<GameHarness>;
using Skips = TwoInRoom<GameHarness>;

TEST_F(TwoPlayers, StartGameAnnouncesTheGameAndTellsOnlyTheArtistTheWord) {
  h.SetWord("apple|apples;#pomme");
  h.StartGame(b, 5, 45000, 20000);
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("SETGAMETIMER", "45000"), Msg("TOTALROUNDS", "5"),
                                     Msg("START_GAME", "test"), Msg("NEWARTIST", "100000"),
                                     Msg("WORDPATTERN", "_____")));
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("SETGAMETIMER", "45000"), Msg("TOTALROUNDS", "5"),
                                     Msg("START_GAME", "test"), Msg("NEWARTIST", "100000"),
                                     Msg("NEWWORD", "apple,apples,,pomme")));
  EXPECT_EQ(h.view.rows[100001].status, "Has started the game..");
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesStarted), 1);
  EXPECT_TRUE(h.game.IsRunning());

  const int late = h.LogInTo(GameHarness::Step::kUserList, "late");
  const auto messages = h.Take(late);
  EXPECT_EQ(messages[2].data,
            Wire("||-|1|5"));  // PASSOK with the round
  // Then the game, and the clock as it runs for the others.
  ASSERT_GE(messages.size(), 2u);
  EXPECT_THAT(messages[messages.size() - 2], Msg("GAMERUNNING", Wire("100000||_____")));
  EXPECT_THAT(messages.back(), Msg("STARTGAMETIMER", "45000"));
}

// Found by fuzzing: a STARTGAME naming 8000 lists cost every round a 50 KB parse and sent
// 50 KB to every player.
TEST_F(TwoPlayers, OnlyTheRoomsListsAreKeptAndRelayedEachOnce) {
  h.WriteList("food.txt", "pie\r\n");
  h.Rescan();
  std::string lists = "food,test";
  for (int i = 0; i < 4000; ++i) lists += ",nowhere,test";
  h.StartGame(a, 3, 60000, 30000, lists);
  EXPECT_THAT(h.Take(a), Contains(Msg("START_GAME", Wire("food^test"))));
  EXPECT_EQ(h.game.state().ChosenLists, Wire("food^test"));
}

TEST(GameSetup, WordListNamesComeInBatchesOfTenThenTheOthersAreTold) {
  GameHarness h;
  for (int i = 0; i < 22; ++i) h.WriteList("list" + std::to_string(100 + i) + ".txt", "x\r\n");
  h.Rescan();
  const int asker = h.Join("asker");
  const int other = h.Join("other");
  h.Send(asker, to_server::GETWORDLISTS, "-");
  const auto messages = h.Take(asker);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(protocol::SplitFields(messages[0].data).size(), 10u);
  EXPECT_EQ(protocol::SplitFields(messages[1].data).size(), 10u);
  EXPECT_EQ(messages[2].data, Wire("list120|list121|test"));
  EXPECT_THAT(messages[3], Msg("WORDLISTEND", "-"));
  EXPECT_THAT(h.Take(other), ElementsAre(Msg("GAMEISBEINGSETUP", "-")));
  // Closing the set-up window takes the notice back, unless a game runs.
  h.Send(asker, to_server::CANCELSETUP, "-");
  EXPECT_THAT(h.Take(other), ElementsAre(Msg("SETUPCANCELLED", "-")));
  EXPECT_THAT(h.Take(asker), IsEmpty());
  h.StartGame(asker);
  h.TakeAll();
  h.Send(asker, to_server::CANCELSETUP, "-");
  EXPECT_THAT(h.Take(other), IsEmpty());
}

TEST(GameSetup, NoWordListsAreReportedToTheAsker) {
  GameHarness h;
  std::filesystem::remove(h.dir / "test.txt");
  h.Rescan();
  EXPECT_EQ(h.view.criticals.size(), 1u);
  EXPECT_EQ(h.view.criticals[0].rfind("ScanWordlist(): There was an error scanning", 0), 0u);
  const int asker = h.Join("asker");
  h.Send(asker, to_server::GETWORDLISTS, "-");
  EXPECT_THAT(h.Take(asker), ElementsAre(Msg("NOWORDLISTS", "-")));
}

TEST_F(TwoPlayers, BadSetUpDataGivesAClearOutcome) {
  // Missing fields: no word lists chosen, so no word and no game.
  h.Send(a, to_server::STARTGAME, "Room");
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("NOTICE",
                                         "No words could be read from the chosen word "
                                         "lists.")));
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

TEST(GameSetup, StartGameFromOutsideTheRoomClosesTheSender) {
  GameHarness h;
  h.Join("ann");
  const int stranger = h.Connect();
  h.StartGame(stranger);
  EXPECT_TRUE(h.transport.IsClosed(stranger));
  EXPECT_FALSE(h.game.IsRunning());
}

TEST_F(ThreeJoined, RotateInSlotOrderAndLateJoinersDrawAfterTheEarlierPlayers) {
  h.StartGame(a, 10, kMinRoundTime, kMinFoundTime);
  std::vector<int32_t> artists = {h.game.state().ArtistId};
  h.clock.Advance(kMinRoundTime + BetweenRoundsPause);
  artists.push_back(h.game.state().ArtistId);
  h.Join("dee");  // slot 4 joins during the first cycle
  for (int round = 0; round < 4; ++round) {
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
  EXPECT_THAT(h.Take(a), Contains(Msg("NEWARTIST", "0")));
  EXPECT_THAT(h.TakeCommands(b), Not(Contains("NEWWORD")));
}

TEST_F(ThreePlayers, RoundTimerRunsTheWholeStateMachine) {
  EXPECT_EQ(state().TimerMode, kTimerRound);
  h.clock.Advance(59999);
  EXPECT_THAT(h.Take(b), IsEmpty());
  h.clock.Advance(1);
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("ENDOFROUND", "cat"), Msg("ROUNDWORD", "cat")));
  h.TakeAll();
  EXPECT_EQ(state().TimerMode, kTimerBetweenRounds);
  EXPECT_TRUE(h.game.IsRunning());
  h.SetWord("dog");
  h.clock.Advance(3500);
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("SETGAMETIMER", "60000"), Msg("NEWROUND", "2"),
                                     Msg("NEWARTIST", "100001"), Msg("WORDPATTERN", "___")));
  EXPECT_THAT(h.TakeCommands(b), Not(Contains("WORDPATTERN")));
  // The first find starts the countdown; when it runs out the round ends by time as well.
  h.Say(a, "dog");
  EXPECT_EQ(state().TimerMode, kTimerCountdown);
  EXPECT_THAT(h.Take(c),
              ElementsAre(Msg("WORDFOUND", Wire("1|100000")), Msg("POINTSCHG", Wire("100000|220")),
                          Msg("STARTGAMETIMER", "30000")));
  h.clock.Advance(30000);
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("ENDOFROUND", "ROUNDWORD"));
  h.clock.Advance(3500);
  EXPECT_EQ(state().Round, 3);
  // The last round ends the game: the word, the winner, the reset, and 6 s later a new game.
  h.TakeAll();
  h.clock.Advance(60000);
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("ENDOFROUND", "dog"), Msg("ROUNDWORD", "dog"),
                                     Msg("WINNER", "100000"), Msg("RESETSCORES", "-")));
  EXPECT_EQ(state().TimerMode, kTimerBetweenGames);
  EXPECT_EQ(Points(a), 0);
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesCompleted), 1);
  h.clock.Advance(5999);
  EXPECT_THAT(h.Take(b), IsEmpty());
  h.clock.Advance(1);
  EXPECT_THAT(h.TakeCommands(b),
              ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN"));
  EXPECT_EQ(state().Round, 1);
}

TEST_F(Guesses, MatchIgnoringCaseAndCloseOnesReachOnlyTheirSender) {
  h.SetWord("Ice Cream");
  h.StartGame(a);
  h.TakeAll();
  // "ice" is too short a beginning of "Ice Cream" to be told it is close: it is chat.
  for (const std::string wrong : {"icecream", " ice cream", "ice", "ice cr", "ice c"}) {
    h.Say(b, wrong);
  }
  EXPECT_THAT(h.Take(c),
              ElementsAre(Msg("SAY", Wire("100001|icecream")),
                          Msg("SAY", Wire("100001| ice cream")), Msg("SAY", Wire("100001|ice"))));
  EXPECT_THAT(h.Take(b),
              ElementsAre(Msg("SAY", Wire("100001|icecream")),
                          Msg("SAY", Wire("100001| ice cream")), Msg("SAY", Wire("100001|ice")),
                          Msg("WORDCLOSE", "ice cr"), Msg("WORDCLOSE", "ice c")));
  h.TakeAll();
  h.Say(b, "ICE CREAM");
  h.Say(c, "ice cream");
  EXPECT_THAT(h.TakeCommands(a),
              ElementsAre("WORDFOUND", "POINTSCHG", "STARTGAMETIMER", "WORDFOUND", "POINTSCHG",
                          "STOPGAMETIMER", "ROUNDWORD"));
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsAlmostGuessed), 2);
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
  EXPECT_THAT(h.Take(elsewhere),
              ElementsAre(Msg("SAY", Wire("100001|dog")), Msg("SAY", Wire("100001|cow")),
                          Msg("SAY", Wire("100001|pig")), Msg("SAY", Wire("100002|cat")),
                          Msg("WORDFOUND", Wire("4|100003")), Msg("POINTSCHG", Wire("100003|220")),
                          Msg("STARTGAMETIMER", "30000")));
  h.clock.Advance(250);  // a guess a quarter of a second
  h.Say(c, "cat");
  EXPECT_THAT(h.TakeCommands(c), Contains("WORDFOUND"));
}

TEST_F(Guesses, AnyAlternativeCountsButClosenessLooksAtTheWholeLine) {
  h.SetWord("cat|kitten");
  h.StartGame(a);
  h.TakeAll();
  h.Say(b, "kit");
  h.Say(b, "cat,k");
  h.Say(b, "KITTEN");
  EXPECT_THAT(h.Take(b),
              ElementsAre(Msg("SAY", Wire("100001|kit")), Msg("WORDCLOSE", "cat,k"),

                          Msg("WORDFOUND", Wire("2|100001")), Msg("POINTSCHG", Wire("100001|220")),
                          Msg("STARTGAMETIMER", "30000")));
}

TEST(Pot, FallsWithTimeAndHints) {
  GameHarness h;
  const int artist = h.Join("ann");
  const int b = h.Join("ben");
  h.Join("cid");
  h.StartGame(artist, 3, 200000);
  h.clock.Advance(5000);
  EXPECT_EQ(h.game.state().ScorePot, 190);
  h.Send(artist, to_server::GIVEHINT, "-");
  h.Send(artist, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.game.state().ScorePot, 160);
  h.clock.Advance(100000);
  EXPECT_EQ(h.game.state().ScorePot, 0);
  h.Say(b, "cat");  // a late first finder: nothing but the bonus
  EXPECT_EQ(h.server.Record(b)->Points, 20);
}

TEST(Pot, AHintOnASmallPotLeavesItAsItIs) {
  GameHarness h;
  const int artist = h.Join("ann");
  h.Join("ben");
  h.StartGame(artist, 3, 200000);
  h.clock.Advance(94000);
  EXPECT_EQ(h.game.state().ScorePot, 12);
  h.Send(artist, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.game.state().ScorePot, 12);
}

TEST_F(ThreePlayers, FirstFinderGetsTheBonusAndTheLastFindEndsTheRound) {
  h.clock.Advance(10000);
  h.Say(b, "CAT");
  EXPECT_EQ(Points(b), 180 + 20);
  h.clock.Advance(1000);
  h.Say(c, "cat");
  EXPECT_EQ(Points(c), 178);
  EXPECT_THAT(h.Take(a),
              ElementsAre(Msg("WORDFOUND", Wire("2|100001")), Msg("POINTSCHG", Wire("100001|200")),
                          Msg("STARTGAMETIMER", "30000"), Msg("WORDFOUND", Wire("3|100002")),
                          Msg("POINTSCHG", Wire("100002|178")), Msg("STOPGAMETIMER", "-"),
                          Msg("ROUNDWORD", "cat")));
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsGuessed), 1);
  // A finder who types the word again only chats.
  h.Say(b, "cat");
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("SAY", Wire("100001|cat"))));
  EXPECT_EQ(Points(b), 200);
  h.clock.Advance(3500);
  EXPECT_THAT(h.Take(a), Contains(Msg("NEWROUND", "2")));
}

TEST_F(ThreePlayers, AFirstFindJustBeforeTheEndStillGivesTheOthersTheWholeCountdown) {
  h.clock.Advance(55000);
  h.Say(b, "cat");
  h.clock.Advance(29999);
  EXPECT_THAT(h.TakeCommands(c), Not(Contains("ENDOFROUND")));
  h.clock.Advance(1);
  EXPECT_THAT(h.TakeCommands(c), Contains("ENDOFROUND"));
}

TEST_F(ThreePlayers, TheLastRoundsFinalFindEndsTheGameWithoutRelayingTheGuess) {
  for (int round = 1; round < 3; ++round) h.clock.Advance(60000 + 3500);
  ASSERT_EQ(state().Round, 3);
  ASSERT_EQ(state().ArtistId, 100002);
  h.TakeAll();
  h.Say(a, "cat");
  h.Say(b, "cat");
  EXPECT_THAT(
      h.Take(c),
      ElementsAre(Msg("WORDFOUND", Wire("1|100000")), Msg("POINTSCHG", Wire("100000|220")),
                  Msg("STARTGAMETIMER", "30000"), Msg("WORDFOUND", Wire("2|100001")),
                  Msg("POINTSCHG", Wire("100001|200")), Msg("STOPGAMETIMER", "-"),
                  Msg("ROUNDWORD", "cat"), Msg("WINNER", "100000"), Msg("RESETSCORES", "-")));
}

TEST(Winner, IsTheTopScoreSharedByAllWhoHaveItAndNobodyWithoutPoints) {
  struct Row {
    const char* name;
    int32_t points[3];
    std::string winner;
  };
  const Row rows[] = {
      {"one top score", {10, 50, 0}, "100001"},
      {"a tie: the lowest slot first, then the others", {50, 10, 50}, Wire("100000|100002")},
      {"nobody above 0", {0, -10, 0}, "0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h;
    const int slots[] = {h.Join("ann"), h.Join("ben"), h.Join("cid")};
    h.StartGame(slots[0], 1);
    for (int i = 0; i < 3; ++i) h.server.Record(slots[i])->Points = row.points[i];
    h.TakeAll();
    h.clock.Advance(60000);
    EXPECT_THAT(h.Take(slots[2]), Contains(Msg("WINNER", row.winner)));
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
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("PART", Wire("100000|Server closed connection")),
                                     Msg("ADMIN", Wire("100002|ben")),
                                     Msg("NOTICE",
                                         "Artist has left the room; a new one will be "
                                         "selected."),
                                     Msg("ROUNDWORD", "cat")));
  EXPECT_THAT(h.TakeCommands(b), Contains("ADMIN"));
  h.StartGame(b, 2);
  EXPECT_EQ(h.game.state().TotalRounds, 2);
  EXPECT_EQ(h.game.state().MasterId, h.IdOf(b));
  h.server.OnClosed(b);
  EXPECT_THAT(h.Take(c), Contains(Msg("ADMIN", Wire("100001|cid"))));
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
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("PART", Wire("100000|Server closed connection")),
                                     Msg("NOTICE",
                                         "Artist has left the room; a new one will be "
                                         "selected."),
                                     Msg("ROUNDWORD", "cat")));
  h.clock.Advance(3999);
  EXPECT_THAT(h.Take(b), IsEmpty());
  h.clock.Advance(1);
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("SETGAMETIMER", "60000"), Msg("NEWROUND", "2"),
                                     Msg("NEWARTIST", "100001"), Msg("NEWWORD", "cat")));
}

// The chosen artist's connection breaks while a game or a round is being announced: the game
// learns of it once the announcement is over and goes on as when the artist leaves, rather
// than running a round that nobody draws.
TEST_F(ThreeJoined, AnArtistWhoseConnectionBreaksDuringTheGamesStartIsReplaced) {
  h.TakeAll();
  h.transport.failing_slots.insert(a);
  h.StartGame(b);
  EXPECT_TRUE(h.transport.IsClosed(a));
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("SETGAMETIMER", "60000"), Msg("TOTALROUNDS", "3"),
                                     Msg("START_GAME", "test"), Msg("NEWARTIST", "100000"),
                                     Msg("WORDPATTERN", "___"),
                                     Msg("PART", Wire("100000|Server closed connection")),
                                     Msg("NOTICE",
                                         "Artist has left the room; a new one will be "
                                         "selected."),
                                     Msg("ROUNDWORD", "cat")));
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
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("PART", Wire("100002|Server closed connection")),
                                     Msg("PART", Wire("100001|Server closed connection")),
                                     Msg("ROUNDWORD", "cat")));
  h.clock.Advance(120000);
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_EQ(h.clock.PendingCount(), 1u);  // only a's ping timer is left
  const int d = h.Join("dee");
  h.StartGame(d);
  EXPECT_EQ(state().Round, 1);
  EXPECT_TRUE(h.game.IsRunning());
}

TEST_F(Hints, RevealTheWordLetterByLetter) {
  h.StartGame(a);
  h.TakeAll();
  for (int i = 0; i < 5; ++i) h.Send(a, to_server::GIVEHINT, "-");
  EXPECT_THAT(
      h.Take(b),
      ElementsAre(
          Msg("HINT", Wire("[3 letters]|The artist has given a hint! The word has 3 letters.|___")),
          Msg("HINT", Wire("c|The artist has given a second hint! The word starts with: c|c__")),
          Msg("HINT", Wire("ca|The artist has given a third hint! The word starts with: ca|ca_")),
          Msg("HINT",
              Wire("cat|The artist has given a final hint! The word starts with: cat|cat"))));
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("HINT", "HINT", "HINT", "HINT", "NOMOREHINTS"));
  EXPECT_EQ(h.view.rows[100000].status, "Has given a hint.");
  EXPECT_EQ(h.server.statistics().Get(Stat::HintsGiven), 4);

  // A joiner mid-round learns the letters given so far.
  const int late = h.Join("late");
  h.Send(late, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.Take(late), Contains(Msg("GAMERUNNING", Wire("100000|cat|cat"))));
}

TEST_F(Hints, CountLettersAndStopEarlyForShortWords) {
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
  for (int i = 0; i < 3; ++i) h.Send(a, to_server::GIVEHINT, "-");
  const auto messages = h.Take(a);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(protocol::LeftOf(messages[2].data, protocol::kFieldSep), "ox");
  EXPECT_THAT(messages[3], Msg("NOMOREHINTS", "-"));
}

TEST_F(Skips, CostTheArtistAndReplayTheRoundNumber) {
  h.StartGame(a, 5, kMinRoundTime, kMinFoundTime);
  h.clock.Advance(2 * (kMinRoundTime + BetweenRoundsPause));
  ASSERT_EQ(h.game.state().Round, 3);
  const int artist = h.game.state().ArtistId == 100000 ? a : b;
  const int32_t artist_id = h.game.state().ArtistId;
  h.TakeAll();
  h.Send(artist, to_server::SKIPWORD, "-");
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("WORDSKIPPED", "cat"), Msg("ROUNDWORD", "cat"),
                                     Msg("POINTSCHG", std::to_string(artist_id) + Wire("|-10"))));
  EXPECT_EQ(h.view.rows[artist_id].status, "Has skipped the current word.");
  h.clock.Advance(3999);
  EXPECT_THAT(h.Take(b), IsEmpty());
  h.clock.Advance(1);
  EXPECT_THAT(h.Take(b), Contains(Msg("NEWROUND", "3")));
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsSkipped), 1);
}

TEST_F(Skips, ASkippedLastRoundIsPlayedAgain) {
  h.Send(a, to_server::STARTGAME,
         protocol::JoinFields({"R", "D", "8", "0", "60000", "30000", Wire("^test")}));
  h.TakeAll();
  h.Send(a, to_server::SKIPWORD, "-");
  EXPECT_THAT(h.TakeCommands(b), ElementsAre("WORDSKIPPED", "ROUNDWORD", "POINTSCHG"));
  h.clock.Advance(4000);
  EXPECT_THAT(h.Take(b), Contains(Msg("NEWROUND", "1")));
}

TEST_F(ThreeJoined, TheArtistLeavingInTheLastRoundEndsTheGame) {
  h.StartGame(b, 1);
  h.TakeAll();
  h.server.OnClosed(a);
  EXPECT_THAT(h.TakeCommands(b),
              ElementsAre("PART", "NOTICE", "ROUNDWORD", "WINNER", "RESETSCORES", "GAMESTOPPED"));
}

// --- What the game does not let players do ----------------------------------------------------

TEST_F(ThreePlayers, OnlyTheArtistMaySkipOrAskForHints) {
  h.Send(b, to_server::SKIPWORD, "-");
  h.Send(c, to_server::GIVEHINT, "-");
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_EQ(Points(b), 0);
  EXPECT_EQ(state().ScorePot, 200);
  const int stranger = h.Connect();
  h.Send(stranger, to_server::SKIPWORD, "-");
  EXPECT_TRUE(h.transport.IsClosed(stranger));
  EXPECT_EQ(state().Round, 1);
  EXPECT_EQ(state().TimerMode, kTimerRound);
}

TEST_F(ThreePlayers, OnlyTheArtistDrawsDuringAGame) {
  h.Send(b, "FH", Wire("1|2|3|4"));
  h.Send(b, "CL", "-");
  EXPECT_THAT(h.Take(c), IsEmpty());
  EXPECT_FALSE(h.transport.IsClosed(b));
  h.Send(a, "FH", Wire("1|2|3|4"));
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("FH", Wire("100000|1|2|3|4"))));
}

TEST_F(ThreePlayers, TheArtistCanNeitherScoreWithNorGiveAwayTheWord) {
  h.Say(a, "CAT");
  h.Say(a, "ca");
  h.Say(a, "it has whiskers");
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("SAY", Wire("100000|it has whiskers"))));
  EXPECT_EQ(Points(a), 0);
  EXPECT_EQ(state().FoundCount, 0);
}

TEST_F(ThreePlayers, BetweenRoundsTheShownWordIsJustChat) {
  h.clock.Advance(60000);
  h.TakeAll();
  h.Say(b, "cat");
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("SAY", Wire("100001|cat"))));
  EXPECT_EQ(Points(b), 0);
  // Chat in the pause after everyone found the word does not end the round again.
  h.clock.Advance(3500);
  ASSERT_EQ(state().ArtistId, 100001);
  h.Say(a, "cat");
  h.Say(c, "cat");
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  h.TakeAll();
  h.Say(b, "well done");
  h.Say(a, "cat");
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("SAY", "SAY"));
  EXPECT_EQ(state().TimerMode, kTimerBetweenRounds);
}

TEST_F(ThreeJoined, OnlyAFinderWhoLeavesTakesAFindWithIt) {
  const int d = h.Join("dee");
  h.StartGame(a);
  h.Say(b, "cat");
  ASSERT_EQ(h.game.state().FoundCount, 1);
  h.server.OnClosed(c);  // had not found it
  EXPECT_EQ(h.game.state().FoundCount, 1);
  h.TakeAll();
  h.Say(d, "cat");
  EXPECT_THAT(h.TakeCommands(a),
              ElementsAre("WORDFOUND", "POINTSCHG", "STOPGAMETIMER", "ROUNDWORD"));
}

TEST_F(ThreeJoined, TheLastGuesserLeavingEndsARoundEveryoneElseHasFound) {
  h.StartGame(a);
  h.Say(b, "cat");
  h.TakeAll();
  h.server.OnClosed(c);
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("PART", "STOPGAMETIMER", "ROUNDWORD"));
  EXPECT_EQ(h.game.state().TimerMode, kTimerBetweenRounds);
}

}  // namespace
}  // namespace server
