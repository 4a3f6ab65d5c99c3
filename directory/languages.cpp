// SPDX-License-Identifier: MIT
#include "directory/languages.h"

#include <algorithm>

namespace directory {

bool IsLanguageCode(std::string_view text) {
  return text.size() == 2 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool IsKnownLanguage(std::string_view code) {
  return std::find(std::begin(kKnownLanguages), std::end(kKnownLanguages), code) !=
         std::end(kKnownLanguages);
}

std::string LanguageName(std::string_view code) {
  if (code == "en") return "English";
  if (code == "de") return "Deutsch";
  if (code == "fr")
    return "Fran\xC3\xA7"
           "ais";
  if (code == "es") return "Espa\xC3\xB1ol";
  return std::string(code);
}

}  // namespace directory
