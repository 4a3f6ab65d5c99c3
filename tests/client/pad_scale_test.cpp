// SPDX-License-Identifier: MIT
// The pad at every size: the same gesture sends the same codes, and the window gives the pad
// its room first.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "client/drawing/pad_image.h"
#include "client/pad/pad_tools.h"
#include "client/ui/drawing_area.h"
#include "client/ui/pad_widget.h"
#include "client/ui/room_layout.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/window_harness.h"

namespace client {
namespace {

// The artist's pad shown at one scale: a widget exactly as large as the picture at that scale.
class ScaledPad : public testing_support::Artist {
 public:
  explicit ScaledPad(double scale) { widget.resize(PadWidget::SizeAt(scale)); }

  void Mouse(QEvent::Type type, QPointF pad, Qt::MouseButton button, Qt::MouseButtons held) {
    // Over the middle of the pad pixel.
    const QRectF picture = widget.PictureRect();
    const double step = picture.width() / drawing::Raster::kWidth;
    const QPointF at(picture.left() + (pad.x() + 0.5) * step,
                     picture.top() + (pad.y() + 0.5) * step);
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }
  // A press, moves through the points and a release at the last one.
  void Drag(Qt::MouseButton button, std::initializer_list<QPointF> points) {
    Mouse(QEvent::MouseButtonPress, *points.begin(), button, button);
    for (const QPointF& p : points) Mouse(QEvent::MouseMove, p, Qt::NoButton, button);
    Mouse(QEvent::MouseButtonRelease, *(points.end() - 1), button, Qt::NoButton);
  }
  // Every gesture the tools know, once.
  void DrawEverything() {
    Drag(Qt::LeftButton, {{10, 10}, {40, 25}, {90, 12}, {200, 150}});
    tools.ClickTool(Tool::kLine);
    Drag(Qt::LeftButton, {{20, 300}, {500, 20}});
    tools.ClickTool(Tool::kBox);
    tools.ToggleFillType();
    Drag(Qt::LeftButton, {{300, 200}, {350, 260}});
    tools.ClickTool(Tool::kCircle);
    Drag(Qt::LeftButton, {{100, 200}, {180, 310}});
    tools.PressSwatch(12);
    tools.ClickTool(Tool::kFlood);
    Drag(Qt::LeftButton, {{5, 300}});
    tools.ClickBrush(3);
    Drag(Qt::RightButton, {{45, 25}, {60, 30}});  // a quick erase
    Drag(Qt::MiddleButton, {{0, 0}, {510, 321}});
    // Off the picture's edge the pointer still names pad pixels, beyond the pad.
    tools.ClickTool(Tool::kFreehand);
    Drag(Qt::LeftButton, {{500, 300}, {530, 340}});
  }

