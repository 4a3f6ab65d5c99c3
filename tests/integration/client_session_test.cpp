// SPDX-License-Identifier: MIT
// Client sessions on real sockets, logged into the real headless server.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <string>

#include "client/net/qt_connection.h"
#include "client/settings/client_settings.h"
#include "common/qt/qt_scheduler.h"
#include "protocol/framing.h"
#include "tests/integration/processes.h"
#include "tests/support/client_fakes.h"
#include "tests/support/memory_ini.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/pad_view.h"

namespace testing_support {
namespace {

// Lets events run until the condition holds or the bound runs out; whether it held.
template <typename Condition>
bool Eventually(Condition condition) {
  return QTest::qWaitFor(condition, 10000);
}

// One player: a client session on a real socket to a room on this machine, with a view that
// keeps what it was shown (a RecordingClientView or one built on it).
template <typename View = RecordingClientView>
struct LoopbackPlayer {
  explicit LoopbackPlayer(const std::string& nickname)
      : ini("[Player Information]\nNickname=" + nickname + "\n"),
        settings(ini),
        session({connection, view, scheduler, settings}) {
    // A view with a pad of its own sends what it draws through this player's session.
    if constexpr (requires(View & v) { v.tools; }) view.tools.SetSink(&session);
    connection.Attach(&session);
    session.Start();
  }
  void Join(quint16 port) {
    session.ExecuteUserCommand("connect 127.0.0.1:" + std::to_string(port));
  }
  // Waits until the login is through and the list holds this many users.
  bool InRoomWith(size_t users) {
    return Eventually([&] { return view.controls.disconnect && view.users.size() == users; });
  }
  // Waits for a chat line with exactly this text.
  bool Sees(const std::string& text) {
    return Eventually([&] {
      return std::any_of(view.lines.begin(), view.lines.end(),
                         [&](const auto& line) { return line.text == text; });
    });
  }
  // The points a user shows in this player's list.
  std::string PointsOf(const std::string& nickname) const {
    for (const auto& user : view.users) {
      if (user.nickname == nickname) return user.points;
    }
    return "(absent)";
  }

