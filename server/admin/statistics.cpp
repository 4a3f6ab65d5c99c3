// SPDX-License-Identifier: MIT
#include "server/admin/statistics.h"

#include <array>
#include <limits>

#include "inifile/ini_document.h"
#include "protocol/numbers.h"

namespace server {

namespace {

constexpr std::array<std::string_view, 16> kKeys = {
    "Total Server Launches",
    "Total Tracker Submissions",
    "Total Attempted Connections",
    "Total Established Connections",
    "Total Games Started",
    "Total Games Completed",
    "Total Rounds",
    "Total Words Skipped",
    "Total Words Guessed",
    "Total Words Almost Guessed",
    "Total Hints Given",
    "Total Profile Requests",
    "Total Sentences Typed",
    "Total Users Kicked",
    "Total Ping Timeouts",
    "Total Socket Errors",
};

}  // namespace

std::string_view StatKey(Stat stat) {
  return kKeys[static_cast<size_t>(stat)];
}

namespace {

int32_t StoredTotal(const inifile::IniDocument& document, Stat stat) {
  const int32_t value =
      protocol::LeadingInt32(document.Read(kStatisticsSection, StatKey(stat), "0"));
  return value < 0 ? 0 : value;
}

}  // namespace

int32_t ServerStatistics::Get(Stat stat) const {
  return StoredTotal(ini_.Snapshot(), stat);
}

std::array<int32_t, kStatCount> ServerStatistics::GetAll() const {
  const inifile::IniDocument document = ini_.Snapshot();
  std::array<int32_t, kStatCount> totals{};
  for (size_t i = 0; i < kStatCount; ++i) totals[i] = StoredTotal(document, static_cast<Stat>(i));
  return totals;
}

void ServerStatistics::Increment(Stat stat) {
  // One reading and one writing of the file: this runs for every chat line.
  ini_.Edit([stat](inifile::IniDocument& document) {
    const int32_t value = StoredTotal(document, stat);
    if (value == std::numeric_limits<int32_t>::max()) return false;
    document.Write(kStatisticsSection, StatKey(stat), std::to_string(value + 1));
    return true;
  });
}

void ServerStatistics::Reset() {
  ini_.DeleteSection(kStatisticsSection);
}

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
      {"WordLists", static_cast<double>(word_lists)},
      {"Words", static_cast<double>(words)},
  };
}

}  // namespace server
