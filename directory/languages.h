// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The language a room plays in, as a two-letter code (ISO 639-1) that the settings, the
// directory and the browsers carry. The programs name a few; any other code is shown as it is.
namespace directory {

inline constexpr char kDefaultLanguage[] = "en";
// The languages the programs name, in the order they offer them.
inline constexpr std::string_view kKnownLanguages[] = {"en", "de", "fr", "es"};

// Two lower-case letters a to z.
bool IsLanguageCode(std::string_view text);
bool IsKnownLanguage(std::string_view code);
// The language's name in its own language (UTF-8) for a known code, else the code itself.
std::string LanguageName(std::string_view code);

}  // namespace directory
