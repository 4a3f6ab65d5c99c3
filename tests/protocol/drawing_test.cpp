// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace protocol {
namespace {

TEST(DrawCodes, EveryCodeHasItsWordAndBack) {
  const std::vector<std::string> words = {"CU", "FH", "ER", "SP", "LI", "CI", "BO",
                                          "FL", "UN", "CL", "FT", "DW", "PA", "CC"};
  ASSERT_EQ(words.size(), kDrawCodeCount);
  for (size_t i = 0; i < words.size(); ++i) {
    const auto code = DrawCodeFromWord(words[i]);
    ASSERT_TRUE(code.has_value()) << words[i];
    EXPECT_EQ(DrawCodeWord(*code), words[i]);
  }
  EXPECT_FALSE(DrawCodeFromWord("SAY").has_value());
  EXPECT_FALSE(DrawCodeFromWord("cl").has_value());
}

TEST(DrawCodes, SenderJoinsItsFieldsOrSendsADash) {
  EXPECT_EQ(BuildDrawData({DrawCode::ER, {120, 45}}), Wire("120|45"));
  EXPECT_EQ(BuildDrawData({DrawCode::CU, {}}), "-");
  EXPECT_EQ(BuildDrawData({DrawCode::CL, {}}), "-");
  EXPECT_EQ(BuildDrawData({DrawCode::BO, {10, 20, 9, 19}}), Wire("10|20|9|19"));
  EXPECT_EQ(BuildDrawData({DrawCode::FH, {-5, 3, 600, 2.5}}), Wire("-5|3|600|2.5"));
  const auto red = SplitColour(255);
  EXPECT_EQ(BuildDrawData({DrawCode::CC, {double(red.red), double(red.green), double(red.blue)}}),
            Wire("255|0|0"));
}

TEST(DrawCodes, RelayPutsTheSenderInFrontExceptForClear) {
  EXPECT_EQ(RelayDrawData(DrawCode::ER, 7, Wire("120|45")), Wire("7|120|45"));
  EXPECT_EQ(RelayDrawData(DrawCode::CU, 100000, "whatever"), Wire("100000|-"));
  EXPECT_EQ(RelayDrawData(DrawCode::UN, 100000, Wire("x|y")), Wire("100000|-"));
  EXPECT_EQ(RelayDrawData(DrawCode::CL, 100000, "junk"), "-");
  std::string framed = "what was there before";
  for (const DrawCode code : {DrawCode::ER, DrawCode::CU, DrawCode::CL}) {
    FrameRelayedDrawing(framed, code, -7, Wire("1|2"));
    EXPECT_EQ(framed, Frame(DrawCodeWord(code), RelayDrawData(code, -7, Wire("1|2"))));
  }
  EXPECT_TRUE(RelayIncludesSender(DrawCode::CL));
  EXPECT_FALSE(RelayIncludesSender(DrawCode::FH));
}

TEST(DrawCodes, ReceiverReadsMissingOrBadFieldsAsZero) {
  const DrawCommand full = ParseRelayedDrawData(DrawCode::FH, Wire("7|1|2|3|4"));
  EXPECT_EQ(full.fields, (std::array<double, 4>{1, 2, 3, 4}));
  const DrawCommand shorter = ParseRelayedDrawData(DrawCode::LI, Wire("7|1|x9"));
  EXPECT_EQ(shorter.fields, (std::array<double, 4>{1, 0, 0, 0}));
  const DrawCommand nothing = ParseRelayedDrawData(DrawCode::CC, "");
  EXPECT_EQ(nothing.fields, (std::array<double, 4>{0, 0, 0, 0}));
  const DrawCommand clear = ParseRelayedDrawData(DrawCode::CL, "-");
  EXPECT_EQ(clear.code, DrawCode::CL);
}

TEST(DrawCodes, ColoursSplitAndJoinWithRedInTheLowByte) {
  const auto c = SplitColour(0x123456);
  EXPECT_EQ(c.red, 0x56);
  EXPECT_EQ(c.green, 0x34);
  EXPECT_EQ(c.blue, 0x12);
  EXPECT_EQ(JoinColour(c.red, c.green, c.blue), 0x123456u);
  EXPECT_EQ(JoinColour(255, 0, 0), 255u);
  EXPECT_EQ(JoinColour(-4, 999, 0), 255u * 256u);  // components are held within 0-255
}

}  // namespace
}  // namespace protocol
