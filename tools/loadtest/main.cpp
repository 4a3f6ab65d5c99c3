// SPDX-License-Identifier: MIT
// scrawlbox-loadtest: what a room takes. Logs players into a room through the whole login,
// one draws, the others watch (and chat), and the relay's figures are printed.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
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
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/http/websocket.h"

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

// One thread, one epoll loop, a non-blocking socket per player; with --web each socket carries
// a WebSocket (over TLS with --tls) whose binary frames hold the room's stream.
class SocketLoop : public LoadRun::Output, private http::websocket::FrameHandler {
 public:
  struct Connection {
    enum class Stage {
      kConnecting,  // the TCP connect
      kTls,         // the TLS handshake
      kUpgrade,     // the WebSocket's opening handshake
      kOpen,        // the room's protocol
    };
    int fd = -1;
    Stage stage = Stage::kConnecting;
    bool open = false;
    bool watching_out = false;
    SSL* ssl = nullptr;
    std::string out;
    size_t written = 0;
    std::string key;  // the upgrade's key, and its answer as it arrives
    std::string head;
    // The room's frames: a pass of its output is one, however large.
    http::websocket::FrameReader frames{SIZE_MAX, http::websocket::FrameReader::Sender::kRoom};
  };

  // tls: the context of every player's TLS, or null for none.
  SocketLoop(int players, bool web, SSL_CTX* tls, const std::string& host, int port)
      : connections_(static_cast<size_t>(players)),
        web_(web),
        tls_(tls),
        host_((host.find(':') == std::string::npos ? host : "[" + host + "]") + ":" +
              std::to_string(port)),
        host_name_(host) {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
  }
  ~SocketLoop() override {
    for (Connection& c : connections_) {
      if (c.ssl != nullptr) SSL_free(c.ssl);
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
    if (web_) {
      http::websocket::AppendMaskedFrame(c.out, http::websocket::Opcode::kBinary, bytes,
                                         NextMask());
    } else {
      c.out.append(bytes);
    }
    Flush(static_cast<size_t>(player));
  }

  // Handles what is ready, waiting at most until `deadline_ns`.
  void Poll(int64_t deadline_ns) {
    epoll_event events[256];
    const int64_t wait_ns = again_.empty() ? std::max<int64_t>(0, deadline_ns - NowNs()) : 0;
    // Rounded up: a wait shorter than a millisecond would otherwise spin until its deadline.
    const int ready =
        ::epoll_wait(epoll_, events, 256,
                     static_cast<int>(std::min<int64_t>((wait_ns + 999999) / 1000000, 100)));
    for (int i = 0; i < ready; ++i) {
      const size_t index = events[i].data.u64;
      Connection& c = connections_[index];
      if (!c.open) continue;
      if (c.stage == Connection::Stage::kConnecting &&
          (events[i].events & (EPOLLOUT | EPOLLERR | EPOLLHUP))) {
        int failure = 0;
        socklen_t length = sizeof failure;
        ::getsockopt(c.fd, SOL_SOCKET, SO_ERROR, &failure, &length);
        if (failure != 0) {
          connect_error_ = std::strerror(failure);
          Drop(index);
          continue;
        }
        if (tls_ != nullptr) {
          c.ssl = SSL_new(tls_);
          SSL_set_fd(c.ssl, c.fd);
          SSL_set_connect_state(c.ssl);
          if (!IsAddress(host_name_)) SSL_set_tlsext_host_name(c.ssl, host_name_.c_str());
          c.stage = Connection::Stage::kTls;
          Handshake(index);
        } else {
          Established(index);
        }
        continue;
      }
      if (c.stage == Connection::Stage::kTls) {
        Handshake(index);
        continue;
      }
      if (events[i].events & EPOLLOUT) Flush(index);
      if (c.open && (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR))) Read(index);
    }
    // What TLS holds already decrypted raises no event of the socket's.
    for (const size_t index : std::exchange(again_, {})) {
      if (connections_[index].open) Read(index);
    }
  }

  const std::string& connect_error() const { return connect_error_; }

 private:
  static bool IsAddress(const std::string& host) {
    unsigned char address[sizeof(in6_addr)];
    return ::inet_pton(AF_INET, host.c_str(), address) == 1 ||
           ::inet_pton(AF_INET6, host.c_str(), address) == 1;
  }

