// SPDX-License-Identifier: MIT
// The pad's tools: the codes each gesture sends and the pixels it draws, and the replay.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "client/pad/pad_tools.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/raster_scenes.h"

namespace client {
namespace {

using drawing::PixelHash;
using protocol::DrawCode;
using testing_support::Artist;
using testing_support::Drag;
using testing_support::Footprint;

constexpr uint32_t kBlackPixel = 0xFF000000;
constexpr std::array<int, 4> kBlank = {};

TEST(PadTools, EachGestureSendsItsCodesAndDrawsItsPixels) {
  struct Case {
    const char* name;
    Tool tool;
    int button;
    PadPoint from, to;  // the same: a click with no move
    const char* sent;
    std::array<int, 4> footprint;  // left, top, width, height
  };
  // clang-format off
  for (const Case& c : {
      Case{"a box released without movement is sent one smaller", Tool::kBox, kLeftButton,
           {40, 50}, {40, 50}, "CU -, BO 40|50|39|49", {38, 48, 3, 3}},
      Case{"the middle button draws a line with any tool", Tool::kSpray, kMiddleButton,
           {10, 20}, {80, 20}, "CU -, LI 10|20|80|20", {9, 19, 72, 2}},
      Case{"a circle dragged straight down draws nothing but is sent", Tool::kCircle, kLeftButton,
           {50, 50}, {50, 90}, "CU -, CI 50|50|50|90", {}},
      Case{"the right button erases quickly, with no undo point", Tool::kFreehand, kRightButton,
           {30, 30}, {35, 30}, "ER 30|30, ER 35|30", {}},
      Case{"the eraser tool ignores the right button", Tool::kEraser, kRightButton,
           {30, 30}, {35, 30}, "", {}}}) {
    // clang-format on
    SCOPED_TRACE(c.name);
    Artist a;
    a.tools.ClickTool(c.tool);
    a.tools.Press(c.button, c.from);
    if (c.to.x != c.from.x || c.to.y != c.from.y) a.tools.Move(c.button, c.to);
    a.tools.Release(c.button, c.to);
    EXPECT_EQ(a.Sent(), c.sent);
    EXPECT_EQ(Footprint(a.tools.raster()), c.footprint);
  }
}

TEST(PadTools, StrokesStartWhereTheButtonWentDownAndUndoTwiceGivesTheSamePicture) {
  Artist a;
  Drag(a.tools, kLeftButton, {10, 10}, {300, 200});
  const uint64_t first = PixelHash(a.tools.raster());
  a.Sent();
  // A pen or a touch screen presses with no move before: no line from the last stroke's end.
  a.tools.Press(kLeftButton, {20, 30});
  a.tools.Move(kLeftButton, {40, 30});
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(PixelHash(a.tools.raster()), first);
  a.tools.ClickTool(Tool::kUndo);
  a.tools.RestoreState(a.tools.SaveState());
  EXPECT_EQ(PixelHash(a.tools.raster()), first);
  EXPECT_EQ(a.Sent(), "CU -, FH 20|30|20|30, FH 20|30|40|30, UN -, UN -");
}

TEST(PadTools, ClearNeedsASecondPressWithinTwoSecondsAndUndoesOnlyWhileAlone) {
  Artist a;
  int changes = 0;
  a.tools.AddOnChanged([&changes] { ++changes; });
  Drag(a.tools, kLeftButton, {10, 10}, {60, 60});
  const uint64_t drawing = PixelHash(a.tools.raster());
  a.Sent();
  a.tools.ClickTool(Tool::kClear);
  a.clock.Advance(PadTools::kClearConfirmMs - 1);
  EXPECT_TRUE(a.tools.clear_message_shown());
  changes = 0;
  a.clock.Advance(1);
  EXPECT_FALSE(a.tools.clear_message_shown());
  EXPECT_EQ(changes, 1);  // the pad is told to take the message down
  // Too late: this press only asks again, and the drawing stays.
  a.tools.ClickTool(Tool::kClear);
  EXPECT_TRUE(a.tools.clear_message_shown() && PixelHash(a.tools.raster()) == drawing);
  a.clock.Advance(PadTools::kClearConfirmMs - 1);
  a.tools.ClickTool(Tool::kClear);
  EXPECT_FALSE(a.tools.clear_message_shown());
  EXPECT_EQ(Footprint(a.tools.raster()), kBlank);
  EXPECT_EQ(a.Sent(), "CL -");
  a.clock.Advance(PadTools::kClearConfirmMs);
  EXPECT_FALSE(a.tools.clear_message_shown());  // nothing left running to ask again
  // Alone, undo brings the drawing back.
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(PixelHash(a.tools.raster()), drawing);

  // Connected, the server's echo of the clear takes a new undo point of the cleared pad.
  a.tools.ClickTool(Tool::kClear);
  a.tools.ClickTool(Tool::kClear);
  a.tools.Replay({DrawCode::CL, {}});
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(Footprint(a.tools.raster()), kBlank);
}

TEST(Replay, EveryPadDrawsTheArtistsSprayDots) {
  Artist a;
  a.tools.ClickTool(Tool::kSpray);
  Drag(a.tools, kLeftButton, {100, 100}, {100, 100});
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  viewer.Replay({DrawCode::CU, {}});  // an earlier stroke the artist's pad never saw
  viewer.Replay({DrawCode::SP, {300, 200}});
  viewer.Replay({DrawCode::UN, {}});
  for (const protocol::Message& m : a.sent) {
    viewer.Replay(protocol::ParseDrawData(*protocol::DrawCodeFromWord(m.command), m.data));
  }
  EXPECT_EQ(PixelHash(viewer.raster()), PixelHash(a.tools.raster()));
}

TEST(Replay, BadFieldsAreHeldToWhatThePadCanShowAndFillAndWidthFollowTheirCodes) {
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  const double huge = 1e9;
  std::string widths;
  for (const double width : {1e6, 0.0, 4.0}) {
    viewer.Replay({DrawCode::DW, {3, width}});
    widths += std::to_string(viewer.raster().pen_width()) + " ";
  }
  EXPECT_EQ(widths, std::to_string(drawing::Raster::kMaxPenWidth) + " 1 4 ");
  EXPECT_EQ(viewer.brush(), -1);
  for (const DrawCode code : {DrawCode::FH, DrawCode::BO, DrawCode::CI}) {
    viewer.Replay({code, {-huge, -huge, huge, huge}});
  }
  viewer.Replay({DrawCode::LI, {huge, 0, -huge, 5}});
  viewer.Replay({DrawCode::SP, {huge, huge}});
  viewer.Replay({DrawCode::ER, {-huge, huge}});
  viewer.Replay({DrawCode::FL, {huge, -huge}});
  const PadColour before = viewer.colour();
  viewer.Replay({DrawCode::PA, {24}});
  viewer.Replay({DrawCode::PA, {-1}});
  EXPECT_EQ(viewer.colour(), before);
  viewer.Replay({DrawCode::CC, {300, -20, 128}});
  EXPECT_EQ(viewer.colour(), 0xFF0080u);
  // The diagonal line crossed the pad: its pixels are on the diagonal.
  EXPECT_EQ(viewer.raster().pixel(100, 100), kBlackPixel);

  viewer.Replay({DrawCode::FT, {1}});
  EXPECT_FALSE(viewer.fill_solid());
  // An eraser stroke, then a solid box: the box takes the current colour, not white.
  viewer.Replay({DrawCode::FT, {0}});
  viewer.Replay({DrawCode::ER, {50, 50}});
  viewer.Replay({DrawCode::BO, {100, 100, 120, 120}});
  EXPECT_EQ(viewer.raster().pixel(110, 110), 0xFFFF0080u);
}

}  // namespace
}  // namespace client
