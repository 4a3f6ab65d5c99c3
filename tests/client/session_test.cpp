// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/client_fakes.h"
#include "tests/support/matchers.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::ClientHarness;
using testing_support::Msg;

std::vector<int32_t> Ids(const std::vector<UserEntry>& users) {
  std::vector<int32_t> ids;
  for (const auto& u : users) ids.push_back(u.id);
  return ids;
}

TEST(Login, TheWholeSequenceWithoutAnAgreement) {
  ClientHarness h(
      "[Player Information]\nNickname=Averyveryverylongnickname\nAge=123\n"
      "Gender=Female\nLocation=Leeds\n");
  h.Connect();
  EXPECT_EQ(h.connection.host, "room.example");
  EXPECT_EQ(h.connection.port, 2020);
  EXPECT_EQ(h.view.last().text, "Connected to server. Logging in...");
  EXPECT_FALSE(h.view.controls.connect);
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("SCRAWLBOX_CL13NT", "100001")));

  h.Receive("SCRAWLBOX_S3RV3R", "100");
  EXPECT_THAT(h.Sent(),
              ElementsAre(Msg("USER", Wire("Averyveryverylongnic|0|12|Female|Leeds|-|-"))));
  h.Receive("USEROK", Wire("100007|"));
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PASS", "<none>")));
  EXPECT_EQ(h.session.OwnUserId(), 100007);

  h.Receive("PASSOK", Wire("Welcome all|The Den|-|2|5"));
  EXPECT_EQ(h.view.panel.room_name, "The Den");
  // No game shows that it runs yet.
  EXPECT_EQ(h.view.panel.rounds, "-");
  EXPECT_EQ(h.view.last().text, "Requesting userlist...");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("ULISTREQ", "-")));

  h.Receive("ULIST", Wire("100000|@Bob|0|40|100007|Averyveryverylongnic|1|"));
  EXPECT_EQ(h.view.panel.admin, "Bob");
  ASSERT_EQ(h.view.users.size(), 2u);
  EXPECT_EQ(h.view.users[0].nickname, "Bob");
  EXPECT_EQ(h.view.users[0].points, "40");
  EXPECT_TRUE(h.view.users[0].bold);
  EXPECT_EQ(h.view.users[1].points, "0");
  EXPECT_FALSE(h.view.users[1].bold);
  const int pads = h.view.pads_cleared;
  h.Receive("ULISTEND", "");
  EXPECT_EQ(h.view.pads_cleared, pads + 1);  // the practice drawing goes
  EXPECT_EQ(h.view.last().sender, "Server");
  EXPECT_EQ(h.view.last().text, "MOTD - Welcome all");
  EXPECT_EQ(h.view.last().colour, kMagenta);
  EXPECT_TRUE(h.view.controls.disconnect);
  EXPECT_TRUE(h.view.controls.user_information);
  EXPECT_FALSE(h.view.controls.administrate);  // somebody else was here first
  EXPECT_FALSE(h.view.controls.load_image);
  EXPECT_GT(h.view.focus_requests, 0);
}

TEST(Login, ARefusedNicknameIsAskedForAgainWithTheReasonAndTheLoginFollows) {
  const std::string used =
      "The nickname \"Me\" is already used in this room; please choose another.";
  const std::string reserved = "The nickname \"Me\" is reserved; please choose another.";
  const struct {
    const char* name;
    std::string write;  // what the room sends after the client's USER
    std::string reason;
  } cases[] = {
      {"NICKREFUSED, then the notice for older clients",
       protocol::Frame("NICKREFUSED", used) + protocol::Frame("NOTICE", used), used},
      {"an older room's notice", protocol::Frame("NOTICE", used), used},
      {"an older room's notice after the password",
       protocol::Frame("USEROK", Wire("100007|")) + protocol::Frame("NOTICE", reserved), reserved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientHarness h("[Player Information]\nNickname=Me\n");
    h.Connect();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.session.OnData(c.write);
    EXPECT_EQ(h.connection.state, SocketState::kClosed);
    EXPECT_THAT(h.view.nickname_asks, ElementsAre(c.reason));
    EXPECT_EQ(std::count_if(h.view.lines.begin(), h.view.lines.end(),
                            [&c](const ChatLine& line) { return line.text == c.reason; }),
              1);
    EXPECT_EQ(h.view.panel.status, "Choose another nickname to join room.example");
    Profile profile = h.session.profile();
    profile.Nickname = "Me2";
    h.session.SetProfile(profile);
    ASSERT_EQ(h.connection.connects, 2);
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Sent();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    EXPECT_THAT(h.Sent()[0].data, testing::StartsWith(Wire("Me2|")));
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
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PASS", "<none>")));

  h.session.AgreementRefused();
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("DISAGREE", "-")));
  h.clock.Advance(249);
  EXPECT_THAT(h.Sent(), IsEmpty());
  h.clock.Advance(1);
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("NOP", "-")));
}

