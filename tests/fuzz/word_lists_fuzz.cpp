// SPDX-License-Identifier: MIT
// Word-list files scanned from a folder, and words picked from them.
#include <algorithm>
#include <filesystem>
#include <map>

#include "protocol/framing.h"
#include "server/game/word_lists.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/game_harness.h"
#include "tests/support/temp_dir.h"

namespace fuzz {

namespace {

using server::WordLists;

// A file name an operator could give a list: letters, digits, dots and a few others, never a
// path separator.
std::string FileName(FuzzInput& in) {
  static constexpr std::string_view kNames[] = {
      "test.txt", "animals.txt", "animals.old.txt", "readme", ".txt", "Test.TXT", "a.b"};
  if (in.Flag()) return std::string(kNames[in.Pick(std::size(kNames))]);
  static constexpr std::string_view kAlphabet = "abcXYZ019._- #,\xe9\xac";
  std::string name;
  for (size_t length = 1 + in.Pick(12); length > 0; --length)
    name += kAlphabet[in.Pick(kAlphabet.size())];
  if (name == "." || name == "..") name = "dots.txt";
  return name;
}

// What every entry of a list is: a line that can be a word.
void CheckEntry(const std::string& entry) {
  FUZZ_CHECK(!entry.empty());
  FUZZ_CHECK(entry.size() <= WordLists::kMaxEntryLength);
  for (char c : entry) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32);
  const size_t first = entry.find_first_not_of(' ');
  FUZZ_CHECK(first != std::string::npos && entry[first] != '#');
  // Something to guess is left once the spellings are split.
  const auto spellings = protocol::SplitFields(server::EntryToWord(entry), ',');
  FUZZ_CHECK(std::any_of(spellings.begin(), spellings.end(), [](const std::string& spelling) {
    return spelling.find_first_not_of(' ') != std::string::npos;
  }));
}

}  // namespace

int FuzzWordLists(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::filesystem::path folder = ScratchFolder() / "word_lists";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);

  // By name: a name given twice is the file written last.
  std::map<std::string, std::string> files;
  for (size_t count = in.Pick(5); count > 0; --count) {
    const std::string name = FileName(in);
    const std::string text = in.LongText(4096);
    testing_support::WriteFile(folder / name, text);
    files[name] = text;
  }

  WordLists lists(folder);
  (void)lists.ScanWordlist();
  for (const std::string& name : lists.names()) {
    FUZZ_CHECK(!name.empty() && name.find('.') == std::string::npos);
    const auto entries = lists.ReadEntries(name);
    if (!entries) continue;
    FUZZ_CHECK(entries->size() <= WordLists::kMaxEntries);
    for (const auto& entry : *entries) CheckEntry(entry);
    // The file read in pieces gives what the whole text gives.
    const auto file = files.find(name + ".txt");
    if (file != files.end())
      FUZZ_CHECK(*entries == server::ParseEntries(file->second, WordLists::kMaxEntries));
  }
  for (const auto& [file, text] : files)
    for (const auto& entry : server::ParseEntries(text, 8)) CheckEntry(entry);
  (void)lists.CountWords();

  // Lists as a client chooses them: known names, unknown ones, paths, and anything at all.
  testing_support::ScriptedRandom random;
  while (!in.empty()) {
    std::string chosen;
    for (size_t count = in.Pick(4); count > 0; --count) {
      const auto& names = lists.names();
      chosen += '\x04';
      chosen += (in.Flag() && !names.empty()) ? names[in.Pick(names.size())] : in.Text();
    }
    // A STARTGAME can name lists for up to 64 KB.
    if (in.Pick(4) == 0) chosen = Repeated(chosen, in.Number16(), 65000);
    for (size_t count = in.Pick(4); count > 0; --count) random.values.push_back(in.Byte() / 256.0);
    const auto word = lists.PickWord(in.Flag() ? chosen : in.Text(), random);
    if (word) {
      FUZZ_CHECK(!word->empty());
      FUZZ_CHECK(word->find_first_of("#|;") == std::string::npos);
    }
  }
  return 0;
}

}  // namespace fuzz
