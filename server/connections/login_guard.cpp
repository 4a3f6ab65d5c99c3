// SPDX-License-Identifier: MIT
#include "server/connections/login_guard.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "protocol/numbers.h"

namespace server {

namespace {

// The groups of an IPv6 address in its text form, "::" filled in; empty when it is none.
std::vector<std::string> Ipv6Groups(const std::string& address) {
  auto split = [](const std::string& text) {
    std::vector<std::string> groups;
    if (text.empty()) return groups;
    size_t start = 0;
    for (;;) {
      const size_t colon = text.find(':', start);
      groups.push_back(text.substr(start, colon - start));
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
    return groups;
  };
  const size_t gap = address.find("::");
  std::vector<std::string> head = split(address.substr(0, gap));
  if (gap != std::string::npos) {
    const std::vector<std::string> tail = split(address.substr(gap + 2));
    if (head.size() + tail.size() > 7) return {};
    head.resize(8 - tail.size(), "0");
    head.insert(head.end(), tail.begin(), tail.end());
  }
  // An IPv4 tail ("::ffff:1.2.3.4") stands for two groups, beyond the /64 anyway.
  if (!head.empty() && head.back().find('.') != std::string::npos) head.emplace_back("0");
  if (head.size() != 8) return {};
  for (std::string& group : head) {
    if (group.empty() || group.size() > 4) return {};
    group.erase(0, std::min(group.find_first_not_of('0'), group.size() - 1));
    // Hexadecimal digits of an address, not text: no Windows-1252 rule, only A-F ever fold.
    std::transform(group.begin(), group.end(), group.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  }
  return head;
}

}  // namespace

std::string NetworkOf(const std::string& address) {
  const std::string bare = address.substr(0, address.find('%'));  // without an IPv6 zone
  if (bare.find(':') == std::string::npos) {
    const size_t last_dot = bare.rfind('.');
    if (last_dot == std::string::npos || std::count(bare.begin(), bare.end(), '.') != 3) {
      return address;
    }
    return bare.substr(0, last_dot) + ".0/24";
  }
  const std::vector<std::string> groups = Ipv6Groups(bare);
  if (groups.empty()) return address;
  return groups[0] + ":" + groups[1] + ":" + groups[2] + ":" + groups[3] + "::/64";
}

// --- Refused attempts ---------------------------------------------------------------------------

RefusalLog::RefusalLog(scrawlbox::Scheduler& scheduler,
                       std::function<void(const std::string&)> write)
    : scheduler_(scheduler),
      write_(std::move(write)),
      timer_(scheduler.CreateTimer([this] { OnTimer(); })) {}

void RefusalLog::Note(const std::string& address, const std::string& reason,
                      const std::string& line) {
  Key key{address, reason};
  auto it = entries_.find(key);
  if (it == entries_.end() && entries_.size() >= kMaxAddresses) {
    key.first.clear();
    it = entries_.find(key);
  }
  if (it != entries_.end()) {
    ++it->second.more;
    return;
  }
  entries_.emplace(std::move(key), Entry{scheduler_.NowMs() + kIntervalMs, 0});
  write_(line);
  if (!timer_->IsActive()) Arm();
}

bool RefusalLog::Recent(const std::string& address) const {
  const auto it = entries_.lower_bound(Key{address, ""});
  return it != entries_.end() && it->first.first == address;
}

void RefusalLog::OnTimer() {
  const int64_t now = scheduler_.NowMs();
  for (auto it = entries_.begin(); it != entries_.end();) {
    Entry& entry = it->second;
    if (entry.minute_ends_ms > now) {
      ++it;
      continue;
    }
    if (entry.more == 0) {
      it = entries_.erase(it);
      continue;
    }
    const auto& [address, reason] = it->first;
    write_(protocol::NumberText(static_cast<double>(entry.more)) +
           (entry.more == 1 ? " more attempt" : " more attempts") +
           (address.empty() ? "" : " from " + address) + (entry.more == 1 ? " was" : " were") +
           " refused in the last minute (" + reason + ").");
    // The summary is this minute's line: what comes next is counted for the next one.
    entry.more = 0;
    entry.minute_ends_ms = now + kIntervalMs;
    ++it;
  }
  Arm();
}

void RefusalLog::Arm() {
  if (entries_.empty()) {
    timer_->Stop();
    return;
  }
  int64_t first = entries_.begin()->second.minute_ends_ms;
  for (const auto& [key, entry] : entries_) first = std::min(first, entry.minute_ends_ms);
  // At most a pass a second over the table, however many minutes end apart.
  constexpr int64_t kMinPassMs = 1000;
  const int64_t delay = std::max(first - scheduler_.NowMs(), kMinPassMs);
  timer_->Start(static_cast<int>(std::min<int64_t>(delay, kIntervalMs)));
}

// --- Wrong passwords -----------------------------------------------------------------------------

PasswordLockout::Failures* PasswordLockout::Table::Find(const std::string& key, int64_t now_ms,
                                                        int64_t keep_ms) {
  if (entries.size() >= prune_at &&
      (entries.size() < kMaxAddresses || now_ms - pruned_ms >= 1000)) {
    std::erase_if(entries, [&](const auto& entry) {
      const Failures& f = entry.second;
      return f.locked_until_ms <= now_ms && (f.times.empty() || now_ms - f.times.back() >= keep_ms);
    });
    prune_at = std::min(std::max<size_t>(1024, 2 * entries.size()), kMaxAddresses);
    pruned_ms = now_ms;
  }
  const auto it = entries.find(key);
  if (it != entries.end()) return &it->second;
  if (entries.size() >= kMaxAddresses) return nullptr;
  return &entries[key];
}

bool PasswordLockout::Locked(const std::string& address, int64_t now_ms) const {
  const auto locked = [&](const std::map<std::string, Failures>& table, const std::string& key) {
    const auto it = table.find(key);
    return it != table.end() && it->second.locked_until_ms > now_ms;
  };
  return locked(addresses_.entries, address) || locked(networks_.entries, NetworkOf(address));
}

PasswordLockout::Lock PasswordLockout::Fail(const std::string& address, int64_t now_ms) {
  Failures* network = networks_.Find(NetworkOf(address), now_ms, kNetworkWindowMs);
  Failures* failures = addresses_.Find(address, now_ms, kLockMs);
  if (!failures) {
    return network && LockNetwork(*network, address, now_ms) ? Lock::kNetwork : Lock::kNone;
  }
  while (!failures->times.empty() && now_ms - failures->times.front() >= kLockMs) {
    failures->times.pop_front();
  }
  failures->times.push_back(now_ms);
  if (failures->times.size() < kMaxFailures) return Lock::kNone;
  failures->times.clear();
  failures->locked_until_ms = now_ms + kLockMs;
  return network && LockNetwork(*network, address, now_ms) ? Lock::kNetwork : Lock::kAddress;
}

bool PasswordLockout::LockNetwork(Failures& network, const std::string& address, int64_t now_ms) {
  while (!network.times.empty() && now_ms - network.times.front() >= kNetworkWindowMs) {
    network.times.pop_front();
    network.locked_addresses.pop_front();
  }
  // One address locked again and again is that address's matter, not its neighbours'.
  const auto& locked = network.locked_addresses;
  if (std::find(locked.begin(), locked.end(), address) == locked.end()) {
    network.times.push_back(now_ms);
    network.locked_addresses.push_back(address);
  }
  if (network.times.size() < kLockoutsToLockNetwork) return false;
  network.locked_until_ms = now_ms + kNetworkLockMs;
  return true;
}

}  // namespace server
