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
using testing::EndsWith;
using testing::HasSubstr;
using testing_support::GameHarness;
namespace to_server = protocol::to_server;

constexpr char kArtistLeft[] =
    "NOTICE Artist has left the room; a new one will be selected., ROUNDWORD cat, NOTICE Nobody "
    "found cat.";

// Three players in slots 1-3 (ids 100000-100002), or two, each suite setting its own game up.
using ThreeJoined = testing_support::ThreeInRoom<GameHarness>;
using TwoPlayers = testing_support::TwoInRoom<GameHarness>;

TEST(GameSetup, TheStartListNamesAndBadSetUpData) {
  GameHarness h;
  for (int i = 0; i < 22; ++i) h.WriteList("list" + std::to_string(100 + i) + ".txt", "x\r\n");
  h.WriteList("empty.txt", "# nothing yet\r\n");
  h.Rescan();
  const int a = h.Join("ann");
  const int b = h.Join("ben");
  // The game is announced, and only the artist is told the word.
  h.SetWord("apple|apples;#pomme");
  h.StartGame(b, 5, 45000, 20000);
  const std::string start = "SETGAMETIMER 45000, TOTALROUNDS 5, START_GAME test, NEWARTIST 100000";
  EXPECT_EQ(h.Got(b), start + ", WORDPATTERN _____");
  EXPECT_EQ(h.Got(a), start + ", NEWWORD apple,apples,,pomme");
  EXPECT_EQ(h.view.rows[100001].status, "Has started the game..");
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesStarted), 1);
  // A joiner hears the round in PASSOK, then the game and the clock as it runs for the others.
  const int late = h.LogInTo(GameHarness::Step::kUserList, "late");
  EXPECT_THAT(h.Got(late), AllOf(HasSubstr(", PASSOK ||-|1|5|en, "),
                                 EndsWith(", GAMERUNNING 100000||_____, STARTGAMETIMER 45000")));
  h.TakeAll();
  // Ten list names a message, and the others are told a game is being set up.
  h.Send(a, to_server::GETWORDLISTS, "-");
  EXPECT_EQ(h.Got(a),
            "WORDLIST empty|list100|list101|list102|list103|list104|list105|list106|list107|"
            "list108, WORDLIST list109|list110|list111|list112|list113|list114|list115|list116|"
            "list117|list118, WORDLIST list119|list120|list121|test, WORDLISTEND -");
  EXPECT_EQ(h.Got(b), "GAMEISBEINGSETUP -");
  // Closing the set-up window takes the notice back, unless a game runs.
  h.Send(a, to_server::CANCELSETUP, "-");
  EXPECT_EQ(h.Got(b), "");
  // Lists that give no word: no game, and the notice goes.
  h.StartGame(b, 3, 60000, 30000, "empty");
  h.Send(a, to_server::CANCELSETUP, "-");
  const std::string no_words = "NOTICE No words could be read from the chosen word lists.";
  EXPECT_EQ(h.Got(a), no_words);
  EXPECT_EQ(h.Got(b), no_words + ", SETUPCANCELLED -");
  // Absurd numbers are held to something playable; a blank STARTGAME is ignored.
  h.Send(a, to_server::STARTGAME,
         protocol::JoinFields({"R", "D", "x", "-4", "1099511627776", "0", Wire("^test")}));
  h.Send(a, to_server::STARTGAME, "\r\n");
  const GameState& state = h.game.state();
  EXPECT_EQ(std::tuple(state.TotalRounds, state.RoundTime, state.FoundTime),
            std::tuple(1, kMaxRoundTime, kMinFoundTime));
  // Found by fuzzing: 8000 list names cost every round a 50 KB parse and sent 50 KB to all.
  std::string lists = "list100,test";
  for (int i = 0; i < 4000; ++i) lists += ",nowhere,test";
  h.StartGame(a, 3, 60000, 30000, lists);
  EXPECT_EQ(state.ChosenLists, Wire("list100^test"));
  h.TakeAll();
  // With no lists left the operator is told, and so is a player who asks.
  for (const auto& file : std::filesystem::directory_iterator(h.dir.path()))
    std::filesystem::remove(file);
  h.Rescan();
  EXPECT_THAT(h.view.criticals,
              ElementsAre(testing::StartsWith("ScanWordlist(): There was an error sca")));
  h.Send(a, to_server::GETWORDLISTS, "-");
  EXPECT_EQ(h.Got(a), "NOWORDLISTS -");
}

