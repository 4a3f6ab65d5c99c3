// SPDX-License-Identifier: MIT
// The client's side of a game played through: what it keeps of every round, the word's blanks,
// the end of a game and password rooms.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing::ElementsAre;
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

// Ann (100000), Ben (100001) and Cid (100002) with this player (100005); Ann draws.
TEST(InGame, RoundsEndWithTheRoomsWordGamesWithTheirWinnersBlanksFollowHintsAndRoomsAskPasswords) {
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
  h.LogIn(100005, {"Ann", "Ben", "Cid"});
  h.StartGame(100000, 3);
  EXPECT_EQ(h.view.rounds_begun, 1);
  // Every round keeps its drawing, word, artist and finders; a finder said twice is kept once.
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
            "1 car by Ann found by Ben: FH@0 1|2|3|4, CU@500 -; "
            "2 fish by Me found by : CI@0* 10|10|40|30, CL@0 -; "
            "3 Boat by Ben found by Me,Ann: ; 4  by Ann found by : ; 4  by Ben found by : ");
  h.StartGame(100000, 3);
  // However a round ends, the blanks are filled with the word as the room spells it, never with
  // the spelling this player found it with.
  using protocol::Frame;
  for (const std::string& end :  // each in one write, as the room sends it
       {Frame("ENDOFROUND", "ice cream,icecream#ice-cream"),  // time up, from an older room
        Frame("WORDSKIPPED", "ice cream,icecream"),           // skipped, from an older room
        Frame("STOPGAMETIMER", "-") + Frame("ROUNDWORD", "ice cream"),  // everyone found it
        Frame("NOTICE", "The artist has left the room.") + Frame("ROUNDWORD", "ice cream")}) {
    SCOPED_TRACE(end);
    h.Play("NEWROUND 2\nNEWARTIST 100000\nWORDPATTERN ___ _____\n> Ice-Cream\nWORDFOUND 1|100005");
    h.session.OnData(end);
    h.Play("=> word: ice cream => pattern: i c e   c r e a m => status: The word was: ice cream");
    EXPECT_EQ(h.view.rounds.empty() ? "" : h.view.rounds.back().word, "ice cream");
  }
  // The end of a game names its winners, shared or none, and whether another follows.
  auto top = [&h] {  // the winners, then the podium's places
    std::string seen = protocol::JoinFields(h.view.winners, ',') + ":";
    for (const Standing& s : h.view.podium) seen += " " + std::to_string(s.place) + s.nickname;
    return seen;
  };
  // The final standings are written from the points before the room puts them back to zero.
  h.Look("said");
  h.Play(
      "POINTSCHG 100001|220\nPOINTSCHG 100002|150\nPOINTSCHG 100005|150\nPOINTSCHG 100000|40\n"
      "WINNER 100001\nRESETSCORES -\n+2000\n"
      "=> said: ---------- / The game is over and the winner is Ben - well done! / Final "
      "standings: / 1. Ben - 220 points / 2. Cid - 150 points / 2. Me - 150 points / 4. Ann - 40 "
      "points /  / Another game will be starting soon; please wait.");
  EXPECT_EQ(top(), "Ben: 1Ben 2Cid 2Me");
  EXPECT_FALSE(h.session.GameInProgress());
  // The points and the podium stay until the next game begins.
  h.Play(
      "=> users: Ann 40*, Ben 220*, Cid 150*, Me 150*\nNEWROUND 1 => users: Ann 0*, Ben 0*, "
      "Cid 0*, Me 0*");
  EXPECT_EQ(top(), ":");
  // The points of Ann, Ben, Cid and Me, the winner, what is said and the top.
  const char* cases[][4] = {
      {"40|150|150|150", "WINNER 100001|100002|100005",
       "The game is over: Ben, Cid and Me share first place - well done!",
       "Ben,Cid,Me: 1Ben 1Cid 1Me"},
      {"0|0|0|0", "WINNER 0", "The game is over. Nobody scored, so there is no winner.", ":"},
      // From an older room.
      {"0|-10|0|0", "WINNER 100000", "The game is over. Nobody scored, so there is no winner.",
       ":"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    const auto points = protocol::SplitFields(c[0], '|');
    for (size_t i = 0; i < 4; ++i)
      h.Receive("POINTSCHG", std::to_string(i < 3 ? 100000 + i : 100005) + Wire("|") + points[i]);
    h.Look("said");
    h.Play(c[1]);
    EXPECT_THAT(h.Look("said"), testing::HasSubstr(" / " + std::string(c[2]) + " / "));
    EXPECT_EQ(top(), c[3]);
  }
  // A room that waits after the game says so, and the admin may start one.
  h.Play(
      "ADMIN 100005|Me\nRESETSCORES -\nGAMESTOPPED -\n+10000 => line: System: Nobody drew or found "
      "a "
      "word in that game, so no new game starts by itself. Press Setup Game to start one.\n"
      "=> start: Setup Game => status: Press Setup Game to start a game");
  // From a room without patterns the length stays as blanks for one word only.
  // A new round, a new game, a new login: the next word's length is not known yet.
  for (const char* next_word : {"NEWROUND 2", "WINNER 0\nSTART_GAME x\nNEWARTIST 100000", ""}) {
    SCOPED_TRACE(next_word);
    h.Play(
        "HINT [5 letters]|The artist has given a hint! The word has 5 letters. => word: _ _ _ _ _\n"
        "HINT ho|The artist has given a third hint! The word starts with: ho => word: h o _ _ _");
    if (!*next_word) {
      h.session.OnClosed();
      h.LogIn(100005, {"Ann"});
      next_word = "GAMERUNNING 100000|";
    }
    h.Play(next_word);
    h.Play("HINT xy|The artist has given a second hint! The word starts with: xy => word: xy");
  }
  // The blanks show from the round's start and hints fill them in.
  h.Play(
      // A late joiner's blanks come with the running game, hinted or not.
      "GAMERUNNING 100000|c|c__ => word: c _ _ => pattern: c _ _\n"
      "GAMERUNNING 100000| => word: \n"
      // The gap between the words stays wide.
      "WORDPATTERN ___ _____ => word: _ _ _   _ _ _ _ _ => pattern: _ _ _   _ _ _ _ _\n"
      "HINT [8 letters]|The artist has given a hint! The word has 8 letters.|___ _____\n"
      "=> word: _ _ _   _ _ _ _ _\n"
      "HINT i|The artist has given a second hint! The word starts with: i|i__ _____\n"
      "=> word: i _ _   _ _ _ _ _\n"
      "HINT ice|The artist has given a final hint! The word starts with: ice|ice _____\n"
      "=> pattern: i c e   _ _ _ _ _\n"
      // The artist keeps seeing the whole word.
      "NEWARTIST 100005\nNEWWORD horse\n"
      "HINT [5 letters]|The artist has given a hint! The word has 5 letters.|_____\n"
      "=> word: horse => pattern: horse");
  // A round keeps a bounded log and ends with the connection.
  h.Receive("NEWARTIST", "100000");
  for (size_t i = 0; i < RoundRecord::kMaxDrawing + 5; ++i) h.Receive("SP", Wire("100000|50|50"));
  h.session.OnClosed();
  EXPECT_TRUE(h.view.rounds.back().drawing.size() == RoundRecord::kMaxDrawing &&
              !h.view.rounds.back().complete);
  // A password room: the client asks, retries, keeps a right password and forgets a refused one.
  h.Connect("den.example");
  // BADPASS before any password went out, or after the room let the player in, is ignored.
  const std::string sent = " => sent: SCRAWLBOX_CL13NT 101000, USER Me|0|0|Not given|-|-|-, PASS ";
  h.Play("BADPASS -\nSCRAWLBOX_S3RV3R 100\nUSEROK 100007|" + sent + "<none>");
  h.Play("BADPASS -\nBADPASS -");  // said twice: asked once
  h.session.OnClosed();
  h.session.RetryWithPassword("s3cret \xE9 x", true);
  h.session.OnConnected();
  h.Play("SCRAWLBOX_S3RV3R 100\nUSEROK 100007| => to: den.example:2020 #4" + sent +
         "s3cret \xE9 x");
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");  // kept only once it is right
  h.Play("PASSOK |Den|-|1|10\nBADPASS - => sent: ULISTREQ -");
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "s3cret \xE9 x");
  // The next login sends the kept password at once; refused, it is forgotten and asked again.
  h.session.OnClosed();
  h.Connect("den.example");
  h.Play("SCRAWLBOX_S3RV3R 100\nUSEROK 100007|" + sent + "s3cret \xE9 x");
  h.Play("BADPASS -");
  EXPECT_THAT(h.view.password_asks, ElementsAre("den.example:2020", "den.example:2020 (wrong)"));
  EXPECT_EQ(h.settings.RoomPassword("den.example:2020"), "");
}