TEST(Login, BannedAndOldVersionEndTheConnection) {
  ClientHarness h;
  h.Connect();
  h.Receive("BANNED", "-");
  EXPECT_EQ(h.view.last().sender, "Server");
  EXPECT_EQ(h.view.last().text,
            "You have been banned from this server. You are not permitted to join it.");
  EXPECT_EQ(h.view.last().colour, Rgb(255, 0, 32));
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
  EXPECT_TRUE(h.view.controls.connect);

  h.Connect();
  h.Receive("OLDVERSION", "99385");
  EXPECT_EQ(h.view.last().text.rfind("Sorry, but you are using an old version of the Scrawlbox "
                                     "client. You will need ",
                                     0),
            0u);
  EXPECT_EQ(h.view.last().colour, Rgb(160, 50, 30));
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
}

TEST(Login, SocketErrorsAreExplained) {
  ClientHarness h;
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  h.session.OnError({SocketErrorKind::kHostNotFound, 2, "unknown"});
  h.session.OnError({SocketErrorKind::kOther, 10060, "Timed out"});
  EXPECT_THAT(
      h.view.TakeTexts(),
      ElementsAre("There doesn't appear to be a Scrawlbox server running on the remote "
                  "machine. If it is a valid Scrawlbox server, then please try again later.",
                  "The specified server cannot be found. The server machine may be "
                  "offline or the address is incorrect.",
                  "Socket Error [10060] - Timed out."));
  EXPECT_TRUE(h.view.controls.drawing);
}

TEST(Login, AServerThatClosesMidLoginLeavesACleanDisconnectedState) {
  ClientHarness h;
  h.Connect();
  h.Receive("SCRAWLBOX_S3RV3R", "100");
  h.Receive("USEROK", Wire("100001|"));
  h.session.OnClosed();
  EXPECT_EQ(h.view.last().text, "Disconnected from server.");
  EXPECT_EQ(h.session.OwnUserId(), 0);
  EXPECT_TRUE(h.view.controls.connect);
  EXPECT_FALSE(h.view.controls.disconnect);
  EXPECT_EQ(h.view.panel.room_name, "-");
  EXPECT_EQ(h.view.panel.time, "--:--");
  EXPECT_TRUE(h.view.controls.drawing);  // practice while disconnected
}

TEST(Login, AMessageThatNeverEndsDisconnects) {
  ClientHarness h;
  h.LogIn();
  h.session.OnData(std::string(70000, 'x'));
  EXPECT_EQ(h.view.last().text, "Disconnected from server.");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
}

TEST(Login, ABlankOrDefaultNicknameAsksForAProfileFirst) {
  ClientHarness h;
  EXPECT_TRUE(h.session.NeedsProfile());  // a fresh Client.ini
  Profile profile = h.session.profile();
  profile.Nickname = "   ";
  h.session.SetProfile(profile);
  EXPECT_TRUE(h.session.NeedsProfile());
  profile.Nickname = " Bo ";
  h.session.SetProfile(profile);
  EXPECT_FALSE(h.session.NeedsProfile());
}

TEST(UserList, LaterBatchesAddAndANewLoginReplaces) {
  ClientHarness h;
  h.Connect();
  h.Receive("PASSOK", Wire("|R|-|1|10"));
  h.Receive("ULIST", Wire("1|a|0|0|2|b|0|0"));
  h.Receive("ULIST", Wire("3|c|0|0"));
  EXPECT_THAT(Ids(h.view.users), ElementsAre(1, 2, 3));
  h.Receive("PASSOK", Wire("|R|-|1|10"));
  h.Receive("ULIST", Wire("7|x|0|0|8|y|0|0"));
  EXPECT_THAT(Ids(h.view.users), ElementsAre(7, 8));
}