  MemoryIni ini;
  client::ClientSettings settings;
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  View view;
  client::Session session;
};

using Player = LoopbackPlayer<>;

TEST(ClientSessions, PlayersChatRenameLeaveRejoinAndComeBackToAGameWithThePoints) {
  ServerProcess server("Name=Loopback\nMOTD=Be nice\n");
  server.CopyWordLists(std::string(SCRAWLBOX_SOURCE_DIR) + "/data/Wordlists");
  ASSERT_TRUE(server.Start());
  Player ann("Ann"), ben("Ben"), cid("Cid");
  ann.Join(server.port());
  ASSERT_TRUE(ann.InRoomWith(1));
  EXPECT_TRUE(ann.Sees("MOTD - Be nice"));
  ben.Join(server.port());
  ASSERT_TRUE(ben.InRoomWith(2));
  ASSERT_TRUE(ann.Sees("** Ben has joined the room!"));
  EXPECT_EQ(ben.view.panel.room_name, "Loopback");
  EXPECT_EQ(ben.view.panel.admin, "Ann");

  ann.session.EnterChatLine("hello ben");
  ASSERT_TRUE(ben.Sees("hello ben"));
  EXPECT_EQ(ben.view.lines.back().sender, "Ann");
  ben.session.EnterChatLine("/me waves");
  EXPECT_TRUE(ann.Sees(" * Ben waves"));
  ben.session.EnterChatLine("/nick Bobby");
  EXPECT_TRUE(ann.Sees(" ** Ben is now known as Bobby."));
  ben.session.EnterChatLine("/disconnect bye");
  EXPECT_TRUE(ann.Sees("Bobby has left (bye)."));
  EXPECT_TRUE(ben.Sees("Disconnected from server."));
  EXPECT_TRUE(Eventually([&] { return ann.view.users.size() == 1; }));
  ben.Join(server.port());
  ASSERT_TRUE(ben.InRoomWith(2));
  EXPECT_TRUE(ann.Sees("** Bobby has joined the room!"));

  cid.Join(server.port());
  ASSERT_TRUE(cid.InRoomWith(3));
  ASSERT_TRUE(ann.InRoomWith(3));
  client::GameSetup setup;
  setup.word_lists = {"animals"};
  ASSERT_TRUE(ann.session.StartGame(setup));
  // Whoever draws (the artist's button skips the word), one of the others finds the word.
  Player* artist = nullptr;
  ASSERT_TRUE(Eventually([&] {
    for (Player* p : {&ann, &ben, &cid}) {
      if (p->view.controls.start.action == client::StartAction::kSkipWord) artist = p;
    }
    return artist && artist->view.panel.word != "-" && !artist->view.panel.word.empty();
  }));
  Player* finder = artist == &cid ? &ben : &cid;
  finder->session.EnterChatLine(client::FirstAlternative(artist->view.panel.word));
  const std::string name = finder->session.profile().Nickname;
  ASSERT_TRUE(Eventually([&] { return artist->PointsOf(name) != "0"; }));
  const std::string points = artist->PointsOf(name);

  // The finder's connection drops (no PART), and the player logs in again.
  finder->connection.Close();
  finder->session.OnClosed();
  ASSERT_TRUE(Eventually([&] { return artist->PointsOf(name) == "(absent)"; }));
  finder->Join(server.port());
  ASSERT_TRUE(Eventually([&] { return artist->PointsOf(name) == points; }));
  EXPECT_TRUE(Eventually([&] { return finder->PointsOf(name) == points; }));
}

TEST(ClientSessions, APasswordRoomAsksAndLetsInWithThePassword) {
  ServerProcess server("Server Password=mellon\n");
  ASSERT_TRUE(server.Start());
  Player frodo("Frodo");
  frodo.Join(server.port());
  ASSERT_TRUE(Eventually([&] { return !frodo.view.password_asks.empty(); }));
  EXPECT_EQ(frodo.view.password_asks.front(), "127.0.0.1:" + std::to_string(server.port()));
  ASSERT_TRUE(frodo.Sees("This room needs a password."));
  frodo.session.RetryWithPassword("mellon", false);
  EXPECT_TRUE(frodo.InRoomWith(1));
}

// The core's test sees Leave() called; this one sees the real socket flush before it closes,
// in a room of the test's own that keeps every byte the client writes.
TEST(ClientSessions, TheNopAfterAnOperatorsKickReachesTheRoomBeforeTheClose) {
  QTcpServer room;
  ASSERT_TRUE(room.listen(QHostAddress::LocalHost));
  Player kicked("Kicked");
  kicked.Join(room.serverPort());
  ASSERT_TRUE(Eventually([&] { return room.hasPendingConnections(); }));
  QTcpSocket* peer = room.nextPendingConnection();
  QByteArray received;
  const auto read_until = [&](auto done) {
    return Eventually([&] { return (received += peer->readAll(), done()); });
  };
  ASSERT_TRUE(read_until([&] { return received.contains("SCRAWLBOX_CL13NT"); }));
  peer->write(QByteArray::fromStdString(protocol::Frame("KICKOP", "spam")));
  EXPECT_TRUE(read_until([&] { return peer->state() == QAbstractSocket::UnconnectedState; }));
  received += peer->readAll();
  EXPECT_TRUE(received.contains(QByteArray::fromStdString(protocol::Frame("NOP", "NOP"))));
}

// One real client draws; the others, through the headless server, end with the same pixels,
// one of them joining late.
TEST(ClientSessions, APlayerWhoJoinsLateEndsWithTheSamePixels) {
  using Artist = LoopbackPlayer<PadView>;
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  Artist artist("Artist"), early("Early"), late("Late");
  artist.Join(server.port());
  ASSERT_TRUE(artist.InRoomWith(1));
  early.Join(server.port());
  ASSERT_TRUE(early.InRoomWith(2));
  ASSERT_TRUE(artist.InRoomWith(2));

  // Every tool but the spray (whose dots are random on every pad), with a clear and an undo
  // on the way; the tools chosen before the clear stay chosen after it.
  using client::Tool;
  constexpr auto kLeft = client::kLeftButton;
  client::PadTools& t = artist.view.tools;
  t.ClickBrush(3);
  t.PressSwatch(4);
  Drag(t, kLeft, QPointF(10, 10), QPointF(300, 200));
  t.ClickTool(Tool::kClear);
  t.ClickTool(Tool::kClear);
  // The room sends a clear back to its sender too: let it arrive before drawing on.
  ASSERT_TRUE(Eventually([&] { return artist.view.replayed == 1; }));
  t.ClickTool(Tool::kFreehand);
  t.Press(kLeft, QPointF(20, 30));
  for (int i = 1; i <= 30; ++i) t.Move(kLeft, QPointF(20 + i * 12, 40 + (i % 5) * 11));
  t.Release(kLeft, QPointF(380, 84));
  t.ClickTool(Tool::kLine);
  Drag(t, kLeft, QPointF(5, 300), QPointF(500, 260));
  t.ClickTool(Tool::kCircle);
  Drag(t, kLeft, QPointF(300, 100), QPointF(480, 240));
  t.ClickTool(Tool::kFillType);
  t.ClickTool(Tool::kBox);
  Drag(t, kLeft, QPointF(50, 150), QPointF(200, 280));
  t.ClickTool(Tool::kUndo);
  Drag(t, kLeft, QPointF(60, 160), QPointF(190, 270));
  t.ChooseCustomColour(QColor(250, 120, 10));
  t.ClickTool(Tool::kFlood);
  Click(t, kLeft, QPointF(400, 250));
  t.ClickTool(Tool::kEraser);
  Drag(t, kLeft, QPointF(100, 200), QPointF(160, 215));
  const auto same_pixels = [&](Artist& player) {
    return Eventually([&] { return player.view.tools.engine().picture() == t.engine().picture(); });
  };
  ASSERT_TRUE(same_pixels(early));
  late.Join(server.port());
  ASSERT_TRUE(late.InRoomWith(3));
  EXPECT_TRUE(same_pixels(late));
  // The late player's tools follow the artist's from here on: the colour and width chosen
  // before the clear and after it.
  t.ClickTool(Tool::kFreehand);
  Drag(t, kLeft, QPointF(30, 30), QPointF(90, 60));
  EXPECT_TRUE(same_pixels(early));
  EXPECT_TRUE(same_pixels(late));
}

}  // namespace
}  // namespace testing_support
