// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/manual_clock.h"
#include "tests/support/wire.h"
#include "tracker/registry.h"

using testing_support::Wire;

namespace tracker {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// How a fake room takes a probe: it answers YES or refuses the connection on the spot (before
// Start returns, the earliest a connector may report), or it never says anything.
enum class Behaviour { kAnswers, kRefuses, kSilent };

class FakeConnector : public ProbeConnector {
 public:
  struct Attempt : ProbeAttempt {
    explicit Attempt(std::shared_ptr<bool> open) : open(std::move(open)) {}
    ~Attempt() override { *open = false; }
    std::shared_ptr<bool> open;
  };
  struct Call {
    std::string address;
    int port = 0;
    std::string key;
    std::function<void(bool)> done;
    std::shared_ptr<bool> open = std::make_shared<bool>(true);  // until the prober ends it
  };

  std::unique_ptr<ProbeAttempt> Start(const std::string& host, int port, const std::string& key,
                                      std::function<void(bool alive)> done) override {
    calls.push_back(Call{host, port, key, std::move(done)});
    auto attempt = std::make_unique<Attempt>(calls.back().open);
    if (rooms[port] != Behaviour::kSilent) calls.back().done(rooms[port] == Behaviour::kAnswers);
    return attempt;
  }

  std::map<int, Behaviour> rooms;
  std::vector<Call> calls;
};

class ProberTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registry.Open(QStringLiteral(":memory:"))); }

  // Each port at an address of its own unless one is given.
  void AddRoom(const std::string& key, int port, Behaviour behaviour, bool is_private = false,
               std::string address = "") {
    Room room;
    room.key = room.name = key;
    room.address = address.empty() ? "198.51.100." + std::to_string(port % 256) : address;
    room.port = port;
    room.source = "192.0.2.1";
    room.is_private = is_private;
    ASSERT_EQ(registry.Add(room, clock.NowMs() + next_source_++ * RoomStore::kRateWindowMs),
              RoomStore::AddResult::kAdded);
    connector.rooms[port] = behaviour;
  }

  std::unique_ptr<Prober> MakeProber(const std::string& owner = "A", int interval_ms = 60000) {
    auto made = std::make_unique<Prober>(registry, clock, connector, interval_ms, owner,
                                         [this] { return clock.NowMs(); });
    made->SetOnDropped([this](const std::string& key) { dropped.push_back(key); });
    return made;
  }

  // The ports probed in the next ms, in order.
  std::vector<int> ProbedAfter(int64_t ms) {
    clock.Advance(ms);
    std::vector<int> ports;
    for (; seen_ < connector.calls.size(); ++seen_) ports.push_back(connector.calls[seen_].port);
    return ports;
  }

  // Advances the clock by each step and says what each step did, " | " between them: the ports
  // probed, "-KEY" for each room dropped and "!KEY" for each room failing, "." for nothing.
  std::string After(std::initializer_list<int64_t> steps) {
    std::string out;
    for (const int64_t ms : steps) {
      std::string step;
      for (const int port : ProbedAfter(ms)) step += " " + std::to_string(port);
      for (; told_ < dropped.size(); ++told_) step += " -" + dropped[told_];
      for (const Room& room : registry.Failing()) step += " !" + room.key;
      out += (out.empty() ? "" : " |") + (step.empty() ? " ." : step);
    }
    return out.substr(1);
  }

  testing_support::ManualClock clock;
  Registry registry;
  FakeConnector connector;
  std::unique_ptr<Prober> prober;
  std::vector<std::string> dropped;
  int next_source_ = 0;
  size_t seen_ = 0;
  size_t told_ = 0;
};

// Private rooms are never listed, but must not stay for ever either; a room registered later is
// first asked an interval after the tick that saw it.
TEST_F(ProberTest, EveryRoomIsAskedOnceAMinuteAtItsAddress) {
  AddRoom("OPEN", 2020, Behaviour::kAnswers);
  AddRoom("HIDDEN", 2021, Behaviour::kAnswers, true);
  prober = MakeProber();
  clock.Advance(20500);
  AddRoom("LATE", 2022, Behaviour::kAnswers);
  EXPECT_EQ(After({39499, 1, 20999, 1}), ". | 2020 2021 | . | 2022");
  EXPECT_EQ(connector.calls[0].address, "198.51.100.228");
  EXPECT_EQ(connector.calls[0].key, "OPEN");
}

TEST_F(ProberTest, ARoomWhoseProbeFailedIsAskedAgainEveryHalfMinuteUntilItAnswers) {
  AddRoom("FLAKY", 2020, Behaviour::kRefuses);
  AddRoom("FINE", 2021, Behaviour::kAnswers);
  prober = MakeProber();
  EXPECT_EQ(After({60000, 29999, 1}), "2020 2021 !FLAKY | !FLAKY | 2020 !FLAKY");
  connector.rooms[2020] = Behaviour::kAnswers;
  // Once it answers, the room is back to once a minute.
  EXPECT_EQ(After({30000, 30000, 30000}), "2020 2021 | . | 2020 2021");
}

TEST_F(ProberTest, ProbesToOneAddressStartAQuarterSecondApart) {
  for (int port = 2020; port < 2023; ++port) {
    AddRoom("R" + std::to_string(port), port, Behaviour::kAnswers, false, "198.51.100.7");
  }
  AddRoom("ELSEWHERE", 2030, Behaviour::kAnswers);
  prober = MakeProber();
  // Each is due again a minute after its own start.
  constexpr int kSpacing = Prober::kAddressSpacingMs;
  EXPECT_EQ(After({60000, kSpacing - 1, 1, kSpacing, 60000 - 2 * kSpacing}),
            "2020 2030 | . | 2021 | 2022 | 2020 2030");
}

