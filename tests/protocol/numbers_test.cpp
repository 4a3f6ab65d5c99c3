// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <utility>

#include "protocol/numbers.h"
#include "protocol/text.h"
#include "protocol/version_text.h"

namespace protocol {
namespace {

// The one case rule of 8-bit text: INI sections and keys, nicknames, guesses, room searches.
TEST(LowerCase, FoldsTheWindows1252CapitalsAndNothingElse) {
  // ASCII, À É Þ, Š Œ Ž and Ÿ; then × ÷ ß µ and ASCII's neighbours, which have no small letter.
  const std::string capitals = "AZ\xC0\xC9\xDE\x8A\x8C\x8E\x9F", others = "\xD7\xF7\xDF\xB5@[`{";
  const std::string lower = "az\xE0\xE9\xFE\x9A\x9C\x9E\xFF" + others;
  EXPECT_EQ(LowerCase(capitals + others), lower);
  EXPECT_EQ(LowerCase(lower), lower);
  EXPECT_TRUE(EqualsIgnoreCase(capitals + others, lower));
  // × and ÷ sit 0x20 apart, yet are no pair.
  EXPECT_FALSE(EqualsIgnoreCase("\xD7", "\xF7") || EqualsIgnoreCase("a", "aa"));
}

// What the page's JavaScript strings become on the wire, and the reverse.
TEST(Utf8, GoesToWindows1252AndBackWithQuestionMarksForTheRest) {
  using Row = std::pair<const char*, const char*>;
  for (const auto& [utf8, wire] :
       {Row{"a\xC3\xA9\xC3\xBF", "a\xE9\xFF"}, Row{"\xE2\x82\xAC\xC5\xB8", "\x80\x9F"},
        Row{"\xC2\x81", "\x81"}, Row{"\xE2\x98\x83\xF0\x9F\x98\x80", "??"},
        // Cut, overlong and surrogate forms: one "?" for each byte.
        Row{"\xE2\x82", "??"}, Row{"\xC0\xAF", "??"}, Row{"\xED\xA0\x80", "???"}}) {
    EXPECT_EQ(Cp1252FromUtf8(utf8), wire) << utf8;
  }
  std::string every_byte;
  for (int byte = 1; byte < 256; ++byte) every_byte.push_back(static_cast<char>(byte));
  EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(every_byte)), every_byte);
  // Every letter German, French and Spanish players type gets through, one byte each; what the
  // code page lacks is one "?" per character, and the page names those to the one who typed them.
  const std::string letters = "äöüÄÖÜß àâæçéèêëîïôœùûüÿ ÀÂÆÇÉÈÊËÎÏÔŒÙÛÜŸ áéíóúñü¿¡ ÁÉÍÓÚÑÜ";
  std::string lost;
  EXPECT_EQ(Cp1252FromUtf8(letters, &lost).size(), 59u);
  EXPECT_EQ(Utf8FromCp1252(Cp1252FromUtf8(letters)), letters);
  EXPECT_EQ(Utf8FromCp1252(Cp1252FromUtf8("Łódź ő? 😀中\xFF", &lost)), "?ód? ?? ???");
  EXPECT_EQ(lost, "Łźő😀中\xEF\xBF\xBD");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartZeroForTextAndSaturates) {
  using Row = std::pair<const char*, double>;
  for (const auto& [text, value] :
       {Row{"12abc", 12},        Row{"  7", 7},    Row{"\t\r\n9 9", 9}, Row{"099410", 99410},
        Row{"abc", 0},           Row{"", 0},       Row{"-", 0},         Row{".", 0},
        Row{"-3.5x", -3.5},      Row{"+4", 4},     Row{".5", 0.5},      Row{"2.5", 2.5},
        Row{"1e3", 1000},        Row{"1e", 1},     Row{"1e+", 1},       Row{"1e999", DBL_MAX},
        Row{"-1e999", -DBL_MAX}, Row{"1e-999", 0}, Row{"nan", 0},       Row{"inf", 0}}) {
    EXPECT_EQ(LeadingNumber(text), value) << text;
  }
  EXPECT_EQ(LeadingNumber(std::string(5000, '9')), DBL_MAX);
}

TEST(Integers, RoundHalfToEvenAndSaturateAndDigitsAreOnlyPlainDigitsWithinTheirCount) {
  using Row = std::pair<double, int32_t>;
  for (const auto& [value, rounded] : {Row{2.5, 2}, Row{3.5, 4}, Row{-2.5, -2}, Row{2.6, 3},
                                       Row{1e20, INT32_MAX}, Row{-1e20, INT32_MIN}, Row{NAN, 0}}) {
    EXPECT_EQ(RoundToInt32(value), rounded) << value;
  }
  EXPECT_EQ(LeadingInt32("1099511627776"), INT32_MAX);  // 2^40
  EXPECT_EQ(Digits("0042", 5), 42);
  EXPECT_EQ(Digits("999999999", 12), 999999999);  // never more than nine digits
  for (const char* text :
       {"", " 1", "1 ", "-1", "+1", "1.0", "1e3", "12345", "abc", "1234567890"}) {
    EXPECT_FALSE(Digits(text, 4).has_value()) << text;
  }
}

TEST(NumberText, WritesPlainDecimalGroupsThousandsAndPadsVersionDigitsAsTheyAreCompared) {
  using Row = std::pair<double, const char*>;
  for (const auto& [value, text] : {Row{0, "0"}, Row{-0.0, "0"}, Row{23, "23"}, Row{-10, "-10"},
                                    Row{1000000, "1000000"}, Row{2.5, "2.5"}, Row{0.1, "0.1"}}) {
    EXPECT_EQ(NumberText(value), text);
  }
  EXPECT_EQ(NumberText(static_cast<float>(23)), "23");
  for (const auto& [value, text] :
       {Row{0, "0"}, Row{999, "999"}, Row{1000, "1,000"}, Row{12345678, "12,345,678"},
        Row{-1234, "-1,234"}, Row{1e15, "1,000,000,000,000,000"}}) {
    EXPECT_EQ(GroupedNumber(value), text);
  }
  EXPECT_EQ(ClientVersionText(0, 99, 410) + " " + ClientVersionText(1, 0, 1) + " " +
                ServerVersionText(0, 99) + " " + MainVersionText(0, 99, 410),
            "099410 100001 099 0.99.0410");
}

}  // namespace
}  // namespace protocol
