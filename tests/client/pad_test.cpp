// SPDX-License-Identifier: MIT
// The pad's raster engine and tools, pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>

#include "client/drawing/pad_tools.h"
#include "tests/support/pad_gestures.h"

namespace client {
namespace {

using protocol::DrawCode;
using testing_support::Artist;
using testing_support::Drag;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;

// The bounding box of all pixels that are not white.
QRect Footprint(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

int CountOf(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  }
  return count;
}

TEST(PadEngine, ShapesCoverExactlyTheirPixels) {
  struct Case {
    const char* name;
    char shape;  // Line, Box or Ellipse
    int width;
    double x1, y1, x2, y2;
    QRect footprint;  // left, top, width, height
  };
  // clang-format off
  for (const Case& c : {
      Case{"a line has round ends and its width", 'L', 2, 10, 10, 50, 10, {9, 9, 42, 2}},
      Case{"a dot is the round end alone", 'L', 8, 100, 100, 100, 100, {96, 96, 8, 8}},
      Case{"a box is inclusive", 'B', 1, 10, 10, 20, 15, {10, 10, 11, 6}},
      Case{"a flat ellipse is a line", 'E', 1, 10, 50, 60, 50, {10, 50, 51, 1}},
      Case{"an ellipse with no width is nothing", 'E', 2, 30, 10, 30, 90, {}},
      Case{"an ellipse", 'E', 1, 100, 100, 140, 120, {100, 100, 41, 21}}}) {
    // clang-format on
    SCOPED_TRACE(c.name);
    PadEngine pad;
    pad.SetPenWidth(c.width);
    if (c.shape == 'L') pad.Line(c.x1, c.y1, c.x2, c.y2);
    if (c.shape == 'B') pad.Box(c.x1, c.y1, c.x2, c.y2);
    if (c.shape == 'E') pad.Ellipse(c.x1, c.y1, c.x2, c.y2, false);
    EXPECT_EQ(Footprint(pad.picture()), c.footprint);
  }
  // The spray stays within ten pixels left and above and nine right and below.
  PadEngine pad;
  for (uint64_t seed = 0; seed < 500; ++seed) pad.SprayBurst(100, 100, seed);
  EXPECT_EQ(Footprint(pad.picture()), QRect(QPoint(90, 90), QPoint(109, 109)));
}

TEST(PadEngine, FillsEraseAndFloodMatchColoursExactly) {
  PadEngine pad;
  pad.SetPenWidth(1);
  pad.Box(10, 10, 30, 30);
  pad.SetFillMode(PadEngine::FillMode::kSolid);
  pad.SetFillColour(Qt::red);
  pad.Box(50, 10, 60, 20);  // solid: the pen's edge round the fill
  EXPECT_EQ(CountOf(pad.picture(), QColor(Qt::red).rgb()), 9 * 9);
  pad.SetFillMode(PadEngine::FillMode::kTransparent);
  pad.SetPenColour(QColor(254, 255, 255));  // nearly white, but not white
  pad.Line(40, 0, 40, PadEngine::kHeight);
  pad.SetPenColour(Qt::green);
  pad.FloodFill(20, 20);  // inside the box only
  EXPECT_EQ(CountOf(pad.picture(), QColor(Qt::green).rgb()), 19 * 19);
  EXPECT_EQ(pad.fill_mode(), PadEngine::FillMode::kSolid);
  pad.SetPenColour(Qt::blue);
  pad.FloodFill(100, 100);  // right of the near-white wall only, up to the red box's edge
  const int wall = CountOf(pad.picture(), QColor(254, 255, 255).rgb());
  EXPECT_EQ(CountOf(pad.picture(), QColor(Qt::blue).rgb()) + 11 * 11,
            (PadEngine::kWidth - 40) * PadEngine::kHeight - wall);
  pad.FloodFill(-5, 1e9);  // outside the pad: nothing

  // The erase disc is white and leaves the fill colour white.
  pad.SetFillMode(PadEngine::FillMode::kSolid);
  pad.SetPenColour(Qt::black);
  pad.SetFillColour(Qt::black);
  pad.Box(100, 100, 200, 200);
  pad.SetFillMode(PadEngine::FillMode::kTransparent);
  pad.EraseDisc(150, 150);
  EXPECT_EQ(pad.picture().pixel(159, 150), kWhite);
  EXPECT_EQ(pad.picture().pixel(164, 150), kBlackPixel);
  EXPECT_EQ(pad.fill_colour(), QColor(Qt::white));
  EXPECT_EQ(pad.fill_mode(), PadEngine::FillMode::kTransparent);
}

TEST(PadTools, EachGestureSendsItsCodesAndDrawsItsPixels) {
  struct Case {
    const char* name;
    Tool tool;
    int button;
    QPointF from, to;  // the same: a click with no move
    const char* sent;
    QRect footprint;  // left, top, width, height
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
    if (c.to != c.from) a.tools.Move(c.button, c.to);
    a.tools.Release(c.button, c.to);
    EXPECT_EQ(a.Sent(), c.sent);
    EXPECT_EQ(Footprint(a.tools.engine().picture()), c.footprint);
  }
}

TEST(PadTools, StrokesStartWhereTheButtonWentDownAndUndoTwiceGivesTheSamePicture) {
  Artist a;
  Drag(a.tools, kLeftButton, QPointF(10, 10), QPointF(300, 200));
  const QImage first = a.tools.engine().picture();
  a.Sent();
  // A pen or a touch screen presses with no move before: no line from the last stroke's end.
  a.tools.Press(kLeftButton, QPointF(20, 30));
  a.tools.Move(kLeftButton, QPointF(40, 30));
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(a.tools.engine().picture(), first);
  a.tools.ClickTool(Tool::kUndo);
  a.tools.RestoreState(a.tools.SaveState());
  EXPECT_EQ(a.tools.engine().view(), first);  // the view still shows the pad's own pixels
  EXPECT_EQ(a.Sent(), "CU -, FH 20|30|20|30, FH 20|30|40|30, UN -, UN -");
}

TEST(PadTools, ClearNeedsASecondPressWithinTwoSecondsAndUndoesOnlyWhileAlone) {
  Artist a;
  int changes = 0;
  a.tools.AddOnChanged([&changes] { ++changes; });
  Drag(a.tools, kLeftButton, QPointF(10, 10), QPointF(60, 60));
  const QImage drawing = a.tools.engine().picture();
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
  EXPECT_TRUE(a.tools.clear_message_shown() && a.tools.engine().picture() == drawing);
  a.clock.Advance(PadTools::kClearConfirmMs - 1);
  a.tools.ClickTool(Tool::kClear);
  EXPECT_FALSE(a.tools.clear_message_shown());
  EXPECT_TRUE(Footprint(a.tools.engine().picture()).isNull());
  EXPECT_EQ(a.Sent(), "CL -");
  a.clock.Advance(PadTools::kClearConfirmMs);
  EXPECT_FALSE(a.tools.clear_message_shown());  // nothing left running to ask again
  // Alone, undo brings the drawing back.
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(a.tools.engine().picture(), drawing);

  // Connected, the server's echo of the clear takes a new undo point of the cleared pad.
  a.tools.ClickTool(Tool::kClear);
  a.tools.ClickTool(Tool::kClear);
  a.tools.Replay({DrawCode::CL, {}});
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_TRUE(Footprint(a.tools.engine().picture()).isNull());
}

TEST(Replay, EveryPadDrawsTheArtistsSprayDots) {
  Artist a;
  a.tools.ClickTool(Tool::kSpray);
  Drag(a.tools, kLeftButton, QPointF(100, 100), QPointF(100, 100));
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  viewer.Replay({DrawCode::CU, {}});  // an earlier stroke the artist's pad never saw
  viewer.Replay({DrawCode::SP, {300, 200}});
  viewer.Replay({DrawCode::UN, {}});
  for (const protocol::Message& m : a.sent) {
    viewer.Replay(protocol::ParseDrawData(*protocol::DrawCodeFromWord(m.command), m.data));
  }
  EXPECT_EQ(viewer.engine().picture(), a.tools.engine().picture());
}

TEST(Replay, BadFieldsAreHeldToWhatThePadCanShowAndFillAndWidthFollowTheirCodes) {
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  const double huge = 1e9;
  std::string widths;
  for (const double width : {1e6, 0.0, 4.0}) {
    viewer.Replay({DrawCode::DW, {3, width}});
    widths += std::to_string(viewer.engine().pen_width()) + " ";
  }
  EXPECT_EQ(widths, std::to_string(PadEngine::kMaxPenWidth) + " 1 4 ");
  EXPECT_EQ(viewer.brush(), -1);
  for (const DrawCode code : {DrawCode::FH, DrawCode::BO, DrawCode::CI}) {
    viewer.Replay({code, {-huge, -huge, huge, huge}});
  }
  viewer.Replay({DrawCode::LI, {huge, 0, -huge, 5}});
  viewer.Replay({DrawCode::SP, {huge, huge}});
  viewer.Replay({DrawCode::ER, {-huge, huge}});
  viewer.Replay({DrawCode::FL, {huge, -huge}});
  const QColor before = viewer.colour();
  viewer.Replay({DrawCode::PA, {24}});
  viewer.Replay({DrawCode::PA, {-1}});
  EXPECT_EQ(viewer.colour(), before);
  viewer.Replay({DrawCode::CC, {300, -20, 128}});
  EXPECT_EQ(viewer.colour(), QColor(255, 0, 128));
  // The diagonal line crossed the pad: its pixels are on the diagonal.
  EXPECT_EQ(viewer.engine().picture().pixel(100, 100), kBlackPixel);

  viewer.Replay({DrawCode::FT, {1}});
  EXPECT_FALSE(viewer.fill_solid());
  // An eraser stroke, then a solid box: the box takes the current colour, not white.
  viewer.Replay({DrawCode::FT, {0}});
  viewer.Replay({DrawCode::ER, {50, 50}});
  viewer.Replay({DrawCode::BO, {100, 100, 120, 120}});
  EXPECT_EQ(viewer.engine().picture().pixel(110, 110), QColor(255, 0, 128).rgb());
}

}  // namespace
}  // namespace client
