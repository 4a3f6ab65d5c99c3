// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::ClientHarness;

TEST(Login, TheWholeSequenceWithoutAnAgreement) {
  ClientHarness h(
      "[Player Information]\nNickname=Averyveryverylongnickname\nAge=123\n"
      "Gender=Female\nLocation=Leeds\n");
  h.Connect();
  EXPECT_EQ(h.connection.host + ":" + std::to_string(h.connection.port), "room.example:2020");
  EXPECT_FALSE(h.view.controls.connect);
  h.Play(
      "=> said: Connecting to server room.example on port 2020 .. / Connected to server. Logging "
      "in... => sent: SCRAWLBOX_CL13NT 100001\n"
      "SCRAWLBOX_S3RV3R 100 => sent: USER Averyveryverylongnic|0|12|Female|Leeds|-|-\n"
      "USEROK 100007| => sent: PASS <none>\n"
      "PASSOK Welcome all|The Den|-|2|5 => said: Requesting userlist... => sent: ULISTREQ -\n"
      "=> room: The Den => rounds: -\n"  // no game shows that it runs yet
      "ULIST 100000|@Bob|0|40|100007|Averyveryverylongnic|1| => admin: Bob\n"
      "=> users: Bob 40*, Averyveryverylongnic 0\n");
  EXPECT_EQ(h.session.OwnUserId(), 100007);
  const int pads = h.view.pads_cleared;
  h.Play("ULISTEND => line: Server: MOTD - Welcome all");
  EXPECT_EQ(h.view.pads_cleared, pads + 1);  // the practice drawing goes
  EXPECT_EQ(h.view.last().colour, kMagenta);
  const Controls& c = h.view.controls;
  EXPECT_TRUE(c.disconnect && c.user_information && !c.load_image);
  EXPECT_FALSE(c.administrate);  // somebody else was here first
  EXPECT_GT(h.view.focus_requests, 0);
}

