// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Settings files in the INI form that Windows programs have always used, with the semantics
// that stored settings files rely on: sections and keys match regardless of letter case (the
// Windows-1252 letters, as protocol::LowerCase folds them), the first of duplicate sections or
// keys wins, values are trimmed and may be quoted, a read returns at most 60000 characters,
// and text is kept byte for byte (8-bit text, so "¬" is the single byte 172).
namespace inifile {

inline constexpr size_t kMaxValueLength = 60000;

using KeyValues = std::vector<std::pair<std::string, std::string>>;

class IniDocument;

// Where settings are kept. Every operation reads the store once; a change writes it once, so
// several keys change together (and a key by its own value) through Edit, never key by key.
class IniStore {
 public:
  virtual ~IniStore() = default;

  // The whole store as it stands now (empty when it cannot be read).
  virtual IniDocument Snapshot() const = 0;
  // Reads the store, lets edit change it and stores the result when edit returns true.
  // False when the store could not be read or written.
  virtual bool Edit(const std::function<bool(IniDocument&)>& edit) = 0;
  // Like Edit, for counts that change often: the store may take the write to disk a moment
  // later, while the program goes on. Reads see the change at once, and the program's end still
  // writes it. done then hears on the program's thread whether the change was stored (an edit
  // that changes nothing was); the default writes at once and tells done before it returns.
  virtual void EditSoon(const std::function<bool(IniDocument&)>& edit,
                        std::function<void(bool stored)> done = {});

  // The stored value, or default_value when the file, section or key is missing.
  virtual std::string INIRead(std::string_view section, std::string_view key,
                              std::string_view default_value) const;
  // Stores value, creating the file, section or key when needed. CR and LF in the value are
  // written as spaces, since a value cannot span lines. Returns false when nothing was stored.
  bool INIWrite(std::string_view section, std::string_view key, std::string_view value);
  // Stores several keys of one section in one write.
  bool INIWriteAll(std::string_view section, const KeyValues& keys);
  // Removes the section and all its keys; a missing section is not an error.
  bool DeleteSection(std::string_view section);
  // Replaces the whole section with these keys in one write (an empty list removes it), so that
  // a list kept in a section is never left half written.
  bool ReplaceSection(std::string_view section, const KeyValues& keys);
  // Every key of the section in file order (the first of duplicate keys only), read as
  // INIRead would read them.
  virtual KeyValues ReadSection(std::string_view section) const;
};

// A store in memory with the same reading and writing rules as the file on disk.
class MemoryStore : public IniStore {
 public:
  MemoryStore();
  explicit MemoryStore(std::string_view text);
  ~MemoryStore() override;

  IniDocument Snapshot() const override;
  bool Edit(const std::function<bool(IniDocument&)>& edit) override;
  // Read in place, without a copy of the whole document.
  std::string INIRead(std::string_view section, std::string_view key,
                      std::string_view default_value) const override;
  KeyValues ReadSection(std::string_view section) const override;

  std::string Text() const;

 private:
  std::unique_ptr<IniDocument> document_;
};

// Numbers and Booleans as every settings file stores them: a leading-number parse (text that
// is not a number reads as 0), and "1"/"0" for Booleans, where any non-zero number is true.
// They read from a snapshot, since settings are read many keys at a time.
double ReadNumber(const IniDocument& document, std::string_view section, std::string_view key,
                  std::string_view default_value);
bool ReadBool(const IniDocument& document, std::string_view section, std::string_view key,
              bool default_value);
// A Boolean as it is stored.
inline const char* BoolText(bool value) {
  return value ? "1" : "0";
}
bool WriteBool(IniStore& store, std::string_view section, std::string_view key, bool value);

}  // namespace inifile
