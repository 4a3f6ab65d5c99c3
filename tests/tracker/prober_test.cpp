// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>
#include <utility>

#include "tests/support/manual_clock.h"
#include "tests/support/wire.h"
#include "tests/tracker/backends.h"
#include "tracker/tcp_probe.h"

using testing_support::Wire;

namespace tracker {
namespace {

// How a fake room takes a probe: it answers YES or refuses the connection on the spot (before
// Start returns, the earliest a connector may report), or it never says anything.
enum class Behaviour { kAnswers, kRefuses, kSilent };

class FakeConnector : public ProbeConnector {
 public:
  struct Attempt : ProbeAttempt {
    std::shared_ptr<bool> token = std::make_shared<bool>();
  };
  struct Call {
    std::string asked;  // "address key", and "/code" for a made room
    int port = 0;
    std::function<void(bool)> done;
    std::weak_ptr<bool> attempt;  // expires when the prober ends the attempt
  };

  std::unique_ptr<ProbeAttempt> Start(const ProbeTarget& room,
                                      std::function<void(bool alive)> done) override {
    auto attempt = std::make_unique<Attempt>();
    const int port = room.port;
    calls.push_back(Call{room.address + " " + room.key + (room.code.empty() ? "" : "/" + room.code),
                         port, std::move(done), attempt->token});
    if (rooms[port] != Behaviour::kSilent) calls.back().done(rooms[port] == Behaviour::kAnswers);
    return attempt;
  }
  bool Open(size_t call) const { return !calls[call].attempt.expired(); }

  std::map<int, Behaviour> rooms;
  std::vector<Call> calls;
};

class ProberTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registry.Open(QStringLiteral(":memory:"))); }

  // Each port at an address of its own unless one is given, and registered from there.
  void AddRoom(const std::string& key, int port, Behaviour behaviour, bool is_private = false,
               std::string address = "", std::string code = "") {
    if (address.empty()) address = "198.51.100." + std::to_string(port % 256);
    Room room = MakeRoom(key, address, address);
    room.port = port;
    room.is_private = is_private;
    room.code = std::move(code);
    ASSERT_EQ(registry.Add(room, clock.NowMs()), RoomStore::AddResult::kAdded);
    connector.rooms[port] = behaviour;
  }

  std::unique_ptr<Prober> MakeProber(const std::string& owner = "A", int interval_ms = 60000) {
    auto made = std::make_unique<Prober>(registry, clock, connector, interval_ms, owner,
                                         [this] { return clock.NowMs(); });
    made->SetOnDropped([this](const std::string& key) { dropped += " -" + key; });
    return made;
  }

  // Advances the clock by each step and says what each step did, " | " between them: the ports
  // probed, "-KEY" for each room dropped and "!KEY" for each room failing, "." for nothing.
  std::string After(std::initializer_list<int64_t> steps) {
    std::string out;
    for (const int64_t ms : steps) {
      clock.Advance(ms);
      std::string step;
      for (; seen_ < connector.calls.size(); ++seen_) {
        step += " " + std::to_string(connector.calls[seen_].port);
      }
      step += std::exchange(dropped, "");
      for (const Room& room : registry.Failing()) step += " !" + room.key;
      out += (out.empty() ? "" : " |") + (step.empty() ? " ." : step);
    }
    return out.substr(1);
  }

  testing_support::ManualClock clock;
  Registry registry;
  FakeConnector connector;
  std::unique_ptr<Prober> prober;
  std::string dropped;  // since the last step
  size_t seen_ = 0;
};

// Private rooms are never listed, but must not stay for ever either; a room registered later is
// first asked an interval after the tick that saw it, and a room whose probe failed is asked
// again every half minute until it answers. Probes to one address start a quarter second apart,
// and each room is due again a minute after its own start.
TEST_F(ProberTest, EveryRoomIsAskedOnceAMinuteAtItsAddress) {
  AddRoom("OPEN", 2020, Behaviour::kAnswers);
  AddRoom("HIDDEN", 2021, Behaviour::kAnswers, true, "198.51.100.228");
  AddRoom("NEXT", 2022, Behaviour::kAnswers, false, "198.51.100.228", "k7m2q");
  AddRoom("FLAKY", 2023, Behaviour::kRefuses);
  prober = MakeProber();
  clock.Advance(20500);
  AddRoom("LATE", 2024, Behaviour::kAnswers);
  EXPECT_EQ(After({39499, 1, 249, 1, 250, 20499, 1, 8999, 1}),
            ". | 2020 2023 !FLAKY | !FLAKY | 2021 !FLAKY | 2022 !FLAKY | !FLAKY | 2024 !FLAKY | "
            "!FLAKY | 2023 !FLAKY");
  EXPECT_EQ(connector.calls[0].asked, "198.51.100.228 OPEN");
  EXPECT_EQ(connector.calls[3].asked, "198.51.100.228 NEXT/k7m2q");  // a made room, by its code
  connector.rooms[2023] = Behaviour::kAnswers;
  EXPECT_EQ(After({30000, 30000, 30000}), "2020 2023 | 2021 2022 2024 | 2020 2023");
}