TEST(Login, ARefusedNicknameIsAskedForAgainWithTheReasonAndTheLoginFollows) {
  const std::string used =
      "The nickname \"Me\" is already used in this room; please choose another.";
  const std::string reserved = "The nickname \"Me\" is reserved; please choose another.";
  using protocol::Frame;
  const struct {
    const char* name;
    std::string write;  // what the room sends after the client's USER
    std::string reason;
  } cases[] = {
      {"NICKREFUSED, then the notice for older clients",
       Frame("NICKREFUSED", used) + Frame("NOTICE", used), used},
      {"an older room's notice", Frame("NOTICE", used), used},
      {"an older room's notice after the password",
       Frame("USEROK", Wire("100007|")) + Frame("NOTICE", reserved), reserved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientHarness h("[Player Information]\nNickname=Me\n");
    h.Connect();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.session.OnData(c.write);
    EXPECT_EQ(h.connection.state, SocketState::kClosed);
    EXPECT_THAT(h.view.nickname_asks, ElementsAre(c.reason));
    EXPECT_THAT(h.view.TakeTexts(), testing::Contains(c.reason).Times(1));
    EXPECT_EQ(h.view.panel.status, "Choose another nickname to join room.example");
    h.session.SetProfile({.Nickname = "Me2"});
    ASSERT_EQ(h.connection.connects, 2);
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    EXPECT_THAT(h.SentLine(), testing::HasSubstr("USER Me2|"));
  }
  // In the room, the same text is only a notice.
  ClientHarness h;
  h.LogIn();
  h.Receive("NOTICE", used);
  EXPECT_EQ(h.connection.state, SocketState::kConnected);
  EXPECT_THAT(h.view.nickname_asks, IsEmpty());
}

TEST(Login, AnAgreementIsAnsweredFromItsWindow) {
  ClientHarness h;
  h.Connect();
  h.Receive("USEROK", Wire("100001|House rules: be nice"));
  EXPECT_EQ(h.view.agreement, "House rules: be nice");
  h.Sent();
  h.session.AgreementAccepted();
  EXPECT_EQ(h.SentLine(), "PASS <none>");
  h.session.AgreementRefused();
  h.clock.Advance(249);
  EXPECT_EQ(h.SentLine(), "DISAGREE -");
  h.clock.Advance(1);
  EXPECT_EQ(h.SentLine(), "NOP -");
}

TEST(Login, BannedOldVersionAndSocketErrorsEndTheConnectionAndAreExplained) {
  ClientHarness h;
  h.Connect();
  h.Play(
      "BANNED - => line: Server: You have been banned from this server. You are not permitted "
      "to join it.");
  EXPECT_EQ(h.view.last().colour, Rgb(255, 0, 32));
  EXPECT_TRUE(h.connection.state == SocketState::kClosed && h.view.controls.connect);
  h.Connect();
  h.Receive("OLDVERSION", "99385");
  EXPECT_THAT(h.view.last().text,
              testing::StartsWith("Sorry, but you are using an old version of the Scrawlbox "
                                  "client. You will need "));
  EXPECT_EQ(h.view.last().colour, Rgb(160, 50, 30));
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
  h.view.lines.clear();
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  h.session.OnError({SocketErrorKind::kHostNotFound, 2, "unknown"});
  h.session.OnError({SocketErrorKind::kOther, 10060, "Timed out"});
  EXPECT_EQ(h.Look("said"),
            "There doesn't appear to be a Scrawlbox server running on the remote machine. If it "
            "is a valid Scrawlbox server, then please try again later. / The specified server "
            "cannot be found. The server machine may be offline or the address is incorrect. / "
            "Socket Error [10060] - Timed out.");
  EXPECT_TRUE(h.view.controls.drawing);
}

TEST(Login, AServerThatClosesMidLoginLeavesACleanDisconnectedState) {
  ClientHarness h;
  h.Connect();
  h.Play("SCRAWLBOX_S3RV3R 100\nUSEROK 100001|");
  h.session.OnClosed();
  h.Play("=> line: System: Disconnected from server. => room: - => time: --:--");
  EXPECT_EQ(h.session.OwnUserId(), 0);
  EXPECT_TRUE(h.view.controls.connect && !h.view.controls.disconnect);
  EXPECT_TRUE(h.view.controls.drawing);  // practice while disconnected
}

TEST(Login, ABlankOrDefaultNicknameAsksForAProfileFirst) {
  ClientHarness h;
  EXPECT_TRUE(h.session.NeedsProfile());  // a fresh Client.ini
  h.session.SetProfile({.Nickname = "   "});
  EXPECT_TRUE(h.session.NeedsProfile());
  h.session.SetProfile({.Nickname = " Bo "});
  EXPECT_FALSE(h.session.NeedsProfile());
}

TEST(UserList, LaterBatchesAddAndANewLoginReplaces) {
  ClientHarness h;
  h.Connect();
  h.Play(
      "PASSOK |R|-|1|10\n"
      "ULIST 1|a|0|0|2|b|0|0\n"
      "ULIST 3|c|0|0 => users: a 0*, b 0*, c 0*\n"
      "PASSOK |R|-|1|10\n"
      "ULIST 7|x|0|0|8|y|0|0 => users: x 0*, y 0*\n");
}

TEST(UserList, AloneInTheRoomTheClientClaimsTheAdminRole) {
  ClientHarness h("[Player Information]\nNickname=Solo\n");
  h.Connect();
  h.Play("USEROK 100003|\nPASSOK |R|-|1|10");
  h.Sent();
  h.Play("ULIST 100003|Solo|0|0 => sent: ADMIN Solo => admin: Solo");
  EXPECT_EQ(h.view.last().colour, kRed);
  EXPECT_TRUE(h.view.controls.auto_skip);
  h.Receive("ULISTEND", "");
  EXPECT_TRUE(h.view.controls.administrate);
}

TEST(UserList, TheAdminRoleFollowsWhatTheRoomSays) {
  ClientHarness h;
  h.LogIn(100005, {"@ann", "ben"});
  h.Play(
      "=> admin: ann => start: Setup Game (off)\n"
      "GAMEISBEINGSETUP - => status: ann is setting up a game\n"
      "SETUPCANCELLED - => status: Waiting for ann to start a game\n");
  h.StartGame(100001);
  h.Play(
      "PART 100000|bye => admin: - => said: ann has left (bye).\n"  // an older room names nobody
                                                                    // when its admin leaves
      // The role comes to this player during the game, which the admin may start over.
      "ADMIN 100005|un-named => said: un-named has been made into an admin.\n"
      "=> admin: un-named => start: Setup Game\n");
  EXPECT_TRUE(h.view.controls.administrate);
  h.Play("ADMIN 100001|ben => admin: ben => start: Setup Game (off)");
  EXPECT_FALSE(h.view.controls.administrate);
}

TEST(UserList, JoinAndPartDriveTheStartButtonPracticeModeAndSendingTheDrawing) {
  ClientHarness h;
  EXPECT_FALSE(h.session.CanSendDrawing());  // not connected
  h.LogIn(100005);
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));  // alone: nobody to send it to
  EXPECT_FALSE(h.session.CanSendDrawing());
  h.Play(
      "JOIN 100009|Newcomer|1 => said: ** Newcomer has joined the room! => start: Setup Game\n"
      "=> users: un-named 0*, Newcomer 0");
  EXPECT_EQ(h.view.last().colour, kBlue);
  EXPECT_EQ(h.view.controls.start.colour, kGreen);
  EXPECT_THAT(h.view.sounds, ElementsAre("join.wav"));
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));
  h.Play(
      "=> sent: FH 1|2|3|4\n"
      "PART 100009|bye => line: Server: Newcomer has left (bye). => start: Setup Game (off)\n"
      "=> time: --:-- => sent: ADMIN un-named");
  EXPECT_TRUE(h.view.controls.drawing);
  EXPECT_FALSE(h.session.CanSendDrawing());
}

