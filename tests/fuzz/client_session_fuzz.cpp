// SPDX-License-Identifier: MIT
#include <algorithm>

#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"

namespace fuzz {

namespace {

// Every word a server sends, so that the fuzzer reaches each handler without guessing its name.
// Kept inputs name them by their place here: new words go at the end.
const std::vector<std::string>& ServerCommands() {
  static const std::vector<std::string> words = protocol::SplitFields(
      "SCRAWLBOX_S3RV3R OLDVERSION BANNED USEROK PASSOK JOIN ULIST ULISTEND GAMERUNNING ADMIN PING "
      "ISALIVE SAY USERACTION AWAY NICKCHG INFOCHG USERINFO KICKINFO PART SERVERQUIT NOP NOTICE "
      "SERVERMSG KICKOP NOOP NOWORDLISTS WORDLIST WORDLISTEND GAMEISBEINGSETUP SETGAMETIMER "
      "TOTALROUNDS START_GAME NEWROUND NEWARTIST NEWWORD STARTGAMETIMER STOPGAMETIMER ENDOFROUND "
      "WORDFOUND WORDCLOSE POINTSCHG HINT NOMOREHINTS WORDSKIPPED WINNER RESETSCORES BADPASS",
      ' ');
  return words;
}

// Ids the messages name: the player's own, the others of the login, and any at all.
std::string UserId(FuzzInput& in) {
  std::string id;
  Choose(
      in, [&] { id = "100005"; }, [&] { id = std::to_string(100000 + in.Pick(4)); },
      [&] { id = std::to_string(static_cast<int32_t>(in.Number32())); }, [&] { id = in.Text(); });
  return id;
}

// Data for a server message: fuzzed text, or fields that lead with a user id.
std::string MessageData(FuzzInput& in) {
  if (in.Flag()) return in.Text();
  std::vector<std::string> fields{UserId(in)};
  for (size_t i = in.Pick(5); i > 0; --i) fields.push_back(in.Flag() ? in.Text() : UserId(in));
  return protocol::JoinFields(fields);
}

// What the session sent is whole messages, each a command the server routes: no player's text
// breaks the framing or makes up a command.
void CheckSent(std::string_view sent) {
  static const std::vector<std::string_view> routed = server::RoomServer::RoutedCommands();
  if (sent.empty()) return;
  FUZZ_CHECK(sent.back() == protocol::kMessageEnd);
  sent.remove_suffix(1);
  for (const std::string& message : protocol::SplitFields(sent, protocol::kMessageEnd)) {
    FUZZ_CHECK(message.find(protocol::kCommandSep) != std::string::npos);
    const std::string_view command = protocol::LeftOf(message, protocol::kCommandSep);
    FUZZ_CHECK(std::find(routed.begin(), routed.end(), command) != routed.end());
  }
}

class Script {
 public:
  explicit Script(FuzzInput& in) : in_(in) {}

  void Run() {
    for (int steps = 0; steps < 400 && !in_.empty(); ++steps) Step();
    h_.clock.Advance(60000);
    h_.session.MenuDisconnect();
    CheckSent(h_.connection.sent);
  }

 private:
  void Player() {
    auto& session = h_.session;
    Choose(
        in_, [&] { session.StartButtonPressed(); }, [&] { session.HintButtonPressed(); },
        [&] { session.SetAutoSkip(in_.Flag()); }, [&] { session.AgreementAccepted(); },
        [&] { session.AgreementRefused(); }, [&] { session.MenuDisconnect(); },
        [&] { session.RequestUserInformation(static_cast<int32_t>(in_.Number32())); },
        [&] {
          const auto id = static_cast<int32_t>(100000 + in_.Pick(8));
          session.KickUser(id, in_.Text());
        },
        [&] {
          client::GameSetup setup;
          setup.room_name = in_.Text();
          setup.total_rounds = static_cast<int32_t>(in_.Number32());
          setup.seconds_per_round = static_cast<int32_t>(in_.Number32());
          setup.grace_seconds = static_cast<int32_t>(in_.Number32());
          for (size_t i = in_.Pick(3); i > 0; --i) setup.word_lists.push_back(in_.Text());
          session.StartGame(setup);
        },
        [&] { session.RequestWordLists(); },
        [&] {  // what the pad sends
          const auto [command, data] = DrawMessage(in_);
          session.SendDrawCommand(command, data);
        },
        [&] {
          client::Profile profile = session.profile();
          profile.Nickname = in_.Text();
          session.SetProfile(profile);
        },
        [&] {  // the update check, answered with fuzzed text or failed
          session.CheckForUpdate(http_);
          if (http_.open.empty()) return;
          if (in_.Flag()) return http_.Answer(in_.Text());
          const int error = in_.Byte();
          http_.Fail(error, in_.Text());
        },
        [&] {  // a room from the browser's boxes, or an address as the player types it
          const std::string host = in_.Text();
          if (in_.Flag()) return session.ConnectFromBrowser({host, in_.Number16()});
          session.JoinRoom(host);
        },
        [&] {
          session.OnError(
              {static_cast<client::SocketErrorKind>(in_.Pick(3)), in_.Byte(), in_.Text()});
        },
        [&] {  // the player's answer to the room's password question
          const std::string password = in_.Text();
          session.RetryWithPassword(password, in_.Flag());
        },
        [&] { session.LeaveRoom(in_.Text()); }, [&] { session.OnClosed(); });
  }

  void Step() {
    Choose(
        in_, [&] { h_.Connect(in_.Text()); },  // the connection opens and the server takes it
        [&] {
          h_.LogIn(100005, {"Ann", in_.Text(), "Bob"});
        },  // others in the room too
        [&] { h_.session.OnData(in_.LongText(2048)); },
        [&] {
          const std::string& command = ServerCommands()[in_.Pick(ServerCommands().size())];
          h_.session.OnData(protocol::Frame(command, MessageData(in_)));
        },
        [&] {  // a drawing code relayed from the artist
          const auto code = static_cast<protocol::DrawCode>(in_.Pick(protocol::kDrawCodeCount));
          h_.session.OnData(protocol::Frame(protocol::DrawCodeWord(code), MessageData(in_)));
        },
        [&] {  // a chat line; "/" lines are commands, some with the name of a command in front
          static constexpr std::string_view kCommands[] = {
              "/nick ", "/me ",   "/connect ", "/disconnect", "/quit",
              "/cls",   "/debug", "/help",     "/",           ""};
          const std::string line(kCommands[in_.Pick(std::size(kCommands))]);
          const std::string text = line + in_.Text();
          if (!text.empty()) h_.session.EnterChatLine(text);
        },
        [&] { h_.session.ExecuteUserCommand(in_.Text()); },
        [&] { h_.clock.Advance(Duration(in_)); }, [&] { Player(); });
    // What was shown is not looked at; keeping it, or what was sent, would only cost memory.
    CheckSent(h_.connection.sent);
    h_.connection.sent.clear();
    h_.view.lines.clear();
  }

  FuzzInput& in_;
  testing_support::ClientHarness h_{"[Player Information]\r\nNickname=Zed\r\n"};
  testing_support::FakeHttpGetter http_;
};

}  // namespace

int FuzzClientSession(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Script(in).Run();
  return 0;
}

}  // namespace fuzz
