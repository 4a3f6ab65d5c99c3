// SPDX-License-Identifier: MIT
#include "common/qt/qt_scheduler.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QTimerEvent>
#include <unordered_map>

namespace scrawlbox {

namespace {

// Every timer of the cores is a Qt timer of this one object: a thousand players' timers then
// cost an entry each rather than a QTimer and its signal connection each.
class TimerHost : public QObject {
 public:
  std::unordered_map<int, const std::function<void()>*> ticks;

 protected:
  void timerEvent(QTimerEvent* event) override {
    const auto it = ticks.find(event->timerId());
    if (it == ticks.end()) return;
    // A copy: the tick may drop its own timer, and the function with it.
    const std::function<void()> tick = *it->second;
    tick();
  }
};

TimerHost& Host() {
  static auto* host = new TimerHost;  // lives as long as the program's one thread
  return *host;
}

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> on_tick) : on_tick_(std::move(on_tick)) {}
  ~QtTimer() override { Stop(); }
  void Start(int interval_ms) override {
    Stop();
    id_ = Host().startTimer(interval_ms, Qt::PreciseTimer);
    if (id_ != 0) Host().ticks[id_] = &on_tick_;
  }
  void Stop() override {
    if (id_ == 0) return;
    Host().killTimer(id_);
    Host().ticks.erase(id_);
    id_ = 0;
  }
  bool IsActive() const override { return id_ != 0; }

 private:
  std::function<void()> on_tick_;
  int id_ = 0;
};

}  // namespace

int64_t QtScheduler::NowMs() const {
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.elapsed();
}

std::unique_ptr<Timer> QtScheduler::CreateTimer(std::function<void()> on_tick) {
  return std::make_unique<QtTimer>(std::move(on_tick));
}

void QtScheduler::SingleShot(int delay_ms, std::function<void()> action) {
  QTimer::singleShot(delay_ms, Qt::PreciseTimer, std::move(action));
}

QtRandom::QtRandom() : engine_(static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch())) {}

double QtRandom::Next() {
  return uniform_(engine_);
}

double SystemRandom::Next() {
  return QRandomGenerator::system()->generateDouble();
}

}  // namespace scrawlbox
