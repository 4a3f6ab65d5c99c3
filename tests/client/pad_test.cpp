// SPDX-License-Identifier: MIT
// The pad's raster engine and tools, pixel by pixel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include "client/drawing/pad_tools.h"
#include "protocol/framing.h"
#include "tests/support/fake_transport.h"
#include "tests/support/manual_clock.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

using protocol::DrawCode;
using testing::ElementsAre;
using testing_support::Click;
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

// The artist's tools, with every code they send kept.
struct Artist : protocol::DrawSink {
  void SendDrawCommand(std::string_view command, std::string_view data) override {
    sent.push_back({std::string(command), std::string(data)});
  }
  std::vector<protocol::Message> sent;
  testing_support::ManualClock clock;
  PadTools tools{this, clock};
  std::vector<std::string> Commands() const { return testing_support::CommandsOf(sent); }
};

TEST(PadEngine, LinesHaveRoundEndsAndTheirWidth) {
  PadEngine pad;
  pad.SetPenWidth(2);
  pad.Line(10, 10, 50, 10);
  const QRect thin = Footprint(pad.picture());
  EXPECT_GE(thin.left(), 8);
  EXPECT_LE(thin.right(), 52);
  EXPECT_LE(thin.height(), 3);
  EXPECT_EQ(pad.picture().pixel(30, 10), kBlackPixel);

  PadEngine wide;
  wide.SetPenWidth(8);
  wide.Line(100, 100, 100, 100);  // a dot: the round end alone
  const QRect dot = Footprint(wide.picture());
  EXPECT_GE(dot.width(), 7);
  EXPECT_LE(dot.width(), 9);
  EXPECT_EQ(dot.width(), dot.height());
  // No antialiasing: nothing but the pen's colour and white.
  EXPECT_EQ(CountOf(wide.picture(), kBlackPixel) + CountOf(wide.picture(), kWhite),
            PadEngine::kWidth * PadEngine::kHeight);
}

TEST(PadEngine, BoxesAreInclusiveAndFilledOnlyWhenSolid) {
  PadEngine pad;
  pad.SetPenWidth(1);
  pad.Box(10, 10, 20, 15);
  EXPECT_EQ(Footprint(pad.picture()), QRect(QPoint(10, 10), QPoint(20, 15)));
  EXPECT_EQ(pad.picture().pixel(15, 12), kWhite);
  pad.SetFillMode(PadEngine::FillMode::kSolid);
  pad.SetFillColour(Qt::red);
  pad.Box(30, 30, 40, 40);
  EXPECT_EQ(pad.picture().pixel(35, 35), QColor(Qt::red).rgb());
  EXPECT_EQ(pad.picture().pixel(30, 30), kBlackPixel);
}

TEST(PadTools, ABoxReleasedWithoutMovementIsSentOneSmaller) {
  Artist a;
  a.tools.ClickTool(Tool::kBox);
  Click(a.tools, kLeftButton, QPointF(40, 50));
  ASSERT_EQ(a.sent.size(), 2u);
  EXPECT_EQ(a.sent[0].command, "CU");
  EXPECT_EQ(a.sent[1].command, "BO");
  EXPECT_EQ(a.sent[1].data, Wire("40|50|39|49"));
  EXPECT_TRUE(Footprint(a.tools.engine().picture()).contains(QPoint(39, 49)));
}

TEST(PadEngine, FlatAndEmptyEllipses) {
  PadEngine flat;
  flat.SetPenWidth(1);
  flat.Ellipse(10, 50, 60, 50, false);
  const QRect line = Footprint(flat.picture());
  EXPECT_EQ(line.height(), 1);
  EXPECT_EQ(line.left(), 10);
  EXPECT_EQ(line.right(), 60);

  PadEngine empty;
  empty.Ellipse(30, 10, 30, 90, false);
  EXPECT_TRUE(Footprint(empty.picture()).isNull());

  PadEngine round;
  round.SetPenWidth(1);
  round.Ellipse(100, 100, 140, 120, false);
  EXPECT_EQ(Footprint(round.picture()), QRect(QPoint(100, 100), QPoint(140, 120)));
}

