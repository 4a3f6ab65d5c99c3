// SPDX-License-Identifier: MIT
#pragma once

#include <sys/epoll.h>

#include <QAbstractEventDispatcher>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "common/qt/socket_poller.h"

namespace scrawlbox {

// Qt's event loop on Linux's epoll, for the programs without windows: one wait per pass and
// only the ready sockets handed back, where Qt's own loop gives the system the whole list of
// sockets every pass. Every QTimer, QSocketNotifier and posted event of the thread runs on it,
// and MakePoller's descriptors are called back straight from the pass, without an event or an
// object of their own.
// Create it on the main thread and install it before the application object exists:
//   QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
class EpollDispatcher final : public QAbstractEventDispatcher {
  Q_OBJECT
 public:
  explicit EpollDispatcher(QObject* parent = nullptr);
  ~EpollDispatcher() override;

  bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
  void registerSocketNotifier(QSocketNotifier* notifier) override;
  void unregisterSocketNotifier(QSocketNotifier* notifier) override;
  using QAbstractEventDispatcher::registerTimer;
  void registerTimer(int timer_id, qint64 interval_ms, Qt::TimerType type,
                     QObject* object) override;
  bool unregisterTimer(int timer_id) override;
  bool unregisterTimers(QObject* object) override;
  QList<TimerInfo> registeredTimers(QObject* object) const override;
  int remainingTime(int timer_id) override;
  void wakeUp() override;
  void interrupt() override;

  std::unique_ptr<SocketPoller> MakePoller();

 private:
  class Poller;
  struct PassHook {
    std::function<void()> run;
    bool queued = false;
  };
  // The notifiers of one descriptor, by QSocketNotifier::Type.
  struct Watch {
    QSocketNotifier* notifiers[3] = {};
    uint32_t watched = 0;     // the events the kernel watches for it
    uint8_t pending = 0;      // notifier types found ready and not yet told, kDirect
    bool unpollable = false;  // a file epoll refuses: always ready, as poll() reports it
    bool direct_read = false;
    bool direct_write = false;
    uint8_t direct_events = 0;  // found ready for the direct callback: kReadable, ...
    SocketPoller::Ready ready;  // the direct callback, without a notifier
  };
  struct Timer {
    int id;
    int interval_ms;
    Qt::TimerType type;
    QObject* object;
    int64_t deadline_ns;
    uint64_t order;   // breaks ties between equal deadlines: first come, first fired
    uint64_t serial;  // tells it from a later timer given the same number
    size_t heap_index = 0;
    uint64_t fired_pass = 0;  // the pass of ActivateTimers that last fired it
    bool activating = false;  // its event is being sent: not fired again from a nested loop
  };

  void Rewatch(int fd);
  Watch& WatchAt(int fd);
  void WatchDirect(int fd, bool want_read, bool want_write, SocketPoller::Ready ready);
  void SetDirectInterest(int fd, bool want_read, bool want_write);
  void UnwatchDirect(int fd);
  void QueueEndOfPass(PassHook* hook);
  void CancelEndOfPass(PassHook* hook);
  int RunEndOfPass();
  // Marks the notifiers of a ready descriptor.
  void MarkReady(int fd, uint32_t events);
  int ActivateSockets();
  int ActivateTimers();
  // Milliseconds to the next timer, or -1 when none waits.
  int WaitMs() const;
  void ReadWakeUps();

  void HeapPush(Timer* timer);
  void HeapRemove(Timer* timer);
  void HeapUp(size_t at);
  void HeapDown(size_t at);
  static bool Earlier(const Timer* a, const Timer* b);

  int epoll_fd_ = -1;
  int wake_fd_ = -1;
  const std::thread::id owner_ = std::this_thread::get_id();
  std::atomic<bool> wake_pending_{false};
  std::atomic<bool> interrupted_{false};
  std::vector<Watch> watches_;  // by descriptor
  size_t watched_count_ = 0;    // descriptors registered with the kernel
  std::vector<int> unpollable_;
  std::vector<epoll_event> events_;
  std::vector<int> ready_;  // descriptors with pending notifiers, in the order found
  size_t next_ready_ = 0;   // where activation goes on, from a nested loop too
  std::unordered_map<int, Timer> timers_;
  std::vector<Timer*> heap_;
  uint64_t timer_order_ = 0;
  uint64_t timer_passes_ = 0;
  std::vector<PassHook*> end_of_pass_;  // asked for, to run at the end of this pass
  std::vector<PassHook*> spare_hooks_;  // the list that ran last, kept for its capacity
  std::vector<std::vector<PassHook*>*> running_hooks_;  // lists being run, nested loops' too
};

}  // namespace scrawlbox
