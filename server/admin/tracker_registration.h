// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/scheduling.h"
#include "directory/tracker.h"
#include "inifile/ini_store.h"
#include "server/connections/ports.h"

namespace server {

class RoomServer;
class WordLists;

// The room's entry in the public directory: submitting and removing it, the tracker's answers,
// the removal that a quit waits for, and the check for a newer version of the server. While the
// room is listed, its entry follows the number of players in it.
class TrackerRegistration : public QuitGate {
 public:
  // A quit by a termination signal waits no longer than this for the tracker.
  static constexpr int kQuitWaitMs = 5000;
  // While listed, the player count is looked at this often...
  static constexpr int kPlayersCheckMs = 5000;
  // ...and a changed count is sent at most this often, so that a busy room costs the tracker
  // one request a minute.
  static constexpr int64_t kRefreshIntervalMs = 60000;
  // A host's count of the rooms it can still make is sent at most this often.
  static constexpr int64_t kHostRefreshIntervalMs = 10000;
  // A refresh of the count tells the operator's log how it went at most this often.
  static constexpr int64_t kRefreshLogMs = 600000;

  // Where Server.ini keeps the secret the tracker gave the room.
  static constexpr char kSecretKey[] = "Tracker Secret";

  // The SHA-256 of the bytes as 64 lower-case hex digits: the shell's library computes it.
  using KeyHash = std::function<std::string(std::string_view bytes)>;

  // machine_key: RegistrationKey of the machine and account; the room's port is added to it,
  // and the tracker is sent the result through hash. The room names it in its probe answers.
  // ini: Server.ini, where the tracker's secret for the room is kept.
  TrackerRegistration(RoomServer& room, directory::HttpGetter& http,
                      scrawlbox::Scheduler& scheduler, const WordLists* word_lists,
                      const std::string& machine_key, const KeyHash& hash, inifile::IniStore& ini);

  void Submit();
  void Remove();
  void CheckForUpdate();
  // A quit without a window (a termination signal) removes a listed room whatever the
  // "Auto-Remove From Tracker" setting says, and ends at the latest kQuitWaitMs later.
  void SetRemoveOnQuit(bool remove) { remove_on_quit_ = remove; }
  // The web port browsers play on now, 0 for none: the program knows it, as its command line
  // may name one and a port may fail to open. Until told, the room's settings say.
  void SetWebPort(int port) { web_port_ = port; }
  // A room of a host of many rooms. A made room (with its code) is listed under a key of its
  // own, with its code and the host's key (the key of the host's default room), and its page is
  // the host's /r/CODE. The host's own listing (no code) says how many more rooms it can make,
  // as free tells, and sends it again when that changes.
  void SetHosted(const std::string& code, const std::string& host_key,
                 std::function<int()> free = {});

  bool Submitted() const { return submitted_; }
  // The key the tracker knows the room by: RegistrationKey's text, hashed.
  const std::string& registration_key() const { return registration_key_; }

  Decision BeforeQuit() override;

  // The query strings, as the tracker receives them.
  std::string SubmitQuery() const;
  std::string RemoveQuery() const;
  // What the server does with the tracker's answer (public for the tests). A quiet answer (to
  // an automatic refresh) shows nothing.
  void React(const directory::HttpResult& result, bool quiet = false);

 private:
  enum class Kind { kSubmit, kRefresh, kRemove };
  void Send(const std::string& query, Kind kind);
  // Sends the registration again when the number of players, or a host's free rooms, changed.
  void CheckPlayers();
  // Starts or stops following the player count as the room becomes listed or not.
  void FollowPlayers();
  // What a refresh of the count may show: its outcome, at most once every kRefreshLogMs.
  bool RefreshMayLog();
  // A quit waiting for the removal goes on: it ends, or after a failure with a window the
  // window stays open so that the operator reads what went wrong.
  void AfterRemovalAnswer(bool ok);
  // Keeps a secret the tracker's answer carries.
  void KeepSecret(const std::string& record);
  // The fields that prove the room to the tracker: its secret, or until it has one, the key it
  // was listed under before it sent a hashed one.
  std::string Credentials() const;

  RoomServer& room_;
  directory::HttpGetter& http_;
  scrawlbox::Scheduler& scheduler_;
  const WordLists* word_lists_;
  inifile::IniStore& ini_;
  // Made once, from the port the room opens at its start: a Port setting changed while it runs
  // counts from the next start, for the key too. The tracker sees only the hash.
  std::string clear_key_;
  std::string registration_key_;
  const KeyHash hash_;
  std::string code_;
  std::string host_key_;
  std::function<int()> free_;
  std::string secret_;
  // Whether the tracker lists the room, as far as this server knows.
  bool submitted_ = false;
  // Set for a quit without a window; the quit's own stage is the room server's.
  bool remove_on_quit_ = false;
  std::optional<int> web_port_;
  // A request is on its way; a refresh never replaces it.
  bool request_open_ = false;
  std::unique_ptr<scrawlbox::Timer> players_timer_;
  // The count the tracker was last sent, and when.
  int sent_players_ = -1;
  int sent_free_ = -1;
  int64_t sent_at_ms_ = 0;
  std::optional<int64_t> refresh_logged_at_ms_;
  // Answers and timers may come after a made room has closed and gone: they hold this weakly
  // and do nothing once it has gone.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

// The registration key of a room on the default port: the machine's name, ":" and the operator's
// account name, upper case. The tracker is sent its SHA-256, never the text.
std::string RegistrationKey(std::string computer_name, std::string user_name);
// A room on another port adds ":" and the port, so that each room of one machine and account
// keeps its own entry, while a room on the default port keeps the key it has always had.
std::string RegistrationKey(const std::string& machine_key, int port);

}  // namespace server