TEST(PadEngine, FloodFillMatchesColoursExactly) {
  PadEngine pad;
  pad.SetPenWidth(1);
  pad.Box(10, 10, 30, 30);
  pad.SetPenColour(QColor(254, 255, 255));  // nearly white, but not white
  pad.Line(40, 0, 40, PadEngine::kHeight);
  pad.SetPenColour(Qt::red);
  pad.FloodFill(20, 20);
  EXPECT_EQ(pad.picture().pixel(20, 20), QColor(Qt::red).rgb());
  EXPECT_EQ(pad.picture().pixel(11, 11), QColor(Qt::red).rgb());
  EXPECT_EQ(pad.picture().pixel(10, 10), kBlackPixel);
  EXPECT_EQ(pad.picture().pixel(5, 5), kWhite);
  EXPECT_EQ(CountOf(pad.picture(), QColor(Qt::red).rgb()), 19 * 19);
  EXPECT_EQ(pad.fill_mode(), PadEngine::FillMode::kSolid);

  pad.SetPenColour(Qt::blue);
  pad.FloodFill(100, 100);  // right of the near-white wall only
  EXPECT_EQ(pad.picture().pixel(100, 100), QColor(Qt::blue).rgb());
  EXPECT_EQ(pad.picture().pixel(39, 100), kWhite);
  EXPECT_EQ(pad.picture().pixel(40, 100), QColor(254, 255, 255).rgb());
  pad.FloodFill(-5, 1e9);  // outside the pad: nothing
}

TEST(PadEngine, SprayStaysWithinTenPixelsLeftAndAboveAndNineRightAndBelow) {
  PadEngine pad;
  pad.SetPenWidth(2);  // dots one pixel thinner: single pixels
  Artist source;
  for (int i = 0; i < 500; ++i) pad.SprayBurst(100, 100, [&] { return source.tools.NextRandom(); });
  EXPECT_TRUE(QRect(QPoint(90, 90), QPoint(109, 109)).contains(Footprint(pad.picture())));
  EXPECT_EQ(Footprint(pad.picture()), QRect(QPoint(90, 90), QPoint(109, 109)));
}

TEST(PadEngine, TheEraseDiscIsWhiteAndLeavesTheFillColourWhite) {
  PadEngine pad;
  pad.SetFillMode(PadEngine::FillMode::kSolid);
  pad.Box(0, 0, 100, 100);
  pad.SetFillMode(PadEngine::FillMode::kTransparent);
  pad.EraseDisc(50, 50);
  EXPECT_EQ(pad.picture().pixel(50, 50), kWhite);
  EXPECT_EQ(pad.picture().pixel(59, 50), kWhite);
  EXPECT_EQ(pad.picture().pixel(64, 50), kBlackPixel);
  EXPECT_EQ(pad.fill_colour(), QColor(Qt::white));
  EXPECT_EQ(pad.fill_mode(), PadEngine::FillMode::kTransparent);
}

TEST(PadTools, UndoTwiceGivesTheSamePicture) {
  Artist a;
  Drag(a.tools, kLeftButton, QPointF(10, 10), QPointF(60, 60));
  const QImage first = a.tools.engine().picture();
  a.tools.Press(kLeftButton, QPointF(100, 10));
  a.tools.Move(kLeftButton, QPointF(150, 60));
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(a.tools.engine().picture(), first);
  a.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(a.tools.engine().picture(), first);
  EXPECT_THAT(a.Commands(), ElementsAre("CU", "FH", "FH", "CU", "FH", "FH", "UN", "UN"));
}

TEST(PadTools, ClearNeedsTwoPressesAndUndoBringsTheDrawingBackOnlyWhileAlone) {
  Artist alone;
  alone.tools.Press(kLeftButton, QPointF(10, 10));
  alone.tools.Move(kLeftButton, QPointF(60, 60));
  const QImage drawing = alone.tools.engine().picture();
  alone.tools.ClickTool(Tool::kClear);
  EXPECT_TRUE(alone.tools.clear_message_shown());
  EXPECT_EQ(alone.tools.engine().picture(), drawing);
  alone.tools.ClickTool(Tool::kClear);
  EXPECT_FALSE(alone.tools.clear_message_shown());
  EXPECT_TRUE(Footprint(alone.tools.engine().picture()).isNull());
  alone.tools.ClickTool(Tool::kUndo);
  EXPECT_EQ(alone.tools.engine().picture(), drawing);

  // Connected, the server's echo of the clear takes a new undo point of the cleared pad.
  Artist connected;
  connected.tools.Press(kLeftButton, QPointF(10, 10));
  connected.tools.Move(kLeftButton, QPointF(60, 60));
  connected.tools.ClickTool(Tool::kClear);
  connected.tools.ClickTool(Tool::kClear);
  connected.tools.Replay({DrawCode::CL, {}});
  connected.tools.ClickTool(Tool::kUndo);
  EXPECT_TRUE(Footprint(connected.tools.engine().picture()).isNull());
}