TEST(UserList, JoinAndLeaveLinesFollowTheOptions) {
  ClientHarness h(
      "[Interface]\nShow Join Messages=0\nShow Leave Messages=0\n[Sounds]\nEvent - Join=0\n");
  h.LogIn(100005, {"other"});
  h.Play("JOIN 100009|Quiet|0\nPART 100009|bye => said:");
  EXPECT_THAT(h.view.sounds, IsEmpty());
}

TEST(Messages, ChatActionsAndNoticesTakeTheirForms) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Play("SAY 100000|hi <b>all</b> => line: ann: hi <b>all</b>");
  EXPECT_FALSE(h.view.last().plain);
  h.Play("USERACTION 100000|waves => line: System:  * ann waves");
  EXPECT_TRUE(h.view.last().plain);
  h.Receive("NOTICE", "Heads up");
  EXPECT_EQ(h.view.last().colour, kRed);
  h.Play(
      "SERVERMSG from the operator => line: ADMIN: from the operator\n"
      "KICKINFO 100000|100005|spam => line: System: ann has kicked un-named: spam\n"
      "ADMIN 100000|ann\n"
      "NICKCHG 100000|anna => line: System:  ** ann is now known as anna. => admin: anna\n"
      "AWAY 100000|1 => users: anna 0, un-named 0*\n"
      "PING - => sent: PONG -\n");
  h.Receive("USERINFO", Wire("anna|30|Female|Rome|-|ciao"));
  EXPECT_EQ(h.view.user_info.location, "Rome");
}

TEST(Messages, ShortDataAndUnknownIdsChangeNothingElseAndAMessageThatNeverEndsDisconnects) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Receive("SAY", "");
  EXPECT_EQ(h.view.last().sender, "");
  h.Play("PART 424242\nPOINTSCHG 424242|99\nWORDFOUND\nULIST\nJOIN\nTOTALROUNDS many\nWHATEVER x");
  h.session.OnData("no separator at all\x01");
  h.Play("=> users: ann 0*, un-named 0*,  0*");  // the id-0 JOIN and ULIST entry
  EXPECT_EQ(h.connection.state, SocketState::kConnected);
  h.session.OnData(std::string(70000, 'x'));
  h.Play("=> line: System: Disconnected from server.");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
}

