// SPDX-License-Identifier: MIT
// scrawlbox-loadtest: what a room takes. Logs players into a room through the whole login,
// one draws, the others watch (and chat), and the relay's figures are printed.
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/loadtest/load_options.h"
#include "tools/loadtest/load_run.h"

namespace {

using loadtest::LoadOptions;
using loadtest::LoadRun;

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int64_t SecondsNs(double seconds) {
  return static_cast<int64_t>(seconds * 1e9);
}

// One thread, one epoll loop, a non-blocking socket per player.
class SocketLoop : public LoadRun::Output {
 public:
  struct Connection {
    int fd = -1;
    bool connected = false;
    bool open = false;
    bool watching_out = false;
    std::string out;
    size_t written = 0;
  };

  explicit SocketLoop(int players) : connections_(static_cast<size_t>(players)) {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
  }
  ~SocketLoop() override {
    for (Connection& c : connections_) {
      if (c.fd >= 0) ::close(c.fd);
    }
    if (epoll_ >= 0) ::close(epoll_);
  }
  SocketLoop(const SocketLoop&) = delete;
  SocketLoop& operator=(const SocketLoop&) = delete;

  void Attach(LoadRun* run) { run_ = run; }

  // Starts every connection at once, as a crowd arriving would.
  bool Connect(const sockaddr_storage& address, socklen_t length, std::string* error) {
    for (size_t i = 0; i < connections_.size(); ++i) {
      Connection& c = connections_[i];
      c.fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      if (c.fd < 0) {
        *error = std::string("socket: ") + std::strerror(errno);
        return false;
      }
      const int on = 1;
      ::setsockopt(c.fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      if (::connect(c.fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 &&
          errno != EINPROGRESS) {
        *error = std::string("connect: ") + std::strerror(errno);
        return false;
      }
      c.open = true;
      epoll_event event{};
      event.events = EPOLLIN | EPOLLOUT;
      event.data.u64 = i;
      c.watching_out = true;
      ::epoll_ctl(epoll_, EPOLL_CTL_ADD, c.fd, &event);
    }
    return true;
  }

  void Send(int player, std::string_view bytes) override {
    Connection& c = connections_[static_cast<size_t>(player)];
    if (!c.open) return;
    c.out.append(bytes);
    Flush(static_cast<size_t>(player));
  }

  // Handles what is ready, waiting at most until `deadline_ns`.
  void Poll(int64_t deadline_ns) {
    epoll_event events[256];
    const int64_t wait_ns = std::max<int64_t>(0, deadline_ns - NowNs());
    const int ready = ::epoll_wait(epoll_, events, 256,
                                   static_cast<int>(std::min<int64_t>(wait_ns / 1000000, 100)));
    for (int i = 0; i < ready; ++i) {
      const size_t index = events[i].data.u64;
      Connection& c = connections_[index];
      if (!c.open) continue;
      if (!c.connected && (events[i].events & (EPOLLOUT | EPOLLERR | EPOLLHUP))) {
        int failure = 0;
        socklen_t length = sizeof failure;
        ::getsockopt(c.fd, SOL_SOCKET, SO_ERROR, &failure, &length);
        if (failure != 0) {
          connect_error_ = std::strerror(failure);
          Drop(index);
          continue;
        }
        c.connected = true;
        run_->OnConnected(static_cast<int>(index), NowNs());
        Flush(index);
      } else if (events[i].events & EPOLLOUT) {
        Flush(index);
      }
      if (c.open && (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR))) Read(index);
    }
  }

  const std::string& connect_error() const { return connect_error_; }

 private:
  void Read(size_t index) {
    static char buffer[1 << 18];
    Connection& c = connections_[index];
    // A few reads at most, so that one busy connection does not starve the others.
    for (int reads = 0; reads < 4 && c.open; ++reads) {
      const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
      if (n > 0) {
        run_->OnData(static_cast<int>(index), std::string_view(buffer, static_cast<size_t>(n)),
                     NowNs());
        if (static_cast<size_t>(n) < sizeof buffer) return;
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
      Drop(index);
    }
  }

  void Flush(size_t index) {
    Connection& c = connections_[index];
    if (!c.connected) return;
    while (c.written < c.out.size()) {
      const ssize_t n =
          ::send(c.fd, c.out.data() + c.written, c.out.size() - c.written, MSG_NOSIGNAL);
      if (n > 0) {
        c.written += static_cast<size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        break;
      } else {
        Drop(index);
        return;
      }
    }
    if (c.written == c.out.size()) {
      c.out.clear();
      c.written = 0;
    }
    const bool want_out = !c.out.empty();
    if (want_out != c.watching_out) {
      epoll_event event{};
      event.events = EPOLLIN | (want_out ? EPOLLOUT : 0u);
      event.data.u64 = index;
      ::epoll_ctl(epoll_, EPOLL_CTL_MOD, c.fd, &event);
      c.watching_out = want_out;
    }
  }

  void Drop(size_t index) {
    Connection& c = connections_[index];
    if (!c.open) return;
    c.open = false;
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd, nullptr);
    run_->OnClosed(static_cast<int>(index));
  }

  std::vector<Connection> connections_;
  int epoll_ = -1;
  LoadRun* run_ = nullptr;
  std::string connect_error_;
};

bool Resolve(const LoadOptions& options, sockaddr_storage* address, socklen_t* length,
             std::string* error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(options.port);
  const int status = ::getaddrinfo(options.host.c_str(), port.c_str(), &hints, &found);
  if (status != 0 || found == nullptr) {
    *error = "cannot find " + options.host + ": " + ::gai_strerror(status);
    return false;
  }
  std::memcpy(address, found->ai_addr, found->ai_addrlen);
  *length = found->ai_addrlen;
  ::freeaddrinfo(found);
  return true;
}

// Each player is a socket: the soft limit on open files is raised as far as the hard one goes.
bool EnoughDescriptors(int players, std::string* error) {
  rlimit limit{};
  ::getrlimit(RLIMIT_NOFILE, &limit);
  const auto wanted = static_cast<rlim_t>(players) + 32;
  if (limit.rlim_cur >= wanted) return true;
  limit.rlim_cur = std::min(limit.rlim_max, wanted);
  ::setrlimit(RLIMIT_NOFILE, &limit);
  if (limit.rlim_cur >= wanted) return true;
  *error = "this system allows only " + std::to_string(limit.rlim_max) +
           " open files; raise it (ulimit -n) for " + std::to_string(players) + " players";
  return false;
}

int Refuse(const std::string& why) {
  std::fprintf(stderr, "scrawlbox-loadtest: %s\n", why.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args.front() == "--help" || args.front() == "-h") {
    std::fputs(loadtest::kLoadUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  std::string error;
  auto options = loadtest::ParseLoadOptions(args, &error);
  if (!options) {
    std::fprintf(stderr, "scrawlbox-loadtest: %s\n%s", error.c_str(), loadtest::kLoadUsage);
    return 2;
  }
  options->nickname_prefix = "load" + std::to_string(::getpid() % 1000) + "-";
  options->run_tag = 1 + static_cast<int>(NowNs() / 1000 % 999999);
  sockaddr_storage address{};
  socklen_t length = 0;
  if (!Resolve(*options, &address, &length, &error)) return Refuse(error);
  if (!EnoughDescriptors(options->players, &error)) return Refuse(error);

  SocketLoop loop(options->players);
  LoadRun run(*options, loop);
  loop.Attach(&run);

  // The login: every player at once, until all are in the room.
  const int64_t login_start = NowNs();
  if (!loop.Connect(address, length, &error)) return Refuse(error);
  const int64_t login_end = login_start + SecondsNs(options->login_timeout);
  while (run.logged_in() < run.players() && run.failure().empty() && NowNs() < login_end) {
    loop.Poll(login_end);
    if (!loop.connect_error().empty()) return Refuse("connect: " + loop.connect_error());
  }
  if (!run.failure().empty()) return Refuse(run.failure());
  if (run.logged_in() < run.players()) {
    return Refuse(std::to_string(run.logged_in()) + " of " + std::to_string(run.players()) +
                  " players were in the room after " + std::to_string(options->login_timeout) +
                  " s");
  }

  // The drawing, and the chat beside it.
  const int64_t start = NowNs();
  const int64_t end = start + SecondsNs(options->seconds);
  const int viewers = run.players() - 1;
  const double chat_per_second =
      options->chat * (options->chatters < 0 ? viewers : options->chatters);
  uint64_t chat_said = 0;
  while (NowNs() < end) {
    const int64_t now = NowNs();
    const double elapsed = static_cast<double>(now - start) / 1e9;
    if (options->burst) {
      run.Draw(std::min<uint64_t>(run.DrawAllowance(), 64), now);
    } else {
      const auto due = static_cast<uint64_t>(elapsed * options->rate);
      if (due > run.sent()) run.Draw(due - run.sent(), now);
    }
    const auto chat_due = static_cast<uint64_t>(elapsed * chat_per_second);
    for (; chat_said < chat_due; ++chat_said) run.Chat();
    // A millisecond at most between strokes at a rate; in a burst the loop never waits long.
    loop.Poll(std::min(end, now + (options->burst ? 0 : 1000000)));
  }

  // What was drawn reaches the viewers, or the drain time runs out.
  const int64_t drain_end = NowNs() + SecondsNs(options->drain);
  while (!run.AllDelivered() && NowNs() < drain_end) loop.Poll(drain_end);

  const loadtest::LoadReport report = run.Report(login_start);
  std::fputs((options->json ? loadtest::ReportJson(report) : loadtest::ReportText(report)).c_str(),
             stdout);
  return report.lost == 0 && report.out_of_order == 0 && report.closed == 0 ? 0 : 1;
}
