// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers travel and are stored as decimal text and are read leniently, so that a field which
// is not a number reads as 0 instead of failing.
namespace protocol {

// The leading number of the text: blanks (space, tab, CR, LF) are skipped, then an optional
// sign, digits, "." and digits, and an optional exponent. Text that does not start with a
// number reads as 0. Results beyond the range of a double saturate; the value is never NaN.
double LeadingNumber(std::string_view text);

// Rounds half to even and saturates at the 32-bit range, as an integer conversion of a received
// number does.
int32_t RoundToInt32(double value);

// LeadingNumber, then RoundToInt32.
int32_t LeadingInt32(std::string_view text);

// The value of text that is 1 to max_digits decimal digits and nothing else (no sign, blank,
// point or exponent), or nothing: for the few fields a player types that must be exact.
// max_digits is at most 9, so that the value always fits.
std::optional<int32_t> Digits(std::string_view text, size_t max_digits);

// The shortest decimal text of a number: "0", "1", "23", "2.5", "-10".
std::string NumberText(double value);

// Digit grouping with "," every three digits of the integer part ("12,345", "0").
std::string GroupedNumber(double value);

}  // namespace protocol
