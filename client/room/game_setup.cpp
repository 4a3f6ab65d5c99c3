// SPDX-License-Identifier: MIT
#include "client/room/game_setup.h"

#include <algorithm>

#include "directory/languages.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"

namespace client {

std::string StartGameData(const GameSetup& setup) {
  constexpr double kMsPerSecond = 1000;
  std::string data = protocol::JoinFields(
      {protocol::StripControlCodes(setup.room_name), protocol::StripControlCodes(setup.description),
       protocol::NumberText(setup.player_limit), protocol::NumberText(setup.total_rounds),
       protocol::NumberText(setup.seconds_per_round * kMsPerSecond),
       protocol::NumberText(setup.grace_seconds * kMsPerSecond)});
  data += protocol::kFieldSep;
  for (const std::string& name : setup.word_lists) {
    data += protocol::kListSep;
    data += protocol::StripControlCodes(name);
  }
  // A room that knows the game's own words reads them from the next field; an older one stops
  // reading at the lists.
  if (!setup.custom_words.empty()) {
    data += protocol::kFieldSep;
    data += protocol::JoinFields(setup.custom_words, protocol::kListSep);
  }
  return data;
}

std::vector<WordListGroup> WordListsByLanguage(const std::vector<std::string>& names,
                                               std::string_view first) {
  std::vector<std::string> order{std::string(first)};
  for (std::string_view code : directory::kKnownLanguages) order.emplace_back(code);
  for (const std::string& name : names) order.push_back(directory::WordListLanguage(name));
  std::vector<WordListGroup> groups;
  for (const std::string& language : order) {
    const bool seen = std::any_of(groups.begin(), groups.end(),
                                  [&](const WordListGroup& g) { return g.language == language; });
    if (seen) continue;
    WordListGroup group{language, {}};
    for (const std::string& name : names) {
      if (directory::WordListLanguage(name) == language) group.lists.push_back(name);
    }
    if (!group.lists.empty()) groups.push_back(std::move(group));
  }
  return groups;
}

std::string_view WordListTitle(std::string_view name) {
  const std::string language = directory::WordListLanguage(name);
  // An English list names no language; any other's name starts with its code and "-".
  return name.substr(0, 3) == language + "-" ? name.substr(3) : name;
}

}  // namespace client
