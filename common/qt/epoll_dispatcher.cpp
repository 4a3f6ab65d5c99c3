// SPDX-License-Identifier: MIT
#include "common/qt/epoll_dispatcher.h"

#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaMethod>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <utility>

namespace scrawlbox {

namespace {

// Room in one wait's answer at the least; it grows with the descriptors watched, so that one
// pass hears of every ready socket.
constexpr size_t kMinEvents = 64;
constexpr uint32_t kReadEvents = EPOLLIN | EPOLLHUP | EPOLLERR;
constexpr uint32_t kWriteEvents = EPOLLOUT | EPOLLERR;
// The pending bit of a direct callback, after the three of QSocketNotifier::Type.
constexpr int kDirect = 3;
constexpr uint8_t kReadable = 1;
constexpr uint8_t kWritable = 2;
constexpr uint8_t kError = 4;

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Whole milliseconds, rounded up: a wait must not end before the timer is due.
int CeilMs(int64_t ns) {
  return static_cast<int>(std::clamp<int64_t>((ns + 999'999) / 1'000'000, 0, INT_MAX));
}

}  // namespace

EpollDispatcher::EpollDispatcher(QObject* parent) : QAbstractEventDispatcher(parent) {
  epoll_fd_ = ::epoll_create1(EPOLL_CLOEXEC);
  wake_fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (epoll_fd_ < 0 || wake_fd_ < 0) {
    qFatal("EpollDispatcher: cannot create the event loop's descriptors: %s", std::strerror(errno));
  }
  epoll_event wake{};
  wake.events = EPOLLIN;
  wake.data.fd = wake_fd_;
  ::epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, wake_fd_, &wake);
}

EpollDispatcher::~EpollDispatcher() {
  ::close(wake_fd_);
  ::close(epoll_fd_);
}

bool EpollDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags) {
  interrupted_.store(false);
  // Cleared before the posted events run: whatever is posted from here on keeps the wait short.
  wake_pending_.store(false);
  // Emitting a signal nobody receives still walks Qt's signal machinery, every pass.
  static const QMetaMethod awake_signal = QMetaMethod::fromSignal(&EpollDispatcher::awake);
  static const QMetaMethod block_signal = QMetaMethod::fromSignal(&EpollDispatcher::aboutToBlock);
  if (isSignalConnected(awake_signal)) emit awake();
  QCoreApplication::sendPostedEvents();

  const bool with_sockets = !flags.testFlag(QEventLoop::ExcludeSocketNotifiers);
  const bool with_timers = !flags.testFlag(QEventLoop::X11ExcludeTimers);
  int wait_ms = 0;
  if (flags.testFlag(QEventLoop::WaitForMoreEvents) && !wake_pending_.load() &&
      !interrupted_.load() && end_of_pass_.empty() && (unpollable_.empty() || !with_sockets)) {
    wait_ms = with_timers ? WaitMs() : -1;
    if (wait_ms != 0 && isSignalConnected(block_signal)) emit aboutToBlock();
  }
  if (interrupted_.load()) return false;

  int handled = 0;
  if (with_sockets) {
    events_.resize(std::max(kMinEvents, watched_count_ + 1));
    const int count =
        ::epoll_wait(epoll_fd_, events_.data(), static_cast<int>(events_.size()), wait_ms);
    for (int i = 0; i < count; ++i) {
      if (events_[i].data.fd == wake_fd_) {
        ReadWakeUps();
        ++handled;
      } else {
        MarkReady(events_[i].data.fd, events_[i].events);
      }
    }
    for (const int fd : unpollable_) MarkReady(fd, EPOLLIN | EPOLLOUT);
    handled += ActivateSockets();
  } else {
    pollfd wake{wake_fd_, POLLIN, 0};
    if (::poll(&wake, 1, wait_ms) > 0) {
      ReadWakeUps();
      ++handled;
    }
  }
  if (with_timers) handled += ActivateTimers();
  if (!end_of_pass_.empty()) handled += RunEndOfPass();
  return handled > 0;
}

void EpollDispatcher::ReadWakeUps() {
  uint64_t count = 0;
  [[maybe_unused]] const auto n = ::read(wake_fd_, &count, sizeof count);
}

void EpollDispatcher::wakeUp() {
  // On its own thread the loop is busy, not waiting: the flag alone keeps its next wait short.
  if (wake_pending_.exchange(true) || std::this_thread::get_id() == owner_) return;
  const uint64_t one = 1;
  [[maybe_unused]] const auto n = ::write(wake_fd_, &one, sizeof one);
}

void EpollDispatcher::interrupt() {
  interrupted_.store(true);
  wakeUp();
}

// --- Sockets ---------------------------------------------------------------------------------

void EpollDispatcher::registerSocketNotifier(QSocketNotifier* notifier) {
  const qintptr fd = notifier->socket();
  const int type = notifier->type();
  if (fd < 0 || fd > INT_MAX || type < 0 || type > 2) return;
  Watch& watch = WatchAt(static_cast<int>(fd));
  if (watch.notifiers[type] && watch.notifiers[type] != notifier) {
    qWarning("EpollDispatcher: several socket notifiers for socket %d and type %d",
             static_cast<int>(fd), type);
  }
  watch.notifiers[type] = notifier;
  Rewatch(static_cast<int>(fd));
}

void EpollDispatcher::unregisterSocketNotifier(QSocketNotifier* notifier) {
  const qintptr fd = notifier->socket();
  const int type = notifier->type();
  if (fd < 0 || static_cast<size_t>(fd) >= watches_.size() || type < 0 || type > 2) return;
  Watch& watch = watches_[static_cast<size_t>(fd)];
  if (watch.notifiers[type] != notifier) return;
  watch.notifiers[type] = nullptr;
  watch.pending &= static_cast<uint8_t>(~(1u << type));
  Rewatch(static_cast<int>(fd));
}

EpollDispatcher::Watch& EpollDispatcher::WatchAt(int fd) {
  if (static_cast<size_t>(fd) >= watches_.size()) watches_.resize(static_cast<size_t>(fd) + 1);
  return watches_[static_cast<size_t>(fd)];
}

void EpollDispatcher::WatchDirect(int fd, bool want_read, bool want_write,
                                  SocketPoller::Ready ready) {
  if (fd < 0) return;
  WatchAt(fd).ready = std::move(ready);
  SetDirectInterest(fd, want_read, want_write);
}

void EpollDispatcher::SetDirectInterest(int fd, bool want_read, bool want_write) {
  if (fd < 0 || static_cast<size_t>(fd) >= watches_.size()) return;
  Watch& watch = watches_[static_cast<size_t>(fd)];
  if (!watch.ready) want_read = want_write = false;
  if (watch.direct_read == want_read && watch.direct_write == want_write) return;
  watch.direct_read = want_read;
  watch.direct_write = want_write;
  Rewatch(fd);
}

void EpollDispatcher::UnwatchDirect(int fd) {
  if (fd < 0 || static_cast<size_t>(fd) >= watches_.size()) return;
  Watch& watch = watches_[static_cast<size_t>(fd)];
  // A callback running now runs on a copy of itself.
  watch.ready = nullptr;
  watch.pending &= static_cast<uint8_t>(~(1u << kDirect));
  watch.direct_events = 0;
  SetDirectInterest(fd, false, false);
}

void EpollDispatcher::Rewatch(int fd) {
  Watch& watch = watches_[static_cast<size_t>(fd)];
  uint32_t wanted = 0;
  if (watch.direct_read) wanted |= EPOLLIN;
  if (watch.direct_write) wanted |= EPOLLOUT;
  if (watch.notifiers[QSocketNotifier::Read]) wanted |= EPOLLIN;
  if (watch.notifiers[QSocketNotifier::Write]) wanted |= EPOLLOUT;
  if (watch.notifiers[QSocketNotifier::Exception]) wanted |= EPOLLPRI;
  if (watch.unpollable) {
    if (wanted == 0) {
      watch.unpollable = false;
      unpollable_.erase(std::find(unpollable_.begin(), unpollable_.end(), fd));
    }
    return;
  }
  if (wanted == watch.watched) return;
  epoll_event event{};
  event.events = wanted;
  event.data.fd = fd;
  if (wanted == 0) {
    // Fails only when the descriptor was closed first, which took it out of the set already.
    ::epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, fd, &event);
    watch.watched = 0;
    --watched_count_;
    return;
  }
  // A closed descriptor leaves the set by itself, and a new one may come with its number.
  const int op = watch.watched == 0 ? EPOLL_CTL_ADD : EPOLL_CTL_MOD;
  int result = ::epoll_ctl(epoll_fd_, op, fd, &event);
  if (result != 0 && op == EPOLL_CTL_MOD && errno == ENOENT) {
    result = ::epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, fd, &event);
  } else if (result != 0 && op == EPOLL_CTL_ADD && errno == EEXIST) {
    result = ::epoll_ctl(epoll_fd_, EPOLL_CTL_MOD, fd, &event);
  }
  if (result == 0) {
    if (watch.watched == 0) ++watched_count_;
    watch.watched = wanted;
    return;
  }
  const int error = errno;
  if (watch.watched != 0) --watched_count_;
  watch.watched = 0;
  if (error == EPERM) {
    // A plain file or /dev/null (standard input, say): poll() reports those always ready.
    watch.unpollable = true;
    unpollable_.push_back(fd);
    return;
  }
  qWarning("EpollDispatcher: cannot watch socket %d: %s", fd, std::strerror(error));
}

