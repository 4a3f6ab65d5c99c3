// SPDX-License-Identifier: MIT
// The epoll event loop keeps the contract Qt's own loop keeps: timers in deadline order and never
// early, ready descriptors told before the timers of the same pass, posted events and deferred
// deletes, wake-ups from other threads, and event loops nested inside a slot; and the same for
// descriptors watched directly, with the end-of-pass hook after the pass's sockets and timers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/qt/epoll_dispatcher.h"
#include "common/qt/socket_poller.h"

namespace {

using Seen = std::vector<std::string>;

// A slot that notes that it ran, then ends the loop if it is given one.
std::function<void()> Note(Seen& seen, const char* what, QEventLoop* quit = nullptr) {
  return [&seen, what, quit] {
    seen.push_back(what);
    if (quit) quit->quit();
  };
}

// A socket pair whose first end has a byte to read.
std::array<int, 2> ReadablePair() {
  std::array<int, 2> fds{-1, -1};
  EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds.data()), 0);
  EXPECT_EQ(::write(fds[1], "x", 1), 1);
  return fds;
}

TEST(EpollDispatcher, TimersFireInDeadlineOrderAndNeverEarlyAndPostedEventsAndDeletesRun) {
  QElapsedTimer clock;
  clock.start();
  std::vector<int> fired;
  Seen seen;
  QEventLoop loop;
  auto* doomed = new QObject;
  QObject::connect(doomed, &QObject::destroyed, Note(seen, "deleted"));
  QMetaObject::invokeMethod(
      &loop,
      [&] {
        seen.push_back("posted");
        doomed->deleteLater();
      },
      Qt::QueuedConnection);
  for (const int ms : {30, 0, 20, 10, 20}) {
    QTimer::singleShot(ms, Qt::PreciseTimer, [&, ms] {
      EXPECT_GE(clock.elapsed(), ms);
      fired.push_back(ms);
      if (fired.size() == 5) loop.quit();
    });
  }
  QTimer repeating;
  int ticks = 0;
  QObject::connect(&repeating, &QTimer::timeout, [&] {
    if (++ticks == 3) repeating.stop();
  });
  repeating.start(5);
  loop.exec();
  EXPECT_EQ(fired, (std::vector<int>{0, 10, 20, 20, 30}));
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(seen, (Seen{"posted", "deleted"}));
}

// A socket, and /dev/null, which epoll refuses and poll() reports always ready.
TEST(EpollDispatcher, AReadyDescriptorIsToldInThePassThatFindsItBeforeThatPassesTimers) {
  for (const bool file : {false, true}) {
    SCOPED_TRACE(file ? "file" : "socket");
    const std::array<int, 2> fds =
        file ? std::array<int, 2>{::open("/dev/null", O_RDONLY | O_CLOEXEC), -1} : ReadablePair();
    ASSERT_GE(fds[0], 0);
    Seen seen;
    QEventLoop loop;
    QSocketNotifier reader(fds[0], QSocketNotifier::Read);
    QSocketNotifier paused(fds[0], QSocketNotifier::Write);
    paused.setEnabled(false);
    QObject::connect(&reader, &QSocketNotifier::activated, [&] {
      seen.push_back("readable");
      reader.setEnabled(false);
    });
    QObject::connect(&paused, &QSocketNotifier::activated, Note(seen, "writable"));
    QTimer timer;  // a timer of interval 0, not singleShot(0), which is a posted event
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, Note(seen, "timer", &loop));
    timer.start(0);
    loop.exec();
    EXPECT_EQ(seen, (Seen{"readable", "timer"}));
    for (const int fd : fds) ::close(fd);  // -1 included: closing it does nothing
  }
}

TEST(EpollDispatcher, AnEventPostedFromAnotherThreadEndsAWaitWithNothingElseToDo) {
  QEventLoop loop;
  std::promise<void> waiting;
  Seen seen;
  // Once, the first time the loop is about to wait for ever.
  QObject::connect(
      QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
      [&waiting] { waiting.set_value(); }, Qt::SingleShotConnection);
  std::thread other([&] {
    waiting.get_future().wait();
    QMetaObject::invokeMethod(&loop, Note(seen, "posted", &loop));
  });
  loop.exec();
  other.join();
  EXPECT_EQ(seen, Seen{"posted"});
}

TEST(EpollDispatcher, ALoopNestedInATimersSlotRunsTheOthersButNotThatTimerAgain) {
  Seen seen;
  QEventLoop outer;
  QTimer outer_timer;  // interval 0: due again at once, yet not fired inside its own slot
  QObject::connect(&outer_timer, &QTimer::timeout, [&] {
    seen.push_back("outer");
    QEventLoop nested;
    QTimer::singleShot(1, Note(seen, "inner", &nested));
    nested.exec();
    seen.push_back("outer done");
    outer_timer.stop();
    outer.quit();
  });
  outer_timer.start(0);
  outer.exec();
  EXPECT_EQ(seen, (Seen{"outer", "inner", "outer done"}));
}

TEST(SocketPoller, TellsSocketsThenTimersThenTheEndOfThePass) {
  enum Does { kNothing, kUnwatchOther, kUnwatchSelf, kNestedLoop };
  const std::pair<Does, Seen> passes[] = {
      {kNothing, {"a", "a done", "b", "timer", "end"}},
      {kUnwatchOther, {"a", "a done", "timer", "end"}},
      {kUnwatchSelf, {"a", "a done", "b", "timer", "end"}},
      // The nested loop carries on with the same pass, its end included.
      {kNestedLoop, {"a", "b", "timer", "end", "a done"}}};
  for (const auto& [first_does, expected] : passes) {
    SCOPED_TRACE(first_does);
    const std::array<int, 2> a = ReadablePair(), b = ReadablePair();
    const std::unique_ptr<scrawlbox::SocketPoller> poller = scrawlbox::MakeSocketPoller();
    Seen seen;
    QEventLoop loop;
    poller->SetEndOfPass(Note(seen, "end", &loop));
    poller->Watch(a[0], true, false, [&](int fd, bool readable, bool, bool) {
      seen.push_back(readable ? "a" : "a?");
      poller->SetInterest(fd, false, false);
      poller->RequestEndOfPass();
      if (first_does == kUnwatchOther) poller->Unwatch(b[0]);
      if (first_does == kUnwatchSelf) poller->Unwatch(fd);
      if (first_does == kNestedLoop) {
        QEventLoop nested;
        QTimer::singleShot(1, &nested, &QEventLoop::quit);
        nested.exec();
      }
      seen.push_back("a done");
    });
    poller->Watch(b[0], true, false, [&](int fd, bool, bool, bool) {
      seen.push_back("b");
      poller->Unwatch(fd);
    });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, Note(seen, "timer"));
    timer.start(0);
    loop.exec();
    EXPECT_EQ(seen, expected);
    poller->Unwatch(a[0]);
    for (const int fd : {a[0], a[1], b[0], b[1]}) ::close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
