// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/custom_words.h"
#include "server/game/word_lists.h"
#include "tests/support/game_harness.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing_support::ScriptedRandom;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(WordListEntries, LinesCommentsControlCodesAndOverlongLines) {
  const std::string longest(WordLists::kMaxEntryLength, 'w');
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> entries;
    size_t max = 100;
  } rows[] = {
      {"CR, CR LF or LF end a line", "one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
      {"blank and hash-first lines are skipped",
       "#\r\n\r\n# note\r\n\r\r\n  # indented\r\n\t#pomme|apple\r\n#,x\r\n#\1\r\nx#y\r\n",
       {"x#y"}},
      {"control codes go", std::string("a\1b\tc\0d\r\n\2\3", 11), {"abcd"}},
      {"no more than the maximum", "a\nb\nc\n", {"a", "b"}, 2},
      {"entries with nothing to guess are no words",
       "|\r\n,\r\n;\r\n   \r\n | , ;\r\n\x02|\x03\r\na|\r\n |b\r\nx#\r\n",
       {"a|", " |b", "x#"}},
      {"overlong lines are passed over", longest + "w\r\nok\r\n" + longest, {"ok", longest}},
      {"UTF-8 becomes Windows-1252, its mark at the start skipped",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9|cafe\r\nStra\xC3\x9F"
       "e\r\n\xC5\x93uf\r\n\xE2\x82\xAC\xC4\x9F",
       {"caf\xE9|cafe",
        "Stra\xDF"
        "e",
        "\x9C"
        "uf",
        "\x80?"}},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseEntries(row.text, row.max), row.entries) << row.name;
}

TEST(CustomWords, TypedWordsAreCleanedLikeListEntriesAndBounded) {
  const std::string longest(protocol::kMaxCustomSpelling, 'w');
  std::string many;
  for (int i = 0; i < 600; ++i) many += std::to_string(i) + ",";
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> words;
  } rows[] = {
      {"commas, line ends and code 4 separate",
       "owl, bat\r\nsea lion\rant\nfox\x04yak",
       {"owl", "bat", "sea lion", "ant", "fox", "yak"}},
      {"spellings are trimmed, empty ones go", " caf\xE9 | cafe |", {"caf\xE9|cafe"}},
      {"control codes go, empty entries are none",
       "\x01\t,, | ,\x02"
       "b\x03"
       "ee",
       {"bee"}},
      {"repeats by letter case go, the first kept", "Caf\xC9,caf\xE9,OWL,owl", {"Caf\xC9", "OWL"}},
      {"a spelling too long drops its entry, not cuts it",
       longest + "," + longest + "w,ok|" + longest + "w",
       {longest}},
      {"at most four spellings", "a|b|c|d,e|f|g|h|i", {"a|b|c|d"}},
  };
  for (const auto& row : rows) EXPECT_EQ(protocol::CustomWords(row.text), row.words) << row.name;
  const auto kept = protocol::CustomWords(many);
  EXPECT_EQ(kept.size(), protocol::kMaxCustomWords);
  EXPECT_EQ(kept.back(), "499");
}