// A set-up that names none of the room's lists, and no words of its own, plays its language's.
TEST(GameSetup, ASetUpNamingNoListPlaysTheListsOfTheRoomsLanguage) {
  GameHarness h(std::string(GameHarness::kNoChatLimit) + "Language=de\n");
  h.WriteList("de-tiere.txt", "Hund\r\n");
  h.WriteList("de-orte.txt", "Haus\r\n");
  h.WriteList("fr-lieux.txt", "maison\r\n");
  h.Rescan();
  const int a = h.Join("ann");
  h.Join("ben");
  // Missing fields too: the numbers are held to their bounds as ever.
  h.Send(a, to_server::STARTGAME, "Room");
  EXPECT_EQ(h.game.state().ChosenLists, Wire("de-orte^de-tiere"));
  EXPECT_TRUE(h.game.state().GameRunning);
}

// The set-up's own words are a game alone, each once before any again, or one more list.
TEST_F(TwoPlayers, TheGamesOwnWordsPlayAloneOrAsOneMoreList) {
  const auto start = [&](const std::string& lists, const std::string& own) {
    h.Send(a, to_server::STARTGAME,
           protocol::JoinFields({"R", "D", "8", "5", "10000", "5000", lists, own}));
  };
  start("",
        "owl\x04"
        "bat|bats\x04OWL\x04 \x04" +
            std::string(40, 'x'));
  std::vector<std::string> words = {h.game.state().CurrentWord};
  for (int round = 0; round < 2; ++round) {
    h.clock.Advance(kMinRoundTime + BetweenRoundsPause);
    words.push_back(h.game.state().CurrentWord);
  }
  EXPECT_THAT(words, ElementsAre("owl", "bat,bats", "owl"));
  EXPECT_THAT(h.Got(b), HasSubstr("START_GAME 2 words of the game's own, "));
  h.SetWord("cat");
  // The list (and its entry), then the game's own words.
  h.random.values = {0.0, 0.0, 0.0, 0.99};
  start(Wire("^test"), "emu");
  EXPECT_EQ(h.game.state().CurrentWord, "cat");
  EXPECT_THAT(h.Got(b), HasSubstr("START_GAME test^1 word of the game's own, "));
  h.clock.Advance(kMinRoundTime + BetweenRoundsPause);
  EXPECT_EQ(h.game.state().CurrentWord, "emu");
}

// Players on auto-skip and connections still logging in never draw, and with nobody left the
// round has no artist; late joiners draw after the earlier players.
TEST_F(ThreeJoined, ArtistsRotateInSlotOrderOverThoseWhoMayDraw) {
  h.Join("eve", "1");
  h.StartGame(a, 10, kMinRoundTime, kMinFoundTime);
  std::vector<int32_t> artists = {h.game.state().ArtistId};
  int d = 0;
  for (int round = 0; round < 5; ++round) {
    if (round == 1) d = h.Join("dee");  // joins during the first cycle
    h.clock.Advance(kMinRoundTime + BetweenRoundsPause);
    artists.push_back(h.game.state().ArtistId);
  }
  EXPECT_THAT(artists, ElementsAre(100000, 100001, 100002, 100004, 100000, 100001));
  for (const int slot : {a, b, c, d}) h.server.Record(slot)->AutoSkip = true;
  h.Connect();
  h.StartGame(a);  // nobody may draw
  EXPECT_EQ(h.game.state().ArtistId, 0);
}

