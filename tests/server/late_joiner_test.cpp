// SPDX-License-Identifier: MIT
// Joining a room where a picture is being drawn and a game is being played: the picture, the
// clock, points kept for a dropped player, and password rooms.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "server/connections/picture_log.h"
#include "tests/support/game_harness.h"
#include "tests/support/matchers.h"
#include "tests/support/room_fixtures.h"
#include "tests/support/server_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace server {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;
using testing_support::GameHarness;
using testing_support::Msg;
using testing_support::ServerHarness;
namespace to_server = protocol::to_server;

using Game3 = testing_support::ThreeInRoom<GameHarness>;

// Two players drawing freely, with the drawing limit off so that a test can draw a lot, and
// joiners from the same address.
class Drawing : public testing::Test {
 protected:
  void SetUp() override {
    a = h.Join("ann");
    b = h.Join("ben");
  }
  ServerHarness h{"[Server Details]\nDrawing Burst=0\nMax Connections Per Address=0\n"};
  int a = 0, b = 0;
};

const std::string kSegment = Wire("1|2|3|4");

// What came after ULISTEND in these messages.
std::vector<protocol::Message> AfterUserList(std::vector<protocol::Message> messages) {
  const auto end = std::find_if(messages.begin(), messages.end(),
                                [](const auto& m) { return m.command == "ULISTEND"; });
  return {end == messages.end() ? end : end + 1, messages.end()};
}

// A new player who logs in now; returns what it was sent after ULISTEND.
std::vector<protocol::Message> JoinAndTakeAfterUserList(ServerHarness& h, int* slot = nullptr) {
  static int joiners = 0;
  const int joiner = h.LogInTo(ServerHarness::Step::kUserList, "late" + std::to_string(++joiners));
  if (slot) *slot = joiner;
  return AfterUserList(h.Take(joiner));
}

// --- The picture ----------------------------------------------------------------------------

TEST_F(Drawing, AJoinerGetsEveryStrokeSinceTheLastClearWithTheToolsBeforeIt) {
  h.Send(a, "PA", "5");
  h.Send(a, "FH", kSegment);
  h.Send(a, "DW", Wire("1|9"));
  // More than one chunk of the picture's log, all of it gone with the clear.
  for (size_t i = 0; i * kSegment.size() < 2 * PictureLog::kChunkBytes; ++i)
    h.Send(a, "FH", kSegment);
  h.Send(a, "CL", "-");  // clears the picture, not the tools
  h.Send(a, "CC", Wire("1|2|3"));
  h.Send(a, "FL", Wire("10|20"));
  EXPECT_THAT(JoinAndTakeAfterUserList(h),
              ElementsAre(Msg("PA", Wire("100000|5")), Msg("DW", Wire("100000|1|9")),
                          Msg("CC", Wire("100000|1|2|3")), Msg("FL", Wire("100000|10|20"))));
}

TEST_F(Game3, ANewGameOrArtistStartsThePictureAgainWithTheToolsReset) {
  h.Send(a, "PA", "5");
  h.Send(a, "FH", kSegment);
  h.StartGame(b);  // ann draws
  h.Send(a, "LI", kSegment);
  auto after = JoinAndTakeAfterUserList(h);
  EXPECT_THAT(testing_support::CommandsOf(after),
              ElementsAre("GAMERUNNING", "STARTGAMETIMER", "LI"));

  h.clock.Advance(60000 + BetweenRoundsPause);  // ben draws now
  h.TakeAll();
  after = JoinAndTakeAfterUserList(h);
  EXPECT_THAT(testing_support::CommandsOf(after), ElementsAre("GAMERUNNING", "STARTGAMETIMER"));
}

