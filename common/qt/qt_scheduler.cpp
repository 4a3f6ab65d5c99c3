// SPDX-License-Identifier: MIT
#include "common/qt/qt_scheduler.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace scrawlbox {

namespace {

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> on_tick) : timer_(new QTimer) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, std::move(on_tick));
  }
  // A timer may be dropped from inside its own tick; Qt deletes it once the tick is over.
  ~QtTimer() override {
    if (timer_) {
      timer_->stop();
      timer_->deleteLater();
    }
  }
  void Start(int interval_ms) override { timer_->start(interval_ms); }
  void Stop() override { timer_->stop(); }
  bool IsActive() const override { return timer_->isActive(); }

 private:
  QPointer<QTimer> timer_;
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

}  // namespace scrawlbox
