// SPDX-License-Identifier: MIT
// Two client sessions on real sockets, logged into the real headless server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "common/qt/qt_scheduler.h"
#include "tests/integration/server_process.h"
#include "tests/support/client_fakes.h"

namespace {

using client::Session;
using testing_support::ServerProcess;

// One player: a session on a real socket, with a view that keeps what it was shown.
struct Player {
  explicit Player(const std::string& nickname)
      : ini("[Player Information]\nNickname=" + nickname + "\n"),
        settings(ini),
        session({connection, view, scheduler, settings}) {
    connection.Attach(&session);
    session.Start();
  }
  void Join(quint16 port) {
    session.SetPort(port);
    session.ExecuteUserCommand("connect 127.0.0.1");
  }
  bool InRoomWith(size_t users) {
    return QTest::qWaitFor([&] { return view.controls.disconnect && view.users.size() == users; },
                           10000);
  }
  // Waits for a chat line with exactly this text.
  bool Sees(const std::string& text) {
    return QTest::qWaitFor(
        [&] {
          for (const auto& line : view.lines) {
            if (line.text == text) return true;
          }
          return false;
        },
        10000);
  }

  testing_support::MemoryIni ini;
  client::ClientSettings settings;
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  testing_support::RecordingClientView view;
  Session session;
};

TEST(ClientSessions, TwoPlayersLogInChatRenameLeaveAndRejoin) {
  ServerProcess server("Name=Loopback\nMOTD=Be nice\n");
  ASSERT_TRUE(server.Start());
  Player alice("Alice");
  Player bob("Bob");
  alice.Join(server.port());
  ASSERT_TRUE(alice.InRoomWith(1));
  EXPECT_TRUE(alice.Sees("MOTD - Be nice"));
  bob.Join(server.port());
  ASSERT_TRUE(bob.InRoomWith(2));
  ASSERT_TRUE(alice.Sees("** Bob has joined the room!"));
  EXPECT_EQ(bob.view.panel.room_name, "Loopback");
  EXPECT_EQ(bob.view.panel.admin, "Alice");

  alice.session.EnterChatLine("hello bob");
  ASSERT_TRUE(bob.Sees("hello bob"));
  EXPECT_EQ(bob.view.lines.back().sender, "Alice");
  bob.session.EnterChatLine("/me waves");
  EXPECT_TRUE(alice.Sees(" * Bob waves"));
  bob.session.EnterChatLine("/nick Bobby");
  EXPECT_TRUE(alice.Sees(" ** Bob is now known as Bobby."));

  bob.session.EnterChatLine("/disconnect bye");
  EXPECT_TRUE(alice.Sees("Bobby has left (bye)."));
  EXPECT_TRUE(bob.Sees("Disconnected from server."));
  EXPECT_TRUE(QTest::qWaitFor([&] { return alice.view.users.size() == 1; }, 10000));

  bob.Join(server.port());
  ASSERT_TRUE(bob.InRoomWith(2));
  EXPECT_TRUE(alice.Sees("** Bobby has joined the room!"));
}

}  // namespace