TEST_F(Game3, AJoinersClockRunsWithTheRoundAndTheCountdown) {
  h.StartGame(a);
  h.clock.Advance(17400);
  auto after = JoinAndTakeAfterUserList(h);
  ASSERT_GE(after.size(), 2u);
  EXPECT_THAT(after[1], Msg("STARTGAMETIMER", "42600"));

  h.Say(b, "cat");  // the first find starts the 30 s countdown
  h.clock.Advance(1000);
  h.TakeAll();
  const int second = h.LogInTo(ServerHarness::Step::kUserList, "later");
  EXPECT_THAT(h.Take(second), Contains(Msg("STARTGAMETIMER", "29000")));

  h.clock.Advance(29000);  // between rounds the clock stands still
  h.TakeAll();
  const int third = h.LogInTo(ServerHarness::Step::kUserList, "latest");
  EXPECT_THAT(h.TakeCommands(third), Not(Contains("STARTGAMETIMER")));
}

TEST_F(Drawing, APictureTooLargeToKeepIsNotSentAndWaitsForTheNextRound) {
  h.Send(a, "PA", "7");
  const std::string wide(240, '9');  // a long but valid drawing message
  for (int i = 0; i < 20000 && !h.server.picture().overflowed(); ++i) h.Send(a, "LI", wide);
  ASSERT_TRUE(h.server.picture().overflowed());
  EXPECT_LE(h.server.picture().size(), PictureLog::kMaxBytes);  // whole messages only
  EXPECT_GT(h.server.picture().size(), PictureLog::kMaxBytes - 300);
  h.TakeAll();
  EXPECT_THAT(JoinAndTakeAfterUserList(h),
              ElementsAre(Msg("NOTICE",
                              "The picture is too large to send; it will appear with the next "
                              "round."),
                          Msg("PA", Wire("100000|7"))));
  h.Send(a, "CL", "-");
  EXPECT_FALSE(h.server.picture().overflowed());
}

TEST_F(Drawing, JoinersShareThePicturesPiecesAFewAtATimeAndGetWhatWasDrawnMeanwhileOnce) {
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
  h.Send(a, "FL",
         "1"
         "1");  // drawn meanwhile: after the whole picture, for the fed and the waiting alike
  for (int turns = 0; turns < 100 && h.server.Record(joiners.back())->picture_stream; ++turns) {
    drain();
  }
  for (const int joiner : joiners) {
    auto received = testing_support::CutMessages(h.transport.Raw(joiner));
    std::erase_if(received, [](const auto& m) { return m.command == "JOIN"; });  // later joiners
    ASSERT_EQ(received.size(), 1001u);
    EXPECT_THAT(received.front(), Msg("BO", Wire("100000|") + wide));
    EXPECT_THAT(received.back(), Msg("FL", Wire("100000|1|1")));
  }
}

TEST_F(Drawing, AJoinerThatStopsReadingIsClosedLikeAnySlowReader) {
  for (int i = 0; i < 100; ++i) h.Send(a, "FH", kSegment);
  int joiner = 0;
  h.transport.on_send = [&](int slot) {
    if (slot > b) h.transport.queued_bytes[slot] = RoomServer::kPictureFeedBelow;
  };
  JoinAndTakeAfterUserList(h, &joiner);
  ASSERT_TRUE(h.server.Record(joiner)->picture_stream);
  const std::string wide(200, '7');
  for (int i = 0; i < 10000 && !h.transport.IsClosed(joiner); ++i) h.Send(a, "FH", wide);
  EXPECT_TRUE(h.transport.IsClosed(joiner));
  EXPECT_FALSE(h.transport.IsClosed(a));
}

// --- A dropped player keeps the score --------------------------------------------------------

class KeptScore : public Game3 {
 protected:
  void SetUp() override {
    Game3::SetUp();
    h.StartGame(a);
    h.Say(b, "cat");  // ben finds the word: 220 points
    h.TakeAll();
    h.server.OnClosed(b);
    h.TakeAll();
  }
  // Ben logs in again from the address given; returns the new slot.
  int BenReturns(const std::string& address = "10.0.0.1") {
    const int slot = h.Connect(address);
    h.Send(slot, to_server::SCRAWLBOX_CL13NT, "100001");
    h.Send(slot, to_server::USER, testing_support::ProfileData("Ben"));
    h.Send(slot, to_server::PASS, "<none>");
    return slot;
  }
};

