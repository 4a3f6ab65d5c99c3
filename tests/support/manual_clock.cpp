// SPDX-License-Identifier: MIT
#include "tests/support/manual_clock.h"

namespace testing_support {

class ManualClock::FakeTimer : public scrawlbox::Timer {
 public:
  FakeTimer(ManualClock* clock, int id) : clock_(clock), alive_(clock->alive_), id_(id) {}
  ~FakeTimer() override {
    if (*alive_) clock_->entries_.erase(id_);
  }
  void Start(int interval_ms) override {
    Entry& entry = clock_->entries_.at(id_);
    entry.interval = interval_ms;
    entry.due = clock_->now_ + interval_ms;
    entry.order = clock_->next_order_++;
    entry.active = true;
  }
  void Stop() override { clock_->entries_.at(id_).active = false; }
  bool IsActive() const override { return clock_->entries_.at(id_).active; }

 private:
  ManualClock* clock_;
  std::shared_ptr<bool> alive_;
  int id_;
};

ManualClock::ManualClock() : alive_(std::make_shared<bool>(true)) {}

ManualClock::~ManualClock() {
  *alive_ = false;
}

std::unique_ptr<scrawlbox::Timer> ManualClock::CreateTimer(std::function<void()> on_tick) {
  const int id = next_id_++;
  Entry entry;
  entry.repeating = true;
  entry.action = std::move(on_tick);
  entries_.emplace(id, std::move(entry));
  return std::make_unique<FakeTimer>(this, id);
}

void ManualClock::SingleShot(int delay_ms, std::function<void()> action) {
  Entry entry;
  entry.due = now_ + delay_ms;
  entry.order = next_order_++;
  entry.active = true;
  entry.action = std::move(action);
  entries_.emplace(next_id_++, std::move(entry));
}

int ManualClock::NextDue(int64_t until) const {
  int best = 0;
  const Entry* best_entry = nullptr;
  for (const auto& [id, entry] : entries_) {
    if (!entry.active || entry.due > until) continue;
    if (!best_entry || entry.due < best_entry->due ||
        (entry.due == best_entry->due && entry.order < best_entry->order)) {
      best = id;
      best_entry = &entry;
    }
  }
  return best;
}

void ManualClock::Advance(int64_t ms) {
  const int64_t until = now_ + ms;
  for (int id = NextDue(until); id != 0; id = NextDue(until)) {
    Entry& entry = entries_.at(id);
    now_ = entry.due;
    // Copy the action: the callback may destroy its own timer.
    std::function<void()> action = entry.action;
    if (entry.repeating) {
      entry.due += entry.interval > 0 ? entry.interval : 1;
      entry.order = next_order_++;
    } else {
      entries_.erase(id);
    }
    action();
  }
  now_ = until;
}

size_t ManualClock::PendingCount() const {
  size_t count = 0;
  for (const auto& [id, entry] : entries_) count += entry.active ? 1 : 0;
  return count;
}

}  // namespace testing_support
