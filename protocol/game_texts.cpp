// SPDX-License-Identifier: MIT
#include "protocol/game_texts.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "protocol/numbers.h"
#include "protocol/room_text.h"

namespace protocol {

namespace {

// The languages of the table, in its order; English first, the templates' own.
constexpr std::string_view kLanguageCodes[] = {
#include "protocol/game_text_languages.inc"
};
constexpr size_t kLanguages = std::size(kLanguageCodes);

struct GameText {
  std::string_view source;
  bool counted = false;
  // In kLanguageCodes' order: the text, or for a counted one its singular and plural forms.
  std::array<std::array<std::string_view, 2>, kLanguages> forms;
};

// Sorted by source, bytewise.
constexpr GameText kTexts[] = {
#include "protocol/game_text_table.inc"
};

std::optional<size_t> LanguageIndex(std::string_view language) {
  const auto* known = std::find(std::begin(kLanguageCodes), std::end(kLanguageCodes), language);
  if (known == std::end(kLanguageCodes)) return std::nullopt;
  return static_cast<size_t>(known - std::begin(kLanguageCodes));
}

const GameText* Find(std::string_view source) {
  const auto* text = std::lower_bound(
      std::begin(kTexts), std::end(kTexts), source,
      [](const GameText& entry, std::string_view wanted) { return entry.source < wanted; });
  return text != std::end(kTexts) && text->source == source ? text : nullptr;
}

// Which of a counted text's two forms the count takes. French counts 0 as singular; the other
// languages only 1.
size_t FormFor(std::string_view language, int64_t count) {
  if (language == "fr") return count == 0 || count == 1 || count == -1 ? 0 : 1;
  return count == 1 || count == -1 ? 0 : 1;
}

std::string_view Form(const GameText* text, std::string_view language, size_t form,
                      std::string_view source) {
  const std::optional<size_t> index = LanguageIndex(language);
  if (text == nullptr) return source;
  const std::string_view chosen = text->forms[index.value_or(0)][form];
  return chosen.empty() ? text->forms[0][form].empty() ? source : text->forms[0][form] : chosen;
}

// One piece of a template: literal text, or a place (1 to 9, or 0 for %n).
struct Piece {
  std::string_view literal;
  int place = -1;
};

std::vector<Piece> Pieces(std::string_view source) {
  std::vector<Piece> pieces;
  size_t start = 0;
  for (size_t i = 0; i + 1 < source.size(); ++i) {
    const char next = source[i + 1];
    if (source[i] != '%' || !(next == 'n' || (next >= '1' && next <= '9'))) continue;
    if (i > start) pieces.push_back({source.substr(start, i - start)});
    pieces.push_back({{}, next == 'n' ? 0 : next - '0'});
    start = i + 2;
    ++i;
  }
  if (start < source.size()) pieces.push_back({source.substr(start)});
  return pieces;
}

// Matches text against the pieces from the given one on, filling places[] with what each place
// took; a count takes digits only, any other place any text, even none. Backtracks over where
// a place ends; a room's text built to make that slow (a literal repeated all through it) runs
// out of steps and reads as no match.
bool Match(const std::vector<Piece>& pieces, size_t piece, std::string_view text,
           std::array<std::string_view, 10>& places, int& steps) {
  if (--steps < 0) return false;
  if (piece == pieces.size()) return text.empty();
  const Piece& p = pieces[piece];
  if (p.place < 0) {
    return text.starts_with(p.literal) &&
           Match(pieces, piece + 1, text.substr(p.literal.size()), places, steps);
  }
  for (size_t length = 0; length <= text.size() && steps >= 0; ++length) {
    if (p.place == 0 && length > 0 && (text[length - 1] < '0' || text[length - 1] > '9')) break;
    if (p.place == 0 && length == 0) continue;
    // The next literal must follow the place: only where it does is there anything to try.
    const size_t next = piece + 1;
    if (next < pieces.size() && pieces[next].place < 0 &&
        !text.substr(length).starts_with(pieces[next].literal)) {
      continue;
    }
    places[static_cast<size_t>(p.place)] = text.substr(0, length);
    if (Match(pieces, piece + 1, text.substr(length), places, steps)) return true;
  }
  return false;
}

// Steps one text may take against one template: plenty for any text a room words (a few dozen),
// and a bound on what a hostile one can cost.
constexpr int kMatchSteps = 4096;

size_t LiteralLength(const std::vector<Piece>& pieces) {
  size_t length = 0;
  for (const Piece& p : pieces) length += p.literal.size();
  return length;
}

}  // namespace

std::string SayIn(std::string_view language, std::string_view source,
                  std::initializer_list<std::string_view> args) {
  return protocol::Fill(Form(Find(source), language, 0, source), args);
}

std::string SayCountedIn(std::string_view language, std::string_view source, int64_t count,
                         std::initializer_list<std::string_view> args) {
  return protocol::Fill(Form(Find(source), language, FormFor(language, count), source), args,
                        protocol::NumberText(static_cast<double>(count)));
}

namespace {

// Each template's pieces, in its English forms, made once.
const std::vector<std::array<std::vector<Piece>, 2>>& EnglishPieces() {
  static const std::vector<std::array<std::vector<Piece>, 2>> pieces = [] {
    std::vector<std::array<std::vector<Piece>, 2>> made;
    for (const GameText& entry : kTexts)
      made.push_back({Pieces(entry.forms[0][0]), Pieces(entry.forms[0][1])});
    return made;
  }();
  return pieces;
}

// depth: how many texts deep this one sits in another's place; a room's text inside a room's text
// is translated, one inside that is not.
std::string Translated(std::string_view language, std::string_view text, int depth) {
  const std::optional<size_t> index = LanguageIndex(language);
  if (!index || *index == 0 || text.empty()) return std::string(text);
  // The most particular template that matches: the one with the most literal text, so that
  // "%1 has been kicked %2." wins over a bare "%1." should both fit.
  const GameText* best = nullptr;
  size_t best_form = 0;
  size_t best_length = 0;
  std::array<std::string_view, 10> best_places{};
  for (size_t t = 0; t < std::size(kTexts); ++t) {
    const GameText& entry = kTexts[t];
    for (size_t form = 0; form < (entry.counted ? 2u : 1u); ++form) {
      const std::vector<Piece>& pieces = EnglishPieces()[t][form];
      const size_t length = LiteralLength(pieces);
      if (length <= best_length) continue;
      std::array<std::string_view, 10> places{};
      int steps = kMatchSteps;
      if (!Match(pieces, 0, text, places, steps)) continue;
      best = &entry;
      best_form = form;
      best_length = length;
      best_places = places;
    }
  }
  if (best == nullptr) return std::string(text);
  // What the room put in a place may be one of its texts too ("No room was made: %1").
  std::array<std::string, 9> args;
  for (size_t i = 0; i < args.size(); ++i) {
    args[i] = std::string(best_places[i + 1]);
    if (depth == 0 && args[i].size() > 8) args[i] = Translated(language, args[i], depth + 1);
  }
  const auto count = static_cast<int64_t>(protocol::LeadingNumber(best_places[0]));
  const size_t form = best->counted ? FormFor(language, count) : best_form;
  return protocol::Fill(
      Form(best, language, form, best->source),
      {args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7], args[8]},
      best_places[0]);
}

}  // namespace

std::string TranslatedIn(std::string_view language, std::string_view text) {
  return Translated(language, text, 0);
}

}  // namespace protocol
