// SPDX-License-Identifier: MIT
#include "server/admin/statistics.h"

#include <array>
#include <limits>

#include "protocol/numbers.h"

namespace server {

namespace {

constexpr std::array<std::string_view, 16> kKeys = {
    "Total Server Launches",        "Total Tracker Submissions",
    "Total Attempted Connections",  "Total Established Connections",
    "Total Games Started",          "Total Games Completed",
    "Total Rounds",                 "Total Words Skipped",
    "Total Words Guessed",          "Total Words Almost Guessed",
    "Total Hints Given",            "Total Profile Requests",
    "Total Sentences Typed",        "Total Users Kicked",
    "Total Ping Timeouts",          "Total Socket Errors",
};

}  // namespace

std::string_view StatKey(Stat stat) { return kKeys[static_cast<size_t>(stat)]; }

int32_t ServerStatistics::Get(Stat stat) const {
  const int32_t value = protocol::LeadingInt32(ini_.INIRead(kStatisticsSection, StatKey(stat), "0"));
  return value < 0 ? 0 : value;
}

void ServerStatistics::Increment(Stat stat) {
  const int32_t value = Get(stat);
  if (value == std::numeric_limits<int32_t>::max()) return;
  ini_.INIWrite(kStatisticsSection, StatKey(stat), std::to_string(value + 1));
}

void ServerStatistics::Reset() { ini_.DeleteSection(kStatisticsSection); }

}  // namespace server
