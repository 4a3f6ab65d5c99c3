// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

namespace scrawlbox {

// Watches descriptors on the thread's event loop and calls back when they are ready, and runs a
// hook once the ready descriptors of a pass have all been handled.
class SocketPoller {
 public:
  // Readable includes the peer's close; error is set alongside whatever was asked for.
  using Ready = std::function<void(int fd, bool readable, bool writable, bool error)>;

  virtual ~SocketPoller() = default;

  // Watching a descriptor again replaces its callback. The callback may unwatch any descriptor,
  // its own included, and watch new ones.
  virtual void Watch(int fd, bool want_read, bool want_write, Ready ready) = 0;
  virtual void SetInterest(int fd, bool want_read, bool want_write) = 0;
  // A closed descriptor must be unwatched first: the system reuses its number.
  virtual void Unwatch(int fd) = 0;

  // What RequestEndOfPass runs: once, after the ready descriptors and the due timers of the
  // current pass, before the loop waits again. Asked from the hook itself, it runs at the end
  // of the next pass.
  virtual void SetEndOfPass(std::function<void()> hook) = 0;
  virtual void RequestEndOfPass() = 0;
};

// The poller of the calling thread's event loop: the epoll loop's own when it runs on one,
// otherwise one over QSocketNotifier and a timer of interval 0. Descriptors it watches must be
// unwatched before it goes.
std::unique_ptr<SocketPoller> MakeSocketPoller();

}  // namespace scrawlbox