TEST_F(KeptScore, APlayerBackWithinTwoMinutesGetsThePointsAndStaysAFinder) {
  h.clock.Advance(kKeptScoreMs - 1000);
  h.TakeAll();
  const int ben = BenReturns();
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("JOIN", "POINTSCHG"));
  EXPECT_EQ(h.server.Record(ben)->Points, 220);
  EXPECT_EQ(h.game.state().FoundCount, 0);  // that round is over: the countdown ran out
}

TEST_F(KeptScore, AFinderBackInTheSameRoundIsNotCountedTwice) {
  const int ben = BenReturns();
  EXPECT_TRUE(h.server.Record(ben)->FoundWord);
  EXPECT_EQ(h.game.state().FoundCount, 1);
  h.Say(c, "cat");  // the last guesser: the round ends at once
  EXPECT_THAT(h.TakeCommands(a), Contains("STOPGAMETIMER"));
}

TEST_F(KeptScore, TooLateFromElsewhereOrAfterTheGameTheScoreIsGone) {
  h.clock.Advance(1000);
  const int elsewhere = BenReturns("10.9.9.9");
  EXPECT_EQ(h.server.Record(elsewhere)->Points, 0);
  EXPECT_THAT(h.TakeCommands(c), ElementsAre("JOIN"));
  h.server.OnClosed(elsewhere);
  h.clock.Advance(kKeptScoreMs + 1000);
  const int late = BenReturns();
  EXPECT_EQ(h.server.Record(late)->Points, 0);
}

TEST_F(KeptScore, TheEndOfTheGameDropsKeptScores) {
  h.StartGame(a, 1);  // the master starts a one-round game and lets it end
  h.clock.Advance(60000 + 30000);
  const int ben = BenReturns();
  EXPECT_EQ(h.server.Record(ben)->Points, 0);
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
  auto returns = [this](const std::string& nickname, const std::string& address) {
    const int slot = h.Connect(address);
    h.Send(slot, to_server::SCRAWLBOX_CL13NT, "100001");
    h.Send(slot, to_server::USER, testing_support::ProfileData(nickname));
    h.Send(slot, to_server::PASS, "<none>");
    return slot;
  };
  h.clock.Advance(3000);
  const int live = returns("CID", "10.0.0.1");
  const int elsewhere = returns("BEN", "10.9.9.9");
  EXPECT_TRUE(h.transport.IsClosed(elsewhere));
  h.TakeAll();
  const int ben = returns("BEN", "10.0.0.1");
  EXPECT_THAT(h.TakeCommands(ben), ElementsAre("SCRAWLBOX_S3RV3R"));  // waits for ben's answer
  h.clock.Advance(RoomServer::kGhostProbeMs);
  EXPECT_TRUE(h.transport.IsClosed(live));
  EXPECT_TRUE(h.transport.IsClosed(b));
  EXPECT_FALSE(h.transport.IsClosed(ben));
  EXPECT_THAT(h.Take(c),
              ElementsAre(Msg("PART", Wire("100001|Reconnected (no answer for 5 s)")),
                          Msg("JOIN", Wire("100005|BEN|0")), Msg("POINTSCHG", Wire("100005|220"))));
  EXPECT_THAT(h.TakeCommands(ben), ElementsAre("USEROK", "PASSOK"));
  EXPECT_TRUE(h.server.Record(ben)->FoundWord);
  EXPECT_EQ(h.game.state().FoundCount, 1);

  // Silent for longer than the ping interval and a round trip: replaced without asking.
  silent.insert(ben);
  h.clock.Advance(10000 + RoomServer::kAnswerGraceMs + 1);
  h.TakeAll();
  const int again = returns("ben", "10.0.0.1");
  EXPECT_THAT(h.TakeCommands(again), ElementsAre("SCRAWLBOX_S3RV3R", "USEROK", "PASSOK"));
  EXPECT_EQ(h.server.counters().closed[static_cast<size_t>(CloseReason::kReplaced)], 2u);
}

// --- Password rooms ---------------------------------------------------------------------------

