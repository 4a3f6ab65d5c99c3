// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace protocol {

// Lower case of 8-bit text as Windows-1252 reads it: A-Z and the accented capitals (À-Þ except
// ×, and Š Œ Ž Ÿ) become their small letters; every other byte stays.
std::string LowerCase(std::string_view text);
// Equal but for letter case, in the sense of LowerCase.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace protocol
