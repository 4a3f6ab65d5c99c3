// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"

namespace fuzz {

namespace {

namespace to_client = protocol::to_client;

// Every word a server sends, so that the fuzzer reaches each handler without guessing its name.
constexpr std::string_view kServerCommands[] = {
    to_client::SCRAWLBOX_S3RV3R,
    to_client::OLDVERSION,
    to_client::BANNED,
    to_client::USEROK,
    to_client::PASSOK,
    to_client::JOIN,
    to_client::ULIST,
    to_client::ULISTEND,
    to_client::GAMERUNNING,
    to_client::ADMIN,
    to_client::PING,
    to_client::ISALIVE,
    to_client::SAY,
    to_client::USERACTION,
    to_client::AWAY,
    to_client::NICKCHG,
    to_client::INFOCHG,
    to_client::USERINFO,
    to_client::KICKINFO,
    to_client::PART,
    to_client::SERVERQUIT,
    to_client::NOP,
    to_client::NOTICE,
    to_client::SERVERMSG,
    to_client::KICKOP,
    to_client::NOOP,
    to_client::NOWORDLISTS,
    to_client::WORDLIST,
    to_client::WORDLISTEND,
    to_client::GAMEISBEINGSETUP,
    to_client::SETGAMETIMER,
    to_client::TOTALROUNDS,
    to_client::START_GAME,
    to_client::NEWROUND,
    to_client::NEWARTIST,
    to_client::NEWWORD,
    to_client::STARTGAMETIMER,
    to_client::STOPGAMETIMER,
    to_client::ENDOFROUND,
    to_client::WORDFOUND,
    to_client::WORDCLOSE,
    to_client::POINTSCHG,
    to_client::HINT,
    to_client::NOMOREHINTS,
    to_client::WORDSKIPPED,
    to_client::WINNER,
    to_client::RESETSCORES,
    to_client::BADPASS,
};

// Ids the messages name: the player's own, the others of the login, and any at all.
std::string UserId(FuzzInput& in) {
  switch (in.Pick(4)) {
    case 0:
      return "100005";
    case 1:
      return std::to_string(100000 + in.Pick(4));
    case 2:
      return std::to_string(static_cast<int32_t>(in.Number32()));
    default:
      return in.Text();
  }
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
  if (Tracing()) std::fprintf(stderr, "sent: [%s]\n", std::string(sent).c_str());
  FUZZ_CHECK(sent.back() == protocol::kMessageEnd);
  while (!sent.empty()) {
    const size_t end = sent.find(protocol::kMessageEnd);
    const std::string_view message = sent.substr(0, end);
    sent.remove_prefix(end + 1);
    const size_t separator = message.find(protocol::kCommandSep);
    FUZZ_CHECK(separator != std::string_view::npos);
    const std::string_view command = message.substr(0, separator);
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
  void Receive(std::string_view command, std::string_view data) {
    h_.session.OnData(protocol::Frame(command, data));
  }

  void Player() {
    auto& session = h_.session;
    switch (in_.Pick(18)) {
      case 0:
        session.StartButtonPressed();
        break;
      case 1:
        session.HintButtonPressed();
        break;
      case 2:
        session.SetAutoSkip(in_.Flag());
        break;
      case 3:
        session.AgreementAccepted();
        break;
      case 4:
        session.AgreementRefused();
        break;
      case 5:
        session.MenuDisconnect();
        break;
      case 6:
        session.RequestUserInformation(static_cast<int32_t>(in_.Number32()));
        break;
      case 7: {
        const auto id = static_cast<int32_t>(100000 + in_.Pick(8));
        session.KickUser(id, in_.Text());
        break;
      }
      case 8: {
        client::GameSetup setup;
        setup.room_name = in_.Text();
        setup.total_rounds = static_cast<int32_t>(in_.Number32());
        setup.seconds_per_round = static_cast<int32_t>(in_.Number32());
        setup.grace_seconds = static_cast<int32_t>(in_.Number32());
        for (size_t i = in_.Pick(3); i > 0; --i) setup.word_lists.push_back(in_.Text());
        session.StartGame(setup);
        break;
      }
      case 9:
        session.RequestWordLists();
        break;
      case 10: {  // what the pad sends: a drawing code and its numbers
        const auto code = static_cast<protocol::DrawCode>(in_.Pick(protocol::kDrawCodeCount));
        std::vector<std::string> fields(protocol::DrawFieldCount(code));
        for (auto& field : fields) field = std::to_string(static_cast<int16_t>(in_.Number16()));
        session.SendDrawCommand(protocol::DrawCodeWord(code), fields.empty()
                                                                  ? std::string(protocol::kNoData)
                                                                  : protocol::JoinFields(fields));
        break;
      }
      case 11: {
        client::Profile profile = session.profile();
        profile.Nickname = in_.Text();
        session.SetProfile(profile);
        break;
      }
      case 12: {  // the update check, answered with fuzzed text or failed
        session.CheckForUpdate(http_);
        if (!http_.open.empty()) {
          if (in_.Flag()) {
            http_.Answer(in_.Text());
          } else {
            const int error = in_.Byte();
            http_.Fail(error, in_.Text());
          }
        }
        break;
      }
      case 13: {  // a room from the browser's boxes, or an address as the player types it
        const std::string host = in_.Text();
        if (in_.Flag()) {
          session.ConnectFromBrowser({host, in_.Number16()});
        } else {
          session.JoinRoom(host);
        }
        break;
      }
      case 14:
        session.OnError(
            {static_cast<client::SocketErrorKind>(in_.Pick(3)), in_.Byte(), in_.Text()});
        break;
      case 15: {  // the player's answer to the room's password question
        const std::string password = in_.Text();
        session.RetryWithPassword(password, in_.Flag());
        break;
      }
      case 16:
        session.LeaveRoom(in_.Text());
        break;
      default:
        session.OnClosed();
        break;
    }
  }

  void Step() {
    const size_t operation = in_.Pick(9);
    if (Tracing()) {
      std::fprintf(stderr, "op %zu: connected %d, own id %d, %zu users\n", operation,
                   h_.session.connected(), h_.session.OwnUserId(), h_.session.users().size());
    }
    switch (operation) {
      case 0:  // the connection opens and the server takes it
        h_.Connect(in_.Text());
        break;
      case 1:  // the server's side of a whole login, with others in the room
        h_.LogIn(100005, {"Ann", in_.Text(), "Bob"});
        break;
      case 2:
        h_.session.OnData(in_.LongText(2048));
        break;
      case 3: {
        const std::string_view command = kServerCommands[in_.Pick(std::size(kServerCommands))];
        Receive(command, MessageData(in_));
        break;
      }
      case 4: {  // a drawing code relayed from the artist
        const auto code = static_cast<protocol::DrawCode>(in_.Pick(protocol::kDrawCodeCount));
        Receive(protocol::DrawCodeWord(code), MessageData(in_));
        break;
      }
      case 5: {
        // A chat line; "/" lines are commands, some with the name of a command in front.
        static constexpr std::string_view kCommands[] = {
            "/nick ", "/me ",   "/connect ", "/disconnect", "/quit",
            "/cls",   "/debug", "/help",     "/",           ""};
        const std::string line(kCommands[in_.Pick(std::size(kCommands))]);
        const std::string text = line + in_.Text();
        if (!text.empty()) h_.session.EnterChatLine(text);
        break;
      }
      case 6:
        h_.session.ExecuteUserCommand(in_.Text());
        break;
      case 7: {
        static constexpr int64_t kScale[] = {1, 100, 1000, 10000};
        const int64_t steps = in_.Byte();
        h_.clock.Advance(steps * kScale[in_.Pick(std::size(kScale))]);
        break;
      }
      default:
        Player();
        break;
    }
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
