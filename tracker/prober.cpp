// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <algorithm>

namespace tracker {

Prober::Prober(RoomStore& store, scrawlbox::Scheduler& scheduler, ProbeConnector& connector,
               int interval_ms, std::string owner, std::function<int64_t()> now_ms)
    : store_(store),
      scheduler_(scheduler),
      connector_(connector),
      interval_ms_(std::max(interval_ms, 2)),
      // Under half the interval, so that a room's probe has ended before its next one starts.
      timeout_ms_(std::clamp(interval_ms / 3, 1, 10000)),
      owner_(std::move(owner)),
      now_ms_(std::move(now_ms)),
      timer_(scheduler.CreateTimer([this] { Tick(); })) {
  store_.ScheduleNew(now_ms_() + interval_ms_);
  timer_->Start(std::min(kTickMs, interval_ms_ / 2));
}

Prober::~Prober() {
  *alive_ = false;
  pending_.clear();
  store_.ReleaseLeases(owner_);
}

void Prober::Tick() {
  const int64_t now = now_ms_();
  // Rooms registered since the last tick, here or at another instance.
  store_.ScheduleNew(now + interval_ms_);
  if (pending_.size() >= kMaxInFlight) return;
  // The lease outlasts the probe and the recording of its outcome; should this instance stall
  // beyond it, another takes the room, and the late outcome here is not counted.
  const int64_t lease_ms = 2 * timeout_ms_ + kTickMs;
  for (const ProbeTarget& target :
       store_.ClaimDue(now, owner_, lease_ms, kMaxInFlight - pending_.size())) {
    Probe(target, now);
  }
}

void Prober::Probe(const ProbeTarget& target, int64_t now) {
  const uint64_t id = next_id_++;
  pending_[id] = Pending{target.key, now, nullptr};
  auto attempt =
      connector_.Start(target.address, target.port, [this, id](bool alive) { Finish(id, alive); });
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
  // Counted from the start of the probe, so a slow answer does not stretch the schedule.
  const int64_t next_due = it->second.started_ms + (alive ? interval_ms_ : interval_ms_ / 2);
  // Dropped when this returns: the callback that got here may belong to it.
  const std::unique_ptr<ProbeAttempt> attempt = std::move(it->second.attempt);
  pending_.erase(it);
  if (store_.RecordProbe(key, owner_, alive, next_due) && on_dropped_) on_dropped_(key);
}

}  // namespace tracker