TEST(UserList, AloneInTheRoomTheClientClaimsTheAdminRole) {
  ClientHarness h("[Player Information]\nNickname=Solo\n");
  h.Connect();
  h.Receive("USEROK", Wire("100003|"));
  h.Receive("PASSOK", Wire("|R|-|1|10"));
  h.Sent();
  h.Receive("ULIST", Wire("100003|Solo|0|0"));
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("ADMIN", "Solo")));
  EXPECT_EQ(h.view.panel.admin, "Solo");
  EXPECT_EQ(h.view.last().colour, kRed);
  EXPECT_TRUE(h.view.controls.auto_skip);
  h.Receive("ULISTEND", "");
  EXPECT_TRUE(h.view.controls.administrate);
}

TEST(UserList, TheAdminRoleFollowsWhatTheRoomSays) {
  ClientHarness h;
  h.LogIn(100005, {"@ann", "ben"});
  EXPECT_EQ(h.view.panel.admin, "ann");
  EXPECT_FALSE(h.view.controls.start.enabled);
  h.Receive("GAMEISBEINGSETUP", "-");
  EXPECT_EQ(h.view.panel.status, "ann is setting up a game");
  h.Receive("SETUPCANCELLED", "-");
  EXPECT_EQ(h.view.panel.status, "Waiting for ann to start a game");
  h.StartGame(100001);
  // An older room names nobody when its admin leaves.
  h.Receive("PART", Wire("100000|bye"));
  EXPECT_EQ(h.view.panel.admin, "-");
  // The role comes to this player during the game, which the admin may start over.
  h.Receive("ADMIN", Wire("100005|un-named"));
  EXPECT_EQ(h.view.last().text, "un-named has been made into an admin.");
  EXPECT_EQ(h.view.panel.admin, "un-named");
  EXPECT_EQ(h.view.controls.start.action, StartAction::kSetupGame);
  EXPECT_TRUE(h.view.controls.start.enabled);
  EXPECT_TRUE(h.view.controls.administrate);
  h.Receive("ADMIN", Wire("100001|ben"));
  EXPECT_EQ(h.view.panel.admin, "ben");
  EXPECT_FALSE(h.view.controls.start.enabled);
  EXPECT_FALSE(h.view.controls.administrate);
}

TEST(UserList, JoinAndPartDriveTheStartButtonAndPracticeMode) {
  ClientHarness h;
  h.LogIn(100005);
  h.Receive("JOIN", Wire("100009|Newcomer|1"));
  EXPECT_EQ(h.view.last().text, "** Newcomer has joined the room!");
  EXPECT_EQ(h.view.last().colour, kBlue);
  EXPECT_TRUE(h.view.controls.start.enabled);
  EXPECT_EQ(h.view.controls.start.colour, kGreen);
  EXPECT_FALSE(h.view.users.back().bold);
  EXPECT_THAT(h.view.sounds, ElementsAre("join.wav"));
  EXPECT_TRUE(h.session.CanSendDrawing());

  h.Receive("PART", Wire("100009|bye"));
  EXPECT_EQ(h.view.last().sender, "Server");
  EXPECT_EQ(h.view.last().text, "Newcomer has left (bye).");
  EXPECT_FALSE(h.view.controls.start.enabled);
  EXPECT_EQ(h.view.panel.time, "--:--");
  EXPECT_TRUE(h.view.controls.drawing);
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("ADMIN", "un-named")));
  EXPECT_FALSE(h.session.CanSendDrawing());
}

TEST(UserList, JoinAndLeaveLinesFollowTheOptions) {
  ClientHarness h(
      "[Interface]\nShow Join Messages=0\nShow Leave Messages=0\n"
      "[Sounds]\nEvent - Join=0\n");
  h.LogIn(100005, {"other"});
  h.Receive("JOIN", Wire("100009|Quiet|0"));
  h.Receive("PART", Wire("100009|bye"));
  EXPECT_THAT(h.view.TakeTexts(), IsEmpty());
  EXPECT_THAT(h.view.sounds, IsEmpty());
}

