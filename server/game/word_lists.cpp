// SPDX-License-Identifier: MIT
#include "server/game/word_lists.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "protocol/framing.h"
#include "protocol/text.h"

namespace server {

namespace {

// A cleaned line is a word unless it is a comment or holds nothing but spaces and the
// separators of spellings (",", which they all become, too): that would leave nothing to guess.
bool IsWord(std::string_view entry) {
  const size_t first = entry.find_first_not_of(' ');
  if (first == std::string_view::npos || entry[first] == '#') return false;
  return entry.find_first_not_of(" #|;,") != std::string_view::npos;
}

// Collects entries line by line, so that a file is never held whole.
class EntryCollector {
 public:
  EntryCollector(std::vector<std::string>* entries, size_t max_entries)
      : entries_(entries), max_entries_(max_entries) {}

  bool Full() const { return entries_->size() >= max_entries_; }

  void Feed(std::string_view text) {
    // Editors write a mark at the start of some UTF-8 files; it is no part of the first word.
    if (at_start_ && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    at_start_ = false;
    for (char c : text) {
      if (Full()) return;
      utf8_.Feed(static_cast<unsigned char>(c));
      if (c == '\n' && after_cr_) {
        after_cr_ = false;  // the LF of a CR LF pair
        continue;
      }
      after_cr_ = c == '\r';
      if (c == '\r' || c == '\n') {
        EndLine();
      } else if (line_.size() < WordLists::kMaxEntryLength) {
        line_.push_back(c);
      } else {
        overlong_ = true;
      }
    }
  }

  void Finish() {
    if (!line_.empty() || overlong_) EndLine();
    // Lists are written in UTF-8 today and in Windows-1252 by older operators; text that is
    // not well-formed UTF-8 can only be the latter, and the room speaks Windows-1252.
    if (utf8_.WellFormed() && utf8_.non_ascii) {
      for (std::string& entry : *entries_) entry = protocol::Cp1252FromUtf8(entry);
    }
  }

 private:
  void EndLine() {
    if (!overlong_ && !Full()) {
      std::string entry;
      for (char c : line_) {
        if (static_cast<unsigned char>(c) >= 32) entry.push_back(c);
      }
      if (IsWord(entry)) entries_->push_back(std::move(entry));
    }
    line_.clear();
    overlong_ = false;
  }

  // Whether the bytes seen so far are well-formed UTF-8, a byte at a time, as a file comes in
  // pieces that may split a character.
  struct Utf8Check {
    bool broken = false;
    bool non_ascii = false;
    int pending = 0;                        // continuation bytes still due
    unsigned char low = 0x80, high = 0xBF;  // the range of the next continuation byte

    void Feed(unsigned char byte) {
      if (broken) return;
      if (pending > 0) {
        broken = byte < low || byte > high;
        --pending;
        low = 0x80;
        high = 0xBF;
        return;
      }
      if (byte < 0x80) return;
      non_ascii = true;
      // The narrower second-byte ranges shut out overlong forms, surrogates and code points
      // past U+10FFFF.
      if (byte >= 0xC2 && byte <= 0xDF) {
        pending = 1;
      } else if (byte >= 0xE0 && byte <= 0xEF) {
        pending = 2;
        if (byte == 0xE0) low = 0xA0;
        if (byte == 0xED) high = 0x9F;
      } else if (byte >= 0xF0 && byte <= 0xF4) {
        pending = 3;
        if (byte == 0xF0) low = 0x90;
        if (byte == 0xF4) high = 0x8F;
      } else {
        broken = true;
      }
    }
    bool WellFormed() const { return !broken && pending == 0; }
  };

  std::vector<std::string>* entries_;
  size_t max_entries_;
  std::string line_;
  bool overlong_ = false;
  bool after_cr_ = false;
  bool at_start_ = true;
  Utf8Check utf8_;
};

}  // namespace

std::vector<std::string> ParseEntries(std::string_view text, size_t max_entries) {
  std::vector<std::string> entries;
  EntryCollector collector(&entries, max_entries);
  collector.Feed(text);
  collector.Finish();
  return entries;
}

std::string EntryToWord(std::string_view entry) {
  std::string word(entry);
  std::replace_if(
      word.begin(), word.end(), [](char c) { return c == '#' || c == '|' || c == ';'; }, ',');
  return word;
}

std::string WordLists::Where() const {
  std::string where;
  for (const std::filesystem::path& folder : folders_) {
    if (!where.empty()) where += " and ";
    where += folder.string();
  }
  return where;
}

std::optional<WordLists::ScanError> WordLists::ScanWordlist() {
  names_.clear();
  std::vector<std::string> files;
  std::optional<ScanError> folder_error;
  for (const std::filesystem::path& folder : folders_) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
      std::error_code type_ec;
      if (it->is_regular_file(type_ec)) files.push_back(it->path().filename().string());
    }
    // A Data folder without lists of its own is usual once the shipped ones are there.
    if (ec && ec != std::errc::no_such_file_or_directory && !folder_error) {
      folder_error = ScanError{ec.value(), folder.string() + ": " + ec.message()};
    }
  }
  if (files.empty()) {
    return folder_error ? folder_error : ScanError{ENOENT, "No word list files were found"};
  }
  std::sort(files.begin(), files.end());

