// SPDX-License-Identifier: MIT
#include "tools/loadtest/load_run.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "common/version.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "protocol/version_text.h"

namespace loadtest {

namespace {

namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

// Send times are kept for this many strokes: far more than can be on the way at once.
constexpr size_t kSendTimes = size_t{1} << 20;
// Latencies are counted per microsecond up to 100 ms, per millisecond up to 100 s beyond.
constexpr uint64_t kFineLatencyUs = 100000;
constexpr size_t kLatencyBuckets = kFineLatencyUs + 100000;

size_t LatencyBucket(uint64_t us) {
  const uint64_t bucket = us < kFineLatencyUs ? us : kFineLatencyUs + (us - kFineLatencyUs) / 1000;
  return static_cast<size_t>(std::min<uint64_t>(bucket, kLatencyBuckets));
}

uint64_t BucketLatency(size_t bucket) {
  return bucket < kFineLatencyUs ? bucket : kFineLatencyUs + (bucket - kFineLatencyUs) * 1000;
}

// The decimal number at the start of `text`, which then starts after it.
uint64_t TakeNumber(std::string_view& text) {
  uint64_t value = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  text.remove_prefix(i);
  return value;
}

}  // namespace

LoadRun::LoadRun(const LoadOptions& options, Output& output)
    : options_(options),
      output_(output),
      players_(static_cast<size_t>(options.players)),
      sent_at_(kSendTimes),
      latency_us_(kLatencyBuckets + 1) {}

void LoadRun::Send(int player, std::string_view command, std::string_view data) {
  output_.Send(player, protocol::Frame(command, data));
}

void LoadRun::Fail(const std::string& why) {
  if (failure_.empty()) failure_ = why;
}

void LoadRun::OnConnected(int player, int64_t) {
  players_[static_cast<size_t>(player)].stage = Stage::kHello;
  // A host of many rooms hands the connection to the room it names before the greeting.
  if (!options_.code.empty()) Send(player, to_server::ROOM, options_.code);
  Send(player, to_server::SCRAWLBOX_CL13NT,
       protocol::ClientVersionText(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor,
                                   scrawlbox::kVersionRevision));
}

void LoadRun::OnData(int player, std::string_view bytes, int64_t now_ns) {
  Player& p = players_[static_cast<size_t>(player)];
  // Messages are cut straight from what was read; only an unterminated tail is kept.
  std::string joined;
  if (!p.partial.empty()) {
    joined = std::move(p.partial);
    joined.append(bytes);
    bytes = joined;
    p.partial.clear();
  }
  size_t start = 0;
  while (const void* end =
             std::memchr(bytes.data() + start, protocol::kMessageEnd, bytes.size() - start)) {
    const size_t length = static_cast<size_t>(static_cast<const char*>(end) - bytes.data()) - start;
    const std::string_view message = bytes.substr(start, length);
    start += length + 1;
    const size_t sep = message.find(protocol::kCommandSep);
    Handle(player, message.substr(0, sep),
           sep == std::string_view::npos ? std::string_view() : message.substr(sep + 1), now_ns);
  }
  if (bytes.size() - start > protocol::ReceiveBuffer::kMaxMessageLength) {
    Fail("the room sent a message longer than any it may send");
    return;
  }
  players_[static_cast<size_t>(player)].partial.assign(bytes.substr(start));
}

void LoadRun::Handle(int player, std::string_view command, std::string_view data, int64_t now_ns) {
  Player& p = players_[static_cast<size_t>(player)];
  if (command == protocol::DrawCodeWord(protocol::DrawCode::FH)) {
    OnStroke(p, player == 0, data, now_ns);
  } else if (command == to_client::SAY) {
    ++chat_received_;
  } else if (command == to_client::NOTICE && p.stage != Stage::kReady) {
    // A room that turns a player away says why before it closes.
    last_notice_ = std::string(data);
  } else if (command == to_client::PING) {
    Send(player, to_server::PONG, protocol::kNoData);
  } else if (command == to_client::SCRAWLBOX_S3RV3R && p.stage == Stage::kHello) {
    p.stage = Stage::kProfile;
    Send(player, to_server::USER,
         protocol::JoinFields(
             {options_.nickname_prefix + std::to_string(player), "0", "0", "-", "-", "-", "-"}));
  } else if (command == to_client::USEROK && p.stage == Stage::kProfile) {
    p.stage = Stage::kPassword;
    p.id = static_cast<int64_t>(TakeNumber(data));
    Send(player, to_server::PASS, "<none>");
  } else if (command == to_client::PASSOK && p.stage == Stage::kPassword) {
    p.stage = Stage::kUserList;
    Send(player, to_server::ULISTREQ, protocol::kNoData);
  } else if (command == to_client::ULISTEND && p.stage == Stage::kUserList) {
    p.stage = Stage::kReady;
    ++logged_in_;
    last_login_ns_ = now_ns;
  } else if (command == to_client::OLDVERSION) {
    Fail("the room runs a newer version and refused this one");
  } else if (command == to_client::BANNED) {
    Fail("this address is banned from the room");
  } else if (command == to_client::BADPASS) {
    Fail("the room needs a password");
  }
}

void LoadRun::OnStroke(Player& viewer, bool is_artist, std::string_view data, int64_t now_ns) {
  const uint64_t artist = TakeNumber(data);
  if (data.empty() || data.front() != protocol::kFieldSep) {
    ++out_of_order_;
    return;
  }
  data.remove_prefix(1);
  // Strokes of the room's picture from before the run, or of a real player drawing too.
  if (static_cast<int64_t>(artist) != players_[0].id) return;
  const uint64_t stroke = TakeNumber(data);
  std::string_view rest = data;
  for (int field = 0; field < 3 && !rest.empty(); ++field) {
    rest.remove_prefix(1);
    TakeNumber(rest);
  }
  if (rest.empty() || rest.front() != protocol::kFieldSep) return;
  rest.remove_prefix(1);
  if (TakeNumber(rest) != static_cast<uint64_t>(options_.run_tag)) return;
  if (is_artist) {
    ++out_of_order_;  // the room echoed the artist's own stroke
    return;
  }
  if (stroke >= sent_ || stroke != viewer.next_stroke) {
    ++out_of_order_;  // never drawn, lost, repeated or reordered
  }
  if (stroke < sent_ && sent_ - stroke <= kSendTimes) {
    const int64_t waited = std::max<int64_t>(0, now_ns - sent_at_[stroke % kSendTimes]);
    const uint64_t us = static_cast<uint64_t>(waited) / 1000;
    ++latency_us_[LatencyBucket(us)];
    max_latency_us_ = std::max(max_latency_us_, us);
  }
  viewer.next_stroke = stroke + 1;
  ++delivered_;
  last_arrival_ns_ = now_ns;
}

void LoadRun::OnClosed(int player) {
  Player& p = players_[static_cast<size_t>(player)];
  if (p.stage == Stage::kClosed) return;
  if (p.stage != Stage::kReady && p.stage != Stage::kConnecting) {
    Fail(last_notice_.empty()
             ? "the room closed a connection during the login"
             : "the room closed a connection during the login: \"" + last_notice_ + "\"");
  }
  p.stage = Stage::kClosed;
  ++closed_;
}

void LoadRun::Draw(uint64_t count, int64_t now_ns) {
  if (count == 0 || players_[0].stage != Stage::kReady) return;
  if (sent_ == 0) first_send_ns_ = now_ns;
  std::string bytes;
  bytes.reserve(count * 32);
  const std::string_view word = protocol::DrawCodeWord(protocol::DrawCode::FH);
  for (uint64_t i = 0; i < count; ++i) {
    // The stroke's number rides in its first coordinate and the run's tag after its last
    // (relays pass fields on as they are); the line itself wanders over the pad.
    const uint64_t n = sent_ + i;
    const std::string data =
        std::to_string(n) + protocol::kFieldSep + std::to_string(20 + n % 280) +
        protocol::kFieldSep + std::to_string(n + 1) + protocol::kFieldSep +
        std::to_string(21 + n % 280) + protocol::kFieldSep + std::to_string(options_.run_tag);
    bytes += protocol::Frame(word, data);
    sent_at_[n % kSendTimes] = now_ns;
  }
  sent_ += count;
  output_.Send(0, bytes);
}

uint64_t LoadRun::DrawAllowance() const {
  uint64_t slowest = sent_;
  for (size_t i = 1; i < players_.size(); ++i) {
    if (players_[i].stage == Stage::kReady) slowest = std::min(slowest, players_[i].next_stroke);
  }
  const uint64_t ahead = sent_ - slowest;
  const auto window = static_cast<uint64_t>(options_.window);
  return ahead >= window ? 0 : window - ahead;
}

void LoadRun::Chat() {
  const int viewers = players() - 1;
  const int chatters = options_.chatters < 0 ? viewers : options_.chatters;
  if (chatters <= 0) return;
  const int player = 1 + next_chatter_ % chatters;
  next_chatter_ = (next_chatter_ + 1) % chatters;
  if (players_[static_cast<size_t>(player)].stage != Stage::kReady) return;
  Send(player, to_server::SAY, "chat line " + std::to_string(chat_sent_));
  ++chat_sent_;
}

bool LoadRun::AllDelivered() const {
  for (size_t i = 1; i < players_.size(); ++i) {
    if (players_[i].stage == Stage::kReady && players_[i].next_stroke < sent_) return false;
  }
  return true;
}

uint64_t LoadRun::Percentile(double fraction) const {
  uint64_t total = 0;
  for (const uint64_t count : latency_us_) total += count;
  if (total == 0) return 0;
  const auto wanted = static_cast<uint64_t>(fraction * static_cast<double>(total - 1)) + 1;
  uint64_t seen = 0;
  for (size_t bucket = 0; bucket < latency_us_.size(); ++bucket) {
    seen += latency_us_[bucket];
    if (seen >= wanted) {
      return bucket == kLatencyBuckets ? max_latency_us_
                                       : std::min(BucketLatency(bucket), max_latency_us_);
    }
  }
  return max_latency_us_;
}

LoadReport LoadRun::Report(int64_t login_start_ns) const {
  LoadReport r;
  r.players = players();
  r.burst = options_.burst;
  r.rate = options_.rate;
  r.seconds = options_.seconds;
  r.logged_in = logged_in_;
  r.login_ms = logged_in_ > 0 ? static_cast<double>(last_login_ns_ - login_start_ns) / 1e6 : 0;
  r.sent = sent_;
  r.delivered = delivered_;
  r.expected = sent_ * static_cast<uint64_t>(players() - 1);
  r.lost = r.expected > delivered_ ? r.expected - delivered_ : 0;
  r.out_of_order = out_of_order_;
  r.closed = closed_;
  if (last_arrival_ns_ > first_send_ns_) {
    r.per_second = static_cast<double>(delivered_) * 1e9 /
                   static_cast<double>(last_arrival_ns_ - first_send_ns_);
  }
  r.p50_us = Percentile(0.50);
  r.p90_us = Percentile(0.90);
  r.p99_us = Percentile(0.99);
  r.max_us = max_latency_us_;
  r.chat_sent = chat_sent_;
  r.chat_received = chat_received_;
  return r;
}

namespace {

std::string Milliseconds(uint64_t us) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f ms", static_cast<double>(us) / 1000.0);
  return text;
}

}  // namespace