TEST(Messages, ChatActionsAndNoticesTakeTheirForms) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Receive("SAY", Wire("100000|hi <b>all</b>"));
  EXPECT_EQ(h.view.last().sender, "ann");
  EXPECT_EQ(h.view.last().text, "hi <b>all</b>");
  EXPECT_FALSE(h.view.last().plain);
  h.Receive("USERACTION", Wire("100000|waves"));
  EXPECT_EQ(h.view.last().text, " * ann waves");
  EXPECT_TRUE(h.view.last().plain);
  h.Receive("NOTICE", "Heads up");
  EXPECT_EQ(h.view.last().colour, kRed);
  h.Receive("SERVERMSG", "from the operator");
  EXPECT_EQ(h.view.last().sender, "ADMIN");
  h.Receive("KICKINFO", Wire("100000|100005|spam"));
  EXPECT_EQ(h.view.last().text, "ann has kicked un-named: spam");
  h.Receive("ADMIN", Wire("100000|ann"));
  EXPECT_EQ(h.view.panel.admin, "ann");
  h.Receive("NICKCHG", Wire("100000|anna"));
  EXPECT_EQ(h.view.last().text, " ** ann is now known as anna.");
  EXPECT_EQ(h.view.panel.admin, "anna");
  h.Receive("AWAY", Wire("100000|1"));
  EXPECT_FALSE(h.view.users[0].bold);
  h.Receive("PING", "-");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PONG", "-")));
  h.Receive("USERINFO", Wire("anna|30|Female|Rome|-|ciao"));
  EXPECT_EQ(h.view.user_info.location, "Rome");
}

TEST(Messages, ShortDataUnknownIdsAndUnknownCommandsChangeNothingElse) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  const auto users = h.view.users;
  h.Receive("SAY", "");
  EXPECT_EQ(h.view.last().sender, "");
  h.Receive("PART", "424242");
  h.Receive("POINTSCHG", Wire("424242|99"));
  h.Receive("WORDFOUND", "");
  h.Receive("ULIST", "");
  h.Receive("JOIN", "");
  h.Receive("TOTALROUNDS", "many");
  h.Receive("WHATEVER", "data");
  h.session.OnData("no separator at all\x01");
  EXPECT_EQ(h.view.users.size(), users.size() + 1);  // the id-0 JOIN and ULIST entry
  EXPECT_EQ(h.connection.state, SocketState::kConnected);
}

TEST(Messages, TheGameUpdatesThePanelAndTheList) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.Receive("SETGAMETIMER", "90000");
  EXPECT_EQ(h.view.panel.time, "01:30");
  h.Receive("TOTALROUNDS", "5");
  h.Receive("START_GAME", Wire("animals^food"));
  EXPECT_THAT(h.view.TakeTexts(),
              ElementsAre("", " -- The game is now starting! --", "Wordlists: animals, food."));
  EXPECT_EQ(h.view.panel.rounds, "1 of 5");
  const int tools = h.view.tool_resets;
  h.Receive("NEWARTIST", "100005");
  EXPECT_GT(h.view.tool_resets, tools);
  EXPECT_EQ(h.view.last().text, "A new artist has been selected to draw: un-named");
  EXPECT_EQ(h.view.controls.start.action, StartAction::kSkipWord);
  EXPECT_EQ(h.view.controls.start.colour, kRed);
  EXPECT_EQ(h.view.controls.hint.action, HintAction::kGiveHint);
  EXPECT_TRUE(h.view.controls.drawing);
  EXPECT_EQ(h.view.users[2].colour, kArtistGreen);
  h.Receive("NEWWORD", "fish,chips#peas");
  EXPECT_EQ(h.view.panel.word, "fish, chips, peas");
  h.Receive("HINT", Wire("[4 letters]|The artist has given a hint! The word has 4 letters."));
  EXPECT_EQ(h.view.panel.word, "fish, chips, peas");  // the artist keeps the word
  h.Receive("WORDFOUND", Wire("1|100000"));
  EXPECT_EQ(h.view.users[0].colour, kFinderRed);
  h.Receive("POINTSCHG", Wire("100000|220"));
  EXPECT_EQ(h.view.users[0].points, "220");
  h.Receive("ENDOFROUND", "car,automobile");
  EXPECT_EQ(h.view.last().text, "The round is over! The word was: car");
  EXPECT_EQ(h.view.users[0].colour, kBlack);
  h.Receive("WINNER", "100000");
  EXPECT_THAT(h.view.winners, ElementsAre("ann"));
  EXPECT_EQ(h.view.panel.rounds, "-");
  EXPECT_EQ(h.view.controls.start.action, StartAction::kSetupGame);
}

