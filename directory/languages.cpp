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

std::string KnownLanguagesText() {
  std::string known;
  for (const std::string_view code : kKnownLanguages) {
    if (!known.empty()) known += ", ";
    known += code;
  }
  return known;
}

std::string WordListLanguage(std::string_view list_name) {
  if (list_name.size() > 3 && list_name[2] == '-' && IsLanguageCode(list_name.substr(0, 2)))
    return std::string(list_name.substr(0, 2));
  return kDefaultLanguage;
}

std::vector<std::string> DefaultWordLists(const std::vector<std::string>& names,
                                          std::string_view language) {
  const auto in = [&names](std::string_view wanted) {
    std::vector<std::string> lists;
    for (const std::string& name : names) {
      if (WordListLanguage(name) == wanted) lists.push_back(name);
    }
    return lists;
  };
  std::vector<std::string> lists = in(language);
  if (lists.empty()) lists = in(kDefaultLanguage);
  return lists.empty() ? names : lists;
}

}  // namespace directory
