// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// The tracker's room records: fields separated by "|", each a key, "=" and a value.
namespace directory {

// The value of the first field whose key is exactly key (case matters), or "" when there is
// none, when the record is empty, or when its first field holds no "=".
std::string GetValue(std::string_view record, std::string_view key);

// A key and its value, as a record or a query carries them.
using Field = std::pair<std::string_view, std::string_view>;
// The fields as a record: "key=value" joined by "|". Values go as given.
std::string MakeRecord(std::initializer_list<Field> fields);
// The fields as a tracker query: "key=value" joined by "&". Values go as given, so the caller
// encodes those that need it.
std::string MakeQuery(std::initializer_list<Field> fields);

}  // namespace directory
