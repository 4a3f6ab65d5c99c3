// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/client_fakes.h"

namespace client {
namespace {

using testing::ElementsAre;
using testing_support::ClientHarness;

TEST(Commands, WithoutANicknameTheRoomWaitsEveryCommandDoesWhatItSaysAndRoomsGoIntoRecent) {
  ClientHarness h;  // a fresh Client.ini: the default name, which is also a reserved one
  h.Play("> /create Den => line: System: Connect to a server first: /create makes the room there.");
  h.session.JoinRoom("10.0.0.6");
  h.session.DropPendingRoom();  // the nickname box was closed: the room is forgotten
  EXPECT_THAT(h.view.panel.status, testing::StartsWith("Not connected"));
  h.session.SetProfile({.Nickname = "Zed"});
  h.session.SetProfile({.Nickname = ""});
  h.Play(
      "> /connect 10.0.0.5:2021 => status: Choose a nickname to join 10.0.0.5:2021 => to: :0 #0");
  h.session.SetProfile({.Nickname = "   "});
  EXPECT_EQ(h.Look("to"), ":0 #0");
  h.session.SetProfile({.Nickname = "Zed"});
  h.session.SetProfile({.Nickname = "Zed"});  // nothing is pending any more
  EXPECT_EQ(h.Look("to"), "10.0.0.5:2021 #1");
  // A reserved name gets its box and no connection; the default name got none.
  h.session.SetProfile({.Nickname = "SuperAdmin"});
  h.Play("> /connect 10.0.0.7 => to: 10.0.0.5:2021 #1");
  EXPECT_THAT(h.view.nickname_asks, ElementsAre("", ""));
  EXPECT_THAT(h.view.reserved_boxes, ElementsAre(false));
  // Help, clear, debug, me, nick, disconnect, quit, unknown commands and what typed text becomes.
  // While not connected the admin stays a dash, whatever the nickname becomes.
  h.session.OnClosed();
  h.Play("> /cls\n> /nick Kim => admin: -\n> /HeLp\n> /");  // a slash alone is help too
  EXPECT_EQ(h.view.lines.size(), 29u);
  EXPECT_EQ(h.view.lines[15].text, "Currently implemented commands:");
  h.Play("> /cls => line: ");
  h.view.floating = true;
  h.Play(
      "> /debug => said: -- DEBUG INFORMATION -- / Generic Quit Message\t = [000] False / "
      "ChatBar\t\t = True / Server MOTD Length\t = [000] / Connected Status\t = 0\n"
      "> /part => line: System: Unknown command - type /help for command list.\n"
      "> /disconnect => line: System: You are already disconnected.\n"
      "> /watch => line: System: You are not in a room.\n"
      "> /warn => line: System: There is no artist you can warn now.\n"
      "> hello? => line: System: Cannot send, not connected to a server.");
  h.LogIn();
  h.Play(
      "> /me waves hello => line: System:  * Kim waves hello => colour: 0,0,255\n"
      "=> sent: USERACTION waves hello\n"
      "> /me => line: System: Syntax is /ME <action>.\n"
      // A reserved word anywhere in the name, in any case.
      "> /nick SuperAdmin => line: System: Sorry, but you cannot use this nickname. Please choose "
      "another.\n"
      "> /nick => line: System: Syntax is /NICK your_new_nickname. No spaces.\n"
      // Alone, so the admin.
      "> /nick @Bob => line: System: Your nickname has now been changed to @Bob. => admin: @Bob\n"
      "=> sent: NICKCHG @Bob\n"
      // Only the first word of the reason goes.
      "> /disconnect see you\n> /DISCONNECT => sent: PART see, PART Quitting");
  EXPECT_EQ(h.ini.INIRead("Player Information", "Nickname", ""), "@Bob");  // kept at once
  h.LogIn();
  h.Play("> /quit");
  EXPECT_TRUE(h.view.closed);
  // The window leaves the room as it closes, with the reason /quit gave, and lets it go out first.
  h.session.LeaveRoom(h.session.quit_reason());
  EXPECT_EQ(h.Look("sent") + " " + std::to_string(h.connection.leaves),
            "PART Quitting (via CLI). 1");
  // Lines are cut, repeats held, and control characters never split a message: found by fuzzing,
  // a kick reason holding byte 1 ended the KICK message early and went on as a message of its
  // own; bytes 3 and 4 in typed text would add fields.
  h.LogIn(100005, {"Ann"});
  h.Play(
      "> /votekick ann => sent: VOTEKICK 100000\n"
      "> /votekick Zed\n"
      "> /votekick => said: Nobody in this room is called Zed. / Syntax is /VOTEKICK <nickname>.");
  h.session.EnterChatLine(std::string(600, 'a'));
  EXPECT_EQ(h.Look("sent"), "SAY " + std::string(512, 'a'));
  // The same text goes out three times in a row at most.
  h.Play(
      "> gg\n> gg\n> gg\n> gg\n> gg\n> other\n> gg => sent: SAY gg, SAY gg, SAY gg, SAY other, SAY "
      "gg\n"
      "=> said: You cannot send the same text more than 3 times in a row. / You cannot send the "
      "same text more than 3 times in a row.\n"
      "> hi\x01SAY\x02gotcha\x01\n"
      "> /me waves|^");
  h.session.KickUser(100000, "rude\x01KICK\x02");
  h.session.KickUser(100000, "\x01\x02");
  h.session.LeaveRoom("bye\x01PART\x02");
  EXPECT_EQ(h.Look("sent"),
            "SAY hiSAYgotcha, USERACTION waves, KICK 100000|rudeKICK, PART byePART");
  // /connect says what is wrong, and a room goes into Recent once it lets the player in.
  h.Play(
      "> /connect => line: System: Syntax is /Connect <server>[:<port>]. => to: room.example:2020 "
      "#4\n"
      "> /connect 10.0.0.5:99999 => line: System: Cannot connect to \"10.0.0.5:99999\": the port "
      "must be a number from 1 to 65535. => to: room.example:2020 #4\n"
      "> /Connect [::1]:2021 => line: System: Connecting to server [::1]:2021 ...\n"
      "=> to: ::1:2021 #5 => status: Connecting to [::1]:2021...\n"
      // No port: the default one, not the one used last.
      "> /Connect 10.0.0.5 => line: System: Connecting to server 10.0.0.5 ... => to: 10.0.0.5:2020 "
      "#6");
  h.session.OnError({SocketErrorKind::kRefused, 1, "refused"});
  EXPECT_TRUE(h.settings.History().empty());
  auto join = [&h](const std::string& address, const char* room_name,
                   const std::string& language = "") {
    h.session.JoinRoom(address);
    h.Play(std::string("USEROK 100001|\nPASSOK |") + room_name + "|-|0|0" + language);
  };
  join("den.example:2021", "The Den");
  join("den.example:2021", "The Den");
  EXPECT_THAT(h.settings.History(), ElementsAre(ServerEntry{"den.example:2021", "The Den", ""}));
  // The browser remembers its own rooms under the names in its boxes.
  h.session.ConnectFromBrowser({"other.example", 2020});
  h.Play("USEROK 100001|\nPASSOK |Other|-|0|0");
  // A room the browser put in Recent (with its description), or a favourite, under another
  // spelling of its address, is not listed a second time.
  h.settings.AddToHistory(ServerEntry{"10.0.0.9:2021", "Nine", "with a description"});
  h.settings.AddToFavourites(ServerEntry{"fav.example", "Fav", "kept"});
  join("10.0.0.9:2021", "Nine");
  join("fav.example:2020", "Nine", "|fr");
  EXPECT_EQ(h.settings.History().size(), 2u);
  h.Look("sent");
  // /create makes a private room, named with every word typed, where the player was last, in
  // the language of the room there.
  h.Play(
      "> /create => line: System: Syntax is /CREATE <name>: makes a private room named <name> on "
      "the server you are on, or were on last, in that room's language, and takes you there. File "
      "> Create Room... offers more.\n"
      "> /create My  Den => to: fav.example:2020 #12");
  h.connection.state = SocketState::kConnected;
  h.session.OnConnected();
  EXPECT_EQ(h.Look("sent"), "MAKEROOM My  Den||0|fr, SCRAWLBOX_CL13NT 101000");
}

}  // namespace
}  // namespace client