TEST(ProbeAnswer, OnlyTheRegisteredRoomOrAnOlderOneThatNamesNoneIsAlive) {
  using Row = std::pair<std::string, ProbeAnswer>;
  for (const auto& [received, answer] :
       {Row{Wire("ISALIVE\x02YES|K1\x01"), ProbeAnswer::kAlive},
        Row{"ISALIVE\x02YES\x01NOP\x02NOP\x01", ProbeAnswer::kAlive},  // an older room
        Row{Wire("ISALIVE\x02YES|K2\x01"), ProbeAnswer::kOtherRoom},
        Row{Wire("ISALIVE\x02YES|K1"), ProbeAnswer::kIncomplete},  // not all there yet
        Row{"SAY\x02YES\x01ISALIVE\x02NO\x01", ProbeAnswer::kIncomplete}}) {
    EXPECT_EQ(ReadProbeAnswer(received, "K1"), answer) << received;
  }
}

// Over TCP, a made room is named before the question, so that it answers and not its host; a
// host without that room says so and closes, which fails the probe.
TEST(TcpProbe, NamesAMadeRoomBeforeItAsks) {
  struct Row {
    const char* code;
    std::string sent;
    std::string answer;
    bool alive;
  };
  for (const Row& row :
       {Row{"", "ISALIVE\x02-\x01", Wire("ISALIVE\x02YES|K\x01"), true},
        Row{"k7m2q", "ROOM\x02k7m2q\x01ISALIVE\x02-\x01", Wire("ISALIVE\x02YES|K\x01"), true},
        Row{"gone", "ROOM\x02gone\x01ISALIVE\x02-\x01", "NOTICE\x02No such room.\x01", false}}) {
    QTcpServer room;
    ASSERT_TRUE(room.listen(QHostAddress::LocalHost, 0));
    TcpProbeConnector connector;
    std::optional<bool> alive;
    const auto attempt = connector.Start({"K", "127.0.0.1", room.serverPort(), row.code},
                                         [&alive](bool answer) { alive = answer; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return room.hasPendingConnections(); }, 10000));
    QTcpSocket* peer = room.nextPendingConnection();
    std::string sent;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          sent += peer->readAll().toStdString();
          return sent.size() >= row.sent.size();
        },
        10000));
    EXPECT_EQ(sent, row.sent);
    peer->write(row.answer.data(), static_cast<qint64>(row.answer.size()));
    if (!row.alive) peer->disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.has_value(); }, 10000)) << row.code;
    EXPECT_EQ(alive, row.alive) << row.code;
  }
}

// A probe unanswered for ten seconds has failed and is ended; three failures in a row drop a
// room within two intervals and a time-out, and it is never asked again. A second instance on
// the database asks none of the rooms the first has asked.
TEST_F(ProberTest, AProbeTimesOutAndThreeFailuresInARowDropARoomAnyInstanceAsksOnce) {
  AddRoom("SILENT", 2020, Behaviour::kSilent);
  AddRoom("LATE", 2021, Behaviour::kSilent);
  AddRoom("REFUSES", 2022, Behaviour::kRefuses);
  AddRoom("ALIVE", 2023, Behaviour::kAnswers);
  prober = MakeProber();
  const auto other = MakeProber("B");
  EXPECT_EQ(After({60000, 9999}), "2020 2021 2022 2023 !REFUSES | !REFUSES");
  connector.calls[1].done(true);  // answers within the time, just
  connector.rooms[2021] = Behaviour::kAnswers;
  EXPECT_TRUE(connector.Open(0));
  // The answered probe's time-out counts nothing against its room.
  EXPECT_EQ(After({1}), "!SILENT !REFUSES");
  EXPECT_FALSE(connector.Open(0) || connector.Open(1));
  EXPECT_EQ(After({20000, 30000, 9999, 1, 60000}),
            "2020 2022 !SILENT !REFUSES | 2020 2021 2022 2023 -REFUSES !SILENT | !SILENT | "
            "-SILENT | 2021 2023");
  const Prober::Counters& c = prober->counters();
  EXPECT_THAT(
      (std::vector<uint64_t>{c.alive, c.failed, c.timed_out, c.dropped, prober->in_flight()}),
      testing::ElementsAre(6, 3, 3, 2, 0));
}

// The time-out stays under half the interval, so that a room's probe ends before its next one.
TEST_F(ProberTest, AShortIntervalShortensTheTimeOutAndProbesEndWithTheProber) {
  AddRoom("SILENT", 2020, Behaviour::kSilent);
  prober = MakeProber("A", 1000);
  EXPECT_EQ(After({1000, 332, 1, 167}), "2020 | . | !SILENT | 2020 !SILENT");
  prober.reset();
  EXPECT_FALSE(connector.Open(1));
  clock.Advance(20000);  // the time-out of the ended probe finds no prober
  EXPECT_EQ(clock.PendingCount(), 0u);
}

}  // namespace
}  // namespace tracker
