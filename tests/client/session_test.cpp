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
  h.session.SetAutoSkip(true);  // nothing goes out while not in a room
  h.Connect();
  h.Play(
      "=> to: room.example:2020 #1 => controls: load paste drawing\n"
      "=> status: Logging in...\n"
      "=> said: Connecting to server room.example on port 2020 .. / Connected to server. Logging "
      "in... => sent: SCRAWLBOX_CL13NT 101000\n"
      "SCRAWLBOX_S3RV3R 100 => sent: USER Averyveryverylongnic|1|12|Female|Leeds|-|-\n"
      "USEROK 100007| => sent: PASS <none>\n"
      "PASSOK Welcome all|The Den|-|2|5 => said: Requesting userlist... => sent: ULISTREQ -\n"
      "=> room: The Den => rounds: -\n"  // no game shows that it runs yet
      "ULIST 100000|@Bob|0|40|100007|Averyveryverylongnic|1| => admin: Bob\n"
      "=> users: Bob 40*, Averyveryverylongnic 0\n");
  // Somebody else was here first: no administration.
  h.Play(
      "ULISTEND => line: Server: MOTD - Welcome all => colour: 255,0,255\n"
      "=> controls: disconnect info drawing autoskip");
  EXPECT_TRUE(h.view.pads_cleared == 1 && h.view.focus_requests > 0);  // practice goes
  h.session.SetAutoSkip(false);
  h.Play("=> sent: AWAY 0 => users: Bob 40*, Averyveryverylongnic 0*");
}

TEST(Login, ARoomOfAHostIsNamedBeforeTheGreeting) {
  ClientHarness h("[Player Information]\nNickname=Me\n");
  h.session.JoinRoom("scrawlbox://room.example:2021/AbC23");
  EXPECT_EQ(std::tuple(h.connection.host, h.connection.port), std::tuple("room.example", 2021));
  h.connection.state = SocketState::kConnected;
  h.session.OnConnected();
  EXPECT_EQ(testing_support::Render(h.connection.Take()), "ROOM abc23, SCRAWLBOX_CL13NT 101000");
}

TEST(Login, AMadeRoomIsAskedForFirstAndTheAnswerGivesItsCodeAndLinks) {
  ClientHarness h;  // without a nickname: the room is made once there is one
  h.session.CreateRoom("scrawlbox://host.example:2021/old", "Friends\x03of mine", "s3cret", true,
                       "de");
  EXPECT_THAT(h.view.nickname_asks, ElementsAre(""));
  h.session.SetProfile({.Nickname = "Me"});
  EXPECT_EQ(h.Look("to"), "host.example:2021 #1");
  h.connection.state = SocketState::kConnected;
  h.session.OnConnected();
  EXPECT_EQ(h.Look("sent"), "MAKEROOM Friendsof mine|s3cret|1|de, SCRAWLBOX_CL13NT 101000");
  h.Look("said");
  h.Play(
      // The page's link without a host: the host connected to.
      "ROOMMADE K3mq8tz2wd|http://:2031/r/k3mq8tz2wd => said: Your room \"Friendsof mine\" is "
      "made; its code is k3mq8tz2wd. Invite friends with a link: /   In a browser: "
      "http://host.example:2031/r/k3mq8tz2wd /   In Scrawlbox: "
      "scrawlbox://host.example:2021/k3mq8tz2wd\n"
      "ROOMMADE other| => said: \n"
      "SCRAWLBOX_S3RV3R 101 => said: \n"
      // The maker logs in with the room's password, which is not kept.
      "USEROK 100000| => sent: USER Me|0|0|Not given|-|-|-, PASS s3cret\n"
      "PASSOK |Friendsof mine|-|0|0|de");
  // The room's language picks the lists a first set-up starts with.
  EXPECT_EQ(h.session.RoomLanguage(), "de");
  EXPECT_THAT(h.session.DefaultWordLists({"animals", "de-tiere", "fr-animaux", "de-orte"}),
              ElementsAre("de-tiere", "de-orte"));
  EXPECT_THAT(h.settings.History(),
              ElementsAre(ServerEntry{"host.example:2021/k3mq8tz2wd", "Friendsof mine", ""}));
  EXPECT_EQ(h.ini.INIRead("Room Passwords", "host.example:2021/k3mq8tz2wd", ""), "");
}

