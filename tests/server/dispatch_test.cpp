// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/matchers.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::Msg;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

using Room = testing_support::ThreeInRoom<ServerHarness>;

TEST_F(Room, ChatReachesEveryoneIncludingTheSenderCutTo512) {
  const std::string long_line(600, 'x');
  h.Send(b, to_server::SAY, long_line);
  const auto expected = Msg("SAY", Wire("100001|") + std::string(512, 'x'));
  EXPECT_THAT(h.Take(a), ElementsAre(expected));
  EXPECT_THAT(h.Take(b), ElementsAre(expected));
  EXPECT_THAT(h.Take(c), ElementsAre(expected));
  EXPECT_TRUE(h.view.HasLog(LogKind::kChat, "ben: " + std::string(512, 'x')));
  EXPECT_EQ(h.server.statistics().Get(Stat::SentencesTyped), 1);
}

TEST_F(Room, BlankChatActionsAndAwayAreIgnoredAndTheSenderStays) {
  for (const auto command : {to_server::SAY, to_server::USERACTION, to_server::AWAY,
                             to_server::PART, to_server::ADMIN}) {
    for (const std::string blank : {"", "\r\n", "\r\n\r\n"}) {
      h.Send(a, command, blank);
      h.clock.Advance(500);  // within the chat limit
    }
  }
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_THAT(h.Take(b), IsEmpty());
  EXPECT_FALSE(h.transport.IsClosed(a));
}

TEST_F(Room, ActionsAndAwayGoToTheOthersOnly) {
  h.Send(a, to_server::USERACTION, "waves");
  h.Send(a, to_server::AWAY, "1");
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_THAT(h.Take(b),
              ElementsAre(Msg("USERACTION", Wire("100000|waves")), Msg("AWAY", Wire("100000|1"))));
  // Away is only shown: the flag sent at login still counts.
  EXPECT_EQ(h.server.Record(a)->AutoSkip, 0);
}

TEST_F(Room, NicknameChangesAreStoredAt30AndAnnouncedAt20) {
  const std::string forty(40, 'n');
  h.Send(a, to_server::NICKCHG, forty);
  EXPECT_EQ(h.server.Record(a)->Nickname, std::string(30, 'n'));
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("NICKCHG", Wire("100000|") + std::string(20, 'n'))));
  EXPECT_EQ(h.view.rows[100000].status, "Has changed nickname.");
  h.Send(a, to_server::NICKCHG, "");  // no name is no nickname
  EXPECT_EQ(h.server.Record(a)->Nickname, std::string(30, 'n'));
  EXPECT_THAT(h.TakeCommands(a), ElementsAre("NOTICE"));
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("NICKCHG", Wire("100000|") + std::string(20, 'n'))));
}

TEST_F(Room, InfoIsStoredAt60AndAnnouncedToAll) {
  h.Send(c, to_server::NEWINFO, std::string(70, 'i'));
  EXPECT_THAT(h.Take(c), ElementsAre(Msg("INFOCHG", Wire("100002|") + std::string(60, 'i'))));
  EXPECT_EQ(h.view.rows[100002].status, "Has changed their profile information.");
}

TEST_F(Room, ProfileRequestsAnswerFromTheUserOrWithAnEmptyProfile) {
  h.Send(a, to_server::USERINFO, "100001");
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("USERINFO", Wire("ben|23|Female|Leeds|-|hello"))));
  EXPECT_EQ(h.view.rows[100000].status, "Requested UserInfo for: ben");
  h.server.OnClosed(b);
  h.TakeAll();
  h.Send(a, to_server::USERINFO, "100001");
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("USERINFO", Wire("|0||||"))));
  EXPECT_EQ(h.server.statistics().Get(Stat::ProfileRequests), 2);
}

TEST_F(Room, OnlyTheAdminMayKick) {
  h.Send(b, to_server::KICK, Wire("100002|rude"));
  EXPECT_THAT(h.Take(a), IsEmpty());
  EXPECT_FALSE(h.transport.IsClosed(c));

  h.server.Record(a)->IsAdmin = true;
  h.Send(a, to_server::KICK, Wire("100002|rude"));
  EXPECT_TRUE(h.transport.IsClosed(c));
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("KICKINFO", Wire("100000|100002|rude")),
                                     Msg("PART", Wire("100002|rude"))));
  EXPECT_EQ(h.view.rows[100000].status, "Has kicked: rude");
  EXPECT_EQ(h.server.statistics().Get(Stat::UsersKicked), 1);

  // An unknown target is announced but nothing is closed.
  h.Send(a, to_server::KICK, Wire("555|ghost"));
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("KICKINFO", Wire("100000|555|ghost"))));
  EXPECT_EQ(h.server.ConnectionCount(), 2);
}