void EpollDispatcher::MarkReady(int fd, uint32_t events) {
  if (fd < 0 || static_cast<size_t>(fd) >= watches_.size()) return;
  Watch& watch = watches_[static_cast<size_t>(fd)];
  uint8_t ready = 0;
  if ((events & kReadEvents) && watch.notifiers[QSocketNotifier::Read]) {
    ready |= 1u << QSocketNotifier::Read;
  }
  if ((events & kWriteEvents) && watch.notifiers[QSocketNotifier::Write]) {
    ready |= 1u << QSocketNotifier::Write;
  }
  if ((events & EPOLLPRI) && watch.notifiers[QSocketNotifier::Exception]) {
    ready |= 1u << QSocketNotifier::Exception;
  }
  uint8_t direct = 0;
  if (watch.direct_read && (events & kReadEvents)) direct |= kReadable;
  if (watch.direct_write && (events & kWriteEvents)) direct |= kWritable;
  if (direct != 0) {
    if (events & EPOLLERR) direct |= kError;
    watch.direct_events |= direct;
    ready |= 1u << kDirect;
  }
  if (ready == 0) return;
  if (watch.pending == 0) ready_.push_back(fd);
  watch.pending |= ready;
}

int EpollDispatcher::ActivateSockets() {
  int activated = 0;
  // A nested event loop inside a notifier's slot carries on with this same list.
  while (next_ready_ < ready_.size()) {
    const int fd = ready_[next_ready_];
    Watch& watch = watches_[static_cast<size_t>(fd)];
    if (watch.pending == 0) {
      ++next_ready_;
      continue;
    }
    const int type = std::countr_zero(watch.pending);
    watch.pending &= static_cast<uint8_t>(~(1u << type));
    if (watch.pending == 0) ++next_ready_;
    ++activated;
    if (type == kDirect) {
      const uint8_t events = std::exchange(watch.direct_events, 0);
      // A copy: the callback may unwatch its descriptor, or watch one that moves the table.
      const SocketPoller::Ready ready = watch.ready;
      ready(fd, events & kReadable, events & kWritable, events & kError);
      continue;
    }
    // An unregistered notifier left the pending ones, so this one still exists.
    QEvent event(QEvent::SockAct);
    QCoreApplication::sendEvent(watch.notifiers[type], &event);
  }
  ready_.clear();
  next_ready_ = 0;
  return activated;
}

