// SPDX-License-Identifier: MIT
#pragma once

#include <random>

#include "common/scheduling.h"

namespace scrawlbox {

// Timers on the Qt event loop of the program's one thread.
class QtScheduler : public Scheduler {
 public:
  int64_t NowMs() const override;
  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) override;
  void SingleShot(int delay_ms, std::function<void()> action) override;
};

// A generator seeded once from the clock at start-up.
class QtRandom : public Random {
 public:
  QtRandom();
  double Next() override;

 private:
  std::mt19937_64 engine_;
  std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

// The system's cryptographic source: for what a stranger must not be able to guess.
class SystemRandom : public Random {
 public:
  double Next() override;
};

}  // namespace scrawlbox
