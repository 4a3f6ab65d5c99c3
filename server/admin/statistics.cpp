// SPDX-License-Identifier: MIT
#include "server/admin/statistics.h"

namespace server {

std::vector<std::pair<std::string, double>> StatisticsRows(const ServerStatistics& stats,
                                                           size_t bans, size_t word_lists,
                                                           size_t words) {
  const auto totals = stats.GetAll();
  auto stored = [&totals](Stat stat) {
    return static_cast<double>(totals[static_cast<size_t>(stat)]);
  };
  return {
      {"Server Launched", stored(Stat::ServerLaunches)},
      {"Tracker Submissions", stored(Stat::TrackerSubmissions)},
      {"Attempted Connections", stored(Stat::AttemptedConnections)},
      {"Established Connections", stored(Stat::EstablishedConnections)},
      {"Games Started", stored(Stat::GamesStarted)},
      {"Games Completed", stored(Stat::GamesCompleted)},
      {"Rounds", stored(Stat::Rounds)},
      {"Words Skipped", stored(Stat::WordsSkipped)},
      {"Words Guessed", stored(Stat::WordsGuessed)},
      {"Hints Given", stored(Stat::HintsGiven)},
      {"Profile Requests", stored(Stat::ProfileRequests)},
      {"Sentences Typed", stored(Stat::SentencesTyped)},
      {"Users Kicked", stored(Stat::UsersKicked)},
      {"Banned IPs", static_cast<double>(bans)},
      {"Ping Timeouts", stored(Stat::PingTimeouts)},
      {"Socket Errors", stored(Stat::SocketErrors)},
      {"Probes Answered", stored(Stat::ProbesAnswered)},
      {"WordLists", static_cast<double>(word_lists)},
      {"Words", static_cast<double>(words)},
  };
}

}  // namespace server
