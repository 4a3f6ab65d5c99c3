// SPDX-License-Identifier: MIT
// One real client draws; another, through the headless server, ends with the same pixels.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include "client/drawing/pad_tools.h"
#include "tests/integration/loopback_player.h"
#include "tests/integration/server_process.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/pad_view.h"

namespace {

using client::PadTools;
using testing_support::Click;
using testing_support::Drag;
using testing_support::ServerProcess;

using Player = testing_support::LoopbackPlayer<testing_support::PadView>;

TEST(DrawingProcess, APlayerWhoJoinsLateEndsWithTheSamePixels) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  Player artist("Artist");
  Player early("Early");
  artist.Join(server.port());
  ASSERT_TRUE(artist.InRoomWith(1));
  early.Join(server.port());
  ASSERT_TRUE(early.InRoomWith(2));
  ASSERT_TRUE(QTest::qWaitFor([&] { return artist.view.users.size() == 2; }, Player::kWaitMs));

  // Every tool but the spray (whose dots are random on every pad), with a clear and an undo
  // on the way; the tools chosen before the clear stay chosen after it.
  using client::Tool;
  PadTools& t = artist.view.tools;
  t.ClickBrush(3);
  t.PressSwatch(4);
  Drag(t, client::kLeftButton, QPointF(10, 10), QPointF(300, 200));
  t.ClickTool(Tool::kClear);
  t.ClickTool(Tool::kClear);
  // The room sends a clear back to its sender too: let it arrive before drawing on.
  ASSERT_TRUE(QTest::qWaitFor([&] { return artist.view.replayed == 1; }, Player::kWaitMs));
  t.ClickTool(Tool::kFreehand);
  t.Press(client::kLeftButton, QPointF(20, 30));
  for (int i = 1; i <= 30; ++i)
    t.Move(client::kLeftButton, QPointF(20 + i * 12, 40 + (i % 5) * 11));
  t.Release(client::kLeftButton, QPointF(380, 84));
  t.ClickTool(Tool::kLine);
  Drag(t, client::kLeftButton, QPointF(5, 300), QPointF(500, 260));
  t.ClickTool(Tool::kCircle);
  Drag(t, client::kLeftButton, QPointF(300, 100), QPointF(480, 240));
  t.ClickTool(Tool::kFillType);
  t.ClickTool(Tool::kBox);
  Drag(t, client::kLeftButton, QPointF(50, 150), QPointF(200, 280));
  t.ClickTool(Tool::kUndo);
  Drag(t, client::kLeftButton, QPointF(60, 160), QPointF(190, 270));
  t.ChooseCustomColour(QColor(250, 120, 10));
  t.ClickTool(Tool::kFlood);
  Click(t, client::kLeftButton, QPointF(400, 250));
  t.ClickTool(Tool::kEraser);
  Drag(t, client::kLeftButton, QPointF(100, 200), QPointF(160, 215));
  const QImage expected = artist.view.tools.engine().picture();
  ASSERT_TRUE(QTest::qWaitFor([&] { return early.view.tools.engine().picture() == expected; },
                              Player::kWaitMs));

  Player late("Late");
  late.Join(server.port());
  ASSERT_TRUE(late.InRoomWith(3));
  EXPECT_TRUE(QTest::qWaitFor([&] { return late.view.tools.engine().picture() == expected; },
                              Player::kWaitMs));
  // The late player's tools follow the artist's from here on: the colour and width chosen
  // before the clear and after it.
  t.ClickTool(Tool::kFreehand);
  Drag(t, client::kLeftButton, QPointF(30, 30), QPointF(90, 60));
  const QImage after = artist.view.tools.engine().picture();
  EXPECT_TRUE(QTest::qWaitFor([&] { return early.view.tools.engine().picture() == after; },
                              Player::kWaitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return late.view.tools.engine().picture() == after; },
                              Player::kWaitMs));
}

}  // namespace