// --- The direct port ------------------------------------------------------------------------

class EpollDispatcher::Poller final : public SocketPoller {
 public:
  explicit Poller(EpollDispatcher& loop) : loop_(loop) {}
  ~Poller() override { loop_.CancelEndOfPass(&hook_); }

  void Watch(int fd, bool want_read, bool want_write, Ready ready) override {
    loop_.WatchDirect(fd, want_read, want_write, std::move(ready));
  }
  void SetInterest(int fd, bool want_read, bool want_write) override {
    loop_.SetDirectInterest(fd, want_read, want_write);
  }
  void Unwatch(int fd) override { loop_.UnwatchDirect(fd); }
  void SetEndOfPass(std::function<void()> hook) override { hook_.run = std::move(hook); }
  void RequestEndOfPass() override { loop_.QueueEndOfPass(&hook_); }

 private:
  EpollDispatcher& loop_;
  PassHook hook_;
};

std::unique_ptr<SocketPoller> EpollDispatcher::MakePoller() {
  return std::make_unique<Poller>(*this);
}

void EpollDispatcher::QueueEndOfPass(PassHook* hook) {
  if (hook->queued || !hook->run) return;
  hook->queued = true;
  end_of_pass_.push_back(hook);
}

void EpollDispatcher::CancelEndOfPass(PassHook* hook) {
  std::replace(end_of_pass_.begin(), end_of_pass_.end(), hook, static_cast<PassHook*>(nullptr));
  for (std::vector<PassHook*>* running : running_hooks_) {
    std::replace(running->begin(), running->end(), hook, static_cast<PassHook*>(nullptr));
  }
}