TEST(Login, AnAskedForRoomThatIsNotMadeOrNotUsableIsSaidSo) {
  struct Case {
    const char* name;
    const char* script;  // after MAKEROOM and the greeting, before the connection closes
    const char* said;    // then
  };
  const Case cases[] = {
      {"a host's refusal", "NOTICE No room was made: This host is full.",
       "No room was made: This host is full. / Disconnected from server."},
      {"another refusal", "NOTICE Server is full.",
       "Server is full. / No room was made on host.example. / Disconnected from server."},
      {"no answer", "", "Disconnected from server. / No room was made on host.example."},
      {"a single room", "SCRAWLBOX_S3RV3R 100 => sent: USER Me|0|0|Not given|-|-|-\nROOMMADE abc|",
       "This server holds one room and makes no others; you are in its room. / Disconnected from "
       "server."},
      {"a code to use nowhere", "ROOMMADE ../x|",
       "The server made the room but named it with a code this client cannot use; you are in it, "
       "but it is not kept in Recent. / Disconnected from server."},
      {"a page to open nowhere", "ROOMMADE abc|javascript:alert(1)",
       "Your room \"Den\" is made; its code is abc. Invite friends with a link: /   In Scrawlbox: "
       "scrawlbox://host.example:2020/abc / Disconnected from server."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClientHarness h("[Player Information]\nNickname=Me\n");
    h.session.CreateRoom("host.example", "Den", "", false);
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    EXPECT_EQ(h.Look("sent"), "MAKEROOM Den||0, SCRAWLBOX_CL13NT 101000");
    h.Look("said");
    h.Play(c.script);
    h.session.OnClosed();
    EXPECT_EQ(h.Look("said"), c.said);
  }
}

TEST(Login, ARefusedNicknameIsAskedForAgainWithTheReasonAndTheLoginFollows) {
  const std::string used =
      "The nickname \"Me\" is already used in this room; please choose another.";
  const std::string reserved = "The nickname \"Me\" is reserved; please choose another.";
  using protocol::Frame;
  // What the room sends after the client's USER, and the reason: NICKREFUSED, then the notice
  // for older clients; an older room's notice, before the password or after it.
  const std::pair<std::string, std::string> cases[] = {
      {Frame("NICKREFUSED", used) + Frame("NOTICE", used), used},
      {Frame("NOTICE", used), used},
      {Frame("USEROK", Wire("100007|")) + Frame("NOTICE", reserved), reserved}};
  for (const auto& [write, reason] : cases) {
    SCOPED_TRACE(write);
    ClientHarness h("[Player Information]\nNickname=Me\n");
    h.Connect();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.Look("said");
    h.session.OnData(write);
    EXPECT_THAT(h.view.nickname_asks, ElementsAre(reason));
    h.Play("=> socket: closed => said: " + reason +
           " => status: Choose another nickname to join room.example");
    h.session.SetProfile({.Nickname = "Me2"});
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Look("sent");
    h.Play(
        "SCRAWLBOX_S3RV3R 100 => sent: USER Me2|0|0|Not given|-|-|- => to: room.example:2020 #2");
  }
}

TEST(Login, AnAgreementRefusedBannedOldVersionSocketErrorsAndACloseMidLoginEndTheConnection) {
  ClientHarness h;
  h.Connect();
  // An agreement is answered from its window.
  h.Play("USEROK 100001|House rules: be nice => sent: SCRAWLBOX_CL13NT 101000");
  EXPECT_EQ(h.view.agreement, "House rules: be nice");
  h.session.AgreementAccepted();
  EXPECT_EQ(h.Look("sent"), "PASS <none>");
  h.session.AgreementRefused();
  h.Play("+249 => sent: DISAGREE -\n+1 => sent: NOP -");
  h.Connect();
  h.Play(
      "BANNED - => line: Server: You have been banned from this server. You are not permitted "
      "to join it. => colour: 255,0,32 => socket: closed => controls: connect load paste drawing");
  h.Connect();
  h.Play("OLDVERSION 99385 => colour: 160,50,30 => socket: closed");
  EXPECT_THAT(h.view.last().text,
              testing::StartsWith("Sorry, but you are using an old version of the Scrawlbox "
                                  "client. You will need "));
  h.Look("said");
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  h.session.OnError({SocketErrorKind::kHostNotFound, 2, "unknown"});
  h.session.OnError({SocketErrorKind::kOther, 10060, "Timed out"});
  EXPECT_EQ(h.Look("said"),
            "There doesn't appear to be a Scrawlbox server running on the remote machine. If it "
            "is a valid Scrawlbox server, then please try again later. / The specified server "
            "cannot be found. The server machine may be offline or the address is incorrect. / "
            "Socket Error [10060] - Timed out.");
  // A room that closes during the login leaves a clean state, practice included.
  h.Connect();
  h.Play("SCRAWLBOX_S3RV3R 100\nUSEROK 100001|");
  h.session.OnClosed();
  h.Play(
      "=> line: System: Disconnected from server. => room: - => time: --:--\n"
      "=> controls: connect load paste drawing\n"
      "=> status: Not connected: practise here, or join a room with File > Connect..");
  EXPECT_EQ(h.session.OwnUserId(), 0);
}

TEST(UserList, AloneTheClientClaimsTheAdminRoleLaterBatchesAddAndANewLoginReplaces) {
  ClientHarness h("[Player Information]\nNickname=Solo\n");
  h.Connect();
  h.Play("USEROK 100003|\nPASSOK |R|-|1|10");
  h.Look("sent");
  h.Play(
      "ULIST 100003|Solo|0|0 => sent: ADMIN Solo => admin: Solo => colour: 255,0,0\n"
      "=> controls: admin load paste drawing autoskip\n"
      "ULIST 1|a|0|0|2|b|0|0 => users: Solo 0*, a 0*, b 0*\n"
      "ULISTEND => controls: disconnect info admin drawing autoskip\n"
      "PASSOK |R|-|1|10\n"
      "ULIST 7|x|0|0|8|y|0|0 => users: x 0*, y 0*\n");
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
      // An older room names nobody when its admin leaves.
      "PART 100000|bye => admin: - => said: ann has left (bye).\n"
      // The role comes to this player during the game, which the admin may start over.
      "ADMIN 100005|un-named => said: un-named has been made into an admin.\n"
      "=> admin: un-named => start: Setup Game => controls: disconnect info admin autoskip\n"
      "ADMIN 100001|ben => admin: ben => start: Setup Game (off)\n"
      "=> controls: disconnect info autoskip");
}

