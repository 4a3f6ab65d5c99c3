// SPDX-License-Identifier: MIT
// The chat input's slash commands.
#include <cstdio>

#include "client/room/nickname_filter.h"
#include "client/room/session.h"
#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
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

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

void Session::ExecuteUserCommand(const std::string& line) {
  namespace to_server = protocol::to_server;
  if (line.empty()) {
    ShowHelp();
    return;
  }
  // Words are split at every single space: two spaces make an empty word.
  const std::vector<std::string> words = protocol::SplitFields(line, ' ');
  const std::string command = UpperCase(words[0]);
  const std::string& word1 = protocol::FieldOr(words, 1);

  if (command == "CONNECT") {
    if (word1.empty()) {
      System("Syntax is /Connect <server>[:<port>].");
    } else {
      JoinRoom(word1);
    }
  } else if (command == "DISCONNECT") {
    if (connection_.State() != SocketState::kClosed) {
      SendCommand(to_server::PART, word1.empty() ? std::string(kQuitting) : TypedField(word1));
    } else {
      System("You are already disconnected.", kRed);
    }
  } else if (command == "NICK") {
    if (word1.empty()) {
      System("Syntax is /NICK your_new_nickname. No spaces.");
    } else if (IsNicknameRejected(word1)) {
      System("Sorry, but you cannot use this nickname. Please choose another.");
    } else {
      ChangeNickname(word1);
    }
  } else if (command == "ME") {
    if (word1.empty()) {
      System("Syntax is /ME <action>.");
    } else {
      PerformAction(words);
    }
  } else if (command == "QUIT") {
    // The window leaves the room with this reason as it closes (asking first during a game).
    quit_reason_ = "Quitting (via CLI).";
    send_generic_quit_ = false;
    view_.CloseProgram();
  } else if (command == "CLEAR" || command == "CLS") {
    view_.ClearChat();
  } else if (command == "DEBUG") {
    ShowDebugInformation();
  } else if (command == "HELP" || command == "H" || command == "?" || command == "HULP" ||
             command == "AIDE" || command == "HILFE" || command == "AIUTO" || command == "AYUDA") {
    ShowHelp();
  } else {
    System("Unknown command - type /help for command list.", kBlue);
  }
}

void Session::ChangeNickname(const std::string& nickname) {
  profile_.Nickname = nickname;
  // Kept at once, as the profile window keeps it: a client that stops next logs in with it.
  settings_.SaveProfile(profile_);
  const std::string shown = TypedField(nickname, kNicknameLength);
  SendCommand(protocol::to_server::NICKCHG, shown);
  System("Your nickname has now been changed to " + shown + ".");
  if (own_user_id_ != 0 && own_user_id_ == admin_user_id_) {
    panel_.admin = shown;
    PublishPanel();
  }
}

void Session::PerformAction(const std::vector<std::string>& words) {
  // Everything after the command word, as typed.
  std::string action;
  for (size_t i = 1; i < words.size(); ++i) {
    if (i > 1) action += ' ';
    action += words[i];
  }
  System(" * " + profile_.Nickname + " " + action, kBlue);
  SendCommand(protocol::to_server::USERACTION, TypedField(action));
}

void Session::ShowDebugInformation() {
  char motd_length[32];
  std::snprintf(motd_length, sizeof motd_length, "%03zu", motd_.size());
  System("-- DEBUG INFORMATION --");
  System(std::string("Generic Quit Message\t = [000] ") + (send_generic_quit_ ? "True" : "False"));
  System(std::string("ChatBar\t\t = ") + (view_.IsChatFloating() ? "True" : "False"));
  System(std::string("Server MOTD Length\t = [") + motd_length + "]");
  System("Connected Status\t = " + std::to_string(StateNumber(connection_.State())));
}

void Session::ShowHelp() {
  for (const char* line : {
           "Currently implemented commands:",
           "  /connect <server>[:<port>] - Connect to <server>, on port 2020 unless given.",
           "  /disconnect [reason] - Disconnect from server.",
           "  /nick <nickname>     - Change your nickname to <nickname>.",
           "  /part [reason]           - Leave room, optionally with [reason].",
           "  /me <action>           - 'perform' an action.",
           "  /clear                        - Clear chat buffer.",
           "  /quit                          - Quit Scrawlbox.",
           "  /debug                      - Print debugging info.",
       }) {
    System(line);
  }
}

}  // namespace client