TEST_F(Room, ProfileAndKickFromOutsideTheRoomCloseTheAsker) {
  const int prober = h.Connect();
  h.Send(prober, to_server::USERINFO, "100000");
  EXPECT_TRUE(h.transport.IsClosed(prober));
  EXPECT_THAT(h.Take(prober), IsEmpty());

  const int kicker = h.Handshake();
  h.Send(kicker, to_server::KICK, Wire("100000|bye"));
  EXPECT_TRUE(h.transport.IsClosed(kicker));
  EXPECT_FALSE(h.transport.IsClosed(a));
}

TEST_F(Room, ProbesAndNopAreAnsweredInAnyStateAndProbesAreCountedNotLogged) {
  const size_t logged = h.view.logs.size();
  const int probe = h.Connect();
  h.Send(probe, to_server::ISALIVE, "-");
  h.Send(probe, to_server::NOP, "-");
  EXPECT_THAT(h.Take(probe), ElementsAre(Msg("ISALIVE", "YES"), Msg("NOP", "NOP")));
  EXPECT_FALSE(h.transport.IsClosed(probe));
  h.server.OnClosed(probe);
  EXPECT_EQ(h.view.logs.size(), logged);
  EXPECT_EQ(h.server.statistics().Get(Stat::ProbesAnswered), 1);
  EXPECT_THAT(h.server.MetricsText(),
              testing::HasSubstr("\nscrawlbox_room_probes_answered_total 1\n"));
}

TEST_F(Room, UnknownCommandsAreLoggedAndTheConnectionStays) {
  h.SendRaw(a, "HELLO\x02there\x01");
  h.SendRaw(a, "no separator\x01");
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Client (ann) has sent unknown data. Data follows: HELLO\x02there"));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Client (ann) has sent unknown data. Data follows: no separator"));
  EXPECT_FALSE(h.transport.IsClosed(a));
  EXPECT_THAT(h.Take(a), IsEmpty());
}

TEST_F(Room, DrawingIsRelayedToTheOthersWithTheSendersId) {
  h.Send(b, "FH", Wire("1|2|3|4"));
  h.Send(b, "CU", "junk");
  h.Send(b, "UN", "-");
  h.Send(b, "CL", "-");
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("CL", "-")));
  EXPECT_THAT(h.Take(a), ElementsAre(Msg("FH", Wire("100001|1|2|3|4")), Msg("CU", Wire("100001|-")),
                                     Msg("UN", Wire("100001|-")), Msg("CL", "-")));
  h.Send(b, "PA", "");
  h.Send(b, "ER", "\r\n");
  EXPECT_THAT(h.Take(a), IsEmpty());
  const int outsider = h.Connect();
  h.Send(outsider, "FH", Wire("1|2|3|4"));
  EXPECT_TRUE(h.transport.IsClosed(outsider));
  EXPECT_THAT(h.Take(a), IsEmpty());
}

TEST_F(Room, ControlCodesInFreeTextCannotForgeFields) {
  h.Send(a, to_server::SAY, Wire("hi|100001^x\x02y"));
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("SAY", Wire("100000|hi100001xy"))));
  h.Send(a, to_server::NICKCHG, Wire("e|vil"));
  EXPECT_EQ(h.server.Record(a)->Nickname, "evil");
  h.Send(a, to_server::USERACTION, Wire("|^"));  // nothing left to show
  h.Send(a, to_server::PART, Wire("gone|100002|fake"));
  EXPECT_THAT(h.Take(b), ElementsAre(Msg("NICKCHG", Wire("100000|evil")),
                                     Msg("PART", Wire("100000|gone100002fake"))));

  const int profile = h.Handshake();
  h.Send(profile, to_server::USER,
         Wire("n^ick|0|9|M\x02"
              "ale|"));
  EXPECT_EQ(h.server.Record(profile)->Nickname, "nick");
  EXPECT_EQ(h.server.Record(profile)->Gender, "Male");
  EXPECT_EQ(h.server.Record(profile)->Quote, "");
}

}  // namespace
}  // namespace server