TEST(UserList, JoinAndPartDriveTheStartButtonPracticeModeAndSendingTheDrawing) {
  ClientHarness h;
  EXPECT_FALSE(h.session.CanSendDrawing());  // not connected
  h.LogIn(100005);
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));  // alone: nobody to send it to
  h.Play(
      "=> status: Waiting for a second player\n"
      "JOIN 100009|Newcomer|1 => said: ** Newcomer has joined the room! => start: Setup Game\n"
      "=> status: Press Setup Game to start a game\n"
      "=> users: un-named 0*, Newcomer 0 => colour: 0,0,255");
  EXPECT_EQ(h.view.controls.start.colour, kGreen);
  EXPECT_THAT(h.view.sounds, ElementsAre("join.wav"));
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));
  h.Play(
      "=> sent: FH 1|2|3|4\n"
      "PART 100009|bye => line: Server: Newcomer has left (bye). => start: Setup Game (off)\n"
      "=> time: --:-- => sent: ADMIN un-named => controls: disconnect info admin drawing autoskip\n"
      "=> status: Waiting for a second player");
  EXPECT_FALSE(h.session.CanSendDrawing());
  // Join and leave lines and the join sound follow the options.
  ClientHarness quiet(
      "[Interface]\nShow Join Messages=0\nShow Leave Messages=0\n[Sounds]\nEvent - Join=0\n");
  quiet.LogIn(100005, {"other"});
  quiet.Play("JOIN 100009|Quiet|0\nPART 100009|bye => said:");
  EXPECT_THAT(quiet.view.sounds, IsEmpty());
}