TEST_F(ThreeJoined, AWholeGameOfFindsCountdownsAndTheWinner) {
  h.StartGame(a);
  // Only the artist draws, skips or hints, and its own word never scores nor leaks.
  h.Send(b, to_server::SKIPWORD, "-");
  h.Send(c, to_server::GIVEHINT, "-");
  h.Send(b, "FH", Wire("1|2|3|4"));
  h.Send(b, "CL", "-");
  for (const char* line : {"CAT", "ca", "it has whiskers"}) h.Say(a, line);
  h.Send(a, "FH", Wire("1|2|3|4"));
  EXPECT_THAT(h.Got(c),
              EndsWith(", WORDPATTERN ___, SAY 100000|it has whiskers, FH 100000|1|2|3|4"));
  h.TakeAll();
  // The first finder gets the bonus and starts the countdown; the last find ends the round.
  h.clock.Advance(10000);
  h.Say(b, "CAT");
  h.clock.Advance(1000);
  h.Say(c, "cat");
  EXPECT_EQ(h.Got(a),
            "WORDFOUND 2|100001, POINTSCHG 100001|200, POINTSCHG 100000|100, STARTGAMETIMER 30000, "
            "WORDFOUND 3|100002, POINTSCHG 100002|178, POINTSCHG 100000|189, STOPGAMETIMER -, "
            "ROUNDWORD cat, NOTICE The word was cat. Found by ben (+200), cid (+178); ann drew "
            "(+189).");
  // Between rounds the shown word is just chat, and ends no round again.
  h.Say(b, "cat");
  EXPECT_EQ(h.Got(a), "SAY 100001|cat");
  h.TakeAll();
  EXPECT_EQ(h.server.statistics().Get(Stat::Rounds), 1);
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsGuessed), 1);
  h.SetWord("dog");
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_EQ(h.Got(c), "SETGAMETIMER 60000, NEWROUND 2, NEWARTIST 100001, WORDPATTERN ___");
  // A find in the round's last moment still gives the others the whole countdown.
  h.clock.Advance(59999);
  h.Say(a, "dog");
  h.clock.Advance(29999);
  EXPECT_EQ(h.Got(c),
            "WORDFOUND 1|100000, POINTSCHG 100000|291, POINTSCHG 100001|251, STARTGAMETIMER 30000");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(c),
            "ENDOFROUND dog, ROUNDWORD dog, NOTICE The word was dog. Found by ann (+102); ben drew "
            "(+51).");
  // The last round's final find ends the game, without relaying the guess.
  h.clock.Advance(BetweenRoundsPause);
  h.TakeAll();
  h.Say(a, "dog");
  h.Say(b, "dog");
  EXPECT_EQ(h.Got(c),
            "WORDFOUND 1|100000, POINTSCHG 100000|511, POINTSCHG 100002|288, STARTGAMETIMER 30000, "
            "WORDFOUND 2|100001, POINTSCHG 100001|451, POINTSCHG 100002|388, STOPGAMETIMER -, "
            "ROUNDWORD dog, NOTICE The word was dog. Found by ann (+220), ben (+200); cid drew "
            "(+210)., WINNER 100000, RESETSCORES -");
  EXPECT_EQ(h.server.Record(b)->Points, 0);
  EXPECT_EQ(h.server.statistics().Get(Stat::GamesCompleted), 1);
  // 6 s later a new game begins.
  h.clock.Advance(BetweenGamesPause - 1);
  EXPECT_EQ(h.Got(c), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(c), "SETGAMETIMER 60000, NEWROUND 1, NEWARTIST 100000, WORDPATTERN ___");
}

TEST_F(ThreeJoined, GuessesMatchAnyAlternativeIgnoringCaseAndCloseOnesReachOnlyTheirSender) {
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
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsAlmostGuessed), 2);
  // Closeness looks at the whole line.
  h.SetWord("cat|kitten");
  h.StartGame(a);  // ben draws
  h.TakeAll();
  for (const char* line : {"kit", "cat,k", "KITTEN"}) h.Say(c, line);
  EXPECT_EQ(h.Got(c),
            "SAY 100002|kit, WORDCLOSE cat,k, WORDFOUND 3|100002, POINTSCHG 100002|220, "
            "POINTSCHG 100001|110, STARTGAMETIMER 30000");
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
            "WORDFOUND 4|100003, POINTSCHG 100003|220, POINTSCHG 100000|110, STARTGAMETIMER 30000");
  h.clock.Advance(250);  // a guess a quarter of a second
  h.Say(c, "cat");
  EXPECT_THAT(h.Got(c), HasSubstr("WORDFOUND"));
}