TEST(Messages, TheGameUpdatesThePanelTheListAndTheControls) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.Play(
      "SETGAMETIMER 90000 => time: 01:30\n"
      "TOTALROUNDS 5\n"
      "START_GAME animals^food => rounds: 1 of 5\n"
      "=> said:  /  -- The game is now starting! -- / Wordlists: animals, food.\n");
  const int tools = h.view.tool_resets;
  h.Play(
      "NEWARTIST 100000 => said: A new artist has been selected to draw: ann\n"
      "=> hint: Warn Artist\n"
      "WORDFOUND 2|100001 => users: ann 0* drawing, ben 0* found, un-named 0*\n");
  EXPECT_GT(h.view.tool_resets, tools);
  EXPECT_FALSE(h.view.controls.drawing);
  h.Play(
      // The artist left: the next one draws.
      "NEWARTIST 100005 => users: ann 0*, ben 0*, un-named 0* drawing\n"
      "=> start: Skip Word! => hint: Give Hint\n"
      "NEWWORD fish,chips#peas => word: fish, chips, peas\n"
      // The artist keeps the word.
      "HINT [4 letters]|The artist has given a hint! The word has 4 letters. => word: fish, "
      "chips, peas\n");
  EXPECT_EQ(h.view.controls.start.colour, kRed);
  EXPECT_TRUE(h.view.controls.drawing);
  h.Play(
      "WORDFOUND 1|100000\n"
      "POINTSCHG 100000|220\n"
      "ENDOFROUND car,automobile => said: ben has found the word! / A new artist has been "
      "selected to draw: un-named / The artist has given a hint! The word has 4 letters. / ann "
      "has found the word! / The round is over! The word was: car\n"
      "=> users: ann 220*, ben 0*, un-named 0*\n"
      // The last round ends with everyone finding the word: the list keeps the markers until
      // the game is over.
      "NEWARTIST 100005\n"
      "WORDFOUND 1|100000\n"
      "STOPGAMETIMER - => time: --:-- => users: ann 220* found, ben 0*, un-named 0* drawing\n"
      "WINNER 100000 => users: ann 220*, ben 0*, un-named 0* => rounds: -\n"
      "=> start: Setup Game (off) => hint: Warn Artist (off)\n");
  EXPECT_THAT(h.view.winners, ElementsAre("ann"));
}

TEST(Messages, ALateJoinerFollowsTheRunningGameToASkippedWordAndANewRound) {
  ClientHarness h;
  h.Connect();
  h.Play(
      "USEROK 100005|\n"
      "PASSOK |Den|-|3|5 => rounds: -\n"
      "ULIST 100000|ann|0|0|100001|ben|0|0|100005|un-named|0|0\n"
      "ULISTEND => status: Waiting for a game to start\n"
      "GAMERUNNING 100000|_ _ _ => rounds: 3 of 5 => status: ann is drawing => word: _ _ _\n"
      "=> users: ann 0* drawing, ben 0*, un-named 0*\n");
  EXPECT_FALSE(h.view.controls.drawing);
  h.Look("said");
  h.Play(
      "WORDCLOSE cab => said: cab is close to the word!\n"
      "WORDSKIPPED cat,kitten => said: ann has skipped the word: cat => time: --:--\n"
      "=> users: ann 0*, ben 0*, un-named 0*\n");
  // A round already under way when the client came is not one of its rounds.
  EXPECT_TRUE(h.view.rounds_begun == 0 && h.view.rounds.empty());
  h.Play(
      "NEWROUND 4 => said: A new round is starting! => rounds: 4 of 5 => word: \n"
      "NEWARTIST 100005 => hint: Give Hint\n"
      "NOMOREHINTS - => hint: Give Hint (off)\n"
      // Someone joining takes nothing from the artist.
      "JOIN 100009|Newcomer|0 => start: Skip Word!\n");
}

TEST(Messages, AGuesserSeesHintsAndTheClockCountsDown) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Play(
      "NEWARTIST 100000\n"
      "HINT ca|The artist has given a third hint! The word starts with: ca => word: ca\n"
      "STARTGAMETIMER 6000");
  const struct {
    int advance_ms;
    const char* time;
    Colour colour;
  } ticks[] = {{1000, "00:05", Rgb(32, 0, 0)},  // red from five seconds left
               {2000, "00:03", Rgb(100, 0, 0)},
               {3000, "00:00", kBlack},
               {5000, "00:00", kBlack}};
  for (const auto& tick : ticks) {
    h.clock.Advance(tick.advance_ms);
    EXPECT_EQ(h.view.panel.time, tick.time);
    EXPECT_EQ(h.view.panel.time_colour, tick.colour);
  }
  // The next round runs from the round time again, though the last one ran out.
  h.Play("SETGAMETIMER 59999 => time: 00:59\nENDOFROUND cat\nSETGAMETIMER 90000\nNEWROUND 2");
  h.clock.Advance(1000);
  EXPECT_EQ(h.view.panel.time, "01:29");
  // Alone, the player practises without a clock.
  h.Receive("PART", Wire("100000|bye"));
  h.clock.Advance(3000);
  EXPECT_EQ(h.view.panel.time, "--:--");
}

