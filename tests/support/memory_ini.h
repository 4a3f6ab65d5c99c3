// SPDX-License-Identifier: MIT
#pragma once

#include "inifile/ini_document.h"
#include "inifile/ini_store.h"

namespace testing_support {

// An INI store in memory with the same reading and writing rules as the file on disk.
class MemoryIni : public inifile::IniStore {
 public:
  MemoryIni() = default;
  explicit MemoryIni(std::string_view text) : document_(text) {}

  std::string INIRead(std::string_view section, std::string_view key,
                      std::string_view default_value) const override {
    return document_.Read(section, key, default_value);
  }
  bool INIWrite(std::string_view section, std::string_view key, std::string_view value) override {
    document_.Write(section, key, value);
    return true;
  }
  bool DeleteSection(std::string_view section) override {
    document_.DeleteSection(section);
    return true;
  }
  bool ReplaceSection(std::string_view section, const inifile::KeyValues& keys) override {
    document_.ReplaceSection(section, keys);
    return true;
  }
  inifile::KeyValues ReadSection(std::string_view section) const override {
    return document_.ReadSection(section);
  }

  std::string Text() const { return document_.Text(); }

 private:
  inifile::IniDocument document_;
};

}  // namespace testing_support
