// SPDX-License-Identifier: MIT
#include "directory/records.h"

#include "protocol/framing.h"

namespace directory {

namespace {

std::string Join(char separator, std::initializer_list<Field> fields) {
  std::string out;
  for (const auto& [key, value] : fields) {
    if (!out.empty()) out.push_back(separator);
    out.append(key).append("=").append(value);
  }
  return out;
}

}  // namespace

std::string GetValue(std::string_view record, std::string_view key) {
  if (record.empty()) return {};
  const auto fields = protocol::SplitFields(record, '|');
  if (fields[0].find('=') == std::string::npos) return {};
  for (const std::string& field : fields) {
    const size_t equals = field.find('=');
    if (equals != std::string::npos && std::string_view(field).substr(0, equals) == key) {
      return field.substr(equals + 1);
    }
  }
  return {};
}

std::string MakeRecord(std::initializer_list<Field> fields) {
  return Join('|', fields);
}

std::string MakeQuery(std::initializer_list<Field> fields) {
  return Join('&', fields);
}

}  // namespace directory
