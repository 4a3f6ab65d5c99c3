// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace protocol {

// A game's own words, typed into the set-up: the room takes at most this many, each spelling
// at most this long (a longer one is dropped, not cut: a cut word is a wrong word).
inline constexpr size_t kMaxCustomWords = 500;
inline constexpr size_t kMaxCustomSpelling = 30;
inline constexpr size_t kMaxCustomSpellings = 4;

// The words of typed text: separated by commas, line ends or code 4, alternative spellings
// joined by "|" ("café|cafe"). Control characters go and spaces around a spelling are trimmed;
// empty spellings, entries with a spelling too long or too many spellings, and repeats (by
// LowerCase) are passed over; at most kMaxCustomWords, in the order typed. Both the set-up and
// the room clean with it: the room because the field comes from a peer, the set-up to show
// what the room will take.
std::vector<std::string> CustomWords(std::string_view text);

}  // namespace protocol
