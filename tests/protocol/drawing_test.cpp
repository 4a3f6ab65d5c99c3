// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace protocol {
namespace {

using Fields = std::array<double, 4>;

TEST(DrawCodes, WordsFieldsAndTheRelaysSenderInFrontExceptForClear) {
  for (size_t i = 0; i < kDrawCodeCount; ++i) {
    EXPECT_EQ(DrawCodeFromWord(DrawCodeWord(DrawCode(i))), DrawCode(i));
  }
  EXPECT_EQ(DrawCodeWord(DrawCode::CC), "CC");
  EXPECT_FALSE(DrawCodeFromWord("SAY") || DrawCodeFromWord("cl"));
  EXPECT_TRUE(RelayIncludesSender(DrawCode::CL) && !RelayIncludesSender(DrawCode::FH));
  // The sender joins its fields, or sends a dash when the code has none.
  EXPECT_EQ(BuildDrawData({DrawCode::ER, {120, 45}}), Wire("120|45"));
  EXPECT_EQ(BuildDrawData({DrawCode::CL, {}}), "-");
  EXPECT_EQ(BuildDrawData({DrawCode::FH, {-5, 3, 600, 2.5}}), Wire("-5|3|600|2.5"));
  EXPECT_EQ(RelayDrawData(DrawCode::ER, 7, Wire("120|45")), Wire("7|120|45"));
  EXPECT_EQ(RelayDrawData(DrawCode::UN, 100000, Wire("x|y")), Wire("100000|-"));
  EXPECT_EQ(RelayDrawData(DrawCode::CL, 100000, "junk"), "-");
  std::string framed = "what was there before";
  for (const DrawCode code : {DrawCode::ER, DrawCode::CU, DrawCode::CL}) {
    FrameRelayedDrawing(framed, code, -7, Wire("1|2"));
    EXPECT_EQ(framed, Frame(DrawCodeWord(code), RelayDrawData(code, -7, Wire("1|2"))));
  }
  // The receiver reads missing or bad fields as zero.
  EXPECT_EQ(ParseRelayedDrawData(DrawCode::FH, Wire("7|1|2|3|4")).fields, (Fields{1, 2, 3, 4}));
  EXPECT_EQ(ParseRelayedDrawData(DrawCode::LI, Wire("7|1|x9")).fields, (Fields{1, 0, 0, 0}));
  EXPECT_EQ(ParseRelayedDrawData(DrawCode::CL, "-").code, DrawCode::CL);
}

TEST(DrawCodes, ColoursSplitAndJoinWithRedInTheLowByte) {
  const auto c = SplitColour(0x123456);
  EXPECT_EQ((Fields{double(c.red), double(c.green), double(c.blue), 0}),
            (Fields{0x56, 0x34, 0x12, 0}));
  EXPECT_EQ(JoinColour(c.red, c.green, c.blue), 0x123456u);
  EXPECT_EQ(JoinColour(-4, 999, 0), 255u * 256u);  // components are held within 0-255
}

}  // namespace
}  // namespace protocol
