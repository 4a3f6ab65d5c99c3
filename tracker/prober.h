// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/scheduling.h"
#include "tracker/registry.h"

namespace tracker {

// One question to a room, still open. Dropping it ends the attempt: its answer never arrives.
class ProbeAttempt {
 public:
  virtual ~ProbeAttempt() = default;
};

// Asks a room whether it is alive: the ISALIVE message, which needs no login.
class ProbeConnector {
 public:
  virtual ~ProbeConnector() = default;
  // Connects to host:port and asks; done(true) once the room answers YES, done(false) when the
  // connection fails or closes first. done runs at most once, possibly before Start returns.
  virtual std::unique_ptr<ProbeAttempt> Start(const std::string& host, int port,
                                              std::function<void(bool alive)> done) = 0;
};

// Asks every registered room whether it is alive every interval, and a room whose last probe
// failed every half interval; a probe unanswered after a third of the interval (10 s at most)
// has failed, and a room that fails three probes in a row is dropped. Servers never renew their
// registration on their own, so a listed room stays for as long as it answers, and one that
// dies is gone within two intervals and a probe time-out (130 s with the one-minute default).
class Prober {
 public:
  Prober(Registry& registry, scrawlbox::Scheduler& scheduler, ProbeConnector& connector,
         int interval_ms);
  ~Prober();
  Prober(const Prober&) = delete;
  Prober& operator=(const Prober&) = delete;

  // Where the prober reports the key of a room it dropped.
  void SetOnDropped(std::function<void(const std::string& key)> on_dropped) {
    on_dropped_ = std::move(on_dropped);
  }

 private:
  struct Pending {
    std::string key;
    std::unique_ptr<ProbeAttempt> attempt;
  };

  // One half-interval tick: every room on every other tick, else only the failing ones.
  void Tick();
  void Probe(const Room& room);
  void Finish(uint64_t id, bool alive);

  Registry& registry_;
  scrawlbox::Scheduler& scheduler_;
  ProbeConnector& connector_;
  const int timeout_ms_;
  std::unique_ptr<scrawlbox::Timer> timer_;
  std::function<void(const std::string&)> on_dropped_;
  std::map<uint64_t, Pending> pending_;
  uint64_t next_id_ = 1;
  unsigned ticks_ = 0;
  // Time-outs still to come hold this and do nothing once the prober is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tracker