int EpollDispatcher::RunEndOfPass() {
  // Hooks asked for while these run go to the next pass, and so do their nested loops' own.
  std::vector<PassHook*> hooks;
  hooks.swap(end_of_pass_);
  end_of_pass_.swap(spare_hooks_);
  running_hooks_.push_back(&hooks);
  int ran = 0;
  for (PassHook* hook : hooks) {
    if (!hook) continue;
    hook->queued = false;
    ++ran;
    hook->run();
  }
  running_hooks_.pop_back();
  hooks.clear();
  if (hooks.capacity() > spare_hooks_.capacity()) spare_hooks_.swap(hooks);
  return ran;
}

// --- Timers ----------------------------------------------------------------------------------

void EpollDispatcher::registerTimer(int timer_id, qint64 interval_ms, Qt::TimerType type,
                                    QObject* object) {
  const auto [it, added] = timers_.try_emplace(timer_id);
  if (!added) HeapRemove(&it->second);
  Timer& timer = it->second;
  timer.id = timer_id;
  timer.interval_ms = static_cast<int>(std::clamp<qint64>(interval_ms, 0, INT_MAX));
  timer.type = type;
  timer.object = object;
  timer.deadline_ns = NowNs() + int64_t{timer.interval_ms} * 1'000'000;
  timer.order = ++timer_order_;
  timer.serial = timer.order;
  timer.fired_pass = 0;
  timer.activating = false;
  HeapPush(&timer);
}

bool EpollDispatcher::unregisterTimer(int timer_id) {
  const auto it = timers_.find(timer_id);
  if (it == timers_.end()) return false;
  HeapRemove(&it->second);
  timers_.erase(it);
  return true;
}

bool EpollDispatcher::unregisterTimers(QObject* object) {
  bool any = false;
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.object != object) {
      ++it;
      continue;
    }
    HeapRemove(&it->second);
    it = timers_.erase(it);
    any = true;
  }
  return any;
}

