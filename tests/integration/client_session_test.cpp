// SPDX-License-Identifier: MIT
// Client sessions on real sockets, logged into the real headless server.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpServer>
#include <algorithm>

#include "client/net/qt_connection.h"
#include "client/settings/client_settings.h"
#include "common/qt/qt_scheduler.h"
#include "tests/integration/processes.h"
#include "tests/support/memory_ini.h"
#include "tests/support/pad_gestures.h"
#include "tests/support/pad_view.h"
#include "tests/support/raster_scenes.h"

namespace testing_support {
namespace {

// Lets events run until the condition holds or the bound runs out; whether it held.
template <typename Condition>
bool Eventually(Condition condition) {
  return QTest::qWaitFor(condition, 10000);
}

// One player: a client session on a real socket to a room on this machine, with a view that
// keeps what it was shown and a pad that sends what it draws through the session.
struct Player {
  Player(const std::string& nickname, quint16 port)
      : ini("[Player Information]\nNickname=" + nickname + "\n"),
        settings(ini),
        session({connection, view, scheduler, settings}) {
    view.tools.SetSink(&session);
    connection.Attach(&session);
    session.Start();
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

  MemoryIni ini;
  client::ClientSettings settings;
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  PadView view;
  client::Session session;
};

// The password rules are the session's and the room's tests; here the two agree on the wire.
TEST(ClientSessions, APasswordRoomAsksAndLetsInWithThePassword) {
  ServerProcess server("Server Password=mellon\n");
  ASSERT_TRUE(server.Start());
  Player frodo("Frodo", server.port());
  ASSERT_TRUE(Eventually([&] { return !frodo.view.password_asks.empty(); }));
  frodo.session.RetryWithPassword("mellon", false);
  EXPECT_TRUE(frodo.InRoomWith(1));
}

// The core's test sees Leave() called; this one sees the real socket flush before it closes,
// in a room of the test's own that keeps every byte the client writes.
TEST(ClientSessions, TheNopAfterAnOperatorsKickReachesTheRoomBeforeTheClose) {
  QTcpServer room;
  ASSERT_TRUE(room.listen(QHostAddress::LocalHost));
  Player kicked("Kicked", room.serverPort());
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

// What a real client draws in the headless room the others end with in the same pixels, one
// of them joining once the strokes are there; the reason one gives when it leaves reaches them.
TEST(ClientSessions, OneWhoJoinsLateEndsWithTheSamePixelsAndLeavesWithAReason) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  Player artist("Artist", server.port());
  ASSERT_TRUE(artist.InRoomWith(1));
  Player early("Early", server.port());
  ASSERT_TRUE(early.InRoomWith(2));
  early.session.EnterChatLine("hello");
  EXPECT_TRUE(early.Sees("hello"));  // the room's echo of one's own line
  // Which codes give which pixels is the pad's and the replay's test; here they cross sockets.
  client::PadTools& t = artist.view.tools;
  Drag(t, client::kLeftButton, {10, 10}, {300, 200});
  const auto same_pixels = [&](Player& player) {
    return Eventually(
        [&] { return PixelHash(player.view.tools.raster()) == PixelHash(t.raster()); });
  };
  ASSERT_TRUE(same_pixels(early));
  Player late("Late", server.port());
  EXPECT_TRUE(same_pixels(late));
  late.session.EnterChatLine("/disconnect bye");
  EXPECT_TRUE(artist.Sees("Late has left (bye)."));
}

}  // namespace
}  // namespace testing_support
