// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <algorithm>
#include <vector>

#include "protocol/commands.h"
#include "protocol/framing.h"

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
  std::erase_if(next_start_, [now](const auto& entry) { return entry.second <= now; });
  if (pending_.size() >= kMaxInFlight) return;
  // The lease outlasts the wait for the address's turn, the probe and the recording of its
  // outcome; should this instance stall beyond it, another takes the room, and the late outcome
  // here is not counted.
  const int64_t lease_ms = 3 * timeout_ms_ + kTickMs;
  for (const ProbeTarget& target :
       store_.ClaimDue(now, owner_, lease_ms, kMaxInFlight - pending_.size())) {
    Probe(target, now);
  }
}

void Prober::Probe(const ProbeTarget& target, int64_t now) {
  int64_t& next = next_start_[target.address];
  const int64_t start = std::max(now, next);
  // Past a probe time-out's wait the room keeps its lease unused, and is taken again once that
  // has run out: a later turn.
  if (start - now > timeout_ms_) return;
  next = start + kAddressSpacingMs;
  const uint64_t id = next_id_++;
  pending_[id] = Pending{target.key, start, nullptr};
  if (start == now) {
    Begin(id, target);
  } else {
    scheduler_.SingleShot(static_cast<int>(start - now), [this, id, target, alive = alive_] {
      if (*alive) Begin(id, target);
    });
  }
}

void Prober::Begin(uint64_t id, const ProbeTarget& target) {
  auto attempt = connector_.Start(
      target, [this, id](bool alive) { Finish(id, alive ? Outcome::kAlive : Outcome::kFailed); });
  const auto it = pending_.find(id);
  if (it == pending_.end()) return;  // answered before Start returned
  it->second.attempt = std::move(attempt);
  scheduler_.SingleShot(timeout_ms_, [this, id, alive = alive_] {
    if (*alive) Finish(id, Outcome::kTimedOut);
  });
}

ProbeAnswer ReadProbeAnswer(std::string_view received, std::string_view key) {
  for (size_t start = 0, end;
       (end = received.find(protocol::kMessageEnd, start)) != std::string_view::npos;
       start = end + 1) {
    const protocol::Message message = protocol::ParseMessage(received.substr(start, end - start));
    if (message.command != protocol::to_client::ISALIVE) continue;
    const std::vector<std::string> fields = protocol::SplitFields(message.data);
    if (fields[0] != "YES") continue;
    const std::string& named = protocol::FieldOr(fields, 1);
    return named.empty() || named == key ? ProbeAnswer::kAlive : ProbeAnswer::kOtherRoom;
  }
  return ProbeAnswer::kIncomplete;
}

void Prober::Finish(uint64_t id, Outcome outcome) {
  const auto it = pending_.find(id);
  if (it == pending_.end()) return;  // the time-out of a probe that was answered
  const bool alive = outcome == Outcome::kAlive;
  ++(alive                         ? counters_.alive
     : outcome == Outcome::kFailed ? counters_.failed
                                   : counters_.timed_out);
  const std::string key = std::move(it->second.key);
  // Counted from the start of the probe, so a slow answer does not stretch the schedule.
  const int64_t next_due = it->second.started_ms + (alive ? interval_ms_ : interval_ms_ / 2);
  // Dropped when this returns: the callback that got here may belong to it.
  const std::unique_ptr<ProbeAttempt> attempt = std::move(it->second.attempt);
  pending_.erase(it);
  if (!store_.RecordProbe(key, owner_, alive, next_due)) return;
  ++counters_.dropped;
  if (on_dropped_) on_dropped_(key);
}

}  // namespace tracker