QList<QAbstractEventDispatcher::TimerInfo> EpollDispatcher::registeredTimers(
    QObject* object) const {
  QList<TimerInfo> found;
  for (const auto& [id, timer] : timers_) {
    if (timer.object == object) found.append(TimerInfo(id, timer.interval_ms, timer.type));
  }
  return found;
}

int EpollDispatcher::remainingTime(int timer_id) {
  const auto it = timers_.find(timer_id);
  return it == timers_.end() ? -1 : CeilMs(it->second.deadline_ns - NowNs());
}

int EpollDispatcher::WaitMs() const {
  // A timer whose event is being sent does not count: a nested loop inside it would never block.
  const Timer* next = nullptr;
  if (!heap_.empty() && !heap_.front()->activating) {
    next = heap_.front();
  } else {
    for (const Timer* timer : heap_) {
      if (!timer->activating && (!next || Earlier(timer, next))) next = timer;
    }
  }
  return next ? CeilMs(next->deadline_ns - NowNs()) : -1;
}

int EpollDispatcher::ActivateTimers() {
  if (heap_.empty()) return 0;
  const int64_t now = NowNs();
  const uint64_t pass = ++timer_passes_;
  int fired = 0;
  while (!heap_.empty()) {
    Timer* timer = heap_.front();
    // Each due timer once: one of interval 0 fires again on the next pass, not in this one.
    if (timer->deadline_ns > now || timer->fired_pass == pass) break;
    timer->fired_pass = pass;
    // After a late pass the next tick comes one interval from now, not in a catching-up burst.
    const int64_t interval_ns = int64_t{timer->interval_ms} * 1'000'000;
    timer->deadline_ns = std::max(timer->deadline_ns + interval_ns, now + interval_ns);
    timer->order = ++timer_order_;
    HeapDown(0);
    if (timer->activating) continue;
    timer->activating = true;
    const int id = timer->id;
    const uint64_t serial = timer->serial;
    if (timer->interval_ms > 0) ++fired;
    QTimerEvent event(id);
    QCoreApplication::sendEvent(timer->object, &event);
    // The slot may have stopped the timer, and a new one may have been given its number.
    const auto it = timers_.find(id);
    if (it != timers_.end() && it->second.serial == serial) it->second.activating = false;
  }
  return fired;
}

bool EpollDispatcher::Earlier(const Timer* a, const Timer* b) {
  return a->deadline_ns != b->deadline_ns ? a->deadline_ns < b->deadline_ns : a->order < b->order;
}

void EpollDispatcher::HeapPush(Timer* timer) {
  timer->heap_index = heap_.size();
  heap_.push_back(timer);
  HeapUp(timer->heap_index);
}

void EpollDispatcher::HeapRemove(Timer* timer) {
  const size_t at = timer->heap_index;
  Timer* last = heap_.back();
  heap_.pop_back();
  if (at == heap_.size()) return;
  heap_[at] = last;
  last->heap_index = at;
  HeapUp(at);
  HeapDown(last->heap_index);
}

void EpollDispatcher::HeapUp(size_t at) {
  Timer* timer = heap_[at];
  while (at > 0) {
    const size_t parent = (at - 1) / 2;
    if (!Earlier(timer, heap_[parent])) break;
    heap_[at] = heap_[parent];
    heap_[at]->heap_index = at;
    at = parent;
  }
  heap_[at] = timer;
  timer->heap_index = at;
}

void EpollDispatcher::HeapDown(size_t at) {
  Timer* timer = heap_[at];
  const size_t size = heap_.size();
  while (true) {
    size_t child = 2 * at + 1;
    if (child >= size) break;
    if (child + 1 < size && Earlier(heap_[child + 1], heap_[child])) ++child;
    if (!Earlier(heap_[child], timer)) break;
    heap_[at] = heap_[child];
    heap_[at]->heap_index = at;
    at = child;
  }
  heap_[at] = timer;
  timer->heap_index = at;
}

}  // namespace scrawlbox
