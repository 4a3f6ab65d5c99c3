// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "protocol/commands.h"
#include "tests/support/matchers.h"
#include "tests/support/server_harness.h"

namespace server {
namespace {

using testing_support::ProfileData;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

// Broadcasts reach only players in the room, and an admin claim needs an empty room.
TEST(Login, WholeSequenceFromHandshakeToUserList) {
  ServerHarness h("[Server Details]\nName=A room with a long name\nMOTD=Be kind\nLanguage=fr\n");
  const int first = h.Join("alice");
  h.Send(first, to_server::ADMIN, "alice");
  const int slot = h.Handshake("10.1.2.3");
  EXPECT_EQ(slot, 2);
  const auto& row = h.view.rows[100001];
  EXPECT_EQ(h.Got(slot) + "; " + row.status,
            "SCRAWLBOX_S3RV3R 101; Connected; waiting for login info...");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Scrawlbox client (v100001) connected, from IP address: 10.1.2.3"));
  h.Send(slot, to_server::USER, ProfileData("bob"));
  h.Send(first, to_server::SAY, "hi");
  EXPECT_EQ(h.Got(slot) + "; " + row.name + "; " + row.status,
            "USEROK 100001|; bob; Awaiting password...");
  h.Send(slot, to_server::PASS, "wrong password");  // the room has no password
  EXPECT_EQ(h.Got(slot) + "; " + h.Got(first) + "; " + row.status,
            "PASSOK Be kind|A room with a long n|-|1|10|fr; SAY 100000|hi, JOIN 100001|bob|0; "
            "Awaiting UserList request...");
  h.Send(slot, to_server::ULISTREQ, "-");
  EXPECT_EQ(h.Got(slot) + "; " + row.status,
            "ULIST 100000|@alice|0|0|100001|bob|0|0, ULISTEND; The login sequence was successful.");
  EXPECT_EQ(h.server.Record(slot)->State, StateInRoom);
  h.Send(slot, to_server::ADMIN, "bob");
  EXPECT_EQ(h.Got(first) + std::to_string(h.server.Record(slot)->IsAdmin), "0");
  EXPECT_EQ(h.server.statistics().Get(Stat::AttemptedConnections), 2);
  EXPECT_EQ(h.server.statistics().Get(Stat::EstablishedConnections), 2);
  // Ids and slots are never reused.
  h.server.OnClosed(first);
  EXPECT_EQ(h.Connect(), 3);
  EXPECT_EQ(h.IdOf(3), 100002);
}

TEST(Login, OldVersionsAndDisagreeAreRefusedAndJoinersDuringAGameAreToldOfIt) {
  ServerHarness h;
  const int old = h.Connect();
  h.Send(old, to_server::SCRAWLBOX_CL13NT, "099384");
  EXPECT_EQ(h.Got(old), "OLDVERSION 99385");
  EXPECT_TRUE(h.view.HasLog(
      LogKind::kConnections,
      "A Scrawlbox client was declined connection because it was an earlier version: 099384."));
  h.Send(old, to_server::USER, ProfileData("late"));  // refused stays refused
  EXPECT_TRUE(h.transport.IsClosed(old));
  const int ok = h.Connect();
  h.Send(ok, to_server::SCRAWLBOX_CL13NT, "99385");
  EXPECT_EQ(h.Got(ok), "SCRAWLBOX_S3RV3R 101");
  const int disagrees = h.Connect();
  h.Send(disagrees, to_server::DISAGREE, "-");
  EXPECT_EQ(h.Got(disagrees), "PING -");
  EXPECT_EQ(h.server.Record(disagrees)->State, StateRefused);
  // Joiners during a game are told of it.
  testing_support::RunningGame game;
  h.server.SetGame(&game);
  const int late = h.LogInTo(ServerHarness::Step::kUserList, "late");
  EXPECT_EQ(h.Got(late),
            "SCRAWLBOX_S3RV3R 101, USEROK 100003|, PASSOK ||-|3|5|en, "
            "ULIST 100003|late|0|0, ULISTEND, GAMERUNNING 100000|" +
                std::string(100, 'c') + "|");  // no pattern yet
}

TEST(Login, StepsOutOfOrderCloseTheConnection) {
  struct Row {
    std::optional<ServerHarness::Step> reached;  // none: only connected
    std::string_view command;
    std::string data;
  } const rows[] = {{std::nullopt, to_server::USER, ProfileData("eager")},
                    {ServerHarness::Step::kHandshake, to_server::PASS, "<none>"},
                    {ServerHarness::Step::kUserList, to_server::NICK, "other"},
                    {std::nullopt, to_server::SAY, "hello?"}};
  ServerHarness h;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    const int slot = row.reached ? h.LogInTo(*row.reached, "n") : h.Connect();
    h.Send(slot, row.command, row.data);
    EXPECT_TRUE(h.transport.IsClosed(slot));
  }
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Unknown User's (10.0.0.1) connection has been closed: Protocol "
                            "error (SAY out of turn)."));
  // A repeated greeting gets the bare goodbye.
  const int twice = h.Join("twice");
  h.Send(twice, to_server::SCRAWLBOX_CL13NT, "100001");
  EXPECT_EQ(h.transport.Raw(twice), "You are not a Scrawlbox client. Goodbye.");
  EXPECT_TRUE(h.transport.IsAborted(twice));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "A non-Scrawlbox client attempted a connection. The connection was "
                            "forced closed by Scrawlbox Server."));
}

TEST(Login, UserListComesInBatchesOfTen) {
  for (const auto& [users, batches] : {std::pair{10, "10 "}, {11, "10 1 "}, {25, "10 10 5 "}}) {
    ServerHarness h("[Server Details]\nMax Connections Per Address=0\n");
    int last = 0;
    for (int i = 0; i < users; ++i) last = h.Join("u" + std::to_string(i));
    h.Send(last, to_server::ULISTREQ, "-");
    std::string sizes;
    for (const auto& m : h.Take(last)) {
      sizes += m.command != "ULIST"
                   ? m.command
                   : std::to_string(protocol::SplitFields(m.data).size() / 4) + " ";
    }
    EXPECT_EQ(sizes, batches + std::string("ULISTEND"));
  }
}

}  // namespace
}  // namespace server
