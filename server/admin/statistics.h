// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "server/connections/statistics.h"

namespace server {

// The rows of the statistics window, in their order: the stored totals with the counts taken
// on the spot (bans, word lists, words).
std::vector<std::pair<std::string, double>> StatisticsRows(const ServerStatistics& stats,
                                                           size_t bans, size_t word_lists,
                                                           size_t words);

}  // namespace server
