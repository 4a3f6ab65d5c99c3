// SPDX-License-Identifier: MIT
// Joining a room where a picture is being drawn and a game is being played: the picture, the
// clock, points kept for a dropped player, and password rooms.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "protocol/commands.h"
#include "server/connections/picture_log.h"
#include "tests/support/game_harness.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing_support::GameHarness;
using testing_support::ServerHarness;
constexpr auto kPassword = ServerHarness::Step::kPassword;

using Game3 = testing_support::ThreeInRoom<GameHarness>;

// Two players drawing freely, with the drawing limit off so that a test can draw a lot, and
// joiners from the same address.
struct DrawingRoom : ServerHarness {
  DrawingRoom()
      : ServerHarness("[Server Details]\nDrawing Burst=0\nMax Connections Per Address=0\n") {}
};
using Drawing = testing_support::TwoInRoom<DrawingRoom>;

const std::string kSegment = Wire("1|2|3|4");

// A new player who logs in now; returns what it was sent after ULISTEND, as Render gives it.
std::string JoinAndTakeAfterUserList(ServerHarness& h, int* slot = nullptr) {
  static int joiners = 0;
  const int joiner = h.LogInTo(ServerHarness::Step::kUserList, "late" + std::to_string(++joiners));
  if (slot) *slot = joiner;
  const std::string all = h.Got(joiner);
  const size_t end = all.find("ULISTEND");
  return end + 10 > all.size() ? "" : all.substr(end + 10);
}

TEST_F(Drawing, AJoinerGetsEveryStrokeSinceTheLastClearWithTheToolsOrANoticeWhenTooLarge) {
  h.Send(a, "PA", "5");
  h.Send(a, "FH", kSegment);
  h.Send(a, "DW", Wire("1|9"));
  // More than one chunk of the picture's log, all of it gone with the clear.
  for (size_t i = 0; i * kSegment.size() < 2 * PictureLog::kChunkBytes; ++i)
    h.Send(a, "FH", kSegment);
  h.Send(a, "CL", "-");  // clears the picture, not the tools
  h.Send(a, "CC", Wire("1|2|3"));
  h.Send(a, "FL", Wire("10|20"));
  EXPECT_EQ(JoinAndTakeAfterUserList(h),
            "PA 100000|5, DW 100000|1|9, CC 100000|1|2|3, FL 100000|10|20");
  // A picture too large to keep is not sent, and waits for the next clear.
  h.Send(a, "PA", "7");
  const std::string wide(240, '9');  // a long but valid drawing message
  for (int i = 0; i < 20000 && !h.server.picture().overflowed(); ++i) h.Send(a, "LI", wide);
  EXPECT_LE(h.server.picture().size(), PictureLog::kMaxBytes);  // whole messages only
  EXPECT_GT(h.server.picture().size(), PictureLog::kMaxBytes - 300);
  h.TakeAll();
  EXPECT_EQ(JoinAndTakeAfterUserList(h),
            "NOTICE The picture is too large to send; it will appear with the next round., "
            "PA 100000|7, DW 100000|1|9");
  h.Send(a, "CL", "-");
  EXPECT_FALSE(h.server.picture().overflowed());
}

// A new game or artist starts the picture again with the tools reset; a joiner's clock runs
// with the round and the countdown, and stands still between rounds.
TEST_F(Game3, AJoinerSeesTheRoundsPictureAndClock) {
  h.Send(a, "PA", "5");
  h.Send(a, "FH", kSegment);
  h.StartGame(b);  // ann draws
  h.Send(a, "LI", kSegment);
  h.clock.Advance(17400);
  EXPECT_EQ(JoinAndTakeAfterUserList(h),
            "GAMERUNNING 100000||___, STARTGAMETIMER 42600, LI 100000|1|2|3|4");
  h.Say(b, "cat");  // the first find starts the 30 s countdown
  h.clock.Advance(1000);
  h.TakeAll();
  EXPECT_THAT(JoinAndTakeAfterUserList(h), HasSubstr(", STARTGAMETIMER 29000"));
  h.clock.Advance(29000);
  h.TakeAll();
  EXPECT_EQ(JoinAndTakeAfterUserList(h), "GAMERUNNING 100000||, LI 100000|1|2|3|4");
  h.clock.Advance(BetweenRoundsPause);  // ben draws now
  h.TakeAll();
  EXPECT_EQ(JoinAndTakeAfterUserList(h), "GAMERUNNING 100001||___, STARTGAMETIMER 60000");
}