TEST(ProbeAnswer, OnlyTheRegisteredRoomOrAnOlderOneThatNamesNoneIsAlive) {
  using Row = std::pair<std::string, ProbeAnswer>;
  for (const auto& [received, answer] :
       {Row{Wire("ISALIVE\x02YES|K1\x01"), ProbeAnswer::kAlive},
        Row{"ISALIVE\x02YES\x01NOP\x02NOP\x01", ProbeAnswer::kAlive},  // an older room
        Row{Wire("NOP\x02NOP\x01ISALIVE\x02YES|K1\x01"), ProbeAnswer::kAlive},
        Row{Wire("ISALIVE\x02YES|K2\x01"), ProbeAnswer::kOtherRoom},
        Row{Wire("ISALIVE\x02YES|K1"), ProbeAnswer::kIncomplete},  // not all there yet
        Row{"SAY\x02YES\x01ISALIVE\x02NO\x01", ProbeAnswer::kIncomplete}}) {
    EXPECT_EQ(ReadProbeAnswer(received, "K1"), answer) << received;
  }
}

// Two instances on one database: each room is asked by one of them per interval.
TEST_F(ProberTest, InstancesOnOneDatabaseAskEachRoomOncePerInterval) {
  for (int port = 2020; port < 2030; ++port) {
    AddRoom("R" + std::to_string(port), port, Behaviour::kAnswers);
  }
  auto a = MakeProber("A");
  auto b = MakeProber("B");
  for (int interval = 0; interval < 3; ++interval) {
    std::vector<int> probed = ProbedAfter(60000);
    std::sort(probed.begin(), probed.end());
    EXPECT_THAT(probed, ElementsAre(2020, 2021, 2022, 2023, 2024, 2025, 2026, 2027, 2028, 2029));
  }
}

TEST_F(ProberTest, TheRoomsOfAnInstanceThatDiedAreTakenOnceItsLeasesRunOut) {
  for (int port = 2020; port < 2030; ++port) {
    AddRoom("R" + std::to_string(port), port, Behaviour::kRefuses);
  }
  registry.ScheduleNew(clock.NowMs());
  // An instance took every room and died before it could say how its probes went.
  ASSERT_EQ(registry.ClaimDue(clock.NowMs(), "DEAD", 5000, 100).size(), 10u);
  prober = MakeProber();
  EXPECT_THAT(ProbedAfter(4999), IsEmpty());
  EXPECT_EQ(ProbedAfter(Prober::kTickMs).size(), 10u);
  clock.Advance(2 * 30000);
  EXPECT_EQ(dropped.size(), 10u);  // each once, by the one instance left
  EXPECT_THAT(registry.All(), IsEmpty());
}

TEST_F(ProberTest, AProbeUnansweredForTenSecondsHasFailedAndIsEnded) {
  AddRoom("SILENT", 2020, Behaviour::kSilent);
  AddRoom("LATE", 2021, Behaviour::kSilent);
  prober = MakeProber();
  EXPECT_EQ(After({60000}), "2020 2021");
  connector.calls[1].done(true);  // answers within the time, just
  EXPECT_EQ(After({9999}), ".");
  EXPECT_TRUE(*connector.calls[0].open);
  // The answered probe's time-out counts nothing against its room.
  EXPECT_EQ(After({1}), "!SILENT");
  EXPECT_FALSE(*connector.calls[0].open);
  EXPECT_FALSE(*connector.calls[1].open);
}

// The time-out stays under half the interval, so that a room's probe ends before its next one.
TEST_F(ProberTest, AShortIntervalShortensTheTimeOut) {
  AddRoom("SILENT", 2020, Behaviour::kSilent);
  prober = MakeProber("A", 1000);
  EXPECT_EQ(After({1000, 332, 1, 167}), "2020 | . | !SILENT | 2020 !SILENT");
}

TEST_F(ProberTest, ThreeFailuresInARowDropARoomWithinTwoIntervalsAndATimeOut) {
  AddRoom("REFUSES", 2020, Behaviour::kRefuses);
  AddRoom("SILENT", 2021, Behaviour::kSilent);
  AddRoom("ALIVE", 2022, Behaviour::kAnswers);
  prober = MakeProber();
  // Dropped rooms are never asked again.
  EXPECT_EQ(After({119999, 1, 9999, 1, 120000}),
            "2020 2021 2022 2020 2021 !REFUSES !SILENT | 2020 2021 2022 -REFUSES !SILENT | "
            "!SILENT | -SILENT | 2022 2022");
  EXPECT_EQ(registry.All().size(), 1u);
  const Prober::Counters& counted = prober->counters();
  EXPECT_EQ(counted.alive, 4u);
  EXPECT_EQ(counted.failed, 3u);
  EXPECT_EQ(counted.timed_out, 3u);
  EXPECT_EQ(counted.dropped, 2u);
  EXPECT_EQ(prober->in_flight(), 0u);
}

TEST_F(ProberTest, ProbesOutlivingTheirRoomOrTheProberEndQuietly) {
  AddRoom("GONE", 2020, Behaviour::kSilent);
  AddRoom("KEPT", 2021, Behaviour::kSilent);
  prober = MakeProber();
  clock.Advance(60000);
  ASSERT_EQ(registry.Remove("GONE", "", "192.0.2.1"), RoomStore::RemoveResult::kRemoved);
  connector.calls[0].done(false);
  EXPECT_THAT(dropped, IsEmpty());
  EXPECT_THAT(registry.Failing(), IsEmpty());
  prober.reset();
  EXPECT_FALSE(*connector.calls[1].open);
  clock.Advance(20000);  // the time-out of the ended probe finds no prober
  EXPECT_EQ(clock.PendingCount(), 0u);
}

}  // namespace
}  // namespace tracker
