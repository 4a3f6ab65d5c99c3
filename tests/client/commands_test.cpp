// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/room/nickname_filter.h"
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

TEST(ChatInput, TheSameTextGoesOutThreeTimesInARowAtMost) {
  ClientHarness h;
  h.LogIn();
  for (int i = 0; i < 5; ++i) h.session.EnterChatLine("gg");
  h.session.EnterChatLine("other");
  h.session.EnterChatLine("gg");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("SAY", "gg"), Msg("SAY", "gg"), Msg("SAY", "gg"),
                                    Msg("SAY", "other"), Msg("SAY", "gg")));
  EXPECT_THAT(h.view.TakeTexts(),
              ElementsAre("You cannot send the same text more than 3 times in a row.",
                          "You cannot send the same text more than 3 times in a row."));
}

TEST(ChatInput, LongLinesAreCutAndNothingGoesOutWhileDisconnected) {
  ClientHarness h;
  h.session.EnterChatLine("hello?");
  EXPECT_EQ(h.view.last().text, "Cannot send, not connected to a server.");
  h.LogIn();
  h.session.EnterChatLine(std::string(600, 'a'));
  EXPECT_EQ(h.Sent()[0].data.size(), 512u);
}

// Found by fuzzing: a kick reason holding byte 1 ended the KICK message early and went on as a
// message of its own; bytes 3 and 4 in typed text would add fields.
TEST(ChatInput, ControlCharactersThePlayerTypesNeverSplitAMessage) {
  ClientHarness h;
  h.LogIn(100005, {"Ann"});
  h.session.EnterChatLine("hi\x01SAY\x02gotcha\x01");
  h.session.EnterChatLine(Wire("/me waves|^"));
  h.session.KickUser(100000, "rude\x01KICK\x02");
  h.session.KickUser(100000, "\x01\x02");
  h.session.LeaveRoom("bye\x01PART\x02");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("SAY", "hiSAYgotcha"), Msg("USERACTION", "waves"),
                                    Msg("KICK", Wire("100000|rudeKICK")), Msg("PART", "byePART")));
}

TEST(Commands, ConnectTakesAHostAndPortAndSaysWhatIsWrong) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  h.session.EnterChatLine("/connect");
  EXPECT_EQ(h.view.last().text, "Syntax is /Connect <server>[:<port>].");
  h.session.EnterChatLine("/connect 10.0.0.5:99999");
  EXPECT_EQ(h.view.last().text,
            "Cannot connect to \"10.0.0.5:99999\": the port must be a number from 1 to 65535.");
  EXPECT_EQ(h.connection.connects, 0);
  h.session.EnterChatLine("/Connect [::1]:2021");
  EXPECT_EQ(h.view.last().text, "Connecting to server [::1]:2021 ...");
  EXPECT_EQ(h.connection.host, "::1");
  EXPECT_EQ(h.connection.port, 2021);
  // No port: the default one, not the one used last.
  h.session.EnterChatLine("/Connect 10.0.0.5");
  EXPECT_EQ(h.view.last().text, "Connecting to server 10.0.0.5 ...");
  EXPECT_EQ(h.connection.port, 2020);
  EXPECT_EQ(h.connection.connects, 2);
}

TEST(Commands, ARoomJoinedByItsAddressGoesIntoRecentOnceItLetsThePlayerIn) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  h.session.JoinRoom("gone.example");
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  EXPECT_TRUE(h.settings.History().empty());

  for (int login = 0; login < 2; ++login) {
    h.session.JoinRoom("den.example:2021");
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Receive("SCRAWLBOX_S3RV3R", "100");
    h.Receive("USEROK", Wire("100001|"));
    h.Receive("PASSOK", Wire("|The Den|-|0|0"));
  }
  EXPECT_THAT(h.settings.History(), ElementsAre(ServerEntry{"den.example:2021", "The Den", ""}));
  // The browser remembers its own rooms under the names in its boxes.
  h.session.ConnectFromBrowser({"other.example", 2020});
  h.connection.state = SocketState::kConnected;
  h.session.OnConnected();
  h.Receive("USEROK", Wire("100001|"));
  h.Receive("PASSOK", Wire("|Other|-|0|0"));
  EXPECT_EQ(h.settings.History().size(), 1u);

  // A room the browser put in Recent (with its description), or a favourite, under another
  // spelling of its address, is not listed a second time.
  h.settings.AddToHistory(ServerEntry{"10.0.0.9:2021", "Nine", "with a description"});
  h.settings.AddToFavourites(ServerEntry{"fav.example", "Fav", "kept"});
  for (const char* address : {"10.0.0.9:2021", "fav.example:2020"}) {
    h.session.JoinRoom(address);
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Receive("USEROK", Wire("100001|"));
    h.Receive("PASSOK", Wire("|Nine|-|0|0"));
  }
  EXPECT_EQ(h.settings.History().size(), 2u);
}