  PadWidget widget{&tools};
};

TEST(PadScale, TheSameGestureSendsTheSameCodesAtEveryScaleAndWholeMultiplesArePixelForPixel) {
  ScaledPad natural(1.0);
  natural.DrawEverything();
  const std::string codes = natural.Sent();
  ASSERT_GT(codes.size(), 200u);  // every gesture went through the widget
  for (const double scale : {1.5, 2.0, 3.0}) {
    SCOPED_TRACE(scale);
    ScaledPad pad(scale);
    pad.DrawEverything();
    EXPECT_EQ(pad.Sent(), codes);
    EXPECT_EQ(PictureOf(pad.tools.raster()), PictureOf(natural.tools.raster()));
    if (scale != 2.0) continue;
    // Each pad pixel is a 2x2 block of exactly its colour: nothing smoothed.
    EXPECT_DOUBLE_EQ(pad.widget.Scale(), 2.0);
    const QImage shown = pad.widget.grab().toImage();
    const QImage picture = PictureOf(pad.tools.raster());
    for (const QPoint p : {QPoint(10, 10), QPoint(11, 10), QPoint(45, 25), QPoint(300, 200)}) {
      for (const QPoint d : {QPoint(0, 0), QPoint(1, 1)}) {
        EXPECT_EQ(shown.pixel(2 * p + d), picture.pixel(p));
      }
    }
  }
}

TEST(PadScale, TheOverlaysGrowWithThePadAndAPressOnTheClearMessageOnlyTakesItAway) {
  ScaledPad one(1.0);
  ScaledPad two(2.0);
  for (ScaledPad* pad : {&one, &two}) {
    pad->Drag(Qt::LeftButton, {{10, 10}, {12, 10}});  // on an empty pad a clear does not ask
    pad->tools.ClickTool(Tool::kClear);
    pad->widget.ShowWinner(QStringLiteral("ann"));  // which takes the question down
    pad->tools.ClickTool(Tool::kClear);
  }
  const QRect small = one.widget.ClearMessageRect();
  const QRect large = two.widget.ClearMessageRect();
  EXPECT_NEAR(large.width(), 2 * small.width(), 2);
  EXPECT_LE((large.center() - two.widget.rect().center()).manhattanLength(), 2);
  EXPECT_NEAR(two.widget.WinnerRect().width(), 2 * one.widget.WinnerRect().width(), 2);
  two.widget.ShowWinner(QString());
  const QPointF on_message = two.widget.ClearMessageRect().center();
  QMouseEvent press(QEvent::MouseButtonPress, on_message, two.widget.mapToGlobal(on_message),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  two.Sent();
  QApplication::sendEvent(&two.widget, &press);
  EXPECT_TRUE(two.widget.ClearMessageRect().isEmpty());
  EXPECT_EQ(two.Sent(), "");
}

TEST(StatusLine, ALongLineShrinksBeforeItIsCutAndNeverMovesThePad) {
  testing_support::ManualClock clock;
  PadTools tools(nullptr, clock);
  DrawingArea area(&tools);
  area.resize(drawing::Raster::kWidth, 500);
  area.show();
  QLabel* line = area.status_line();
  const QFont large = line->font();
  const QRect pad = area.pad()->geometry();
  const QRect placed = line->geometry();
  // Too wide for the large type, narrow enough for the ordinary one: shown whole.
  QString longer = QStringLiteral("Not connected: practise here");
  while (QFontMetrics(large).horizontalAdvance(longer) <= line->width()) {
    longer += QStringLiteral(" again");
  }
  area.SetStatus(longer);
  EXPECT_EQ(line->text(), longer);
  EXPECT_LT(line->font().pointSizeF(), large.pointSizeF());
  EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
  // Too wide for both: cut with an ellipsis, the whole text in the tooltip.
  const QString endless = longer.repeated(4);
  area.SetStatus(endless);
  EXPECT_TRUE(line->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(line->toolTip(), endless);
  // The smaller type does not make the line lower: laid out again, nothing moves.
  area.SetStatus(longer);
  area.resize(drawing::Raster::kWidth, 501);
  area.resize(drawing::Raster::kWidth, 500);
  EXPECT_LT(line->font().pointSizeF(), large.pointSizeF());
  EXPECT_EQ(QRect(area.pad()->geometry().topLeft(), line->geometry().bottomRight()),
            QRect(pad.topLeft(), placed.bottomRight()));
  // A wider area, or a short text, gets the large type back.
  area.resize(4 * drawing::Raster::kWidth, 900);
  EXPECT_EQ(line->text(), longer);
  EXPECT_EQ(line->font(), large);
  area.resize(drawing::Raster::kWidth, 500);
  area.SetStatus(QStringLiteral("Ada is drawing"));
  EXPECT_EQ(line->font(), large);
}

class Layout : public testing::Test, protected testing_support::WindowHarness {
 protected:
  // The window at this size, laid out.
  void ShowAt(int width, int height) {
    window.resize(width, height);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.centralWidget()->layout()->activate();
  }
  QRect Placed(const char* name) {
    QWidget* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
  }
};

TEST_F(Layout, ThePadTakesMostOfTheWindowAndTheChatKeepsItsRoom) {
  struct Size {
    int width, height;
    double share;  // the least of the window's width the pad takes
    int strip;     // the most the window may leave empty under the palette
  };
  for (const Size& size :
       {Size{800, 600, 0.6, 200}, Size{1280, 800, 0.6, 30}, Size{1920, 1080, 0.65, 30},
        Size{1100, 760, 0.65, 0}, Size{795, 950, 0.95, 0}}) {
    SCOPED_TRACE(size.width);
    ShowAt(size.width, size.height);
    const QRect pad = Placed("picPad");
    EXPECT_GE(double(pad.width()) / window.width(), size.share);
    const QRect palette = Placed("fraPalette");
    const QRect chat = Placed("fraChat");
    const int under = chat.left() < palette.right() && chat.top() > palette.bottom()
                          ? chat.top()
                          : window.height() - RoomLayout::kGap;
    EXPECT_LE(under - palette.bottom() - 1 - RoomLayout::kGap, size.strip);
    // The pad keeps its shape and never falls below its own size on these windows.
    EXPECT_NEAR(double(pad.width()) / pad.height(), 511.0 / 322.0, 0.01);
    EXPECT_GE(pad.width(), drawing::Raster::kWidth);
    // Nothing lies over the pad, and the chat and user list keep a usable size.
    for (const char* other : {"fraChat", "fraSide", "tbrTools", "fraPalette", "labStatusLine"}) {
      EXPECT_FALSE(Placed(other).intersects(pad)) << other;
    }
    EXPECT_GE(Placed("fraChat").width(), RoomLayout::kMinChatWidth);
    EXPECT_GE(Placed("fraChat").height(), RoomLayout::kMinChatHeight);
    EXPECT_GE(Placed("lvwUsers").height(), 60);
    // The palette's swatches can be hit and grow with the pad.
    const auto* swatch = window.findChild<QLabel*>(QStringLiteral("labPalette"));
    EXPECT_GE(swatch->width(), DrawingArea::kMinSwatch);
    EXPECT_GE(swatch->width(), pad.width() / 40);
  }
}

TEST_F(Layout, TheFloatingChatLeavesItsRoomToThePad) {
  ShowAt(1000, 800);
  const int docked = Placed("picPad").width();
  auto* chat = window.findChild<QWidget*>(QStringLiteral("fraChat"));
  for (const bool floating : {true, false}) {
    window.findChild<QAction*>(QStringLiteral("mCHATBAR_FLOAT"))->trigger();
    window.centralWidget()->layout()->activate();
    EXPECT_EQ(chat->isVisible(), !floating);
    EXPECT_EQ(Placed("picPad").width() > docked, floating);
  }
  EXPECT_EQ(Placed("picPad").width(), docked);
}

}  // namespace
}  // namespace client
