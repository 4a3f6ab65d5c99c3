// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/loadtest/load_options.h"

namespace loadtest {

// What a run measured.
struct LoadReport {
  int players = 0;
  bool burst = false;
  double rate = 0;
  double seconds = 0;
  int logged_in = 0;
  double login_ms = 0;        // first connect to the last player's end of login
  uint64_t sent = 0;          // strokes the artist drew
  uint64_t delivered = 0;     // strokes that reached a viewer, counted per viewer
  uint64_t expected = 0;      // sent × viewers
  uint64_t lost = 0;          // expected − delivered
  uint64_t out_of_order = 0;  // strokes repeated, reordered, echoed or from someone else
  uint64_t closed = 0;        // connections the room closed
  double per_second = 0;      // delivered strokes a second, first send to last arrival
  uint64_t p50_us = 0, p90_us = 0, p99_us = 0, max_us = 0;
  uint64_t chat_sent = 0;
  uint64_t chat_received = 0;
};

std::string ReportText(const LoadReport& report);
std::string ReportJson(const LoadReport& report);

// The players of a load run, as the room sees them: the login, the artist's strokes, the
// viewers' arrivals and chat. It knows no sockets: the loop hands it what each connection
// received and sends what it writes through Output, so the tests can drive it with bytes.
class LoadRun {
 public:
  class Output {
   public:
    virtual ~Output() = default;
    virtual void Send(int player, std::string_view bytes) = 0;
  };

  LoadRun(const LoadOptions& options, Output& output);

  int players() const { return static_cast<int>(players_.size()); }
  int logged_in() const { return logged_in_; }
  // Why the run cannot go on (the room refused us), or empty.
  const std::string& failure() const { return failure_; }

  void OnConnected(int player, int64_t now_ns);
  void OnData(int player, std::string_view bytes, int64_t now_ns);
  void OnClosed(int player);

  // The artist draws `count` strokes, written at once.
  void Draw(uint64_t count, int64_t now_ns);
  // Burst: how many more strokes the artist may draw without getting more than the window
  // ahead of the slowest viewer.
  uint64_t DrawAllowance() const;
  // The next chatter (in turn) says one line.
  void Chat();
  // Every open viewer has every stroke drawn so far.
  bool AllDelivered() const;
  uint64_t sent() const { return sent_; }

  LoadReport Report(int64_t login_start_ns) const;

 private:
  enum class Stage { kConnecting, kHello, kProfile, kPassword, kUserList, kReady, kClosed };
  struct Player {
    Stage stage = Stage::kConnecting;
    int64_t id = -1;
    uint64_t next_stroke = 0;  // the stroke this viewer should receive next
    std::string partial;       // an unterminated message, bounded
  };

  void Handle(int player, std::string_view command, std::string_view data, int64_t now_ns);
  void OnStroke(Player& viewer, bool is_artist, std::string_view data, int64_t now_ns);
  void Send(int player, std::string_view command, std::string_view data);
  void Fail(const std::string& why);
  uint64_t Percentile(double fraction) const;

  LoadOptions options_;
  Output& output_;
  std::vector<Player> players_;
  int logged_in_ = 0;
  int64_t last_login_ns_ = 0;
  std::string failure_;
  std::string last_notice_;  // what the room last told a player still logging in

  uint64_t sent_ = 0;
  std::vector<int64_t> sent_at_;  // send time of stroke n at n % size
  int64_t first_send_ns_ = 0;
  int64_t last_arrival_ns_ = 0;
  uint64_t delivered_ = 0;
  uint64_t out_of_order_ = 0;
  uint64_t closed_ = 0;
  std::vector<uint64_t> latency_us_;  // counts per microsecond; the last bucket holds the rest
  uint64_t max_latency_us_ = 0;

  int next_chatter_ = 0;
  uint64_t chat_sent_ = 0;
  uint64_t chat_received_ = 0;
};

}  // namespace loadtest
