// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "protocol/text.h"
#include "server/game/word_lists.h"
#include "tests/support/temp_dir.h"

namespace server {
namespace {

using testing_support::ReadFile;

const std::filesystem::path kSource = SCRAWLBOX_SOURCE_DIR;

// "de-tiere" is German; a name without a language prefix is English, as stored set-ups name
// the first lists.
std::string LanguageOf(const std::string& name) {
  return name.size() > 3 && name[2] == '-' ? name.substr(0, 2) : "en";
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + separator.size();
  }
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The words of a folded spelling: runs of letters, Windows-1252's accented ones included.
std::vector<std::string> Words(const std::string& folded) {
  std::vector<std::string> words(1);
  for (char c : folded) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || byte >= 0x80) {
      words.back().push_back(c);
    } else if (!words.back().empty()) {
      words.emplace_back();
    }
  }
  return words;
}

// Every list the server ships, as a player meets it: the room reads what the file holds, and
// every spelling of a word a player could type is there to guess.
TEST(ShippedWordLists, EveryLanguageHasEnoughFitWordsEachOnce) {
  std::set<std::string> unfit;
  for (const std::string& word :
       Split(protocol::Cp1252FromUtf8(ReadFile(kSource / "tests/server/data/unfit_words.txt")),
             "\n")) {
    if (!word.empty()) unfit.insert(protocol::LowerCase(word));
  }
  ASSERT_GE(unfit.size(), 24u);

  const std::filesystem::path folder = kSource / "data/Wordlists";
  WordLists lists(folder);
  ASSERT_FALSE(lists.ScanWordlist().has_value());
  struct Language {
    size_t lists = 0;
    size_t entries = 0;
    std::map<std::string, std::string> spellings;  // folded, and the list that has it
  };
  std::map<std::string, Language> languages;
  for (const std::string& name : lists.names()) {
    const std::string text = ReadFile(folder / (name + ".txt"));
    ASSERT_TRUE(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") << name;
    std::vector<std::string> lines = Split(text.substr(0, text.size() - 2), "\r\n");
    // Every line is one entry, and the room reads it as written: a file that is not UTF-8 or
    // ASCII, a stray CR or LF, a comment or an empty line shows here.
    const std::vector<std::string> entries = lists.ReadEntries(name).value();
    ASSERT_EQ(entries.size(), lines.size()) << name;
    Language& language = languages[LanguageOf(name)];
    ++language.lists;
    language.entries += entries.size();
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string where = name + ": " + lines[i];
      EXPECT_EQ(entries[i], protocol::Cp1252FromUtf8(lines[i])) << where;
      // "?" stands for a character Windows-1252 cannot hold.
      EXPECT_EQ(entries[i].find('?'), std::string::npos) << where;
      bool ascii_spelling = false;
      for (const std::string& spelling : Split(entries[i], "|")) {
        const std::string trimmed = Trim(spelling);
        EXPECT_FALSE(trimmed.empty()) << where;
        EXPECT_LE(trimmed.size(), 40u) << where;
        ascii_spelling = ascii_spelling || IsAscii(trimmed);
        const std::string folded = protocol::LowerCase(trimmed);
        const auto [taken, fresh] = language.spellings.emplace(folded, name);
        EXPECT_TRUE(fresh) << where << " is also in " << taken->second;
        for (const std::string& word : Words(folded)) {
          EXPECT_EQ(unfit.count(word), 0u) << where;
        }
      }
      EXPECT_TRUE(IsAscii(lines[i]) || ascii_spelling) << where << " has no ASCII spelling";
    }
  }
  EXPECT_EQ(languages.size(), 4u);
  for (const auto& [code, language] : languages) {
    EXPECT_GE(language.lists, 6u) << code;
    EXPECT_GE(language.entries, 400u) << code;
  }
}

}  // namespace
}  // namespace server