TEST(Messages, TheEndOfTheGameTakesTheArtistAndTheFindersOffTheList) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.StartGame(100005);
  h.Receive("NEWWORD", "fish");
  // The last round ends with everyone finding the word: the list keeps the markers until the
  // game is over.
  h.Receive("WORDFOUND", Wire("1|100000"));
  h.Receive("WORDFOUND", Wire("2|100001"));
  h.Receive("STOPGAMETIMER", "-");
  EXPECT_EQ(h.view.panel.time, "--:--");
  EXPECT_EQ(h.view.users[0].colour, kFinderRed);
  EXPECT_TRUE(h.view.users[2].artist);
  h.Receive("WINNER", "100000");
  for (const UserEntry& user : h.view.users) {
    SCOPED_TRACE(user.nickname);
    EXPECT_EQ(user.colour, kBlack);
    EXPECT_FALSE(user.artist);
    EXPECT_FALSE(user.found_word);
  }
  EXPECT_EQ(h.view.controls.hint.action, HintAction::kWarnArtist);
  EXPECT_FALSE(h.view.controls.hint.enabled);
  EXPECT_EQ(h.view.controls.start.action, StartAction::kSetupGame);
}

TEST(Messages, ALateJoinerFollowsTheRunningGameToASkippedWordAndANewRound) {
  ClientHarness h;
  h.LogIn(100005, {"ann", "ben"});
  h.Receive("GAMERUNNING", Wire("100000|_ _ _"));
  EXPECT_EQ(h.view.users[0].colour, kArtistGreen);
  EXPECT_EQ(h.view.panel.word, "_ _ _");
  EXPECT_FALSE(h.view.controls.drawing);
  h.Receive("TOTALROUNDS", "3");
  h.Receive("WORDCLOSE", "cab");
  EXPECT_EQ(h.view.last().text, "cab is close to the word!");
  h.Receive("WORDSKIPPED", "cat,kitten");
  EXPECT_EQ(h.view.last().text, "ann has skipped the word: cat");
  EXPECT_EQ(h.view.users[0].colour, kBlack);
  EXPECT_EQ(h.view.panel.time, "--:--");
  h.Receive("NEWROUND", "2");
  EXPECT_EQ(h.view.last().text, "A new round is starting!");
  EXPECT_EQ(h.view.panel.rounds, "2 of 3");
  EXPECT_EQ(h.view.panel.word, "");
  h.Receive("NEWARTIST", "100005");
  EXPECT_TRUE(h.view.controls.hint.enabled);
  h.Receive("NOMOREHINTS", "-");
  EXPECT_FALSE(h.view.controls.hint.enabled);
}

TEST(Messages, AGuesserSeesHintsAndTheClockCountsDown) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.Receive("NEWARTIST", "100000");
  EXPECT_EQ(h.view.controls.hint.action, HintAction::kWarnArtist);
  EXPECT_FALSE(h.view.controls.drawing);
  h.Receive("HINT", Wire("ca|The artist has given a third hint! The word starts with: ca"));
  EXPECT_EQ(h.view.panel.word, "ca");
  h.Receive("STARTGAMETIMER", "6000");
  h.clock.Advance(1000);
  EXPECT_EQ(h.view.panel.time_colour, Rgb(32, 0, 0));  // red from five seconds left
  h.clock.Advance(2000);
  EXPECT_EQ(h.view.panel.time, "00:03");
  EXPECT_EQ(h.view.panel.time_colour, Rgb(100, 0, 0));
  h.clock.Advance(3000);
  EXPECT_EQ(h.view.panel.time, "00:00");
  EXPECT_EQ(h.view.panel.time_colour, kBlack);
  h.clock.Advance(5000);
  EXPECT_EQ(h.view.panel.time, "00:00");
  h.Receive("SETGAMETIMER", "59999");
  EXPECT_EQ(h.view.panel.time, "00:59");
  // The next round runs from the round time again, though the last one ran out.
  h.Receive("ENDOFROUND", "cat");
  h.Receive("SETGAMETIMER", "90000");
  h.Receive("NEWROUND", "2");
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
  EXPECT_THAT(h.Sent(), IsEmpty());

  h.Receive("NEWARTIST", "100005");
  h.session.HintButtonPressed();
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("GIVEHINT", "-")));
  h.session.StartButtonPressed();
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("SKIPWORD", "-")));
  EXPECT_FALSE(h.view.controls.start.enabled);
  EXPECT_FALSE(h.view.controls.hint.enabled);
  EXPECT_EQ(h.view.game_setups_opened, 1);
}

