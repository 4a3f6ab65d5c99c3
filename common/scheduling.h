// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// Time and chance as the cores of both programs see them. The Qt shells implement these with
// QTimer and a seeded generator; tests use a manual clock that fires due timers in order.
namespace scrawlbox {

// A repeating timer: once started it ticks every interval until stopped.
class Timer {
 public:
  virtual ~Timer() = default;
  // (Re)starts the timer so that the full interval runs from now.
  virtual void Start(int interval_ms) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
};

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Milliseconds on a clock that only moves forward (not the time of day): what rate limits
  // and deadlines measure with.
  virtual int64_t NowMs() const = 0;
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) = 0;
  // Runs the action once, delay_ms from now, after the current event has finished. This is how
  // a core waits: nothing blocks and nothing re-enters the event loop.
  virtual void SingleShot(int delay_ms, std::function<void()> action) = 0;
};

// Uniform numbers in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  virtual double Next() = 0;
};

}  // namespace scrawlbox
