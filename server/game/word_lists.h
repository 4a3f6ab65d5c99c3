// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/scheduling.h"

namespace server {

// The word lists of the room: text files in the Wordlists folder, one entry per line. A list's
// name is its file name up to the first "."; the file read for it is always name + ".txt". An
// installed server also reads the shipped lists: the folders are searched in order, and a file
// in the first (the Data folder's) wins over one of the same name further on.
class WordLists {
 public:
  // At most this many entries of one file are used.
  static constexpr size_t kMaxEntries = 4097;
  // Longer lines are no drawable word and would not fit the messages that carry a word.
  static constexpr size_t kMaxEntryLength = 200;
  // A list file is read no further than this.
  static constexpr size_t kMaxFileBytes = 16u << 20;

  struct ScanError {
    int number = 0;
    std::string description;
  };

  explicit WordLists(std::filesystem::path folder) : folders_{std::move(folder)} {}
  explicit WordLists(std::vector<std::filesystem::path> folders) : folders_(std::move(folders)) {}

  // Lists the folders' files in name order and keeps their list names (each once). A file
  // without "." in its name, or no file in any folder, gives an error; files that do have a
  // list name are kept all the same. A missing folder is no error while another has lists.
  std::optional<ScanError> ScanWordlist();
  const std::vector<std::string>& names() const { return names_; }
  const std::vector<std::filesystem::path>& folders() const { return folders_; }
  // The folders as the operator is told them: "A" or "A and B".
  std::string Where() const;

  // The next word from the lists named in chosen_lists (joined by code 4), with its
  // alternative spellings separated by ",". One list is picked at random, then one entry; a
  // list that is unknown, missing, unreadable or empty is passed over for the others in random
  // order, and a name given twice counts once. Nothing when no chosen list gives a word.
  std::optional<std::string> PickWord(std::string_view chosen_lists,
                                      scrawlbox::Random& random) const;
  // Up to count different words from the chosen lists, each drawn as PickWord draws one (a
  // list, then an entry); fewer when the lists hold fewer, none when they give none. Words are
  // different when their first spellings differ, letter case aside.
  std::vector<std::string> PickWords(std::string_view chosen_lists, size_t count,
                                     scrawlbox::Random& random) const;

  // The chosen names (joined by code 4) that the scan found, each once, in their order: a
  // client's STARTGAME may name 65000 lists, or one list 65000 times, and the game must cost
  // no more, and relay no more, than the folder's lists.
  std::string KnownLists(std::string_view chosen_lists) const;
  size_t KnownListCount(std::string_view chosen_lists) const {
    return KnownNames(chosen_lists).size();
  }

  // Entries in all lists together.
  size_t CountWords() const;

  // The entries of a known list as ParseEntries reads its file; nothing when the list is unknown or
  // its file cannot be opened.
  std::optional<std::vector<std::string>> ReadEntries(std::string_view name) const;

 private:
  std::vector<std::string> KnownNames(std::string_view chosen_lists) const;

  std::vector<std::filesystem::path> folders_;
  std::vector<std::string> names_;
};

// The entries of word-list text: lines end at CR, CR LF or LF; control characters are dropped,
// and over-long lines, lines whose first non-blank character is "#" (comments) and lines left
// with nothing but separators and spaces are passed over.
// Text that is well-formed UTF-8 with letters beyond ASCII has its entries turned into
// Windows-1252 (a byte-order mark at its start is skipped); any other text is Windows-1252.
std::vector<std::string> ParseEntries(std::string_view text, size_t max_entries);

// An entry as a word: "#", "|" and ";" between alternative spellings all become ",".
std::string EntryToWord(std::string_view entry);

// How many lists and words there are, for the statistics and the tracker; none without lists.
struct WordListTotals {
  size_t lists = 0;
  size_t words = 0;
};
WordListTotals CountWordLists(const WordLists* word_lists);

}  // namespace server
