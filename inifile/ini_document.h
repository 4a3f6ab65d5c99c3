// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inifile/ini_store.h"

namespace inifile {

// The text of one INI file, parsed into lines so that an edit changes only the line it must
// and keeps comments, unknown sections and line ends of the rest as they were. Lines end at
// CR LF, LF or a bare CR; a bare CR is written back in the file's own style.
class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text);

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view default_value) const;
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // The section with exactly these keys, at the end of the document; none when keys is empty.
  void ReplaceSection(std::string_view section, const KeyValues& keys);
  // Returns whether the section was there.
  bool DeleteSection(std::string_view section);
  KeyValues ReadSection(std::string_view section) const;

  std::string Text() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n" or "" for a last line without one
  };
  // Index of the header line of the first section of that name, or npos.
  size_t FindSection(std::string_view section) const;
  // One past the last line that belongs to the section whose header is at `header`.
  size_t SectionEnd(size_t header) const;

  std::vector<Line> lines_;
  std::string newline_ = "\n";
};

}  // namespace inifile
