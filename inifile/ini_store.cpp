// SPDX-License-Identifier: MIT
#include "inifile/ini_store.h"

#include "protocol/numbers.h"

namespace inifile {

double ReadNumber(const IniStore& store, std::string_view section, std::string_view key,
                  std::string_view default_value) {
  return protocol::LeadingNumber(store.INIRead(section, key, default_value));
}

bool ReadBool(const IniStore& store, std::string_view section, std::string_view key,
              bool default_value) {
  const std::string text = store.INIRead(section, key, default_value ? "1" : "0");
  return protocol::LeadingNumber(text) != 0.0;
}

bool WriteBool(IniStore& store, std::string_view section, std::string_view key, bool value) {
  return store.INIWrite(section, key, value ? "1" : "0");
}

}  // namespace inifile
