// SPDX-License-Identifier: MIT
// Two client sessions on real sockets, logged into the real headless server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include "tests/integration/loopback_player.h"
#include "tests/integration/server_process.h"

namespace {

using testing_support::ServerProcess;

using Player = testing_support::LoopbackPlayer<>;

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
  EXPECT_TRUE(QTest::qWaitFor([&] { return alice.view.users.size() == 1; }, Player::kWaitMs));

  bob.Join(server.port());
  ASSERT_TRUE(bob.InRoomWith(2));
  EXPECT_TRUE(alice.Sees("** Bobby has joined the room!"));
}

}  // namespace
