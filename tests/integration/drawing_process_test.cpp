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

TEST(DrawingProcess, TheViewerEndsWithTheArtistsPixels) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  Player artist("Artist");
  Player viewer("Viewer");
  artist.Join(server.port());
  ASSERT_TRUE(artist.InRoomWith(1));
  viewer.Join(server.port());
  ASSERT_TRUE(viewer.InRoomWith(2));
  ASSERT_TRUE(QTest::qWaitFor([&] { return artist.view.users.size() == 2; }, Player::kWaitMs));

  using client::Tool;
  PadTools& t = artist.view.tools;
  t.ClickBrush(2);
  t.PressSwatch(21);
  t.Press(client::kLeftButton, QPointF(20, 30));
  for (int i = 1; i <= 40; ++i) t.Move(client::kLeftButton, QPointF(20 + i * 10, 30 + (i % 7) * 9));
  t.Release(client::kLeftButton, QPointF(420, 84));
  t.ClickTool(Tool::kFillType);
  t.ClickTool(Tool::kBox);
  Drag(t, client::kLeftButton, QPointF(50, 150), QPointF(200, 280));
  t.ChooseCustomColour(QColor(250, 120, 10));
  t.ClickTool(Tool::kFlood);
  Click(t, client::kLeftButton, QPointF(400, 250));
  Drag(t, client::kRightButton, QPointF(100, 200), QPointF(130, 210));

  const QImage& expected = artist.view.tools.engine().picture();
  EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.view.tools.engine().picture() == expected; },
                              Player::kWaitMs));
}

}  // namespace