// Everyone with the top score wins; a game nobody drew or found in stops the room rather than
// crown winners of empty games for ever.
TEST(GameEnd, TheTopScoresWinAndOnlyAGameSomebodyPlayedStartsTheNext) {
  const struct {
    const char* name;
    int32_t points[3];
    int by;  // who of the three sends the message, if anyone
    const char *command, *data, *winner;
    bool next_game;
  } rows[] = {
      {"nobody above 0, nobody played", {0, -10, 0}, -1, "", "", "0", false},
      {"one top score; only a guesser tried to draw", {10, 50, 0}, 1, "CL", "-", "100001", false},
      {"a tie, lowest slot first; artist drew", {50, 10, 50}, 0, "CL", "-", "100000|100002", true},
      {"the word was found", {0, 0, 0}, 1, "SAY", "cat", "100001", true},
      {"the artist left in the last round", {0, 0, 0}, 0, "PART", "bye", "0", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h;
    const int slots[] = {h.Join("ann"), h.Join("ben"), h.Join("cid")};
    h.StartGame(slots[0], 1);
    for (int i = 0; i < 3; ++i) h.server.Record(slots[i])->Points = row.points[i];
    h.TakeAll();
    if (row.by >= 0) h.Send(slots[row.by], row.command, row.data);
    h.clock.Advance(60000);
    EXPECT_THAT(h.Got(slots[2]), HasSubstr(std::string("WINNER ") + row.winner + ", RESETSCORES -" +
                                           (row.next_game ? "" : ", GAMESTOPPED -")));
    h.clock.Advance(BetweenGamesPause);
    EXPECT_EQ(h.game.IsRunning(), row.next_game);
    if (row.next_game) continue;
    h.StartGame(slots[1]);  // anyone may start the next game
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
  h.StartGame(b, 2);
  EXPECT_EQ(h.game.state().TotalRounds, 2);
  h.server.OnClosed(b);
  EXPECT_THAT(h.Got(c), HasSubstr("ADMIN 100001|cid"));
}

// The chosen artist's connection breaks while a game or a round is being announced: the game
// learns of it once the announcement is over and goes on as when the artist leaves, rather
// than running a round that nobody draws.
TEST_F(ThreeJoined, AnArtistWhoseConnectionBreaksAsTheGameOrARoundStartsIsReplaced) {
  const int d = h.Join("dee");
  h.transport.failing_slots.insert(a);
  h.StartGame(b, 5);
  EXPECT_EQ(h.Got(c),
            "SETGAMETIMER 60000, TOTALROUNDS 5, START_GAME test, NEWARTIST 100000, WORDPATTERN "
            "___, PART 100000|Server closed connection, " +
                std::string(kArtistLeft));
  h.clock.Advance(ArtistLeftPause);
  EXPECT_EQ(h.Got(c), "SETGAMETIMER 60000, NEWROUND 2, NEWARTIST 100001, WORDPATTERN ___");
  h.clock.Advance(60000);
  h.TakeAll();
  h.transport.failing_slots.insert(c);  // the artist of round 3
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_THAT(h.TakeCommands(d), ElementsAre("SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN",
                                             "PART", "NOTICE", "ROUNDWORD", "NOTICE"));
  h.clock.Advance(ArtistLeftPause - 1);
  EXPECT_EQ(h.Got(d), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(d), "SETGAMETIMER 60000, NEWROUND 4, NEWARTIST 100003, NEWWORD cat");
}

// Hints reveal the word letter by letter, stop early for short words and cost the pot, which
// falls with time, unless it is smaller than their cost.
TEST_F(TwoPlayers, HintsRevealTheWordAndCostThePotWhichFallsWithTime) {
  h.StartGame(a, 3, 200000);
  h.clock.Advance(5000);
  h.TakeAll();
  for (int i = 0; i < 5; ++i) h.Send(a, to_server::GIVEHINT, "-");
  EXPECT_EQ(h.Got(b),
            "HINT [3 letters]|The artist has given a hint! The word has 3 letters.|___, "
            "HINT c|The artist has given a second hint! The word starts with: c|c__, "
            "HINT ca|The artist has given a third hint! The word starts with: ca|ca_, "
            "HINT cat|The artist has given a final hint! The word starts with: cat|cat");
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("HINT", "HINT", "HINT", "HINT", "NOMOREHINTS"));
  EXPECT_EQ(h.game.state().ScorePot, 130);
  EXPECT_EQ(h.server.statistics().Get(Stat::HintsGiven), 4);
  // A joiner mid-round learns the letters given so far.
  const int late = h.Join("late");
  h.Send(late, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.Got(late), HasSubstr("GAMERUNNING 100000|cat|cat"));
  h.SetWord("ox");
  h.StartGame(a, 3, 200000);  // ben draws
  h.clock.Advance(94000);
  h.TakeAll();
  for (int i = 0; i < 3; ++i) h.Send(b, to_server::GIVEHINT, "-");
  EXPECT_THAT(h.Got(b), EndsWith("|o_, HINT ox|The artist has given a third hint! The word "
                                 "starts with: ox|ox, NOMOREHINTS -"));
  EXPECT_EQ(h.game.state().ScorePot, 12);
  h.clock.Advance(100000);
  h.Say(a, "ox");  // a late first finder: nothing but the bonus
  EXPECT_EQ(h.server.Record(a)->Points, 20);
  // The first hint counts no spaces, and only the first alternative.
  h.SetWord("ice cream");
  h.StartGame(a);
  EXPECT_EQ(h.game.GetHint(),
            Wire("[9 letters]|The artist has given a hint! The word has 8 letters."));
  h.SetWord("sea horse|seahorse");
  h.StartGame(a);
  EXPECT_EQ(h.game.GetHint(),
            Wire("[9 letters]|The artist has given a hint! The word has 9 letters."));
}

// The only guesser's find ends the round at once, without bonus. A skip costs the artist, and
// the round is played again under its number, the last one too.
TEST_F(TwoPlayers, TheOnlyGuesserFindsAndTheArtistSkips) {
  h.Connect();  // a connection still logging in counts for nothing
  h.StartGame(a, 3, kMinRoundTime, kMinFoundTime);
  h.TakeAll();
  h.Say(b, "cat");
  EXPECT_EQ(h.Got(a),
            "WORDFOUND 2|100001, POINTSCHG 100001|200, POINTSCHG 100000|100, STOPGAMETIMER -, "
            "ROUNDWORD cat, NOTICE The word was cat. Found by ben (+200); ann drew (+100).");
  h.clock.Advance(BetweenRoundsPause + kMinRoundTime + BetweenRoundsPause);  // ann draws round 3
  h.TakeAll();
  h.Send(a, to_server::SKIPWORD, "-");
  EXPECT_EQ(h.Got(b),
            "WORDSKIPPED cat, ROUNDWORD cat, NOTICE Nobody found cat; ann drew (-10)., POINTSCHG "
            "100000|90");
  h.clock.Advance(AfterSkipPause - 1);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_THAT(h.Got(b), HasSubstr("NEWROUND 3"));
  EXPECT_EQ(h.server.statistics().Get(Stat::WordsSkipped), 1);
}

// The artist gets its share of each find as the finder's points are told, and gives it back
// with a skip.
TEST(ArtistPoints, TheArtistSharesEachFindButASkippedWordPaysNothing) {
  const struct {
    const char *name, *ini, *after_find;
  } rows[] = {
      {"half, rounded down, by default", "", "POINTSCHG 100001|220, POINTSCHG 100000|110"},
      {"a third", "[Server Details]\nArtist Points=33\n",
       "POINTSCHG 100001|220, POINTSCHG 100000|72"},
      {"off", "[Server Details]\nArtist Points=0\n", "POINTSCHG 100001|220"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h(row.ini);
    const int a = h.Join("ann");
    const int b = h.Join("ben");
    const int c = h.Join("cid");
    h.StartGame(a);
    h.TakeAll();
    h.Say(b, "cat");
    EXPECT_EQ(h.Got(c),
              std::string("WORDFOUND 2|100001, ") + row.after_find + ", STARTGAMETIMER 30000");
    h.Send(a, to_server::SKIPWORD, "-");
    EXPECT_EQ(h.Got(c),
              "WORDSKIPPED cat, ROUNDWORD cat, NOTICE The word was cat. Found by ben (+220); ann "
              "drew (-10)., POINTSCHG 100000|-10");
  }
}

// More than half of the guessers warning the artist skip the round, replayed under its number:
// the finders keep their points, the artist gets none. One warning per player and per address;
// the artist's and a repeated one count for nothing.
TEST(WarnArtist, MoreThanHalfTheGuessersSkipTheRoundAtNoCostToThem) {
  const struct {
    const char* name;
    std::vector<std::string> addresses;  // of the guessers ben, cid, dee, eve
    std::vector<int> warners;            // guessers, in order; 0 is the finder ben
    const char* notices;
  } rows[] = {
      {"two guessers: both",
       {"10.0.1.1", "10.0.1.2"},
       {0, 0, 1},
       "NOTICE ben warned the artist (1 of 2 needed)., "
       "NOTICE cid warned the artist (2 of 2 needed)., "},
      {"three guessers: two",
       {"10.0.1.1", "10.0.1.2", "10.0.1.3"},
       {0, 2},
       "NOTICE ben warned the artist (1 of 2 needed)., "
       "NOTICE dee warned the artist (2 of 2 needed)., "},
      {"four guessers: three, one an address",
       {"10.0.1.1", "10.0.1.1", "10.0.1.2", "10.0.1.3"},
       {0, 1, 2, 3},
       "NOTICE ben warned the artist (1 of 3 needed)., "
       "NOTICE dee warned the artist (2 of 3 needed)., "
       "NOTICE eve warned the artist (3 of 3 needed)., "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h;
    const int artist = h.Join("ann");
    const char* names[] = {"ben", "cid", "dee", "eve"};
    std::vector<int> guessers;
    for (size_t i = 0; i < row.addresses.size(); ++i)
      guessers.push_back(h.Join(names[i], "0", row.addresses[i]));
    h.Send(guessers[0], to_server::WARNARTIST, "-");  // no round yet
    h.StartGame(artist);
    h.Say(guessers[0], "cat");
    h.TakeAll();
    h.Send(artist, to_server::WARNARTIST, "-");
    for (const int warner : row.warners) h.Send(guessers[warner], to_server::WARNARTIST, "-");
    EXPECT_EQ(h.Got(guessers[0]), std::string(row.notices) +
                                      "POINTSCHG 100000|0, NOTICE Most players warned the artist; "
                                      "the round is skipped., ENDOFROUND cat, ROUNDWORD cat, "
                                      "NOTICE The word was cat. Found by ben (+220); ann drew "
                                      "(+0).");
    EXPECT_EQ(h.server.Record(guessers[0])->Points, 220);
    EXPECT_EQ(h.server.Record(artist)->Points, 0);
    EXPECT_EQ(h.server.counters().rounds_warned_off, 1u);
    h.Send(guessers[1], to_server::WARNARTIST, "-");  // between rounds
    h.clock.Advance(AfterSkipPause);
    EXPECT_THAT(h.Got(guessers[0]), HasSubstr("NEWROUND 1"));
  }
}

// An artist whose client can choose is offered words, the others who chooses; older clients
// see the round only when it starts, as before.
TEST(WordChoice, OfferedToANewArtistAloneAndOnlyWhenThereIsAChoice) {
  const struct {
    const char *name, *ini, *list;
    bool new_artist;
    const char *artist_gets, *new_guesser_gets;
  } rows[] = {
      {"three by default", "", "apple\nbear|bears\ncat\ndog\n", true,
       "WORDCHOICES 15|apple|bear|cat", "CHOOSINGWORD 100000|15"},
      {"fewer words than choices, held to 60 s", "Word Choices=9\nWord Choice Seconds=99\n",
       "apple\nApple|pomme\nbear\n", true, "WORDCHOICES 60|apple|bear", "CHOOSINGWORD 100000|60"},
      {"one choice", "Word Choices=1\n", "apple\nbear\n", true, "NEWWORD apple", "WORDPATTERN"},
      {"below one, held to one", "Word Choices=-3\n", "apple\nbear\n", true, "NEWWORD apple",
       "WORDPATTERN"},
      {"an older artist", "", "apple\nbear\n", false, "NEWWORD apple", "WORDPATTERN"},
      {"one word in the lists", "", "apple\n", true, "NEWWORD apple", "WORDPATTERN"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    GameHarness h(std::string(GameHarness::kNoChatLimit) + row.ini);
    h.WriteList("test.txt", row.list);
    if (row.new_artist) h.client_version = "101000";
    const int a = h.Join("ann");
    h.client_version = "100001";
    const int b = h.Join("ben");
    h.client_version = "101000";
    const int c = h.Join("cid");
    h.StartGame(b);
    EXPECT_THAT(h.Got(a), EndsWith(row.artist_gets));
    EXPECT_THAT(h.Got(c), HasSubstr(row.new_guesser_gets));
    EXPECT_EQ(h.TakeCommands(b).size(), row.new_guesser_gets[0] == 'C' ? 0u : 5u);
  }
}

// The round and its clock wait for the word; nothing of the round counts meanwhile, and the
// choice ends with the artist's answer, the time, or the artist.
TEST(WordChoice, TheRoundStartsWithTheWordChosenOrTheFirstWhenTheTimeIsUp) {
  GameHarness h;
  h.WriteList("test.txt", "apple\nbear\ncat\n");
  h.client_version = "101000";
  const int a = h.Join("ann");
  h.client_version = "100001";
  const int b = h.Join("ben");
  h.client_version = "101000";
  const int c = h.Join("cid");
  h.StartGame(b, 5);
  h.TakeAll();
  // Nobody else chooses, no answer beyond the words counts, and no hint, skip, warning, guess
  // or stroke; the artist cannot give the words away in the chat.
  h.Send(c, to_server::CHOOSEWORD, "1");
  for (const char* bad : {"3", "-1", "9"}) h.Send(a, to_server::CHOOSEWORD, bad);
  h.Send(a, to_server::GIVEHINT, "-");
  h.Send(a, to_server::SKIPWORD, "-");
  h.Send(c, to_server::WARNARTIST, "-");
  h.Send(a, "FH", Wire("1|2|3|4"));
  h.Say(a, "be");
  h.Say(c, "apple");
  EXPECT_EQ(h.Got(b), "SAY 100002|apple");
  EXPECT_EQ(h.Got(a), "SAY 100002|apple");
  // A joiner learns that the artist chooses and for how long yet; an older one sees the game.
  h.clock.Advance(3500);
  const int d = h.LogInTo(GameHarness::Step::kUserList, "dee");
  EXPECT_THAT(h.Got(d), EndsWith(", GAMERUNNING 100000||, CHOOSINGWORD 100000|12"));
  h.client_version = "100001";
  const int e = h.LogInTo(GameHarness::Step::kUserList, "eve");
  EXPECT_THAT(h.Got(e), EndsWith(", GAMERUNNING 0||"));
  h.TakeAll();
  // The chooser's switch to watching waits for the next round; a joiner's does not.
  h.Send(a, to_server::WATCH, "1");
  EXPECT_EQ(h.Got(a), "NOTICE You will watch from the next round.");
  h.Send(a, to_server::WATCH, "0");
  h.Send(d, to_server::WATCH, "1");
  h.Send(d, to_server::WATCH, "0");
  EXPECT_EQ(h.Got(d), "WATCHING 100003|1, NOTICE You will play from the next round.");
  h.TakeAll();
  h.Send(a, to_server::CHOOSEWORD, "1");
  h.Send(a, to_server::CHOOSEWORD, "2");  // chosen already
  const std::string start = "SETGAMETIMER 60000, TOTALROUNDS 5, START_GAME test, NEWARTIST 100000";
  EXPECT_EQ(h.Got(a), start + ", NEWWORD bear");
  EXPECT_EQ(h.Got(b), start + ", WORDPATTERN ____");
  EXPECT_TRUE(h.view.HasLog(LogKind::kGeneral, "ann chose the word bear."));
  // The clock starts with the word.
  h.clock.Advance(59999);
  h.TakeAll();
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(b), "ENDOFROUND bear, ROUNDWORD bear, NOTICE Nobody found bear.");
  // Ben's client does not choose; cid's lets the time run out and gets the first word.
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_THAT(h.Got(b), EndsWith("NEWARTIST 100001, NEWWORD apple"));
  h.clock.Advance(60000 + BetweenRoundsPause);
  EXPECT_THAT(h.Got(c), EndsWith("ROUNDSUMMARY apple|100001|0, WORDCHOICES 15|apple|bear|cat"));
  EXPECT_THAT(h.Got(a), EndsWith("ROUNDSUMMARY apple|100001|0, CHOOSINGWORD 100002|15"));
  h.TakeAll();
  h.clock.Advance(14999);
  EXPECT_EQ(h.Got(b), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(b), "SETGAMETIMER 60000, NEWROUND 3, NEWARTIST 100002, WORDPATTERN _____");
  EXPECT_TRUE(h.view.HasLog(LogKind::kGeneral, "cid did not choose in time; the word is apple."));
  // An artist who leaves while choosing: the next one plays the round under the same number.
  h.clock.Advance(60000 + BetweenRoundsPause);
  h.TakeAll();
  h.server.OnClosed(d);
  EXPECT_EQ(h.Got(b),
            "PART 100003|Server closed connection, NOTICE Artist has left the room; a new one "
            "will be selected.");
  h.clock.Advance(ArtistLeftPause);
  EXPECT_EQ(h.Got(b), "SETGAMETIMER 60000, NEWROUND 4, NEWARTIST 100004, WORDPATTERN _____");
}

// Watchers never draw nor guess and count for nothing; a switch waits for the round in play,
// but a joiner may watch the round it came into. Every round's end tells what it gave, to
// newer clients as ROUNDSUMMARY and to older ones as a NOTICE.
TEST(Watchers, SitOutTheRoundsTheyWatchAndEveryRoundEndsWithItsSummary) {
  GameHarness h;
  h.client_version = "101000";
  const int a = h.Join("ann");
  const int b = h.Join("ben");
  const int c = h.Join("cid");
  h.client_version = "100001";
  const int d = h.Join("dee");
  h.Send(c, to_server::WATCH, "1");  // no round in play: at once, told to newer clients only
  EXPECT_EQ(h.Got(a), "WATCHING 100002|1");
  EXPECT_EQ(h.Got(d), "");
  h.StartGame(a);
  h.TakeAll();
  // A watcher's line is chat unless it names the word as a whole word, any spelling.
  const struct {
    const char *line, *to_watcher, *to_others;
  } lines[] = {
      {"cat", "NOTICE Your line was not sent: while you watch, it may not name the word.", ""},
      {"a big Cat!", "NOTICE Your line was not sent: while you watch, it may not name the word.",
       ""},
      {"concatenate", "SAY 100002|concatenate", "SAY 100002|concatenate"},
  };
  for (const auto& row : lines) {
    SCOPED_TRACE(row.line);
    h.Say(c, row.line);
    EXPECT_EQ(h.Got(c), row.to_watcher);
    EXPECT_EQ(h.Got(d), row.to_others);
  }
  // A watcher's warning counts for nothing and keeps no player of its address from warning.
  h.Send(c, to_server::WARNARTIST, "-");
  h.Send(b, to_server::WARNARTIST, "-");
  EXPECT_EQ(h.Got(d), "NOTICE ben warned the artist (1 of 2 needed).");
  h.TakeAll();
  h.Send(b, to_server::WATCH, "1");  // in play: from the next round
  EXPECT_EQ(h.Got(b), "NOTICE You will watch from the next round.");
  // The round ends when both guessers found it; the watcher is not waited for.
  h.Say(b, "cat");
  h.Say(d, "cat");
  EXPECT_THAT(h.Got(a),
              EndsWith("ROUNDWORD cat, ROUNDSUMMARY cat|100000|210|100001|220|100003|200"));
  EXPECT_THAT(h.Got(d), EndsWith("ROUNDWORD cat, NOTICE The word was cat. Found by ben (+220), "
                                 "dee (+200); ann drew (+210)."));
  // The rotation passes over ben and cid, who watch now.
  h.clock.Advance(BetweenRoundsPause);
  EXPECT_THAT(h.Got(a), HasSubstr("WATCHING 100001|1, SETGAMETIMER"));
  EXPECT_EQ(h.game.state().ArtistId, 100003);
  // A joiner learns who watches with the user list, and may sit out the round it came into.
  h.client_version = "101000";
  const int e = h.LogInTo(GameHarness::Step::kUserList, "eve");
  EXPECT_THAT(h.Got(e), HasSubstr("WATCHING 100001|1, WATCHING 100002|1, ULISTEND"));
  h.Send(e, to_server::WATCH, "1");
  h.Send(e, to_server::WATCH, "0");
  EXPECT_EQ(h.Got(e), "WATCHING 100004|1, NOTICE You will play from the next round.");
  h.Say(a, "cat");  // the only guesser left, with no first finder's bonus among two players
  EXPECT_THAT(h.Got(e), EndsWith("ROUNDSUMMARY cat|100003|100|100000|200"));
}

// Leavers take only their own finds with them, and the last guesser leaving ends a round the
// others have found; with one player left the game stops silently, and can start again.
TEST_F(ThreeJoined, PlayersLeavingCountForWhatTheyFoundAndTheLastStopsTheGame) {
  const int d = h.Join("dee");
  h.StartGame(a);
  h.Say(b, "cat");
  h.server.OnClosed(c);  // had not found the word
  EXPECT_EQ(h.game.state().FoundCount, 1);
  h.TakeAll();
  h.server.OnClosed(d);
  EXPECT_EQ(h.Got(a),
            "PART 100003|Server closed connection, STOPGAMETIMER -, ROUNDWORD cat, NOTICE The word "
            "was cat. Found by ben (+220); ann drew (+110).");
  h.clock.Advance(BetweenRoundsPause);        // ben draws
  h.server.OnSocketError(b, 10054, "reset");  // two players still make a game
  h.TakeAll();
  h.server.OnClosed(b);
  EXPECT_EQ(h.Got(a),
            "PART 100001|Server closed connection, ROUNDWORD cat, NOTICE Nobody found cat.");
  h.clock.Advance(120000);
  EXPECT_EQ(h.Got(a), "");
  EXPECT_EQ(h.clock.PendingCount(), 1u);  // only a's ping timer is left
  h.StartGame(h.Join("eve"));
  EXPECT_TRUE(h.game.IsRunning());
}

}  // namespace
}  // namespace server