  std::optional<ScanError> error = folder_error;
  for (const std::string& file : files) {
    const size_t dot = file.find('.');
    if (dot == std::string::npos) {
      // One stray file must not hide the lists after it; it is reported and passed over.
      if (!error) error = ScanError{EINVAL, "\"" + file + "\" is not a word list file name"};
      continue;
    }
    std::string name = file.substr(0, dot);
    if (name.empty() || std::find(names_.begin(), names_.end(), name) != names_.end()) continue;
    names_.push_back(std::move(name));
  }
  return error;
}

std::optional<std::vector<std::string>> WordLists::ReadEntries(std::string_view name) const {
  // Only names found by the scan are read, so a name from a client can never reach a path
  // outside the folder.
  // Names match exactly, letter case too: each is a file's name, and "a.txt" and "A.txt" are two.
  if (std::find(names_.begin(), names_.end(), name) == names_.end()) return std::nullopt;
  std::ifstream in;
  for (const std::filesystem::path& folder : folders_) {
    in.open(folder / (std::string(name) + ".txt"), std::ios::binary);
    if (in) break;
    in.clear();
  }
  if (!in.is_open()) return std::nullopt;
  std::vector<std::string> entries;
  EntryCollector collector(&entries, kMaxEntries);
  char buffer[64 * 1024];
  size_t total = 0;
  while (!collector.Full() && total < kMaxFileBytes && in) {
    in.read(buffer, sizeof buffer);
    const auto got = static_cast<size_t>(in.gcount());
    if (got == 0) break;
    total += got;
    collector.Feed(std::string_view(buffer, got));
  }
  collector.Finish();
  return entries;
}

std::vector<std::string> WordLists::KnownNames(std::string_view chosen_lists) const {
  std::vector<std::string> known;
  for (std::string& name : protocol::SplitFields(chosen_lists, protocol::kListSep)) {
    if (std::find(names_.begin(), names_.end(), name) != names_.end() &&
        std::find(known.begin(), known.end(), name) == known.end()) {
      known.push_back(std::move(name));
    }
  }
  return known;
}

std::string WordLists::KnownLists(std::string_view chosen_lists) const {
  return protocol::JoinFields(KnownNames(chosen_lists), protocol::kListSep);
}

std::optional<std::string> WordLists::PickWord(std::string_view chosen_lists,
                                               scrawlbox::Random& random) const {
  std::vector<std::string> candidates = KnownNames(chosen_lists);
  auto draw = [&random](size_t count) {
    const auto index = static_cast<size_t>(random.Next() * static_cast<double>(count));
    return std::min(index, count - 1);
  };
  while (!candidates.empty()) {
    const size_t pick = draw(candidates.size());
    const auto entries = ReadEntries(candidates[pick]);
    if (entries && !entries->empty()) return EntryToWord((*entries)[draw(entries->size())]);
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  return std::nullopt;
}

std::vector<std::string> WordLists::PickWords(std::string_view chosen_lists, size_t count,
                                              scrawlbox::Random& random) const {
  struct Candidate {
    std::string name;
    std::optional<std::vector<std::string>> entries;  // read when the list is first drawn
  };
  std::vector<Candidate> candidates;
  for (std::string& name : KnownNames(chosen_lists)) candidates.push_back({std::move(name), {}});
  auto draw = [&random](size_t size) {
    const auto index = static_cast<size_t>(random.Next() * static_cast<double>(size));
    return static_cast<std::ptrdiff_t>(std::min(index, size - 1));
  };
  std::vector<std::string> words;
  // Every turn takes an entry or a list away, so the loop ends with the lists' entries.
  while (words.size() < count && !candidates.empty()) {
    const auto pick = draw(candidates.size());
    Candidate& list = candidates[static_cast<size_t>(pick)];
    if (!list.entries) list.entries = ReadEntries(list.name).value_or(std::vector<std::string>{});
    if (list.entries->empty()) {
      candidates.erase(candidates.begin() + pick);
      continue;
    }
    const auto entry = list.entries->begin() + draw(list.entries->size());
    std::string word = EntryToWord(*entry);
    list.entries->erase(entry);
    const std::string_view first = protocol::LeftOf(word, ',');
    if (std::none_of(words.begin(), words.end(), [first](const std::string& taken) {
          return protocol::EqualsIgnoreCase(protocol::LeftOf(taken, ','), first);
        })) {
      words.push_back(std::move(word));
    }
  }
  return words;
}

size_t WordLists::CountWords() const {
  size_t count = 0;
  for (const std::string& name : names_) {
    if (const auto entries = ReadEntries(name)) count += entries->size();
  }
  return count;
}

WordListTotals CountWordLists(const WordLists* word_lists) {
  if (!word_lists) return {};
  return {word_lists->names().size(), word_lists->CountWords()};
}

}  // namespace server