TEST(Messages, AGameButtonDoesWhatItsActionSaysForGuesserAndArtist) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.session.StartButtonPressed();
  EXPECT_EQ(h.view.game_setups_opened, 1);
  h.session.HintButtonPressed();
  EXPECT_EQ(h.view.last().text, "Sorry, the Warn Artist feature has not yet been implemented.");
  h.Receive("NEWARTIST", "100005");
  h.session.HintButtonPressed();
  h.session.StartButtonPressed();
  h.Play("=> sent: GIVEHINT -, SKIPWORD - => start: Skip Word! (off) => hint: Give Hint (off)");
  EXPECT_EQ(h.view.game_setups_opened, 1);
}

TEST(Messages, KickAndServerQuitEndTheConnection) {
  ClientHarness h;
  h.LogIn();
  h.Play(
      "KICKOP spamming => sent: NOP NOP => said: You have been kicked from the server by the "
      "operator for the following reason: spamming");
  EXPECT_EQ(h.connection.leaves, 1);  // the NOP goes out before the close
  EXPECT_TRUE(h.view.controls.connect);
  // A ban is said by the room's notice; the KICKOP after it does not call it a kick.
  h.LogIn();
  h.Play(
      "NOTICE You have been banned from this room by the operator: rude\n"
      "KICKOP rude => said: You have been banned from this room by the operator: rude");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
  h.LogIn();
  h.Play(
      "SERVERQUIT The server has been shutdown. => line: ADMINISTRATOR: Server has quit: The "
      "server has been shutdown..");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
}

TEST(Messages, DrawingCodesGoToThePad) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Play("FH 100000|1|2|3|4\nCL -");
  ASSERT_EQ(h.view.drawings.size(), 2u);
  EXPECT_EQ(h.view.drawings[0].code, protocol::DrawCode::FH);
  EXPECT_EQ(h.view.drawings[0].fields[3], 4);
  EXPECT_EQ(h.view.drawings[1].code, protocol::DrawCode::CL);
}

TEST(GameSetup, NumbersAreHeldWithinTheirLimitsAndTheTimesSentInMilliseconds) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  GameSetup setup{.room_name = "Den", .word_lists = {}};
  EXPECT_FALSE(h.session.StartGame(setup));  // no word list chosen
  EXPECT_EQ(h.SentLine(), "");
  setup.word_lists = {"animals", "food"};
  EXPECT_TRUE(h.session.StartGame(setup));
  for (const auto& [players, rounds, seconds, grace] :
       {std::array{41, 4, 901, 4}, std::array{-1, 101, 9, 901}}) {
    setup.player_limit = players;
    setup.total_rounds = rounds;
    setup.seconds_per_round = seconds;
    setup.grace_seconds = grace;
    h.session.StartGame(setup);
  }
  // Room name, description, the four numbers, then each list behind code 4.
  EXPECT_EQ(h.SentLine(),
            "STARTGAME Den|nodesc|0|10|60000|30000|^animals^food, "
            "STARTGAME Den|nodesc|40|5|900000|5000|^animals^food, "
            "STARTGAME Den|nodesc|0|100|10000|900000|^animals^food");
}

TEST(Sending, AutoSkipBoxIsSentAndShown) {
  ClientHarness h;
  h.session.SetAutoSkip(true);
  EXPECT_EQ(h.SentLine(), "");  // nothing while not in a room
  h.Connect();
  h.Play(
      "SCRAWLBOX_S3RV3R 100 => sent: SCRAWLBOX_CL13NT 100001, USER un-named|1|0|Not given|-|-|-");
  h.LogIn(100005, {"ann"});
  h.session.SetAutoSkip(false);
  h.Play("=> sent: AWAY 0 => users: ann 0*, un-named 0*");
}

}  // namespace
}  // namespace client