TEST(Messages, ChatActionsNoticesAndDrawingCodesTakeTheirForms) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Play(
      "SAY 100000|hi <b>all</b> => line: ann: hi <b>all</b> => colour: 0,0,0\n"
      "USERACTION 100000|waves => line: System:  * ann waves => colour: 0,0,255 plain\n"
      // A refused nickname's text is only a notice in the room.
      "NOTICE The nickname \"Me\" is already used in this room; please choose another.\n"
      "=> colour: 255,0,0 => socket: connected\n"
      "SERVERMSG from the operator => line: ADMIN: from the operator\n"
      "KICKINFO 100000|100005|spam => line: System: ann has kicked un-named: spam\n"
      "ADMIN 100000|ann\n"
      "NICKCHG 100000|anna => line: System:  ** ann is now known as anna. => admin: anna\n"
      "AWAY 100000|1 => users: anna 0, un-named 0*\n"
      "PING - => sent: PONG -\n"
      "USERINFO anna|30|Female|Rome|-|ciao\n"
      "FH 100000|1|2|3|4\n"
      "CL -");
  EXPECT_TRUE(h.view.user_info.location == "Rome" && h.view.nickname_asks.empty());
  const auto& d = h.view.drawings;
  EXPECT_TRUE(d.size() == 2 && d[0].code == protocol::DrawCode::FH && d[0].fields[3] == 4 &&
              d[1].code == protocol::DrawCode::CL);
}

TEST(Messages, ShortDataAndUnknownIdsChangeNothingElseAndAKickAQuitOrAnEndlessMessageDisconnect) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Receive("SAY", "");
  EXPECT_EQ(h.view.last().sender, "");
  h.Play("PART 424242\nPOINTSCHG 424242|99\nWORDFOUND\nULIST\nJOIN\nTOTALROUNDS many\nWHATEVER x");
  h.session.OnData("no separator at all\x01");
  h.Play("=> users: ann 0*, un-named 0*,  0* => socket: connected");  // the id-0 JOIN and ULIST
  h.session.OnData(std::string(70000, 'x'));
  h.Play("=> line: System: Disconnected from server. => socket: closed");
  // A kick, a ban and the server's end close it too.
  h.LogIn();
  h.Play(
      "KICKOP spamming => sent: NOP NOP => said: You have been kicked from the server by the "
      "operator for the following reason: spamming => controls: connect load paste drawing");
  EXPECT_EQ(h.connection.leaves, 1);  // the NOP goes out before the close
  // A ban is said by the room's notice; the KICKOP after it does not call it a kick.
  h.LogIn();
  h.Play(
      "NOTICE You have been banned from this room by the operator: rude\n"
      "KICKOP rude => said: You have been banned from this room by the operator: rude\n"
      "=> socket: closed");
  // Voted out, the player is told by whom.
  h.LogIn();
  h.Play(
      "KICKOP Kicked by a vote of the players. => said: You have been kicked from the room by a "
      "vote of the players. => socket: closed");
  h.LogIn();
  h.Play(
      "SERVERQUIT The server has been shutdown. => line: ADMINISTRATOR: Server has quit: The "
      "server has been shutdown.. => socket: closed");
}

TEST(Messages, TheGameUpdatesThePanelTheListAndTheControls) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.Play(
      "SETGAMETIMER 90000 => time: 01:30\n"
      "TOTALROUNDS 5\n"
      "START_GAME animals^food => rounds: 1 of 5\n"
      "=> said:  /  -- The game is now starting! -- / Wordlists: animals, food.\n"
      "NEWARTIST 100000 => said: A new artist has been selected to draw: ann => status: ann is "
      "drawing\n"
      "=> hint: Warn Artist => controls: disconnect info autoskip\n"
      "WORDFOUND 2|100001 => users: ann 0* drawing, ben 0* found, un-named 0*\n"
      // The artist left: the next one draws.
      "NEWARTIST 100005 => users: ann 0*, ben 0*, un-named 0* drawing => status: Your turn to "
      "draw\n"
      "=> start: Skip Word! => hint: Give Hint => controls: disconnect info drawing autoskip\n"
      "NEWWORD fish,chips#peas => word: fish, chips, peas => status: Your turn: draw fish\n"
      // The artist keeps the word.
      "HINT [4 letters]|The artist has given a hint! The word has 4 letters. => word: fish, "
      "chips, peas\n");
  EXPECT_EQ(h.view.controls.start.colour, kRed);
  h.Play(
      "WORDFOUND 1|100000\n"
      "POINTSCHG 100000|220\n"
      "ENDOFROUND car,automobile => said: ben has found the word! / A new artist has been "
      "selected to draw: un-named / The artist has given a hint! The word has 4 letters. / ann "
      "has found the word! / The round is over! The word was: car\n"
      "=> users: ann 220*, ben 0*, un-named 0* => status: The word was: car\n"
      // The last round ends with everyone finding the word: the list keeps the markers until
      // the game is over. The room only stops the clock, and the artist knows the word.
      "NEWARTIST 100005\n"
      "NEWWORD horse\n"
      "WORDFOUND 1|100000\n"
      "STOPGAMETIMER - => time: --:-- => users: ann 220* found, ben 0*, un-named 0* drawing\n"
      "=> status: The word was: horse\n"
      "WINNER 100000 => users: ann 220*, ben 0*, un-named 0* => rounds: - => status: ann wins!\n"
      "=> start: Setup Game (off) => hint: Warn Artist (off)\n");
  EXPECT_EQ(h.view.tool_resets, 6);  // at the start, at each artist and again at its own turns
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
      "=> users: ann 0* drawing, ben 0*, un-named 0* => controls: disconnect info autoskip\n");
  h.Look("said");
  h.Play(
      "WORDCLOSE cab => said: cab is close to the word!\n"
      "WORDSKIPPED cat,kitten => said: ann has skipped the word: cat => time: --:--\n"
      "=> users: ann 0*, ben 0*, un-named 0*\n");
  // A round already under way when the client came is not one of its rounds.
  EXPECT_TRUE(h.view.rounds_begun == 0 && h.view.rounds.empty() && h.session.GameInProgress());
  h.Play(
      "NEWROUND 4 => said: A new round is starting! => rounds: 4 of 5 => word: \n"
      "NEWARTIST 100005 => hint: Give Hint\n"
      "NOMOREHINTS - => hint: Give Hint (off)\n"
      // Someone joining takes nothing from the artist.
      "JOIN 100009|Newcomer|0 => start: Skip Word!\n");
}

