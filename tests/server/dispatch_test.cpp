// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

using Room = testing_support::ThreeInRoom<ServerHarness>;

TEST_F(Room, RelayedTextIsCutAndCleanedAndBlankTextGoesToNobody) {
  // Chat goes to everyone, actions and away to the others, each cut to 512.
  h.Send(b, to_server::SAY, std::string(600, 'x'));
  const std::string said = "SAY 100001|" + std::string(512, 'x');
  EXPECT_EQ(h.Got(a) + h.Got(b) + h.Got(c), said + said + said);
  EXPECT_TRUE(h.view.HasLog(LogKind::kChat, "ben: " + std::string(512, 'x')));
  EXPECT_EQ(h.server.statistics().Get(Stat::SentencesTyped), 1);
  const std::string huge(60000, 'w'), cut(512, 'w');
  h.Send(a, to_server::USERACTION, huge);
  h.Send(a, to_server::AWAY, "1");
  h.Send(a, to_server::AWAY, huge);
  for (const auto command : {to_server::SAY, to_server::USERACTION, to_server::AWAY,
                             to_server::PART, to_server::ADMIN}) {
    for (const std::string blank : {"", "\r\n", "\r\n\r\n"}) {
      h.Send(a, command, blank);
      h.clock.Advance(500);  // within the chat limit
    }
  }
  EXPECT_EQ(h.Got(a), "");
  EXPECT_EQ(h.Got(b), "USERACTION 100000|" + cut + ", AWAY 100000|1, AWAY 100000|" + cut);
  EXPECT_FALSE(h.transport.IsClosed(a));
  EXPECT_EQ(h.server.Record(a)->AutoSkip, 0);  // away is only shown: the login's flag counts
  // Control codes in free text are dropped, so they cannot forge fields.
  h.Send(a, to_server::SAY, std::string("be\0ll\a \x1b[2J\r\ndel\x7f", 18));
  h.Send(a, to_server::SAY, Wire("hi|100001^x\x02y"));
  h.Send(a, to_server::NICKCHG, Wire("e|vil"));
  h.Send(a, to_server::USERACTION, Wire("|^"));  // nothing left to show
  h.clock.Advance(2000);
  h.Send(a, to_server::PART, Wire("gone|100002|fake"));
  EXPECT_EQ(h.Got(b),
            "SAY 100000|bell [2Jdel, SAY 100000|hi100001xy, NICKCHG 100000|evil, "
            "PART 100000|gone100002fake");
  const int profile = h.Handshake();
  h.Send(profile, to_server::USER, Wire("n^ick|0|9|M\x02") + "ale" + Wire("|"));
  const ConnectionRecord& record = *h.server.Record(profile);
  EXPECT_EQ(record.Nickname + " " + record.Gender + " [" + record.Quote + "]", "nick Male []");
}

TEST_F(Room, NicknamesAreStoredAt30AnnouncedAt20AndInfoStoredAt60) {
  h.Send(a, to_server::NICKCHG, std::string(40, 'n'));
  EXPECT_EQ(h.view.rows[100000].status, "Has changed nickname.");
  h.Send(a, to_server::NICKCHG, "");  // no name is no nickname
  EXPECT_EQ(h.server.Record(a)->Nickname, std::string(30, 'n'));
  const std::string changed = "NICKCHG 100000|" + std::string(20, 'n');
  EXPECT_EQ(
      h.Got(a),
      changed + ", NOTICE Please choose a nickname (Edit, User Profile) before you join a room.");
  EXPECT_EQ(h.Got(b), changed);
  h.TakeAll();
  h.Send(c, to_server::NEWINFO, std::string(70, 'i'));
  EXPECT_EQ(h.Got(c), "INFOCHG 100002|" + std::string(60, 'i'));
  EXPECT_EQ(h.view.rows[100002].status, "Has changed their profile information.");
}