// Names come in name order, once each, up to the first dot; a file without one is reported but
// hides no list; the Data folder wins over the shipped lists file by file.
TEST(WordListScan, NamesFromTheDataFolderAndTheShippedLists) {
  TempDir own;
  TempDir shipped;
  WriteFile(shipped / "animals.txt", "cat\r\n");
  WriteFile(shipped / "food.txt", "pie\r\n");
  WriteFile(own / "zoo.txt", "z\r\n");
  WriteFile(own / "food.txt", "soup\r\n");
  WriteFile(own / "food.old.txt", "stale\r\n");
  WriteFile(own / "README", "not a list");
  std::filesystem::create_directory(own / "sub.dir");
  WordLists lists(std::vector<std::filesystem::path>{own.path(), shipped.path()});
  const auto error = lists.ScanWordlist();
  ASSERT_TRUE(error.has_value());
  EXPECT_THAT(error->description, testing::HasSubstr("README"));
  EXPECT_THAT(lists.names(), ElementsAre("animals", "food", "zoo"));
  EXPECT_THAT(*lists.ReadEntries("food"), ElementsAre("soup"));
  EXPECT_THAT(*lists.ReadEntries("animals"), ElementsAre("cat"));
  EXPECT_EQ(lists.Where(), own.path().string() + " and " + shipped.path().string());
  // An installed server's Data folder often has no Wordlists folder at all.
  WordLists shipped_only(std::vector<std::filesystem::path>{own / "Wordlists", shipped.path()});
  EXPECT_FALSE(shipped_only.ScanWordlist());
  EXPECT_THAT(shipped_only.names(), ElementsAre("animals", "food"));
  // An empty or missing folder is an error.
  TempDir empty;
  EXPECT_TRUE(WordLists(empty.path()).ScanWordlist().has_value());
  EXPECT_TRUE(WordLists(empty / "nowhere").ScanWordlist().has_value());
}

TEST(WordListPick, PicksFromTheListsThatGiveAWordAndReadsOnlyTheFoldersLists) {
  TempDir dir;
  WriteFile(dir / "secret.txt", "password\r\n");
  const auto folder = dir / "lists";
  std::filesystem::create_directory(folder);
  WriteFile(folder / "a.txt", "a1\r\na2\r\na3\r\na4\r\n");
  WriteFile(folder / "b.txt", "b1\r\n");
  WriteFile(folder / "empty.txt", "#\r\n\r\n#\t\r\n# note\r\n|\r\n , \r\n");
  WriteFile(folder / "gone.dat", "");  // listed as "gone" but gone.txt does not exist
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "w" + std::to_string(i) + "\r\n";
  WriteFile(folder / "many.txt", many);
  std::string binary(300000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7 % 256);
  WriteFile(folder / "binary.txt", binary);
  WordLists lists(folder);
  lists.ScanWordlist();
  ScriptedRandom random;
  random.values = {0.0, 0.99, 0.6, 0.0, 0.49, 0.5};
  std::vector<std::optional<std::string>> picks;
  for (int i = 0; i < 3; ++i) picks.push_back(lists.PickWord(Wire("a^b"), random));
  EXPECT_THAT(picks, ElementsAre("a4", "b1", "a3"));
  EXPECT_EQ(lists.PickWord(Wire("empty^gone^unknown^b"), random), "b1");
  EXPECT_FALSE(lists.PickWord(Wire("empty^gone^unknown"), random).has_value());
  EXPECT_FALSE(lists.PickWord("", random).has_value());
  EXPECT_EQ(lists.CountWords(), 5u + WordLists::kMaxEntries + lists.ReadEntries("binary")->size());
  // Found while writing the fuzz targets: 65000 list names in one STARTGAME held the room for
  // seconds. One draw for the one known list the names give, which is empty.
  std::string chosen;
  for (int i = 0; i < 20000; ++i) chosen += Wire("^^unknown^empty");
  random.values = {0.99, 0.99, 0.0};
  EXPECT_FALSE(lists.PickWord(chosen, random).has_value());
  EXPECT_EQ(random.values.size(), 2u);
  EXPECT_EQ(lists.PickWord(chosen + Wire("^b^b"), random), "b1");
  for (const std::string& name :
       {std::string(".."), std::string("../secret"), (dir / "secret").string()}) {
    EXPECT_FALSE(lists.PickWord(name, random).has_value()) << name;
  }
  EXPECT_FALSE(lists.ReadEntries("../secret").has_value());
  // Huge and binary files stay bounded.
  EXPECT_EQ(lists.ReadEntries("many")->back(), "w" + std::to_string(WordLists::kMaxEntries - 1));
  const auto binary_entries = lists.ReadEntries("binary");
  for (const auto& entry : *binary_entries) {
    EXPECT_LE(entry.size(), WordLists::kMaxEntryLength);
    for (char c : entry) EXPECT_GE(static_cast<unsigned char>(c), 32);
  }
}

}  // namespace
}  // namespace server
