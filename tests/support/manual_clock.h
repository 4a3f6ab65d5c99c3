// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "common/scheduling.h"

namespace testing_support {

// A clock that moves only when told. Advance(ms) fires every timer and single shot that falls
// due on the way, in time order (earlier arming first at equal times), so a test can run
// minutes of timers in microseconds and see exactly the order the real event loop would give.
class ManualClock : public scrawlbox::Scheduler {
 public:
  ManualClock();
  ~ManualClock() override;

  std::unique_ptr<scrawlbox::Timer> CreateTimer(std::function<void()> on_tick) override;
  void SingleShot(int delay_ms, std::function<void()> action) override;
  int64_t NowMs() const override { return now_; }

  void Advance(int64_t ms);
  int64_t now() const { return now_; }
  // Timers that are running plus single shots not yet fired.
  size_t PendingCount() const;

 private:
  class FakeTimer;
  struct Entry {
    int64_t due = 0;
    uint64_t order = 0;  // arming order, to break ties
    int interval = 0;
    bool active = false;
    bool repeating = false;
    std::function<void()> action;
  };

  // Finds the earliest active entry due at or before `until`; 0 when there is none.
  int NextDue(int64_t until) const;

  std::shared_ptr<bool> alive_;
  std::map<int, Entry> entries_;
  int next_id_ = 1;
  uint64_t next_order_ = 1;
  int64_t now_ = 0;
};

}  // namespace testing_support