TEST(PadTools, TheClearMessageWaitsTwoSecondsForTheSecondPress) {
  Artist a;
  int changes = 0;
  a.tools.AddOnChanged([&changes] { ++changes; });
  a.tools.Press(kLeftButton, QPointF(10, 10));
  a.tools.Move(kLeftButton, QPointF(60, 60));
  const QImage drawing = a.tools.engine().picture();
  a.sent.clear();

  a.tools.ClickTool(Tool::kClear);
  a.clock.Advance(PadTools::kClearConfirmMs - 1);
  EXPECT_TRUE(a.tools.clear_message_shown());
  changes = 0;
  a.clock.Advance(1);
  EXPECT_FALSE(a.tools.clear_message_shown());
  EXPECT_EQ(changes, 1);  // the pad is told to take the message down

  // Too late: this press only asks again, and the drawing stays.
  a.tools.ClickTool(Tool::kClear);
  EXPECT_TRUE(a.tools.clear_message_shown());
  EXPECT_EQ(a.tools.engine().picture(), drawing);
  EXPECT_TRUE(a.sent.empty());

  a.clock.Advance(PadTools::kClearConfirmMs - 1);
  a.tools.ClickTool(Tool::kClear);
  EXPECT_FALSE(a.tools.clear_message_shown());
  EXPECT_TRUE(Footprint(a.tools.engine().picture()).isNull());
  EXPECT_THAT(a.Commands(), ElementsAre("CL"));
  a.clock.Advance(PadTools::kClearConfirmMs);
  EXPECT_FALSE(a.tools.clear_message_shown());  // nothing left running to ask again
}

TEST(PadTools, QuickEraseHasNoUndoPointAndTheEraserToolIgnoresTheRightButton) {
  Artist a;
  Drag(a.tools, kRightButton, QPointF(30, 30), QPointF(35, 30));
  EXPECT_THAT(a.Commands(), ElementsAre("ER", "ER"));
  a.sent.clear();
  a.tools.ClickTool(Tool::kEraser);
  a.tools.Press(kRightButton, QPointF(30, 30));
  a.tools.Move(kRightButton, QPointF(35, 30));
  EXPECT_TRUE(a.sent.empty());
}

TEST(PadTools, AStrokeStartsWhereTheButtonWentDownWithoutAHoverBeforeIt) {
  Artist a;
  Drag(a.tools, kLeftButton, QPointF(10, 10), QPointF(300, 200));
  a.sent.clear();
  // A pen or a touch screen presses with no move before: no line from the last stroke's end.
  Drag(a.tools, kLeftButton, QPointF(20, 30), QPointF(40, 30));
  ASSERT_THAT(a.Commands(), ElementsAre("CU", "FH", "FH"));
  EXPECT_EQ(a.sent[1].data, Wire("20|30|20|30"));
}

TEST(PadTools, TheMiddleButtonDrawsALineWithAnyTool) {
  Artist a;
  a.tools.ClickTool(Tool::kSpray);
  Drag(a.tools, kMiddleButton, QPointF(10, 20), QPointF(80, 20));
  ASSERT_THAT(a.Commands(), ElementsAre("CU", "LI"));
  EXPECT_EQ(a.sent[1].data, Wire("10|20|80|20"));
  EXPECT_EQ(Footprint(a.tools.engine().picture()).width(), 72);  // 70 plus the round ends
}

TEST(PadTools, ACircleDraggedStraightDownDrawsNothingButIsSent) {
  Artist a;
  a.tools.ClickTool(Tool::kCircle);
  Drag(a.tools, kLeftButton, QPointF(50, 50), QPointF(50, 90));
  EXPECT_THAT(a.Commands(), ElementsAre("CU", "CI"));
  EXPECT_TRUE(Footprint(a.tools.engine().picture()).isNull());
}

