// SPDX-License-Identifier: MIT
// One real client draws; another, through the headless server, ends with the same pixels.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include "client/drawing/pad_tools.h"
#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "common/qt/qt_scheduler.h"
#include "tests/integration/server_process.h"
#include "tests/support/client_fakes.h"

namespace {

using client::PadTools;
using testing_support::ServerProcess;

// A view whose pad replays what arrives, as the main window's does.
class PadView : public testing_support::RecordingClientView {
 public:
  PadTools tools{[this](std::string_view command, std::string_view data) {
    if (session) session->SendDrawCommand(command, data);
  }};
  client::Session* session = nullptr;

  void ClearPad() override { tools.engine().Clear(); }
  void ResetTools() override { tools.Reset(); }
  void ReplayDrawing(const protocol::DrawCommand& command) override { tools.Replay(command); }
};

struct Player {
  explicit Player(const std::string& nickname)
      : ini("[Player Information]\nNickname=" + nickname + "\n"),
        settings(ini),
        session({connection, view, scheduler, settings}) {
    view.session = &session;
    connection.Attach(&session);
    session.Start();
  }
  void Join(quint16 port) {
    session.SetPort(port);
    session.ExecuteUserCommand("connect 127.0.0.1");
  }

  testing_support::MemoryIni ini;
  client::ClientSettings settings;
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  PadView view;
  client::Session session;
};

TEST(DrawingProcess, TheViewerEndsWithTheArtistsPixels) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  Player artist("Artist");
  Player viewer("Viewer");
  artist.Join(server.port());
  ASSERT_TRUE(QTest::qWaitFor([&] { return artist.view.controls.disconnect; }, 10000));
  viewer.Join(server.port());
  ASSERT_TRUE(QTest::qWaitFor([&] { return artist.view.users.size() == 2; }, 10000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.view.controls.disconnect; }, 10000));

  using client::Tool;
  PadTools& t = artist.view.tools;
  t.ClickBrush(2);
  t.PressSwatch(21);
  t.Press(client::kLeftButton, QPointF(20, 30));
  for (int i = 1; i <= 40; ++i) t.Move(client::kLeftButton, QPointF(20 + i * 10, 30 + (i % 7) * 9));
  t.Release(client::kLeftButton, QPointF(420, 84));
  t.ClickTool(Tool::kFillType);
  t.ClickTool(Tool::kBox);
  t.Press(client::kLeftButton, QPointF(50, 150));
  t.Move(client::kLeftButton, QPointF(200, 280));
  t.Release(client::kLeftButton, QPointF(200, 280));
  t.ChooseCustomColour(QColor(250, 120, 10));
  t.ClickTool(Tool::kFlood);
  t.Press(client::kLeftButton, QPointF(400, 250));
  t.Release(client::kLeftButton, QPointF(400, 250));
  t.Press(client::kRightButton, QPointF(100, 200));
  t.Move(client::kRightButton, QPointF(130, 210));
  t.Release(client::kRightButton, QPointF(130, 210));

  const QImage& expected = artist.view.tools.engine().picture();
  EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.view.tools.engine().picture() == expected; },
                              10000));
}

}  // namespace
