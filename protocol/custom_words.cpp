// SPDX-License-Identifier: MIT
#include "protocol/custom_words.h"

#include <set>

#include "protocol/framing.h"
#include "protocol/text.h"

namespace protocol {

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The entry with its spellings trimmed, or nothing when it holds no word the room can use.
std::string CleanEntry(std::string_view raw) {
  std::string text;
  for (char c : raw) {
    if (static_cast<unsigned char>(c) >= 32) text.push_back(c);
  }
  std::string entry;
  size_t spellings = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('|', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view spelling = Trimmed(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (spelling.empty()) continue;
    if (spelling.size() > kMaxCustomSpelling || ++spellings > kMaxCustomSpellings) return {};
    if (!entry.empty()) entry += '|';
    entry += spelling;
  }
  return entry;
}

}  // namespace

std::vector<std::string> CustomWords(std::string_view text) {
  static constexpr char kSeparators[] = {',', '\r', '\n', kListSep};
  std::vector<std::string> words;
  std::set<std::string> seen;
  size_t start = 0;
  while (start <= text.size() && words.size() < kMaxCustomWords) {
    size_t end = text.find_first_of(std::string_view(kSeparators, sizeof kSeparators), start);
    if (end == std::string_view::npos) end = text.size();
    std::string entry = CleanEntry(text.substr(start, end - start));
    start = end + 1;
    if (!entry.empty() && seen.insert(LowerCase(entry)).second) words.push_back(std::move(entry));
  }
  return words;
}

}  // namespace protocol
