// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <algorithm>

namespace tracker {

Prober::Prober(Registry& registry, scrawlbox::Scheduler& scheduler, ProbeConnector& connector,
               int interval_ms)
    : registry_(registry),
      scheduler_(scheduler),
      connector_(connector),
      // Under half the interval, so that a room's probe has ended before its next one starts.
      timeout_ms_(std::clamp(interval_ms / 3, 1, 10000)),
      timer_(scheduler.CreateTimer([this] { Tick(); })) {
  timer_->Start(std::max(interval_ms / 2, 1));
}

Prober::~Prober() {
  *alive_ = false;
}

void Prober::Tick() {
  const bool everyone = ++ticks_ % 2 == 0;
  for (const Room& room : everyone ? registry_.All() : registry_.Failing()) Probe(room);
}

void Prober::Probe(const Room& room) {
  const uint64_t id = next_id_++;
  pending_[id].key = room.key;
  auto attempt =
      connector_.Start(room.address, room.port, [this, id](bool alive) { Finish(id, alive); });
  const auto it = pending_.find(id);
  if (it == pending_.end()) return;  // answered before Start returned
  it->second.attempt = std::move(attempt);
  scheduler_.SingleShot(timeout_ms_, [this, id, alive = alive_] {
    if (*alive) Finish(id, false);
  });
}

void Prober::Finish(uint64_t id, bool alive) {
  const auto it = pending_.find(id);
  if (it == pending_.end()) return;  // the time-out of a probe that was answered
  const std::string key = std::move(it->second.key);
  // Dropped when this returns: the callback that got here may belong to it.
  const std::unique_ptr<ProbeAttempt> attempt = std::move(it->second.attempt);
  pending_.erase(it);
  if (registry_.RecordProbe(key, alive) && on_dropped_) on_dropped_(key);
}

}  // namespace tracker