TEST_F(Drawing, JoinersShareThePicturesPiecesAFewAtATimeAndThoseThatStopReadingAreClosed) {
  const std::string wide(200, '8');
  for (int i = 0; i < 1000; ++i) h.Send(a, "BO", wide);  // about 210 KB: four pieces
  // A joiner's queue is reported full after every send to it, until the test drains it.
  h.transport.on_send = [&](int slot) {
    if (slot > b) h.transport.queued_bytes[slot] = RoomServer::kPictureFeedBelow;
  };
  std::vector<int> joiners(RoomServer::kPictureFeeds + 2);
  for (int& joiner : joiners) JoinAndTakeAfterUserList(h, &joiner);
  auto drain = [&] {
    for (const int joiner : joiners) h.transport.queued_bytes[joiner] = 0;
    h.clock.Advance(RoomServer::kPictureRetryMs);
  };
  drain();
  const auto& shared = h.transport.shared;
  for (size_t i = 0; i < joiners.size(); ++i) {
    const size_t pieces = shared.count(joiners[i]) ? shared.at(joiners[i]).size() : 0;
    EXPECT_EQ(pieces, i < RoomServer::kPictureFeeds ? 1u : 0u) << "joiner " << i;
  }
  EXPECT_EQ(shared.at(joiners[0])[0], shared.at(joiners[1])[0]);  // one copy for all
  h.Send(a, "FL", "11");  // drawn meanwhile: after the whole picture, for the fed and the waiting
  for (int turns = 0; turns < 100 && h.server.Record(joiners.back())->picture_stream; ++turns) {
    drain();
  }
  for (const int joiner : joiners) {
    auto received = testing_support::CutMessages(h.transport.Raw(joiner));
    std::erase_if(received, [](const auto& m) { return m.command == "JOIN"; });  // later joiners
    ASSERT_EQ(received.size(), 1001u);
    EXPECT_EQ(testing_support::Render({received.front(), received.back()}),
              "BO 100000|" + wide + ", FL 100000|11");
  }
  // A joiner that stops reading is closed like any slow reader.
  int stalled = 0;
  JoinAndTakeAfterUserList(h, &stalled);
  for (int i = 0; i < 10000 && !h.transport.IsClosed(stalled); ++i) h.Send(a, "FH", wide);
  EXPECT_TRUE(h.transport.IsClosed(stalled));
  EXPECT_FALSE(h.transport.IsClosed(a));
}

// --- A dropped player keeps the score --------------------------------------------------------

TEST_F(Game3, APlayerBackFromItsAddressWithinTwoMinutesGetsThePointsAndStaysAFinder) {
  h.StartGame(a, 10);
  h.Say(b, "cat");  // ben finds the word: 220 points
  h.server.OnClosed(b);
  h.clock.Advance(1000);
  h.TakeAll();
  // From elsewhere: a newcomer.
  h.server.OnClosed(h.LogInTo(kPassword, "Ben", "0", "10.9.9.9"));
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("JOIN", "PART"));
  // Back in the same round: a finder, not counted twice; the last guesser ends the round.
  int ben = h.LogInTo(kPassword, "Ben");
  EXPECT_EQ(h.game.state().FoundCount, 1);
  h.Say(c, "cat");
  EXPECT_THAT(h.TakeCommands(a), testing::Contains("STOPGAMETIMER"));
  h.server.OnClosed(ben);
  h.clock.Advance(kKeptScoreMs - 1000);
  h.TakeAll();
  ben = h.LogInTo(kPassword, "Ben");
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("JOIN", "POINTSCHG"));
  EXPECT_EQ(h.server.Record(ben)->Points, 220);
  EXPECT_EQ(h.game.state().FoundCount, 0);  // that round is over
  // Too late, or once a new game starts, the score is gone.
  h.server.OnClosed(ben);
  h.clock.Advance(kKeptScoreMs + 1000);
  EXPECT_EQ(h.server.Record(h.LogInTo(kPassword, "Ben"))->Points, 0);
  h.server.OnClosed(c);
  h.StartGame(a, 1);
  EXPECT_EQ(h.server.Record(h.LogInTo(kPassword, "cid"))->Points, 0);
}

