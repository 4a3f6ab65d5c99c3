// SPDX-License-Identifier: MIT
#include "protocol/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace protocol {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t begin = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when digits follow it ("1e" is just 1).
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  std::string_view number = text.substr(begin, i - begin);
#if defined(__EMSCRIPTEN__)
  // WebAssembly's C++ library has no from_chars for doubles; strtod reads the same text there,
  // where the locale is always "C" (natively a program's locale could make it read "1,5").
  const std::string copy(number);
  double read = std::strtod(copy.c_str(), nullptr);
  if (std::isinf(read)) read = std::numeric_limits<double>::max();  // as from_chars' overflow
  return negative ? -read : read;
#else
  if (!number.empty() && number.front() == '.') {
    // from_chars wants a digit first; ".5" means 0.5.
    std::string padded = "0";
    padded.append(number);
    double value = 0.0;
    std::from_chars(padded.data(), padded.data() + padded.size(), value);
    return negative ? -value : value;
  }
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Either far too large or far too small: tell them apart by the exponent's sign.
    const bool tiny =
        number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::max();
  }
  return negative ? -value : value;
#endif
}

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // the default mode rounds half to even
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(rounded);
}

std::optional<int32_t> Digits(std::string_view text, size_t max_digits) {
  if (text.empty() || text.size() > std::min<size_t>(max_digits, 9)) return std::nullopt;
  int32_t value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

int32_t LeadingInt32(std::string_view text) {
  return RoundToInt32(LeadingNumber(text));
}

std::string NumberText(double value) {
  if (std::isnan(value)) return "0";
  if (value == 0.0) return "0";  // also turns -0 into "0"
  char buffer[400];
  // Whole numbers are written out in full: the shortest form alone would turn 1000000 into
  // "1e+06", which a reader of decimal text does not expect.
  const bool whole = std::trunc(value) == value && std::fabs(value) < 1e17;
#if defined(__EMSCRIPTEN__)
  // Without to_chars for doubles: the shortest precision that reads back as the same number,
  // which is what to_chars writes (the locale is always "C" there).
  if (whole)
    return std::string(buffer,
                       static_cast<size_t>(std::snprintf(buffer, sizeof buffer, "%.0f", value)));
  for (int precision = 1; precision <= 17; ++precision) {
    const int n = std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value || precision == 17) {
      return std::string(buffer, static_cast<size_t>(n));
    }
  }
  return std::string(buffer);
#else
  const auto result =
      whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
#endif
}

std::string GroupedNumber(double value) {
  if (!std::isfinite(value)) return NumberText(value);
  const double whole = std::trunc(value);
  std::string digits = NumberText(std::fabs(whole));
  if (digits.find_first_not_of("0123456789") != std::string::npos) return NumberText(value);
  std::string out;
  const size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits, 0, lead);
  for (size_t i = lead; i < digits.size(); i += 3) {
    out.push_back(',');
    out.append(digits, i, 3);
  }
  return whole < 0 ? "-" + out : out;
}

}  // namespace protocol
