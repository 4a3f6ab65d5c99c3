// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/scheduling.h"
#include "tracker/room_store.h"

namespace tracker {

// One question to a room, still open. Dropping it ends the attempt: its answer never arrives.
class ProbeAttempt {
 public:
  virtual ~ProbeAttempt() = default;
};

// Asks a room whether it is alive: the ISALIVE message, which needs no login. A made room on a
// host of many rooms is named first with ROOM and its code, so that it answers itself rather
// than the host's default room; a host that has no such room says so and closes.
class ProbeConnector {
 public:
  virtual ~ProbeConnector() = default;
  // Connects to the room's address and port and asks; done(true) once the room registered under
  // its key answers (ReadProbeAnswer), done(false) when another room answers or the connection
  // fails or closes first. done runs at most once, possibly before Start returns.
  virtual std::unique_ptr<ProbeAttempt> Start(const ProbeTarget& room,
                                              std::function<void(bool alive)> done) = 0;
};

// What the bytes a room has sent so far say. A room answers ISALIVE with "YES" and its
// registration key as a second field; older rooms say "YES" alone, which passes, while a room
// naming another key is not the one registered here.
enum class ProbeAnswer { kIncomplete, kAlive, kOtherRoom };
ProbeAnswer ReadProbeAnswer(std::string_view received, std::string_view key);

// Asks every registered room whether it is alive once an interval, and a room whose last probe
// failed after half an interval; a probe unanswered after a third of the interval (10 s at most)
// has failed, and a room that fails three probes in a row is dropped. Servers refresh their
// registration only when their player count changes, so a listed room stays for as long as it
// answers, and one that dies is gone within two intervals and a probe time-out (130 s with the
// one-minute default).
//
// Instances that share the rooms share the probes: each takes a lease on the rooms that are due
// before it asks them, so every room is asked by one instance per interval, and the rooms of an
// instance that died are taken by the others once its leases run out.
class Prober {
 public:
  // An instance never has more probes open at once than this (each one is a socket).
  static constexpr size_t kMaxInFlight = 2000;
  // How often the rooms that are due are looked for, at most.
  static constexpr int kTickMs = 1000;
  // Probes to one address start at least this far apart, so that the rooms listed at a host
  // never bring it a burst of connections.
  static constexpr int kAddressSpacingMs = 250;

  // owner names this instance in the leases; now_ms is the time of day, the same clock on every
  // instance.
  Prober(RoomStore& store, scrawlbox::Scheduler& scheduler, ProbeConnector& connector,
         int interval_ms, std::string owner, std::function<int64_t()> now_ms);
  ~Prober();
  Prober(const Prober&) = delete;
  Prober& operator=(const Prober&) = delete;

  // Where the prober reports the key of a room it dropped.
  void SetOnDropped(std::function<void(const std::string& key)> on_dropped) {
    on_dropped_ = std::move(on_dropped);
  }

  int timeout_ms() const { return timeout_ms_; }

  // How this instance's probes ended, since it started.
  struct Counters {
    uint64_t alive = 0;
    uint64_t failed = 0;     // refused, or closed without the answer
    uint64_t timed_out = 0;  // no answer within timeout_ms
    uint64_t dropped = 0;    // rooms dropped after their third failure in a row
  };
  const Counters& counters() const { return counters_; }
  size_t in_flight() const { return pending_.size(); }

 private:
  struct Pending {
    std::string key;
    int64_t started_ms = 0;
    std::unique_ptr<ProbeAttempt> attempt;
  };

  void Tick();
  void Probe(const ProbeTarget& target, int64_t now);
  void Begin(uint64_t id, const ProbeTarget& target);
  enum class Outcome { kAlive, kFailed, kTimedOut };
  void Finish(uint64_t id, Outcome outcome);

  RoomStore& store_;
  scrawlbox::Scheduler& scheduler_;
  ProbeConnector& connector_;
  const int interval_ms_;
  const int timeout_ms_;
  const std::string owner_;
  std::function<int64_t()> now_ms_;
  std::unique_ptr<scrawlbox::Timer> timer_;
  std::function<void(const std::string&)> on_dropped_;
  std::map<uint64_t, Pending> pending_;
  // When the next probe to each address may start; an entry goes once its time has passed.
  std::map<std::string, int64_t> next_start_;
  uint64_t next_id_ = 1;
  Counters counters_;
  // Time-outs still to come hold this and do nothing once the prober is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tracker
