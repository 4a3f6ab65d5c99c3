// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/matchers.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing_support::Msg;
using testing_support::ProfileData;
using testing_support::RunningGame;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

class FixedBans : public BanCheck {
 public:
  bool IsBanned(const std::string& address) override { return address == "6.6.6.6"; }
};

TEST(Login, WholeSequenceFromHandshakeToUserList) {
  ServerHarness h("[Server Details]\nName=A room with a long name\nMOTD=Be kind\n");
  const int first = h.Join("alice");
  const int slot = h.Handshake("10.1.2.3");
  EXPECT_EQ(slot, 2);
  EXPECT_THAT(h.Take(slot), ElementsAre(Msg("SCRAWLBOX_S3RV3R", "100")));
  EXPECT_EQ(h.view.rows[100001].status, "Connected; waiting for login info...");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Scrawlbox client (v100001) connected, from IP address: 10.1.2.3"));

  h.Send(slot, to_server::USER, ProfileData("bob"));
  EXPECT_THAT(h.Take(slot), ElementsAre(Msg("USEROK", Wire("100001|"))));
  EXPECT_EQ(h.view.rows[100001].name, "bob");
  EXPECT_EQ(h.view.rows[100001].status, "Awaiting password...");

  h.Send(slot, to_server::PASS, "wrong password");
  EXPECT_THAT(h.Take(slot),
              ElementsAre(Msg("PASSOK", Wire("Be kind|A room with a long n|-|1|10"))));
  EXPECT_THAT(h.Take(first), ElementsAre(Msg("JOIN", Wire("100001|bob|0"))));
  EXPECT_EQ(h.view.rows[100001].status, "Awaiting UserList request...");

  h.Send(slot, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.Take(slot), ElementsAre(Msg("ULIST", Wire("100000|alice|0|0|100001|bob|0|0")),
                                        Msg("ULISTEND", "")));
  EXPECT_EQ(h.view.rows[100001].status, "The login sequence was successful.");
  EXPECT_EQ(h.server.Record(slot)->State, StateInRoom);
  EXPECT_EQ(h.server.statistics().Get(Stat::AttemptedConnections), 2);
  EXPECT_EQ(h.server.statistics().Get(Stat::EstablishedConnections), 2);
}

TEST(Login, UserIdsAndSlotsAreNeverReused) {
  ServerHarness h;
  const int a = h.Connect();
  EXPECT_EQ(a, 1);
  EXPECT_EQ(h.IdOf(a), 100000);
  h.server.OnClosed(a);
  const int b = h.Connect();
  EXPECT_EQ(b, 2);
  EXPECT_EQ(h.IdOf(b), 100001);
  EXPECT_EQ(h.server.Record(a), nullptr);
  EXPECT_EQ(h.server.ConnectionCount(), 1);
}

TEST(Login, VersionsBelowTheMinimumAreRefused) {
  ServerHarness h;
  const int old = h.Connect();
  h.Send(old, to_server::SCRAWLBOX_CL13NT, "099384");
  EXPECT_THAT(h.Take(old), ElementsAre(Msg("OLDVERSION", "99385")));
  EXPECT_EQ(h.server.Record(old)->State, StateRefused);
  EXPECT_TRUE(h.view.HasLog(
      LogKind::kConnections,
      "A Scrawlbox client was declined connection because it was an earlier version: 099384."));
  // Refused stays refused: the profile step closes it.
  h.Send(old, to_server::USER, ProfileData("late"));
  EXPECT_TRUE(h.transport.IsClosed(old));

  const int ok = h.Connect();
  h.Send(ok, to_server::SCRAWLBOX_CL13NT, "99385");
  EXPECT_THAT(h.TakeCommands(ok), ElementsAre("SCRAWLBOX_S3RV3R"));
}

TEST(Login, StepsOutOfOrderCloseTheConnection) {
  ServerHarness h;
  const int user_first = h.Connect();
  h.Send(user_first, to_server::USER, ProfileData("eager"));
  EXPECT_TRUE(h.transport.IsClosed(user_first));

  const int pass_first = h.Handshake();
  h.Send(pass_first, to_server::PASS, "<none>");
  EXPECT_TRUE(h.transport.IsClosed(pass_first));

  const int nick = h.Join("nick");
  h.Send(nick, to_server::NICK, "other");
  EXPECT_TRUE(h.transport.IsClosed(nick));

  const int early_say = h.Connect();
  h.Send(early_say, to_server::SAY, "hello?");
  EXPECT_TRUE(h.transport.IsClosed(early_say));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Unknown User's (10.0.0.1) connection has been closed: Protocol "
                            "error (SAY out of turn)."));
}