TEST(Messages, AGuesserSeesHintsTheClockCountsDownAndTheGameButtonsDoWhatTheySay) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.session.StartButtonPressed();
  h.Play("NEWARTIST 100000 => hint: Warn Artist");
  h.session.HintButtonPressed();
  h.Play(
      // A guesser's hint button warns the artist once a round; the room counts the warnings.
      "=> sent: WARNARTIST - => hint: Warn Artist (off)\n"
      "HINT ca|The artist has given a third hint! The word starts with: ca => word: ca\n"
      "STARTGAMETIMER 6000\n"
      "+1000 => time: 00:05 32,0,0\n"  // red from five seconds left
      "+2000 => time: 00:03 100,0,0\n"
      "+3000 => time: 00:00\n"
      "+5000 => time: 00:00\n"
      // The next round runs from the round time again, though the last one ran out.
      "SETGAMETIMER 59999 => time: 00:59\nENDOFROUND cat\nSETGAMETIMER 90000\nNEWROUND 2\n"
      "+1000 => time: 01:29\n"
      "NEWARTIST 100005");
  h.session.HintButtonPressed();
  h.session.StartButtonPressed();
  h.Play(
      "=> sent: GIVEHINT -, SKIPWORD - => start: Skip Word! (off) => hint: Give Hint (off)\n"
      // Alone, the player practises without a clock.
      "PART 100000|bye\n+3000 => time: --:--");
  EXPECT_EQ(h.view.game_setups_opened, 1);  // only the guesser's button sets up a game
}
TEST(GameSetup, NumbersAreHeldWithinTheirLimitsSentInMillisecondsAndKeptNamedAfterTheRoom) {
  ClientHarness h;
  GameSetup setup{.room_name = "Den", .word_lists = {}, .custom_words = {}};
  EXPECT_FALSE(h.session.StartGame(setup));  // no word list chosen: nothing sent, nothing kept
  EXPECT_TRUE(h.session.LastGameSetup().word_lists.empty());
  setup.word_lists = {"animals", "food"};
  EXPECT_TRUE(h.session.StartGame(setup));
  EXPECT_EQ(h.session.LastGameSetup().room_name, "Den");  // not in a room: the name it was given
  h.LogIn(100005, {"ann"});
  const std::vector<std::string> none;
  for (const GameSetup& sent :
       {GameSetup{"Den", "nodesc", 0, 5, 60, 30, none, {"owl", "sea lion|sealion"}}, setup,
        GameSetup{"Den", "nodesc", 41, 4, 901, 4, setup.word_lists, none},
        GameSetup{"Den", "nodesc", -1, 101, 9, 901, setup.word_lists, none}}) {
    h.session.StartGame(sent);
  }
  // Room name, description, the four numbers, then each list behind code 4, then the game's
  // own words if it has any: a game of them alone needs no list.
  EXPECT_EQ(h.Look("sent"),
            "STARTGAME Den|nodesc|0|5|60000|30000||owl^sea lion|sealion, "
            "STARTGAME Den|nodesc|0|10|60000|30000|^animals^food, "
            "STARTGAME Den|nodesc|40|5|900000|5000|^animals^food, "
            "STARTGAME Den|nodesc|0|100|10000|900000|^animals^food");
  const GameSetup kept = h.session.LastGameSetup();  // as sent, under the room's name
  EXPECT_EQ(kept.room_name + " " + std::to_string(kept.total_rounds), "Room 100");
}

