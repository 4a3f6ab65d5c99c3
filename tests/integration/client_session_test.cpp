// SPDX-License-Identifier: MIT
// Two client sessions on real sockets, logged into the real headless server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpServer>
#include <QTcpSocket>

#include "protocol/framing.h"

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

// The points a user shows in this player's list.
std::string PointsOf(const Player& player, const std::string& nickname) {
  for (const auto& user : player.view.users) {
    if (user.nickname == nickname) return user.points;
  }
  return "(absent)";
}

TEST(ClientSessions, APlayerDroppedDuringAGameComesBackWithThePoints) {
  ServerProcess server;
  server.CopyWordLists(std::string(SCRAWLBOX_SOURCE_DIR) + "/data/Wordlists");
  ASSERT_TRUE(server.Start());
  Player ann("Ann"), ben("Ben"), cid("Cid");
  for (Player* p : {&ann, &ben, &cid}) {
    p->Join(server.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return p->view.controls.disconnect; }, Player::kWaitMs));
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return ann.view.users.size() == 3; }, Player::kWaitMs));
  client::GameSetup setup;
  setup.word_lists = {"animals"};
  ASSERT_TRUE(ann.session.StartGame(setup));
  // Whoever draws (the artist's button skips the word), one of the others finds the word.
  Player* artist = nullptr;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (Player* p : {&ann, &ben, &cid}) {
          if (p->view.controls.start.action == client::StartAction::kSkipWord) artist = p;
        }
        return artist && artist->view.panel.word != "-" && !artist->view.panel.word.empty();
      },
      Player::kWaitMs));
  Player* finder = artist == &cid ? &ben : &cid;
  const std::string word = client::FirstAlternative(artist->view.panel.word);
  finder->session.EnterChatLine(word);
  const std::string name = finder->session.profile().Nickname;
  ASSERT_TRUE(QTest::qWaitFor([&] { return PointsOf(*artist, name) != "0"; }, Player::kWaitMs));
  const std::string points = PointsOf(*artist, name);

  // The finder's connection drops (no PART), and the player logs in again.
  finder->connection.Close();
  finder->session.OnClosed();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return PointsOf(*artist, name) == "(absent)"; }, Player::kWaitMs));
  finder->Join(server.port());
  ASSERT_TRUE(QTest::qWaitFor([&] { return PointsOf(*artist, name) == points; }, Player::kWaitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return PointsOf(*finder, name) == points; }, Player::kWaitMs));
}

TEST(ClientSessions, APasswordRoomAsksAndLetsInWithThePassword) {
  ServerProcess server("Server Password=mellon\n");
  ASSERT_TRUE(server.Start());
  Player frodo("Frodo");
  frodo.Join(server.port());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !frodo.view.password_asks.empty(); }, Player::kWaitMs));
  EXPECT_EQ(frodo.view.password_asks.front(), "127.0.0.1:" + std::to_string(server.port()));
  ASSERT_TRUE(frodo.Sees("This room needs a password."));
  frodo.session.RetryWithPassword("mellon", false);
  EXPECT_TRUE(frodo.InRoomWith(1));
}

TEST(ClientSessions, TheNopAfterAnOperatorsKickReachesTheRoomBeforeTheClose) {
  // The core's test sees Leave() called; this one sees the real socket flush before it closes.
  // A room of the test's own, to see every byte the client writes before it closes.
  QTcpServer room;
  ASSERT_TRUE(room.listen(QHostAddress::LocalHost));
  Player kicked("Kicked");
  kicked.session.ExecuteUserCommand("connect 127.0.0.1:" + std::to_string(room.serverPort()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return room.hasPendingConnections(); }, Player::kWaitMs));
  QTcpSocket* peer = room.nextPendingConnection();
  QByteArray received;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        received += peer->readAll();
        return received.contains("SCRAWLBOX_CL13NT");
      },
      Player::kWaitMs));
  const std::string kick = protocol::Frame("KICKOP", "spam");
  peer->write(kick.data(), static_cast<qint64>(kick.size()));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        received += peer->readAll();
        return peer->state() == QAbstractSocket::UnconnectedState;
      },
      Player::kWaitMs));
  received += peer->readAll();
  EXPECT_TRUE(received.contains(QByteArray::fromStdString(protocol::Frame("NOP", "NOP"))));
}

}  // namespace
