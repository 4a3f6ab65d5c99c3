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

// Windows-1252 in Unicode: the character of a byte, where the five bytes the code page leaves
// free stand for the C1 controls of the same value as Windows reads them; and the byte of a
// character, "?" for one the code page cannot hold.
char32_t Cp1252Character(unsigned char byte);
char Cp1252Byte(char32_t character);
// 8-bit text as UTF-8 and back. Each byte of UTF-8 that is not well formed reads as "?". What
// became "?" is appended to lost when given, so that the one who typed it can be told: each
// character the code page lacks, and U+FFFD for each byte that was not well formed.
std::string Utf8FromCp1252(std::string_view bytes);
std::string Cp1252FromUtf8(std::string_view utf8, std::string* lost = nullptr);

}  // namespace protocol