class PasswordRoom : public testing::Test {
 protected:
  // Logs in up to the password; returns the slot.
  int TryPassword(const std::string& password, const std::string& address = "10.0.0.7") {
    const int slot = h.Connect(address);
    h.Send(slot, to_server::SCRAWLBOX_CL13NT, "100001");
    h.Send(slot, to_server::USER, testing_support::ProfileData("p" + std::to_string(++tries)));
    h.TakeAll();
    h.Send(slot, to_server::PASS, password);
    return slot;
  }
  bool Refused(int slot) {
    const auto commands = h.TakeCommands(slot);
    return h.transport.IsClosed(slot) && commands == std::vector<std::string>{"BADPASS", "NOTICE"};
  }

  ServerHarness h{"[Server Details]\nServer Password=open \x02sesame\n"};
  int tries = 0;
};

TEST_F(PasswordRoom, OnlyTheExactPasswordEnters) {
  for (const std::string wrong :
       {"<none>", "", "open sesame", "open \x02sesam", "open \x02sesame ", "OPEN \x02SESAME"}) {
    EXPECT_TRUE(Refused(TryPassword(wrong, "10.0.0." + std::to_string(++tries)))) << wrong;
  }
  const int right = TryPassword("open \x02sesame");
  EXPECT_THAT(h.TakeCommands(right), ElementsAre("PASSOK"));
  h.Send(right, to_server::PASS, "open \x02sesame");  // twice: not in the login any more
  EXPECT_TRUE(h.transport.IsClosed(right));
}

TEST_F(PasswordRoom, FiveWrongPasswordsRefuseTheAddressForAMinute) {
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Refused(TryPassword("guess")));
  EXPECT_TRUE(Refused(TryPassword("open \x02sesame")));  // not even compared now
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "p1's (10.0.0.7) connection has been closed: Wrong password."));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "p6's (10.0.0.7) connection has been closed: Wrong passwords: refused "
                            "for a minute."));
  EXPECT_FALSE(Refused(TryPassword("open \x02sesame", "10.0.0.8")));  // others still may
  h.clock.Advance(RoomServer::kPasswordLockMs - 1);
  EXPECT_TRUE(Refused(TryPassword("open \x02sesame")));
  h.clock.Advance(1);
  EXPECT_FALSE(Refused(TryPassword("open \x02sesame")));
}

// Guessers spread over a network are refused together once several of its addresses were.
TEST_F(PasswordRoom, LockOutsOfThreeAddressesLockTheirSlash24OrSlash64) {
  struct Row {
    const char* name;
    std::vector<std::string> guessers;
    std::string neighbour, outsider;
  };
  const Row rows[] = {
      {"IPv4", {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, "10.0.0.99", "10.0.1.1"},
      {"IPv6",
       {"2001:db8:0:1::1", "2001:0db8:0000:0001::2", "2001:DB8:0:1:ffff::3"},
       "2001:db8:0:1:abcd::9",
       "2001:db8:0:2::1"},
  };
  for (const Row& row : rows) {
    for (const std::string& guesser : row.guessers) {
      for (size_t i = 0; i < RoomServer::kMaxPasswordFailures; ++i) TryPassword("guess", guesser);
    }
    EXPECT_TRUE(Refused(TryPassword("open \x02sesame", row.neighbour))) << row.name;
    EXPECT_FALSE(Refused(TryPassword("open \x02sesame", row.outsider))) << row.name;
    h.clock.Advance(PasswordLockout::kNetworkLockMs - 1);
    EXPECT_TRUE(Refused(TryPassword("open \x02sesame", row.neighbour))) << row.name;
    h.clock.Advance(1);
    EXPECT_FALSE(Refused(TryPassword("open \x02sesame", row.neighbour))) << row.name;
  }
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Too many wrong passwords from addresses in 10.0.0.0/24; their "
                            "passwords are refused for ten minutes."));
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "Too many wrong passwords from addresses in 2001:db8:0:1::/64; their "
                            "passwords are refused for ten minutes."));
}

TEST(PasswordlessRoom, TakesAnyPasswordAsBefore) {
  ServerHarness h;
  const int slot = h.LogInTo(ServerHarness::Step::kPassword, "anyone");
  EXPECT_THAT(h.TakeCommands(slot), Contains("PASSOK"));
}

}  // namespace
}  // namespace server
