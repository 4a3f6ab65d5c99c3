// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace server {

class BanList;
class OperatorActions;
class RoomServer;
class TrackerRegistration;
class WordLists;

// The operator's commands for a server without a window, one per line on standard input (the
// table in the .cpp, which help lists). Each answers in lines; a malformed command gets a
// one-line usage text and changes nothing.
class OperatorConsole {
 public:
  OperatorConsole(RoomServer& room, OperatorActions& actions, BanList& bans,
                  const WordLists* word_lists, TrackerRegistration* registration = nullptr)
      : room_(room),
        actions_(actions),
        bans_(bans),
        word_lists_(word_lists),
        registration_(registration) {}

  std::vector<std::string> Execute(std::string_view line);

 private:
  struct Command;
  static const std::vector<Command>& Commands();

  RoomServer& room_;
  OperatorActions& actions_;
  BanList& bans_;
  const WordLists* word_lists_;
  TrackerRegistration* registration_;
};

}  // namespace server
