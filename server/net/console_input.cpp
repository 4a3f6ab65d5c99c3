// SPDX-License-Identifier: MIT
#include "server/net/console_input.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>

namespace server {

ConsoleInput::ConsoleInput(QObject* parent) : QObject(parent) {
  const int flags = ::fcntl(STDIN_FILENO, F_GETFL);
  if (flags < 0) return;  // no standard input at all
  ::fcntl(STDIN_FILENO, F_SETFL, flags | O_NONBLOCK);
  notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &ConsoleInput::ReadAvailable);
}

void ConsoleInput::ReadAvailable() {
  char buffer[4096];
  while (true) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n == 0) {
      // End of input (a closed pipe, /dev/null): the server goes on without a console.
      notifier_->setEnabled(false);
      return;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) notifier_->setEnabled(false);
      return;
    }
    for (ssize_t i = 0; i < n; ++i) {
      const char c = buffer[i];
      if (c == '\n') {
        if (discarding_) {
          emit lineTooLong();
        } else {
          if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
          emit lineEntered(pending_);
        }
        pending_.clear();
        discarding_ = false;
      } else if (!discarding_) {
        pending_.push_back(c);
        if (pending_.size() > kMaxLine) {
          pending_.clear();
          discarding_ = true;
        }
      }
    }
  }
}

}  // namespace server
