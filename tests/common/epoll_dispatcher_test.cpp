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
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/qt/epoll_dispatcher.h"
#include "common/qt/socket_poller.h"

namespace {

TEST(EpollDispatcher, TimersFireInDeadlineOrderAndNeverEarly) {
  QElapsedTimer clock;
  clock.start();
  std::vector<int> fired;
  QEventLoop loop;
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
}

struct Descriptor {
  const char* name;
  bool file;  // /dev/null, which epoll refuses and poll() reports always ready
};

class ReadyDescriptor : public testing::TestWithParam<Descriptor> {};

TEST_P(ReadyDescriptor, IsToldInThePassThatFindsItBeforeThatPassesTimers) {
  int fds[2] = {-1, -1};
  if (GetParam().file) {
    fds[0] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  } else {
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds), 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
  }
  ASSERT_GE(fds[0], 0);
  std::vector<std::string> seen;
  QSocketNotifier reader(fds[0], QSocketNotifier::Read);
  QSocketNotifier paused(fds[0], QSocketNotifier::Write);
  paused.setEnabled(false);
  QObject::connect(&reader, &QSocketNotifier::activated, [&] {
    seen.push_back("readable");
    reader.setEnabled(false);
  });
  QObject::connect(&paused, &QSocketNotifier::activated, [&] { seen.push_back("writable"); });
  QEventLoop loop;
  QTimer timer;  // a timer of interval 0, not singleShot(0), which is a posted event
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    seen.push_back("timer");
    loop.quit();
  });
  timer.start(0);
  loop.exec();
  EXPECT_EQ(seen, (std::vector<std::string>{"readable", "timer"}));
  for (const int fd : fds) {
    if (fd >= 0) ::close(fd);
  }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, ReadyDescriptor,
                         testing::Values(Descriptor{"Socket", false}, Descriptor{"File", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EpollDispatcher, RunsPostedEventsAndDeferredDeletes) {
  std::vector<std::string> seen;
  QEventLoop loop;
  auto* doomed = new QObject;
  QObject::connect(doomed, &QObject::destroyed, [&] {
    seen.push_back("deleted");
    loop.quit();
  });
  QMetaObject::invokeMethod(
      &loop,
      [&] {
        seen.push_back("posted");
        doomed->deleteLater();
      },
      Qt::QueuedConnection);
  loop.exec();
  EXPECT_EQ(seen, (std::vector<std::string>{"posted", "deleted"}));
}

struct Waker {
  const char* name;
  bool exit_loop;  // QEventLoop::exit from the other thread, else an event posted to this one
};

class WakeUp : public testing::TestWithParam<Waker> {};

TEST_P(WakeUp, FromAnotherThreadEndsAWaitWithNothingElseToDo) {
  QEventLoop loop;
  std::promise<void> waiting;
  bool posted_ran = false;
  // Once, the first time the loop is about to wait for ever.
  QObject::connect(
      QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
      [&waiting] { waiting.set_value(); }, Qt::SingleShotConnection);
  std::thread other([&] {
    waiting.get_future().wait();
    if (GetParam().exit_loop) {
      loop.exit();
    } else {
      QMetaObject::invokeMethod(
          &loop,
          [&] {
            posted_ran = true;
            loop.quit();
          },
          Qt::QueuedConnection);
    }
  });
  loop.exec();
  other.join();
  EXPECT_EQ(posted_ran, !GetParam().exit_loop);
}

INSTANTIATE_TEST_SUITE_P(Wakers, WakeUp,
                         testing::Values(Waker{"PostedEvent", false}, Waker{"LoopExit", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EpollDispatcher, ALoopNestedInATimersSlotRunsTheOthersButNotThatTimerAgain) {
  std::vector<std::string> seen;
  QEventLoop outer;
  QTimer outer_timer;  // interval 0: due again at once, yet not fired inside its own slot
  QObject::connect(&outer_timer, &QTimer::timeout, [&] {
    seen.push_back("outer");
    QEventLoop nested;
    QTimer::singleShot(1, [&] {
      seen.push_back("inner");
      nested.quit();
    });
    nested.exec();
    seen.push_back("outer done");
    outer_timer.stop();
    outer.quit();
  });
  outer_timer.start(0);
  outer.exec();
  EXPECT_EQ(seen, (std::vector<std::string>{"outer", "inner", "outer done"}));
}

struct DirectPass {
  const char* name;
  enum { kNothing, kUnwatchOther, kUnwatchSelf, kNestedLoop } first_does;
  std::vector<std::string> seen;
};

class DirectWatch : public testing::TestWithParam<DirectPass> {};

TEST_P(DirectWatch, TellsSocketsThenTimersThenTheEndOfThePass) {
  int a[2], b[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, a), 0);
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, b), 0);
  ASSERT_EQ(::write(a[1], "x", 1), 1);
  ASSERT_EQ(::write(b[1], "x", 1), 1);
  const std::unique_ptr<scrawlbox::SocketPoller> poller = scrawlbox::MakeSocketPoller();
  std::vector<std::string> seen;
  QEventLoop loop;
  poller->SetEndOfPass([&] {
    seen.push_back("end");
    loop.quit();
  });
  poller->Watch(a[0], true, false, [&](int fd, bool readable, bool, bool) {
    seen.push_back(readable ? "a" : "a?");
    poller->SetInterest(fd, false, false);
    poller->RequestEndOfPass();
    if (GetParam().first_does == DirectPass::kUnwatchOther) poller->Unwatch(b[0]);
    if (GetParam().first_does == DirectPass::kUnwatchSelf) poller->Unwatch(fd);
    if (GetParam().first_does == DirectPass::kNestedLoop) {
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
  QObject::connect(&timer, &QTimer::timeout, [&] { seen.push_back("timer"); });
  timer.start(0);
  loop.exec();
  EXPECT_EQ(seen, GetParam().seen);
  poller->Unwatch(a[0]);
  for (const int fd : {a[0], a[1], b[0], b[1]}) ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, DirectWatch,
    testing::Values(
        DirectPass{"Plain", DirectPass::kNothing, {"a", "a done", "b", "timer", "end"}},
        DirectPass{"UnwatchOther", DirectPass::kUnwatchOther, {"a", "a done", "timer", "end"}},
        DirectPass{"UnwatchSelf", DirectPass::kUnwatchSelf, {"a", "a done", "b", "timer", "end"}},
        // The nested loop carries on with the same pass, its end included.
        DirectPass{"NestedLoop", DirectPass::kNestedLoop, {"a", "b", "timer", "end", "a done"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