TEST_F(Room, OnlyTheAdminKicksOutsidersAreClosedAndProfilesAndProbesAreAnswered) {
  h.Send(b, to_server::KICK, Wire("100002|rude"));
  EXPECT_EQ(h.Got(a), "");
  h.server.Record(a)->IsAdmin = true;
  h.Send(a, to_server::KICK,
         "100002junk" + std::string(30000, 'j') + Wire("|") + std::string(30000, 'w'));
  h.Send(a, to_server::KICK, Wire("555|ghost"));  // announced, but nothing is closed
  EXPECT_TRUE(h.transport.IsClosed(c));
  const std::string reason(100, 'w');
  EXPECT_EQ(h.Got(b), "KICKINFO 100000|100002|" + reason + ", PART 100002|" + reason +
                          ", KICKINFO 100000|555|ghost");
  EXPECT_EQ(h.view.rows[100000].status, "Has kicked: ghost");
  EXPECT_EQ(h.server.statistics().Get(Stat::UsersKicked), 1);
  EXPECT_EQ(h.server.ConnectionCount(), 2);
  // Room commands from outside the room close the sender.
  for (const auto& [command, data] : {std::pair{to_server::USERINFO, std::string("100000")},
                                      {to_server::KICK, Wire("100000|bye")},
                                      {"FH", Wire("1|2")}}) {
    SCOPED_TRACE(command);
    const int outsider = h.Handshake();
    h.TakeAll();
    h.Send(outsider, command, data);
    EXPECT_TRUE(h.transport.IsClosed(outsider));
    EXPECT_EQ(h.Got(outsider) + h.Got(a), "");
  }
  // Probes and NOP are answered in any state; probes are counted, not logged.
  const size_t logged = h.view.logs.size();
  const int probe = h.Connect();
  h.Send(probe, to_server::ISALIVE, "-");
  h.Send(probe, to_server::NOP, "-");
  EXPECT_EQ(h.Got(probe), "ISALIVE YES, NOP NOP");
  EXPECT_FALSE(h.transport.IsClosed(probe));
  h.server.OnClosed(probe);
  EXPECT_EQ(h.view.logs.size(), logged);
  EXPECT_EQ(h.server.statistics().Get(Stat::ProbesAnswered), 1);
  EXPECT_THAT(h.server.MetricsText(),
              testing::HasSubstr("\nscrawlbox_room_probes_answered_total 1\n"));
  // A profile comes from the user, or is empty when there is none.
  h.Send(a, to_server::USERINFO, "100001");
  EXPECT_EQ(h.Got(a), "USERINFO ben|23|Female|Leeds|-|hello");
  EXPECT_EQ(h.view.rows[100000].status, "Requested UserInfo for: ben");
  h.server.OnClosed(b);
  h.TakeAll();
  h.Send(a, to_server::USERINFO, "100001");
  EXPECT_EQ(h.Got(a), "USERINFO |0||||");
  EXPECT_EQ(h.server.statistics().Get(Stat::ProfileRequests), 2);
}

TEST_F(Room, UnknownCommandsAreLoggedAndDrawingIsRelayedWithTheSendersIdUnlessEmpty) {
  h.SendRaw(a, "HELLO\x02there\x01no separator\x01");
  for (const char* data : {"HELLO\x02there", "no separator"}) {
    EXPECT_TRUE(
        h.view.HasLog(LogKind::kConnections,
                      std::string("Client (ann) has sent unknown data. Data follows: ") + data));
  }
  EXPECT_FALSE(h.transport.IsClosed(a));
  EXPECT_EQ(h.Got(a), "");
  const std::pair<const char*, std::string> sends[] = {
      {"FH", Wire("1|2|3|4")}, {"CU", "junk"}, {"UN", "-"}, {"CL", "-"}, {"PA", ""},
      {"ER", "\r\n"}};
  for (const auto& [code, data] : sends) h.Send(b, code, data);
  EXPECT_EQ(h.Got(b), "CL -");
  EXPECT_EQ(h.Got(a), "FH 100001|1|2|3|4, CU 100001|-, UN 100001|-, CL -");
}

}  // namespace
}  // namespace server