  // Masks need not be secret from a room one measures, only varied: a cheap xorshift.
  uint32_t NextMask() {
    mask_ ^= mask_ << 13;
    mask_ ^= mask_ >> 17;
    mask_ ^= mask_ << 5;
    return mask_;
  }

  void Handshake(size_t index) {
    Connection& c = connections_[index];
    ERR_clear_error();
    const int result = SSL_do_handshake(c.ssl);
    if (result == 1) {
      Established(index);
      return;
    }
    const int why = SSL_get_error(c.ssl, result);
    if (why == SSL_ERROR_WANT_READ || why == SSL_ERROR_WANT_WRITE) {
      Watch(index, why == SSL_ERROR_WANT_WRITE);
      return;
    }
    char text[256];
    ERR_error_string_n(ERR_get_error(), text, sizeof text);
    connect_error_ = std::string("TLS: ") + text;
    Drop(index);
  }

  // The connection is up (and its TLS): the WebSocket's upgrade, or straight to the login.
  void Established(size_t index) {
    Connection& c = connections_[index];
    if (web_) {
      c.stage = Connection::Stage::kUpgrade;
      c.key = http::websocket::NewKey();
      c.out = http::websocket::UpgradeRequest(host_, "/play", c.key);
    } else {
      c.stage = Connection::Stage::kOpen;
      run_->OnConnected(static_cast<int>(index), NowNs());
    }
    Flush(index);
  }

