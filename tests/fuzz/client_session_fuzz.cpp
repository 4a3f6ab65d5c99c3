// SPDX-License-Identifier: MIT
// The client's session: server bytes and the player's actions.
#include <algorithm>

#include "client/room/game_setup.h"
#include "client/room/session.h"
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
      "WORDFOUND WORDCLOSE POINTSCHG HINT NOMOREHINTS WORDSKIPPED WINNER RESETSCORES BADPASS "
      "ROOMMADE",
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
void CheckSent(std::string& sent) {
  static const std::vector<std::string_view> routed = server::RoomServer::RoutedCommands();
  if (sent.empty()) return;
  FUZZ_CHECK(sent.back() == protocol::kMessageEnd);
  sent.pop_back();
  for (const std::string& message : protocol::SplitFields(sent, protocol::kMessageEnd)) {
    const size_t end = message.find(protocol::kCommandSep);
    FUZZ_CHECK(end != std::string::npos &&
               std::count(routed.begin(), routed.end(), message.substr(0, end)) == 1);
  }
  sent.clear();
}

}  // namespace

int FuzzClientSession(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  testing_support::ClientHarness h{"[Player Information]\r\nNickname=Zed\r\n"};
  testing_support::FakeHttpGetter http;
  client::Session& session = h.session;
  // Half the inputs in German, where every text from the room is matched against the known ones;
  // by the input's length, so that kept inputs mean what they meant.
  session.SetLanguage(size % 2 == 1 ? "de" : "en");
  const auto int32 = [&in] { return static_cast<int32_t>(in.Number32()); };
  const auto player = [&] {
    Choose(
        in, [&] { session.StartButtonPressed(); }, [&] { session.HintButtonPressed(); },
        [&] { session.SetAutoSkip(in.Flag()); }, [&] { session.AgreementAccepted(); },
        [&] { session.AgreementRefused(); }, [&] { session.MenuDisconnect(); },
        [&] { session.RequestUserInformation(int32()); },
        [&] {
          const auto id = static_cast<int32_t>(100000 + in.Pick(8));
          session.KickUser(id, in.Text());
        },
        [&] {
          client::GameSetup setup{.room_name = in.Text(),
                                  .total_rounds = int32(),
                                  .seconds_per_round = int32(),
                                  .grace_seconds = int32(),
                                  .word_lists = {},
                                  .custom_words = {}};
          for (size_t i = in.Pick(3); i > 0; --i) setup.word_lists.push_back(in.Text());
          session.StartGame(setup);
        },
        [&] { session.RequestWordLists(); },
        [&] {  // what the pad sends
          const auto [command, data] = DrawMessage(in);
          session.SendDrawCommand(command, data);
        },
        [&] {
          client::Profile profile = session.profile();
          profile.Nickname = in.Text();
          session.SetProfile(profile);
        },
        [&] {  // the update check, answered with fuzzed text or failed
          session.CheckForUpdate(http);
          if (http.open.empty()) return;
          if (in.Flag()) return http.Answer(in.Text());
          const int error = in.Byte();
          http.Fail(error, in.Text());
        },
        [&] {  // a room from the browser's boxes, or an address as the player types it
          const std::string host = in.Text();
          if (in.Flag()) return session.ConnectFromBrowser({host, in.Number16()});
          if (in.Flag()) {  // or a room made there
            const std::string name = in.Text();
            const std::string password = in.Text();
            return session.CreateRoom(host, name, password, in.Flag());
          }
          session.JoinRoom(host);
        },
        [&] {
          session.OnError({static_cast<client::SocketErrorKind>(in.Pick(3)), in.Byte(), in.Text()});
        },
        [&] {  // the player's answer to the room's password question
          const std::string password = in.Text();
          session.RetryWithPassword(password, in.Flag());
        },
        [&] { session.LeaveRoom(in.Text()); }, [&] { session.OnClosed(); });
  };
  for (int steps = 0; steps < 400 && !in.empty(); ++steps) {
    Choose(
        in, [&] { h.Connect(in.Text()); },  // the connection opens and the server takes it
        [&] {
          h.LogIn(100005, {"Ann", in.Text(), "Bob"});
        },  // others in the room too
        [&] { session.OnData(in.LongText(2048)); },
        [&] {
          const std::string& command = ServerCommands()[in.Pick(ServerCommands().size())];
          session.OnData(protocol::Frame(command, MessageData(in)));
        },
        [&] {  // a drawing code relayed from the artist
          const auto code = static_cast<protocol::DrawCode>(in.Pick(protocol::kDrawCodeCount));
          session.OnData(protocol::Frame(protocol::DrawCodeWord(code), MessageData(in)));
        },
        [&] {  // a chat line; "/" lines are commands, some with the name of a command in front
          static constexpr std::string_view kCommands[] = {
              "/nick ", "/me ",   "/connect ", "/disconnect", "/quit",
              "/cls",   "/debug", "/help",     "/",           ""};
          const std::string line(kCommands[in.Pick(std::size(kCommands))]);
          const std::string text = line + in.Text();
          if (!text.empty()) session.EnterChatLine(text);
        },
        [&] { session.ExecuteUserCommand(in.Text()); }, [&] { h.clock.Advance(Duration(in)); },
        player);
    // What was shown is not looked at; keeping it, or what was sent, would only cost memory.
    CheckSent(h.connection.sent);
    h.view.lines.clear();
  }
  h.clock.Advance(60000);
  session.MenuDisconnect();
  CheckSent(h.connection.sent);
  return 0;
}

}  // namespace fuzz
