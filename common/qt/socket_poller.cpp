// SPDX-License-Identifier: MIT
#include "common/qt/socket_poller.h"

#include <QAbstractEventDispatcher>
#include <QBasicTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <unordered_map>
#include <utility>

#include "common/qt/epoll_dispatcher.h"

namespace scrawlbox {

namespace {

// The port on any Qt event loop: two notifiers per descriptor, and the end of the pass as a
// timer of interval 0, which Qt's loops fire once the ready sockets of the pass were told.
class NotifierPoller final : public QObject, public SocketPoller {
 public:
  ~NotifierPoller() override {
    for (auto& [fd, watched] : watched_) {
      delete watched.reader;
      delete watched.writer;
    }
  }

  void Watch(int fd, bool want_read, bool want_write, Ready ready) override {
    auto [it, added] = watched_.try_emplace(fd);
    Watched& watched = it->second;
    watched.ready = std::move(ready);
    if (added) {
      watched.reader = new QSocketNotifier(fd, QSocketNotifier::Read);
      watched.writer = new QSocketNotifier(fd, QSocketNotifier::Write);
      QObject::connect(watched.reader, &QSocketNotifier::activated, this,
                       [this, fd] { Tell(fd, true, false); });
      QObject::connect(watched.writer, &QSocketNotifier::activated, this,
                       [this, fd] { Tell(fd, false, true); });
    }
    watched.reader->setEnabled(want_read);
    watched.writer->setEnabled(want_write);
  }

  void SetInterest(int fd, bool want_read, bool want_write) override {
    const auto it = watched_.find(fd);
    if (it == watched_.end()) return;
    it->second.reader->setEnabled(want_read);
    it->second.writer->setEnabled(want_write);
  }

  void Unwatch(int fd) override {
    const auto it = watched_.find(fd);
    if (it == watched_.end()) return;
    // Either notifier may be reporting right now: they go once its event is over.
    for (QSocketNotifier* notifier : {it->second.reader, it->second.writer}) {
      notifier->setEnabled(false);
      notifier->disconnect();
      notifier->deleteLater();
    }
    watched_.erase(it);
  }

  void SetEndOfPass(std::function<void()> hook) override { hook_ = std::move(hook); }

  void RequestEndOfPass() override {
    if (hook_ && !end_of_pass_.isActive()) end_of_pass_.start(0, Qt::PreciseTimer, this);
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() != end_of_pass_.timerId()) return;
    end_of_pass_.stop();
    hook_();
  }

 private:
  struct Watched {
    QSocketNotifier* reader = nullptr;
    QSocketNotifier* writer = nullptr;
    Ready ready;
  };

  void Tell(int fd, bool readable, bool writable) {
    const auto it = watched_.find(fd);
    if (it == watched_.end()) return;
    // A copy: the callback may unwatch its descriptor.
    const Ready ready = it->second.ready;
    ready(fd, readable, writable, false);
  }

  std::unordered_map<int, Watched> watched_;
  std::function<void()> hook_;
  QBasicTimer end_of_pass_;
};

}  // namespace

std::unique_ptr<SocketPoller> MakeSocketPoller() {
  if (auto* epoll = qobject_cast<EpollDispatcher*>(QAbstractEventDispatcher::instance())) {
    return epoll->MakePoller();
  }
  return std::make_unique<NotifierPoller>();
}

}  // namespace scrawlbox
