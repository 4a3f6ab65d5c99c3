// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
// The known codes as an operator or a caller is told them: "en, de, fr, es".
std::string KnownLanguagesText();

// The language of a word list by its name: a code and "-" in front ("de-tiere", "pl-zwierzeta")
// name it; a list without one is English, as lists were before there were others ("animals").
std::string WordListLanguage(std::string_view list_name);
// The lists a game plays when its set-up names none, in the order given: those of the language,
// else the English ones (a room whose language has no lists still plays), else all of them.
std::vector<std::string> DefaultWordLists(const std::vector<std::string>& names,
                                          std::string_view language);

}  // namespace directory