// A player whose connection vanished without a close comes back under its own name: the
// holder of the name is asked, and one that does not answer makes way at once; a live
// player's name stays its own.
TEST_F(Game3, AReturningPlayerReplacesItsSilentConnectionAndGetsItsPoints) {
  h.StartGame(a);
  h.Say(b, "cat");  // ben finds the word: 220 points, and then goes silent
  std::set<int> silent = {b};
  h.transport.on_ping = [&silent, answer = h.transport.on_ping](int slot) {
    if (!silent.count(slot)) answer(slot);
  };
  h.clock.Advance(3000);
  const int live = h.LogInTo(kPassword, "CID");
  const int elsewhere = h.LogInTo(kPassword, "BEN", "0", "10.9.9.9");
  EXPECT_TRUE(h.transport.IsClosed(elsewhere));
  h.TakeAll();
  const int ben = h.LogInTo(kPassword, "BEN");
  EXPECT_THAT(h.TakeCommands(ben), ElementsAre("SCRAWLBOX_S3RV3R"));  // waits for ben's answer
  h.clock.Advance(RoomServer::kGhostProbeMs);
  EXPECT_TRUE(h.transport.IsClosed(live) && h.transport.IsClosed(b));
  EXPECT_EQ(h.Got(c),
            "PART 100001|Reconnected (no answer for 5 s), JOIN 100005|BEN|0, "
            "POINTSCHG 100005|220");
  EXPECT_THAT(h.TakeCommands(ben), ElementsAre("USEROK", "PASSOK"));
  // Silent for longer than the ping interval and a round trip: replaced without asking.
  silent.insert(ben);
  h.clock.Advance(10000 + RoomServer::kAnswerGraceMs + 1);
  h.TakeAll();
  const int again = h.LogInTo(kPassword, "ben");
  EXPECT_THAT(h.TakeCommands(again), ElementsAre("SCRAWLBOX_S3RV3R", "USEROK", "PASSOK"));
  EXPECT_EQ(h.server.counters().closed[static_cast<size_t>(CloseReason::kReplaced)], 2u);
}

// --- Password rooms ---------------------------------------------------------------------------

class PasswordRoom : public testing::Test {
 protected:
  // Whether a login up to the password from the address is refused.
  bool Refused(const std::string& password, const std::string& address = "10.0.0.7") {
    const int slot =
        h.LogInTo(ServerHarness::Step::kProfile, "p" + std::to_string(++tries), "0", address);
    h.TakeAll();
    h.Send(slot, protocol::to_server::PASS, password);
    const std::string got = h.Got(slot);
    EXPECT_EQ(h.transport.IsClosed(slot), !got.starts_with("PASSOK"));
    return got.starts_with("BADPASS -, NOTICE ");
  }

  ServerHarness h{"[Server Details]\nServer Password=open \x02sesame\n"};
  int tries = 0;
};

TEST_F(PasswordRoom, OnlyTheExactPasswordEntersAndWrongOnesLockTheAddressThenItsNetwork) {
  for (const std::string wrong :
       {"<none>", "", "open sesame", "open \x02sesam", "open \x02sesame ", "OPEN \x02SESAME"}) {
    EXPECT_TRUE(Refused(wrong, "10.1.0." + std::to_string(tries))) << wrong;
  }
  EXPECT_FALSE(Refused("open \x02sesame"));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Refused("guess"));
  EXPECT_TRUE(Refused("open \x02sesame"));  // not even compared now
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "p8's (10.0.0.7) connection has been closed: Wrong password.") &&
              h.view.HasLog(LogKind::kConnections,
                            "p13's (10.0.0.7) connection has been closed: "
                            "Wrong passwords: refused for a minute."));
  EXPECT_FALSE(Refused("open \x02sesame", "10.0.0.8"));  // others still may
  h.clock.Advance(RoomServer::kPasswordLockMs - 1);
  EXPECT_TRUE(Refused("open \x02sesame"));
  h.clock.Advance(1);
  EXPECT_FALSE(Refused("open \x02sesame"));

  // Guessers spread over a network are refused together once three of its addresses were.
  struct Row {
    const char* name;
    std::vector<std::string> guessers;
    std::string neighbour, outsider, network;
  };
  const Row rows[] = {
      {"IPv4", {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, "10.0.0.99", "10.0.1.1", "10.0.0.0/24"},
      {"IPv6",
       {"2001:db8:0:1::1", "2001:0db8:0000:0001::2", "2001:DB8:0:1:ffff::3"},
       "2001:db8:0:1:abcd::9",
       "2001:db8:0:2::1",
       "2001:db8:0:1::/64"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& guesser : row.guessers) {
      for (size_t i = 0; i < RoomServer::kMaxPasswordFailures; ++i) Refused("guess", guesser);
    }
    EXPECT_TRUE(Refused("open \x02sesame", row.neighbour));
    EXPECT_FALSE(Refused("open \x02sesame", row.outsider));
    h.clock.Advance(PasswordLockout::kNetworkLockMs - 1);
    EXPECT_TRUE(Refused("open \x02sesame", row.neighbour));
    h.clock.Advance(1);
    EXPECT_FALSE(Refused("open \x02sesame", row.neighbour));
    EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, "Too many wrong passwords from addresses in " +
                                                         row.network +
                                                         "; their passwords are refused for ten "
                                                         "minutes."));
  }
}

}  // namespace
}  // namespace server