// The artist picks the word over the pad, the others see who chooses and for how long; the
// sounds mark this player's turn, its choice and the round's last five seconds.
TEST(InGame, TheChoiceOfTheWordShowsOverThePadAndTheRoundsSoundsPlay) {
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
  h.LogIn(100005, {"Ann", "Ben"});
  h.Play(
      "CHOOSINGWORD 100000|15 => choice: Ann:  (15) => status: Ann is choosing a word (15 s) => "
      "hint: Warn Artist (off)\n"
      "+2000 => choice: Ann:  (13) => status: Ann is choosing a word (13 s)\n"
      "PART 100000|bye => choice: \n"
      "CHOOSINGWORD 100001|9\nNEWARTIST 100001 => choice: => status: Ben is drawing\n"
      "WORDCHOICES 15|apple|bear|cat => choice: me: apple,bear,cat (15)\n"
      "=> status: Choose a word to draw (15 s) => sounds: chooseword.wav => hint: Give Hint (off)");
  h.session.ChooseWord(3);
  h.session.ChooseWord(1);
  h.Play(
      "=> sent: CHOOSEWORD 1 => choice: \n"
      "SETGAMETIMER 60000\nNEWROUND 2\nNEWARTIST 100005 => sounds: yourturn.wav\n"
      "NEWWORD bear => status: Your turn: draw bear\n"
      "+54000 => sounds: \n+1000 => sounds: lastseconds.wav\n"
      "+5000 => sounds: lastseconds.wav,lastseconds.wav,lastseconds.wav,lastseconds.wav");
}

