// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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
  h.Play(
      "=> sent: SAY gg, SAY gg, SAY gg, SAY other, SAY gg => said: You cannot send the same text "
      "more than 3 times in a row. / You cannot send the same text more than 3 times in a row.");
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
  EXPECT_EQ(h.SentLine(), "SAY hiSAYgotcha, USERACTION waves, KICK 100000|rudeKICK, PART byePART");
}

TEST(Commands, ConnectTakesAHostAndPortAndSaysWhatIsWrong) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  const struct {
    const char* typed;
    const char* said;
    const char* to;  // host:port and the number of connections so far
  } cases[] = {
      {"/connect", "Syntax is /Connect <server>[:<port>].", ":0 0"},
      {"/connect 10.0.0.5:99999",
       "Cannot connect to \"10.0.0.5:99999\": the port must be a number from 1 to 65535.", ":0 0"},
      {"/Connect [::1]:2021", "Connecting to server [::1]:2021 ...", "::1:2021 1"},
      // No port: the default one, not the one used last.
      {"/Connect 10.0.0.5", "Connecting to server 10.0.0.5 ...", "10.0.0.5:2020 2"},
  };
  for (const auto& c : cases) {
    h.session.EnterChatLine(c.typed);
    EXPECT_EQ(h.view.last().text, c.said);
    EXPECT_EQ(h.connection.host + ":" + std::to_string(h.connection.port) + " " +
                  std::to_string(h.connection.connects),
              c.to);
  }
}

TEST(Commands, ARoomJoinedByItsAddressGoesIntoRecentOnceItLetsThePlayerIn) {
  ClientHarness h("[Player Information]\nNickname=Painter\n");
  h.session.JoinRoom("gone.example");
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  EXPECT_TRUE(h.settings.History().empty());
  auto let_in = [&h](const char* room_name) {
    h.connection.state = SocketState::kConnected;
    h.session.OnConnected();
    h.Play(std::string("USEROK 100001|\nPASSOK |") + room_name + "|-|0|0");
  };
  for (int login = 0; login < 2; ++login) {
    h.session.JoinRoom("den.example:2021");
    let_in("The Den");
  }
  EXPECT_THAT(h.settings.History(), ElementsAre(ServerEntry{"den.example:2021", "The Den", ""}));
  // The browser remembers its own rooms under the names in its boxes.
  h.session.ConnectFromBrowser({"other.example", 2020});
  let_in("Other");
  EXPECT_EQ(h.settings.History().size(), 1u);
  // A room the browser put in Recent (with its description), or a favourite, under another
  // spelling of its address, is not listed a second time.
  h.settings.AddToHistory(ServerEntry{"10.0.0.9:2021", "Nine", "with a description"});
  h.settings.AddToFavourites(ServerEntry{"fav.example", "Fav", "kept"});
  for (const char* address : {"10.0.0.9:2021", "fav.example:2020"}) {
    h.session.JoinRoom(address);
    let_in("Nine");
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
  EXPECT_EQ(h.SentLine(), "PART see, PART Quitting");
}

TEST(Commands, NickChecksTheFilterAndKeepsTheAt) {
  ClientHarness h;
  h.LogIn();
  h.session.EnterChatLine("/nick SuperAdmin");
  EXPECT_EQ(h.view.last().text, "Sorry, but you cannot use this nickname. Please choose another.");
  h.session.EnterChatLine("/nick");
  EXPECT_EQ(h.view.last().text, "Syntax is /NICK your_new_nickname. No spaces.");
  h.session.EnterChatLine("/nick @Bob");
  // Alone, so the admin.
  h.Play(
      "=> line: System: Your nickname has now been changed to @Bob. => sent: NICKCHG @Bob => "
      "admin: @Bob");
  EXPECT_EQ(h.ini.INIRead("Player Information", "Nickname", ""), "@Bob");  // kept at once
}

TEST(Commands, MeShowsTheActionLocallyAndSendsIt) {
  ClientHarness h("[Player Information]\nNickname=Kim\n");
  h.LogIn();
  h.session.EnterChatLine("/me waves hello");
  EXPECT_EQ(h.view.last().colour, kBlue);
  h.Play("=> line: System:  * Kim waves hello => sent: USERACTION waves hello");
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
  EXPECT_EQ(h.Look("said"),
            "-- DEBUG INFORMATION -- / Generic Quit Message\t = [000] False / ChatBar\t\t = True / "
            "Server MOTD Length\t = [000] / Connected Status\t = 0");
  h.LogIn();
  h.session.EnterChatLine("/quit");
  EXPECT_TRUE(h.view.closed);
  // The window leaves the room as it closes, with the reason /quit gave.
  h.session.LeaveRoom(h.session.quit_reason());
  EXPECT_EQ(h.SentLine(), "PART Quitting (via CLI).");
}

TEST(Nicknames, ReservedEntriesMatchAnywhereIgnoringCase) {
  for (const std::string& name : std::vector<std::string>{
           "un-named", "SuperAdmin", "The ScrawlBox Team", "tab\there", Wire("x|y")}) {
    EXPECT_TRUE(IsNicknameRejected(name)) << name;
  }
  for (const char* name : {"@Bob", "Painter", ""}) EXPECT_FALSE(IsNicknameRejected(name)) << name;
}

}  // namespace
}  // namespace client
