// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The tracker's room records: fields separated by "|", each a key, "=" and a value.
namespace directory {

// The value of the first field whose key is exactly key (case matters), or "" when there is
// none, when the record is empty, or when its first field holds no "=".
std::string GetValue(std::string_view record, std::string_view key);

}  // namespace directory
