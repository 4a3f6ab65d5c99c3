// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Settings files in the INI form that Windows programs have always used, with the semantics
// that stored settings files rely on: sections and keys match regardless of letter case, the
// first of duplicate sections or keys wins, values are trimmed and may be quoted, a read
// returns at most 60000 characters, and text is kept byte for byte (8-bit text, so "¬" is the
// single byte 172).
namespace inifile {

inline constexpr size_t kMaxValueLength = 60000;

using KeyValues = std::vector<std::pair<std::string, std::string>>;

class IniStore {
 public:
  virtual ~IniStore() = default;

  // The stored value, or default_value when the file, section or key is missing.
  virtual std::string INIRead(std::string_view section, std::string_view key,
                              std::string_view default_value) const = 0;
  // Stores value, creating the file, section or key when needed. CR and LF in the value are
  // written as spaces, since a value cannot span lines. Returns false when nothing was stored.
  virtual bool INIWrite(std::string_view section, std::string_view key,
                        std::string_view value) = 0;
  // Removes the section and all its keys; a missing section is not an error.
  virtual bool DeleteSection(std::string_view section) = 0;
  // Replaces the whole section with these keys in one write (an empty list removes it), so that
  // a list kept in a section is never left half written.
  virtual bool ReplaceSection(std::string_view section, const KeyValues& keys) = 0;
  // Every key of the section in file order (the first of duplicate keys only), read as
  // INIRead would read them.
  virtual KeyValues ReadSection(std::string_view section) const = 0;
};

// Numbers and Booleans as every settings file stores them: a leading-number parse (text that
// is not a number reads as 0), and "1"/"0" for Booleans, where any non-zero number is true.
double ReadNumber(const IniStore& store, std::string_view section, std::string_view key,
                  std::string_view default_value);
bool ReadBool(const IniStore& store, std::string_view section, std::string_view key,
              bool default_value);
bool WriteBool(IniStore& store, std::string_view section, std::string_view key, bool value);

}  // namespace inifile
