// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/tracker.h"
#include "inifile/ini_store.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/operator_console.h"
#include "server/admin/tracker_registration.h"
#include "server/admin/vote_kick.h"
#include "server/connections/ports.h"
#include "server/connections/room_server.h"
#include "server/game/game.h"
#include "server/game/word_lists.h"

namespace server {

// A whole room built from its ports: the connection layer, the game, the ban list, the
// operator's actions and console, and the tracker registration as the gate of its quit. The
// headless program, the operator's window, the tests, the fuzz targets and the benchmarks all
// build this one object, so each runs the room that ships.
class Room {
 public:
  struct Ports {
    Transport& transport;
    Scheduler& scheduler;
    Random& random;
    ServerView& view;
    inifile::IniStore& ini;  // Server.ini
    // Where word lists are looked for, the first folder first.
    std::vector<std::filesystem::path> word_list_folders;
    directory::HttpGetter& http;
    // RegistrationKey of the machine and account; the tracker sees only its hash.
    std::string machine_key;
    TrackerRegistration::KeyHash hash;
  };

  explicit Room(Ports ports);
  Room(const Room&) = delete;
  Room& operator=(const Room&) = delete;

  // Reads the word lists and the ban list and opens the listening socket.
  void Start();
  // Called once the quit is over: everyone was told, the tracker has answered and every
  // connection wrote out what was queued for it. The program may end then.
  void OnFinished(std::function<void()> done) { on_finished_ = std::move(done); }
  // One line the operator typed; the answer's lines.
  std::vector<std::string> Execute(std::string_view line) { return console_.Execute(line); }
  // The room's metrics in the Prometheus text format, read at this moment.
  std::string MetricsText() const { return core_.MetricsText(); }

  RoomServer& core() { return core_; }
  const RoomServer& core() const { return core_; }
  Game& game() { return game_; }
  WordLists& word_lists() { return word_lists_; }
  BanList& bans() { return bans_; }
  OperatorActions& actions() { return actions_; }
  TrackerRegistration& registration() { return registration_; }
  VoteKick& votes() { return votes_; }

 private:
  WordLists word_lists_;
  RoomServer core_;
  Game game_;
  BanList bans_;
  OperatorActions actions_;
  TrackerRegistration registration_;
  OperatorConsole console_;
  VoteKick votes_;
  std::function<void()> on_finished_;
};

}  // namespace server