TEST(Commands, WithoutANicknameTheRoomWaitsUntilTheProfileIsSaved) {
  ClientHarness unnamed;
  unnamed.session.EnterChatLine("/connect 10.0.0.5:2021");
  EXPECT_THAT(unnamed.view.nickname_asks, ElementsAre(""));
  EXPECT_EQ(unnamed.view.panel.status, "Choose a nickname to join 10.0.0.5:2021");
  EXPECT_EQ(unnamed.view.reserved_boxes, 0);
  EXPECT_EQ(unnamed.connection.connects, 0);
  Profile profile = unnamed.session.profile();
  unnamed.session.SetProfile(profile);  // still the default name
  EXPECT_EQ(unnamed.connection.connects, 0);
  profile.Nickname = "Zed";
  unnamed.session.SetProfile(profile);
  EXPECT_EQ(unnamed.connection.connects, 1);
  EXPECT_EQ(unnamed.connection.host, "10.0.0.5");
  EXPECT_EQ(unnamed.connection.port, 2021);
  unnamed.session.SetProfile(profile);  // nothing is pending any more
  EXPECT_EQ(unnamed.connection.connects, 1);

  ClientHarness closed;
  closed.session.JoinRoom("10.0.0.5");
  closed.session.DropPendingRoom();
  EXPECT_THAT(closed.view.panel.status, testing::StartsWith("Not connected"));
  closed.session.SetProfile(profile);
  EXPECT_EQ(closed.connection.connects, 0);

  ClientHarness reserved("[Player Information]\nNickname=SuperAdmin\n");
  reserved.session.EnterChatLine("/connect 10.0.0.5");
  EXPECT_EQ(reserved.view.reserved_boxes, 1);
  EXPECT_FALSE(reserved.view.reserved_box_in_profile);
  EXPECT_THAT(reserved.view.nickname_asks, IsEmpty());
  EXPECT_EQ(reserved.connection.connects, 0);
}

TEST(Commands, DisconnectSendsOnlyTheFirstWordOfTheReason) {
  ClientHarness h;
  h.session.EnterChatLine("/disconnect");
  EXPECT_EQ(h.view.last().text, "You are already disconnected.");
  h.LogIn();
  h.session.EnterChatLine("/disconnect see you");
  h.session.EnterChatLine("/DISCONNECT");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PART", "see"), Msg("PART", "Quitting")));
}

TEST(Commands, NickChecksTheFilterAndKeepsTheAt) {
  ClientHarness h;
  h.LogIn();
  h.session.EnterChatLine("/nick SuperAdmin");
  EXPECT_EQ(h.view.last().text, "Sorry, but you cannot use this nickname. Please choose another.");
  h.session.EnterChatLine("/nick");
  EXPECT_EQ(h.view.last().text, "Syntax is /NICK your_new_nickname. No spaces.");
  h.session.EnterChatLine("/nick @Bob");
  EXPECT_EQ(h.view.last().text, "Your nickname has now been changed to @Bob.");
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("NICKCHG", "@Bob")));
  EXPECT_EQ(h.view.panel.admin, "@Bob");                                   // alone, so the admin
  EXPECT_EQ(h.ini.INIRead("Player Information", "Nickname", ""), "@Bob");  // kept at once
}

TEST(Commands, MeShowsTheActionLocallyAndSendsIt) {
  ClientHarness h("[Player Information]\nNickname=Kim\n");
  h.LogIn();
  h.session.EnterChatLine("/me waves hello");
  EXPECT_EQ(h.view.last().text, " * Kim waves hello");
  EXPECT_EQ(h.view.last().sender, "System");
  EXPECT_EQ(h.view.last().colour, kBlue);
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("USERACTION", "waves hello")));
  h.session.EnterChatLine("/me");
  EXPECT_EQ(h.view.last().text, "Syntax is /ME <action>.");
}

TEST(Commands, HelpClearDebugQuitAndUnknown) {
  ClientHarness h;
  h.session.EnterChatLine("/HeLp");
  EXPECT_EQ(h.view.lines.size(), 9u);
  EXPECT_EQ(h.view.lines[0].text, "Currently implemented commands:");
  h.session.EnterChatLine("/");
  EXPECT_EQ(h.view.lines.size(), 18u);
  h.session.EnterChatLine("/cls");
  EXPECT_THAT(h.view.lines, IsEmpty());
  h.session.EnterChatLine("/part");
  EXPECT_EQ(h.view.last().text, "Unknown command - type /help for command list.");
  h.view.lines.clear();
  h.view.floating = true;
  h.session.EnterChatLine("/debug");
  EXPECT_THAT(
      h.view.TakeTexts(),
      ElementsAre("-- DEBUG INFORMATION --", "Generic Quit Message\t = [000] False",
                  "ChatBar\t\t = True", "Server MOTD Length\t = [000]", "Connected Status\t = 0"));
  h.LogIn();
  h.session.EnterChatLine("/quit");
  EXPECT_TRUE(h.view.closed);
  // The window leaves the room as it closes, with the reason /quit gave.
  h.session.LeaveRoom(h.session.quit_reason());
  EXPECT_THAT(h.Sent(), ElementsAre(Msg("PART", "Quitting (via CLI).")));
}

TEST(Nicknames, ReservedEntriesMatchAnywhereIgnoringCase) {
  EXPECT_TRUE(IsNicknameRejected("un-named"));
  EXPECT_TRUE(IsNicknameRejected("SuperAdmin"));
  EXPECT_TRUE(IsNicknameRejected("The ScrawlBox Team"));
  EXPECT_TRUE(IsNicknameRejected("tab\there"));
  EXPECT_TRUE(IsNicknameRejected(Wire("x|y")));
  EXPECT_FALSE(IsNicknameRejected("@Bob"));
  EXPECT_FALSE(IsNicknameRejected("Painter"));
  EXPECT_FALSE(IsNicknameRejected(""));
}

}  // namespace
}  // namespace client
