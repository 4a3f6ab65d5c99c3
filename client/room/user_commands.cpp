// SPDX-License-Identifier: MIT
// The chat input's slash commands.
#include <cstdio>

#include "client/room/nickname_filter.h"
#include "client/room/session.h"
#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/text.h"

namespace client {

namespace {

// The socket state as the debug line reports it: 0 closed, 6 connecting, 7 connected, 8 closing.
int StateNumber(SocketState state) {
  switch (state) {
    case SocketState::kClosed:
      return 0;
    case SocketState::kConnecting:
      return 6;
    case SocketState::kConnected:
      return 7;
    case SocketState::kClosing:
      return 8;
  }
  return 0;
}

}  // namespace

struct Session::UserCommand {
  const char* words;  // the word and its aliases, upper case, between single spaces
  const char* help;   // the line /help shows, padding as it has always been; nullptr for none
  // The words typed, the command first; nullptr for a command listed but answered as unknown.
  void (*run)(Session& session, const std::vector<std::string>& words);
};

const std::vector<Session::UserCommand>& Session::UserCommands() {
  using Words = std::vector<std::string>;
  static const std::vector<UserCommand> kCommands = {
      {"CONNECT",
       SB_TEXT("/connect <server>[:<port>] - Connect to <server>, on port 2020 unless given."),
       [](Session& s, const Words& words) {
         const std::string& address = protocol::FieldOr(words, 1);
         if (address.empty()) return s.System(s.Say("Syntax is /Connect <server>[:<port>]."));
         s.JoinRoom(address);
       }},
      {"CREATE",
       SB_TEXT("/create <name>          - Make a private room named <name> on this server, in "
               "this room's language."),
       [](Session& s, const Words& words) {
         if (protocol::FieldOr(words, 1).empty())
           return s.System(
               s.Say("Syntax is /CREATE <name>: makes a private room named <name> on the server "
                     "you are on, or were on last, in that room's language, and takes you there. "
                     "File > Create Room... offers more."));
         const std::string server = s.ServerForNewRoom();
         if (server.empty())
           return s.System(s.Say("Connect to a server first: /create makes the room there."), kRed);
         // Everything after the command word: a name may hold spaces.
         std::string name = words[1];
         for (size_t i = 2; i < words.size(); ++i) name += ' ' + words[i];
         s.CreateRoom(server, name, "", false, s.RoomLanguage());
       }},
      {"DISCONNECT", SB_TEXT("/disconnect [reason] - Disconnect from server."),
       [](Session& s, const Words& words) {
         const std::string& reason = protocol::FieldOr(words, 1);
         if (s.connection_.State() == SocketState::kClosed) {
           return s.System(s.Say("You are already disconnected."), kRed);
         }
         s.SendCommand(protocol::to_server::PART,
                       reason.empty() ? std::string(kQuitting) : TypedField(reason));
       }},
      {"NICK", SB_TEXT("/nick <nickname>     - Change your nickname to <nickname>."),
       [](Session& s, const Words& words) {
         const std::string& nickname = protocol::FieldOr(words, 1);
         if (nickname.empty())
           return s.System(s.Say("Syntax is /NICK your_new_nickname. No spaces."));
         if (IsNicknameRejected(nickname)) {
           return s.System(
               s.Say("Sorry, but you cannot use this nickname. Please choose another."));
         }
         s.profile_.Nickname = nickname;
         // Kept at once, as the profile window keeps it: a client that stops next logs in with it.
         s.settings_.SaveProfile(s.profile_);
         const std::string shown = TypedField(nickname, kNicknameLength);
         s.SendCommand(protocol::to_server::NICKCHG, shown);
         s.System(s.Say("Your nickname has now been changed to %1.", {shown}));
         if (s.own_user_id_ != 0 && s.own_user_id_ == s.admin_user_id_) {
           s.panel_.admin = shown;
           s.PublishPanel();
         }
       }},
      // Listed as it always was; typed, it is an unknown command.
      {"", SB_TEXT("/part [reason]           - Leave room, optionally with [reason]."), nullptr},
      {"ME", SB_TEXT("/me <action>           - 'perform' an action."),
       [](Session& s, const Words& words) {
         if (protocol::FieldOr(words, 1).empty()) return s.System(s.Say("Syntax is /ME <action>."));
         // Everything after the command word, as typed.
         std::string action = words[1];
         for (size_t i = 2; i < words.size(); ++i) action += ' ' + words[i];
         s.System(" * " + s.profile_.Nickname + " " + action, kBlue);
         s.SendCommand(protocol::to_server::USERACTION, TypedField(action));
       }},
      {"CLEAR CLS", SB_TEXT("/clear                        - Clear chat buffer."),
       [](Session& s, const Words&) { s.view_.ClearChat(); }},
      {"QUIT", SB_TEXT("/quit                          - Quit Scrawlbox."),
       [](Session& s, const Words&) {
         // The window leaves the room with this reason as it closes (asking first during a game).
         s.quit_reason_ = SB_TEXT("Quitting (via CLI).");
         s.send_generic_quit_ = false;
         s.view_.CloseProgram();
       }},
      {"DEBUG", SB_TEXT("/debug                      - Print debugging info."),
       [](Session& s, const Words&) {
         char motd_length[32];
         std::snprintf(motd_length, sizeof motd_length, "%03zu", s.motd_.size());
         s.System("-- DEBUG INFORMATION --");
         s.System(std::string("Generic Quit Message\t = [000] ") +
                  (s.send_generic_quit_ ? "True" : "False"));
         s.System(std::string("ChatBar\t\t = ") + (s.view_.IsChatFloating() ? "True" : "False"));
         s.System(std::string("Server MOTD Length\t = [") + motd_length + "]");
         s.System("Connected Status\t = " + std::to_string(StateNumber(s.connection_.State())));
       }},
      {"VOTEKICK", SB_TEXT("/votekick <nickname> - Vote to kick <nickname> out of the room."),
       [](Session& s, const Words& words) {
         if (protocol::FieldOr(words, 1).empty())
           return s.System(s.Say("Syntax is /VOTEKICK <nickname>."));
         if (!s.connected()) return s.System(s.Say("You are not in a room."), kRed);
         // Everything after the command word: a nickname may hold spaces.
         std::string nickname = words[1];
         for (size_t i = 2; i < words.size(); ++i) nickname += ' ' + words[i];
         for (const UserEntry& user : s.users_) {
           if (protocol::EqualsIgnoreCase(user.nickname, nickname)) return s.VoteKick(user.id);
         }
         s.System(s.Say("Nobody in this room is called %1.", {nickname}), kRed);
       }},
      {"WARN",
       SB_TEXT("/warn                          - Warn the artist: most guessers warning skips the "
               "round."),
       [](Session& s, const Words&) {
         if (s.controls_.hint.action != HintAction::kWarnArtist || !s.controls_.hint.enabled)
           return s.System(s.Say("There is no artist you can warn now."));
         s.HintButtonPressed();
       }},
      {"WATCH", SB_TEXT("/watch                        - Watch the game instead of playing."),
       [](Session& s, const Words&) { s.SetWatchingByCommand(true); }},
      {"PLAY", SB_TEXT("/play                          - Play again after watching."),
       [](Session& s, const Words&) { s.SetWatchingByCommand(false); }},
      {"HELP H ? HULP AIDE HILFE AIUTO AYUDA", nullptr,
       [](Session& s, const Words&) {
         s.System(s.Say("Currently implemented commands:"));
         for (const UserCommand& command : UserCommands()) {
           if (command.help) s.System("  " + s.Say(command.help));
         }
       }},
  };
  return kCommands;
}

void Session::ExecuteUserCommand(const std::string& line) {
  if (line.empty()) return ExecuteUserCommand("HELP");
  // Words are split at every single space: two spaces make an empty word.
  const std::vector<std::string> words = protocol::SplitFields(line, ' ');
  const std::string word = ' ' + protocol::LowerCase(words[0]) + ' ';
  for (const UserCommand& command : UserCommands()) {
    if (command.run && protocol::LowerCase(' ' + std::string(command.words) + ' ').find(word) !=
                           std::string::npos) {
      return command.run(*this, words);
    }
  }
  System(Say("Unknown command - type /help for command list."), kBlue);
}

}  // namespace client