TEST(Messages, KickAndServerQuitEndTheConnection) {
  ClientHarness h;
  h.LogIn();
  h.Receive("KICKOP", "spamming");
  EXPECT_EQ(h.view.last().text,
            "You have been kicked from the server by the operator for the "
            "following reason: spamming");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("NOP", "NOP")));
  EXPECT_EQ(h.connection.leaves, 1);  // the NOP goes out before the close
  EXPECT_TRUE(h.view.controls.connect);

  // A ban is said by the room's notice; the KICKOP after it does not call it a kick.
  h.LogIn();
  h.Receive("NOTICE", "You have been banned from this room by the operator: rude");
  h.Receive("KICKOP", "rude");
  EXPECT_EQ(h.view.last().text, "You have been banned from this room by the operator: rude");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);

  h.LogIn();
  h.Receive("SERVERQUIT", "The server has been shutdown.");
  EXPECT_EQ(h.view.last().sender, "ADMINISTRATOR");
  EXPECT_EQ(h.view.last().text, "Server has quit: The server has been shutdown..");
  EXPECT_EQ(h.connection.state, SocketState::kClosed);
}

TEST(Messages, DrawingCodesGoToThePad) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  h.session.OnData(
      Wire("FH\x02"
           "100000|1|2|3|4\x01"
           "CL\x02-\x01"));
  ASSERT_EQ(h.view.drawings.size(), 2u);
  EXPECT_EQ(h.view.drawings[0].code, protocol::DrawCode::FH);
  EXPECT_EQ(h.view.drawings[0].fields[3], 4);
  EXPECT_EQ(h.view.drawings[1].code, protocol::DrawCode::CL);
}

TEST(GameSetup, NumbersAreHeldWithinTheirLimitsAndTheTimesSentInMilliseconds) {
  ClientHarness h;
  h.LogIn(100005, {"ann"});
  GameSetup setup;
  setup.room_name = "Den";
  EXPECT_FALSE(h.session.StartGame(setup));  // no word list chosen
  EXPECT_THAT(h.Sent(), IsEmpty());

  setup.word_lists = {"animals", "food"};
  EXPECT_TRUE(h.session.StartGame(setup));
  setup.player_limit = 41;
  setup.total_rounds = 4;
  setup.seconds_per_round = 901;
  setup.grace_seconds = 4;
  h.session.StartGame(setup);
  setup.player_limit = -1;
  setup.total_rounds = 101;
  setup.seconds_per_round = 9;
  setup.grace_seconds = 901;
  h.session.StartGame(setup);
  // Room name, description, the four numbers, then each list behind code 4.
  auto sent = [](std::vector<std::string> fields) {
    fields.insert(fields.begin(), {"Den", "nodesc"});
    fields.push_back(Wire("^animals^food"));
    return Msg("STARTGAME", protocol::JoinFields(fields));
  };
  EXPECT_THAT(h.Sent(),
              ElementsAre(sent({"0", "10", "60000", "30000"}), sent({"40", "5", "900000", "5000"}),
                          sent({"0", "100", "10000", "900000"})));
}

TEST(Sending, DrawingIsSentOnlyToAnotherPlayer) {
  ClientHarness h;
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));
  h.LogIn();
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));
  EXPECT_THAT(h.Sent(), IsEmpty());
  h.Receive("JOIN", Wire("100009|Friend|0"));
  h.session.SendDrawCommand("FH", Wire("1|2|3|4"));
  EXPECT_THAT(h.SentCommands(), ElementsAre("FH"));
}

TEST(Sending, AutoSkipBoxIsSentAndShown) {
  ClientHarness h;
  h.session.SetAutoSkip(true);
  EXPECT_THAT(h.Sent(), IsEmpty());  // nothing while not in a room
  h.Connect();
  h.Receive("SCRAWLBOX_S3RV3R", "100");
  EXPECT_EQ(protocol::SplitFields(h.Sent()[1].data)[1], "1");
  h.LogIn(100005, {"ann"});
  h.session.SetAutoSkip(false);
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("AWAY", "0")));
  EXPECT_TRUE(h.view.users.back().bold);
}

}  // namespace
}  // namespace client