  // Bytes read into buffer; 0 when none are there yet, -1 when the connection ended.
  ssize_t Receive(Connection& c, char* buffer, size_t size) {
    if (c.ssl == nullptr) {
      const ssize_t n = ::recv(c.fd, buffer, size, 0);
      if (n > 0) return n;
      return n < 0 && (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    }
    ERR_clear_error();
    const int n = SSL_read(c.ssl, buffer, static_cast<int>(size));
    if (n > 0) return n;
    const int why = SSL_get_error(c.ssl, n);
    return why == SSL_ERROR_WANT_READ || why == SSL_ERROR_WANT_WRITE ? 0 : -1;
  }

  // Bytes written; 0 when the socket takes none now, -1 when the connection ended.
  ssize_t Write(Connection& c, const char* bytes, size_t size) {
    if (c.ssl == nullptr) {
      const ssize_t n = ::send(c.fd, bytes, size, MSG_NOSIGNAL);
      if (n > 0) return n;
      return n < 0 && (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    }
    ERR_clear_error();
    const int n = SSL_write(c.ssl, bytes, static_cast<int>(std::min<size_t>(size, 1 << 20)));
    if (n > 0) return n;
    const int why = SSL_get_error(c.ssl, n);
    return why == SSL_ERROR_WANT_READ || why == SSL_ERROR_WANT_WRITE ? 0 : -1;
  }

  void Read(size_t index) {
    static char buffer[1 << 18];
    Connection& c = connections_[index];
    // A few reads at most, so that one busy connection does not starve the others; TLS hands
    // over one record (16 KiB at most) a read.
    const int most = c.ssl != nullptr ? 64 : 4;
    for (int reads = 0; reads < most && c.open; ++reads) {
      const ssize_t n = Receive(c, buffer, sizeof buffer);
      if (n < 0) {
        Drop(index);
        return;
      }
      if (n == 0) return;
      Received(index, std::string_view(buffer, static_cast<size_t>(n)));
      if (c.ssl == nullptr && static_cast<size_t>(n) < sizeof buffer) return;
    }
    if (c.open && c.ssl != nullptr && SSL_has_pending(c.ssl)) again_.push_back(index);
  }

  void Received(size_t index, std::string_view bytes) {
    Connection& c = connections_[index];
    if (c.stage == Connection::Stage::kUpgrade) {
      c.head.append(bytes);
      const http::websocket::UpgradeReply reply = http::websocket::ReadUpgradeReply(c.head, c.key);
      if (reply.state == http::websocket::UpgradeReply::State::kReading) return;
      if (reply.state == http::websocket::UpgradeReply::State::kRefused) {
        connect_error_ = "the room's web port answered \"" + reply.status + "\" to the WebSocket";
        Drop(index);
        return;
      }
      const std::string rest = c.head.substr(reply.head_size);
      std::string().swap(c.head);
      std::string().swap(c.key);
      c.stage = Connection::Stage::kOpen;
      run_->OnConnected(static_cast<int>(index), NowNs());
      if (!rest.empty() && c.open) Received(index, rest);
      return;
    }
    const int64_t now = NowNs();
    if (!web_) {
      run_->OnData(static_cast<int>(index), bytes, now);
      return;
    }
    reading_ = index;
    reading_at_ = now;
    const bool more = c.frames.Feed(bytes, 0, *this);
    if (!more) {
      Drop(index);
    } else if (!c.out.empty()) {
      Flush(index);  // pongs
    }
  }

  void OnData(std::string_view bytes) override {
    if (connections_[reading_].open) {
      run_->OnData(static_cast<int>(reading_), bytes, reading_at_);
    }
  }
  void OnPing(std::string_view payload) override {
    http::websocket::AppendMaskedFrame(connections_[reading_].out, http::websocket::Opcode::kPong,
                                       payload, NextMask());
  }
  void OnClose(uint16_t, std::string_view) override {}

  void Flush(size_t index) {
    Connection& c = connections_[index];
    if (!c.open || c.stage < Connection::Stage::kUpgrade) return;
    while (c.written < c.out.size()) {
      const ssize_t n = Write(c, c.out.data() + c.written, c.out.size() - c.written);
      if (n < 0) {
        Drop(index);
        return;
      }
      if (n == 0) break;
      c.written += static_cast<size_t>(n);
    }
    if (c.written == c.out.size()) {
      c.out.clear();
      c.written = 0;
    }
    Watch(index, !c.out.empty());
  }

  void Watch(size_t index, bool want_out) {
    Connection& c = connections_[index];
    if (want_out == c.watching_out) return;
    epoll_event event{};
    event.events = EPOLLIN | (want_out ? EPOLLOUT : 0u);
    event.data.u64 = index;
    ::epoll_ctl(epoll_, EPOLL_CTL_MOD, c.fd, &event);
    c.watching_out = want_out;
  }

  void Drop(size_t index) {
    Connection& c = connections_[index];
    if (!c.open) return;
    c.open = false;
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd, nullptr);
    run_->OnClosed(static_cast<int>(index));
  }

  std::vector<Connection> connections_;
  bool web_;
  SSL_CTX* tls_;
  std::string host_;       // host:port, as the upgrade's Host field carries it
  std::string host_name_;  // the name TLS asks the room for, unless it is an address
  int epoll_ = -1;
  LoadRun* run_ = nullptr;
  std::string connect_error_;
  std::vector<size_t> again_;  // TLS connections with decrypted bytes still to read
  uint32_t mask_ = static_cast<uint32_t>(NowNs()) | 1;
  size_t reading_ = 0;  // the connection whose frames are being read
  int64_t reading_at_ = 0;
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

  // The players' TLS takes the room's certificate whatever it is: this measures one's own room.
  const std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> tls(
      options->tls ? SSL_CTX_new(TLS_client_method()) : nullptr, &SSL_CTX_free);
  if (options->tls && !tls) return Refuse("cannot set up TLS");
  if (tls) {
    SSL_CTX_set_verify(tls.get(), SSL_VERIFY_NONE, nullptr);
    SSL_CTX_set_mode(tls.get(),
                     SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  }
  SocketLoop loop(options->players, options->web, tls.get(), options->host, options->port);
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
                  " s" +
                  (options->web && run.logged_in() == 0
                       ? " (with --web PORT is the room's web port; --tls when it speaks HTTPS)"
                       : ""));
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
    // Until the next stroke or chat line is due, so that a run of many rooms' artists leaves the
    // machine to the room; in a burst the loop never waits long.
    int64_t next = end;
    if (!options->burst) {
      next =
          start + static_cast<int64_t>(1e9 * static_cast<double>(run.sent() + 1) / options->rate);
    }
    if (chat_per_second > 0) {
      next = std::min(next, start + static_cast<int64_t>(1e9 * static_cast<double>(chat_said + 1) /
                                                         chat_per_second));
    }
    loop.Poll(std::min(end, options->burst ? now : next));
  }

  // What was drawn reaches the viewers, or the drain time runs out.
  const int64_t drain_end = NowNs() + SecondsNs(options->drain);
  while (!run.AllDelivered() && NowNs() < drain_end) loop.Poll(drain_end);

  const loadtest::LoadReport report = run.Report(login_start);
  std::fputs((options->json ? loadtest::ReportJson(report) : loadtest::ReportText(report)).c_str(),
             stdout);
  return report.lost == 0 && report.out_of_order == 0 && report.closed == 0 ? 0 : 1;
}