// Watchers are marked in the list; a joiner who chose so sits out the round it came into, and
// every round's end is said in the chat and shown over the pad until the next round.
TEST(InGame, WatchersAreMarkedAndEachRoundEndsWithItsSummary) {
  ClientHarness h{"[Player Information]\nNickname=Me\n"};
  h.session.SetWatchUntilNextRound(true);
  h.LogIn(100005, {"Ann", "Ben"});
  h.Play(
      "GAMERUNNING 100000||___ => sent: WATCH 1, WATCH 0\n"
      "WATCHING 100005|1 => users: Ann 0* drawing, Ben 0*, Me 0* watching\n"
      "GAMERUNNING 100000||___ => sent: \n"  // a later user list: no switch again
      "ROUNDSUMMARY cat|100000|210|100001|220|100009|200 => line: System: The word was cat. Found "
      "by Ben (+220), a player who left (+200); Ann drew (+210). => summary: The word was cat. "
      "Found by Ben (+220), a player who left (+200); Ann drew (+210).\n"
      "NEWARTIST 100001 => summary: \n"
      "ROUNDSUMMARY ice cream|0|0 => line: System: Nobody found ice cream.");
  h.Play("> /play => sent: WATCH 0");
  // A room older than these rules is sent none of them: no toggle, warning or vote to kick.
  ClientHarness older{"[Player Information]\nNickname=Me\n"};
  older.LogIn(100005, {"Ann", "Ben"}, "100");
  EXPECT_FALSE(older.view.controls.watch);
  older.Receive("NEWARTIST", "100000");
  older.session.HintButtonPressed();
  older.session.VoteKick(100001);
  older.Play(
      "> /watch => sent:  => said: A new artist has been selected to draw: Ann / This "
      "room does not count warnings of the artist. / This room does not take votes to "
      "kick. / This room does not take watchers.");
  // Come in while the artist chooses, the joiner sits out the round about to start.
  ClientHarness late{"[Player Information]\nNickname=Me\n"};
  late.session.SetWatchUntilNextRound(true);
  late.LogIn(100005, {"Ann", "Ben"});
  late.Play(
      "GAMERUNNING 100000|| => sent: \nCHOOSINGWORD 100000|12 => sent: WATCH 1, WATCH 0\n"
      "CHOOSINGWORD 100001|15 => sent: ");
}

}  // namespace
}  // namespace client