TEST(GameSetup, WordListsAreGroupedByTheLanguageTheirNamesBeginWith) {
  const std::vector<std::string> names = {"animals",  "fr-animaux", "de-tiere", "it-cibo", "hard",
                                          "sea-life", "de-essen",   "DE-x",     "es-"};
  const struct {
    const char* first;
    const char* groups;
  } rows[] = {
      // Names without a two-letter code and "-" in front are English, as lists were before.
      {"de", "de: tiere essen | en: animals hard sea-life DE-x es- | fr: animaux | it: cibo"},
      {"it", "it: cibo | en: animals hard sea-life DE-x es- | de: tiere essen | fr: animaux"},
      {"pt", "en: animals hard sea-life DE-x es- | de: tiere essen | fr: animaux | it: cibo"},
  };
  for (const auto& row : rows) {
    std::string shown;
    for (const WordListGroup& group : WordListsByLanguage(names, row.first)) {
      shown += (shown.empty() ? "" : " | ") + group.language + ":";
      for (const std::string& name : group.lists) shown += " " + std::string(WordListTitle(name));
    }
    EXPECT_EQ(shown, row.groups) << row.first;
  }
}

// The game's own lines in the player's language, and what a room words (in English, as every room
// does) translated where it is one of the texts the clients know, its places filled from the
// room's text; anything else as it came.
TEST(Languages, TheSessionSpeaksThePlayersLanguageAndTranslatesTheRoomsKnownTexts) {
  ClientHarness h("[Player Information]\nNickname=Me\n");
  h.session.SetLanguage("de");
  h.LogIn(100005, {"Ann"});
  h.Play(
      "WORDFOUND 3|100000 => said: Ann hat das Wort gefunden!\n"
      // A kick by the operator: the reason's own words are the operator's and stay.
      "NOTICE Ann has been kicked by the server operator: too rude => said: Ann wurde vom "
      "Serverbetreiber rausgeworfen: too rude\n"
      "NOTICE Something only this room says. => said: Something only this room says.\n"
      "NOTICE The room is full. => said: Der Raum ist voll.");
  // What the rooms word themselves, in English; as some older room may word it too.
  struct Case {
    const char* language;
    const char* text;
    const char* shown;
  };
  for (const Case& c : {
           Case{"fr", "Ann votes to kick Bob (2 of 3 needed).",
                "Ann vote pour expulser Bob (2 sur 3 n\xE9"
                "cessaires)."},
           Case{"es", "The word was cat. Found by Ann (+120), Bob (+80); Cid drew (+100).",
                "La palabra era cat. La adivinaron Ann (+120), Bob (+80); Cid dibuj\xF3 (+100)."},
           // A nickname with a place marker in it is not filled again.
           Case{"de", "%2 has found the word!", "%2 hat das Wort gefunden!"},
           Case{"en", "The room is full.", "The room is full."},
           Case{"xx", "The room is full.", "The room is full."},
           Case{"de", "", ""},
       }) {
    EXPECT_EQ(protocol::TranslatedIn(c.language, c.text), c.shown) << c.language << ": " << c.text;
  }
  // Counted texts take each language's plural: French counts 0 as one.
  EXPECT_EQ(protocol::SayCountedIn("fr", "%1. %2 - %n point(s)", 0, {"2", "Ann"}),
            "2. Ann \x96 0 point");
  EXPECT_EQ(protocol::SayCountedIn("de", "%1. %2 - %n point(s)", 0, {"2", "Ann"}),
            "2. Ann \x96 0 Punkte");
  EXPECT_EQ(protocol::SayCountedIn("en", "%1. %2 - %n point(s)", 1, {"1", "Ann"}),
            "1. Ann - 1 point");
  EXPECT_EQ(protocol::SayIn("xx", "%1 wins!", {"Ann"}), "Ann wins!");
}

}  // namespace
}  // namespace client