// Everything the artist does, replayed by a viewer from the relayed codes, gives the same
// picture (the spray's dots aside, which each client draws with its own numbers).
TEST(Replay, TheFourteenCodesGiveTheArtistsPicture) {
  Artist a;
  a.tools.ClickBrush(3);
  a.tools.PressSwatch(12);
  a.tools.Press(kLeftButton, QPointF(20, 20));
  for (int i = 1; i < 20; ++i) a.tools.Move(kLeftButton, QPointF(20 + i * 5, 20 + (i % 4) * 7));
  a.tools.Release(kLeftButton, QPointF(115, 41));
  a.tools.ClickTool(Tool::kFillType);  // solid
  a.tools.ChooseCustomColour(QColor(10, 200, 30));
  a.tools.ClickTool(Tool::kBox);
  Drag(a.tools, kLeftButton, QPointF(150, 100), QPointF(220, 160));
  a.tools.ClickBrush(0);
  a.tools.ClickTool(Tool::kCircle);
  a.tools.Press(kLeftButton, QPointF(260, 40));
  a.tools.Release(kLeftButton, QPointF(340, 100));  // even spans: the radius needs no rounding
  a.tools.ClickTool(Tool::kFillType);               // hollow
  a.tools.ClickTool(Tool::kLine);
  Drag(a.tools, kLeftButton, QPointF(0, 300), QPointF(510, 200));
  a.tools.ClickTool(Tool::kEraser);
  Drag(a.tools, kLeftButton, QPointF(60, 30), QPointF(70, 32));
  a.tools.PressSwatch(21);
  a.tools.ClickTool(Tool::kFlood);
  Click(a.tools, kLeftButton, QPointF(400, 250));
  a.tools.ClickTool(Tool::kFreehand);
  a.tools.Press(kLeftButton, QPointF(300, 300));
  a.tools.Move(kLeftButton, QPointF(320, 280));
  a.tools.ClickTool(Tool::kUndo);
  const QImage before_clear = a.tools.engine().picture();
  a.tools.ClickTool(Tool::kClear);
  a.tools.ClickTool(Tool::kClear);
  a.tools.ClickTool(Tool::kUndo);

  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  std::set<std::string> codes;
  for (const auto& m : a.sent) {
    const auto code = protocol::DrawCodeFromWord(m.command);
    ASSERT_TRUE(code.has_value()) << m.command;
    codes.insert(m.command);
    viewer.Replay(protocol::ParseRelayedDrawData(*code, protocol::RelayDrawData(*code, 7, m.data)));
  }
  EXPECT_EQ(codes.size(), 13u);  // all but the spray
  EXPECT_EQ(viewer.engine().picture(), a.tools.engine().picture());
  EXPECT_EQ(a.tools.engine().picture(), before_clear);
  EXPECT_EQ(viewer.colour(), a.tools.colour());
  EXPECT_EQ(viewer.engine().pen_width(), a.tools.engine().pen_width());
}

TEST(Replay, BadFieldsAreHeldToWhatThePadCanShow) {
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  const double huge = 1e9;
  viewer.Replay({DrawCode::DW, {1, 1e6}});
  EXPECT_EQ(viewer.engine().pen_width(), PadEngine::kMaxPenWidth);
  viewer.Replay({DrawCode::DW, {1, 0}});
  EXPECT_EQ(viewer.engine().pen_width(), 1);
  viewer.Replay({DrawCode::FH, {-huge, -huge, huge, huge}});
  viewer.Replay({DrawCode::LI, {huge, 0, -huge, 5}});
  viewer.Replay({DrawCode::BO, {-huge, -huge, huge, huge}});
  viewer.Replay({DrawCode::CI, {-huge, -huge, huge, huge}});
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
}

TEST(Replay, FillTypeAndWidthFollowTheirCodes) {
  testing_support::ManualClock clock;
  PadTools viewer(nullptr, clock);
  viewer.Replay({DrawCode::FT, {0}});
  EXPECT_TRUE(viewer.fill_solid());
  viewer.Replay({DrawCode::FT, {1}});
  EXPECT_FALSE(viewer.fill_solid());
  viewer.Replay({DrawCode::DW, {3, 4}});
  EXPECT_EQ(viewer.brush(), -1);
  EXPECT_EQ(viewer.engine().pen_width(), 4);
  // An eraser stroke, then a solid box: the box takes the current colour, not white.
  viewer.Replay({DrawCode::FT, {0}});
  viewer.Replay({DrawCode::ER, {50, 50}});
  viewer.Replay({DrawCode::BO, {100, 100, 120, 120}});
  EXPECT_EQ(viewer.engine().picture().pixel(110, 110), kBlackPixel);
}

}  // namespace
}  // namespace client
