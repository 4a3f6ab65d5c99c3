// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inifile/ini_store.h"

namespace server {

inline constexpr char kStatisticsSection[] = "Server Statistics";

// The running totals kept in the "Server Statistics" section of Server.ini.
enum class Stat {
  ServerLaunches,
  TrackerSubmissions,
  AttemptedConnections,
  EstablishedConnections,
  GamesStarted,
  GamesCompleted,
  Rounds,
  WordsSkipped,
  WordsGuessed,
  WordsAlmostGuessed,
  HintsGiven,
  ProfileRequests,
  SentencesTyped,
  UsersKicked,
  PingTimeouts,
  SocketErrors,
};

inline constexpr size_t kStatCount = static_cast<size_t>(Stat::SocketErrors) + 1;

// The key of a total in Server.ini ("Total Server Launches").
std::string_view StatKey(Stat stat);

// Every increment reads and writes the file at once, so the totals survive a crash and
// several server processes sharing a folder do not undo each other's counts.
class ServerStatistics {
 public:
  explicit ServerStatistics(inifile::IniStore& ini) : ini_(ini) {}

  // The stored total; a missing key or text that is not a number reads as 0.
  int32_t Get(Stat stat) const;
  // Every total (indexed by Stat) from one reading of the file.
  std::array<int32_t, kStatCount> GetAll() const;
  // Adds one; a total already at the largest 32-bit value stays there.
  void Increment(Stat stat);
  // Deletes the whole section.
  void Reset();

 private:
  inifile::IniStore& ini_;
};

// The rows of the statistics window, in their order: the stored totals with the counts taken
// on the spot (bans, word lists, words).
std::vector<std::pair<std::string, double>> StatisticsRows(const ServerStatistics& stats,
                                                           size_t bans, size_t word_lists,
                                                           size_t words);

}  // namespace server