std::string ReportText(const LoadReport& r) {
  char text[1024];
  const std::string drawing =
      r.burst ? std::string("as fast as the room relays")
              : std::to_string(static_cast<int64_t>(r.rate)) + " strokes a second";
  std::snprintf(text, sizeof text,
                "%d players, one drawing %s for %g s\n"
                "Logins: %d of %d in %.1f ms\n"
                "Relayed: %" PRIu64 " of %" PRIu64
                " strokes to the viewers, %.0f a second\n"
                "Latency, artist to viewer: p50 %s, p90 %s, p99 %s, max %s\n"
                "Lost: %" PRIu64 ", out of order: %" PRIu64
                ", connections closed by the room: %" PRIu64 "\n",
                r.players, drawing.c_str(), r.seconds, r.logged_in, r.players, r.login_ms,
                r.delivered, r.expected, r.per_second, Milliseconds(r.p50_us).c_str(),
                Milliseconds(r.p90_us).c_str(), Milliseconds(r.p99_us).c_str(),
                Milliseconds(r.max_us).c_str(), r.lost, r.out_of_order, r.closed);
  std::string out = text;
  if (r.chat_sent > 0) {
    out += "Chat: " + std::to_string(r.chat_sent) + " lines said, " +
           std::to_string(r.chat_received) + " received\n";
  }
  return out;
}

std::string ReportJson(const LoadReport& r) {
  char text[1024];
  std::snprintf(
      text, sizeof text,
      "{\"players\": %d, \"mode\": \"%s\", \"rate\": %g, \"seconds\": %g, \"logged_in\": %d, "
      "\"login_ms\": %.1f, \"sent\": %" PRIu64 ", \"delivered\": %" PRIu64
      ", \"expected\": %" PRIu64 ", \"lost\": %" PRIu64 ", \"out_of_order\": %" PRIu64
      ", \"closed\": %" PRIu64 ", \"per_second\": %.0f, \"p50_us\": %" PRIu64
      ", \"p90_us\": %" PRIu64 ", \"p99_us\": %" PRIu64 ", \"max_us\": %" PRIu64
      ", \"chat_sent\": %" PRIu64 ", \"chat_received\": %" PRIu64 "}\n",
      r.players, r.burst ? "burst" : "rate", r.burst ? 0.0 : r.rate, r.seconds, r.logged_in,
      r.login_ms, r.sent, r.delivered, r.expected, r.lost, r.out_of_order, r.closed, r.per_second,
      r.p50_us, r.p90_us, r.p99_us, r.max_us, r.chat_sent, r.chat_received);
  return text;
}

}  // namespace loadtest