TEST(Login, RepeatedHandshakeGetsTheBareGoodbye) {
  ServerHarness h;
  const int slot = h.Join("twice");
  h.Send(slot, to_server::SCRAWLBOX_CL13NT, "100001");
  EXPECT_EQ(h.transport.Raw(slot), "You are not a Scrawlbox client. Goodbye.");
  EXPECT_TRUE(h.transport.IsAborted(slot));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "A non-Scrawlbox client attempted a connection. The connection was "
                            "forced closed by Scrawlbox Server."));
}

// A peer that ignores BANNED and keeps saying hello would have each hello matched against the
// whole list; the room closes the connection once the message is out.
TEST(Login, BannedAddressIsToldAndClosed) {
  ServerHarness h;
  FixedBans bans;
  h.server.SetBanCheck(&bans);
  const int slot = h.Handshake("6.6.6.6");
  EXPECT_THAT(h.Take(slot), ElementsAre(Msg("BANNED", "-")));
  EXPECT_TRUE(h.transport.IsClosed(slot));
  EXPECT_EQ(h.server.Record(slot), nullptr);
}

TEST(Login, UserListComesInBatchesOfTen) {
  for (const int users : {10, 11, 25}) {
    ServerHarness h("[Server Details]\nMax Connections Per Address=0\n");

    int last = 0;
    for (int i = 0; i < users; ++i) last = h.Join("u" + std::to_string(i));
    h.Send(last, to_server::ULISTREQ, "-");
    const auto messages = h.Take(last);
    std::vector<size_t> batch_sizes;
    for (size_t i = 0; i + 1 < messages.size(); ++i) {
      ASSERT_EQ(messages[i].command, "ULIST");
      batch_sizes.push_back(protocol::SplitFields(messages[i].data).size() / 4);
    }
    EXPECT_EQ(messages.back().command, "ULISTEND");
    const std::vector<size_t> expected = users == 10   ? std::vector<size_t>{10}
                                         : users == 11 ? std::vector<size_t>{10, 1}
                                                       : std::vector<size_t>{10, 10, 5};
    EXPECT_EQ(batch_sizes, expected) << users << " users";
  }
}

TEST(Login, UsersStillLoggingInAreNotListedAndGetNoBroadcasts) {
  ServerHarness h;
  const int in_room = h.Join("in");
  const int halfway = h.LogInTo(ServerHarness::Step::kProfile, "half");
  h.TakeAll();
  h.Send(in_room, to_server::SAY, "hi");
  EXPECT_TRUE(h.Take(halfway).empty());
  h.TakeAll();
  h.Send(in_room, to_server::ULISTREQ, "-");
  EXPECT_THAT(h.Take(in_room),
              ElementsAre(Msg("ULIST", Wire("100000|in|0|0")), Msg("ULISTEND", "")));
}

TEST(Login, AdminClaimIsGrantedOnlyToSomeoneAloneInTheRoom) {
  ServerHarness h;
  const int first = h.Join("first");
  h.Send(first, to_server::ADMIN, "first");
  EXPECT_TRUE(h.server.Record(first)->IsAdmin);
  const int second = h.Join("second");
  h.Send(second, to_server::ADMIN, "second");
  EXPECT_FALSE(h.server.Record(second)->IsAdmin);
  EXPECT_TRUE(h.Take(first).empty());
  h.Send(second, to_server::ULISTREQ, "-");
  const auto list = h.Take(second);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0].data, Wire("100000|@first|0|0|100001|second|0|0"));
}

TEST(Login, JoinersDuringAGameAreToldOfIt) {
  ServerHarness h;
  RunningGame game;
  h.server.SetGame(&game);
  const int slot = h.Handshake();
  h.TakeAll();
  h.Send(slot, to_server::USER, ProfileData("late"));
  h.Send(slot, to_server::PASS, "<none>");
  EXPECT_THAT(h.Take(slot),
              ElementsAre(Msg("USEROK", Wire("100000|")), Msg("PASSOK", Wire("||-|3|5"))));
  h.Send(slot, to_server::ULISTREQ, "-");
  const auto messages = h.Take(slot);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2].command, "GAMERUNNING");
  EXPECT_EQ(messages[2].data,
            Wire("100000|") + std::string(100, 'c') + Wire("|"));  // no pattern yet
}

TEST(Login, DisagreeRefusesAndPings) {
  ServerHarness h;
  const int slot = h.Connect();
  h.Send(slot, to_server::DISAGREE, "-");
  EXPECT_THAT(h.Take(slot), ElementsAre(Msg("PING", "-")));
  EXPECT_EQ(h.server.Record(slot)->State, StateRefused);
}

}  // namespace
}  // namespace server
