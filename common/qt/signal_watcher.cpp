// SPDX-License-Identifier: MIT
#include "common/qt/signal_watcher.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace scrawlbox {

namespace {
// The handler may only write to a descriptor; the event loop reads the other end.
int g_pipe[2] = {-1, -1};
}  // namespace

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    if (::read(g_pipe[1], &byte, 1) <= 0) return;
    if (byte == SIGHUP) {
      emit reloadRequested();
    } else {
      emit terminationRequested();
    }
  });
  struct sigaction action {};
  action.sa_handler = &SignalWatcher::Handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

SignalWatcher::~SignalWatcher() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGHUP, SIG_DFL);
  delete notifier_;
  notifier_ = nullptr;
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void SignalWatcher::Handler(int signal_number) {
  const char byte = static_cast<char>(signal_number);
  [[maybe_unused]] const auto written = ::write(g_pipe[0], &byte, 1);
}

}  // namespace scrawlbox
