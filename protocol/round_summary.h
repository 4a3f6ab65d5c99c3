// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace protocol {

// What a round gave: its word, its artist's points and each finder's, in finding order.
struct RoundSummary {
  struct Finder {
    int32_t id = 0;
    int32_t points = 0;
  };
  std::string word;
  int32_t artist_id = 0;  // 0: the round had no artist
  int32_t artist_points = 0;
  std::vector<Finder> finders;
};

// A client shows at most this many finders of a summary; the rest of a longer one is dropped.
inline constexpr size_t kMaxSummaryFinders = 64;

// The data of ROUNDSUMMARY: word, artist id, artist points, then finder id and points for each.
std::string SummaryData(const RoundSummary& summary);
RoundSummary ParseSummary(std::string_view data);
// "The word was apple. Found by Ann (+120), Bob (+80); Cat drew (+100)." or "Nobody found
// apple.", with each player named as name_of gives it.
std::string SummaryText(const RoundSummary& summary,
                        const std::function<std::string(int32_t id)>& name_of);

}  // namespace protocol
