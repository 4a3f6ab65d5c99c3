// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "common/scheduling.h"

namespace server {

// The network an address belongs to for the password lock-out: "a.b.c.0/24" for IPv4,
// the first four groups and "::/64" for IPv6; a text that is neither is its own network.
std::string NetworkOf(const std::string& address);

// Refused attempts (banned, wrong passwords, connection limits, floods) are logged at most once
// a minute per address and reason: the first at once, then how many more came in that minute,
// so that a peer retrying thousands of times a second writes a line a minute.
class RefusalLog {
 public:
  static constexpr int64_t kIntervalMs = 60000;
  // Addresses counted at once; attempts from further ones are counted together.
  static constexpr size_t kMaxAddresses = 4096;

  RefusalLog(scrawlbox::Scheduler& scheduler, std::function<void(const std::string&)> write);
  RefusalLog(const RefusalLog&) = delete;
  RefusalLog& operator=(const RefusalLog&) = delete;

  // An attempt from the address (empty: none in particular) was refused for the reason; the
  // line is written when it is the first of this minute.
  void Note(const std::string& address, const std::string& reason, const std::string& line);
  // Whether an attempt from the address was refused within the last minute or so.
  bool Recent(const std::string& address) const;

 private:
  struct Entry {
    int64_t minute_ends_ms = 0;
    uint64_t more = 0;  // attempts since the last line
  };
  using Key = std::pair<std::string, std::string>;  // address, reason
  void OnTimer();
  void Arm();

  scrawlbox::Scheduler& scheduler_;
  std::function<void(const std::string&)> write_;
  std::map<Key, Entry> entries_;
  std::unique_ptr<scrawlbox::Timer> timer_;
};

// Wrong passwords: an address that guesses too often is refused for a while without its
// guesses being compared, and so is its whole network once several of its addresses were.
class PasswordLockout {
 public:
  static constexpr size_t kMaxFailures = 5;  // within kLockMs lock the address
  static constexpr int64_t kLockMs = 60000;
  // Addresses of one network locked within kNetworkWindowMs that lock the network, for as
  // long: guesses spread over many addresses get a few each before any of them is locked.
  static constexpr size_t kLockoutsToLockNetwork = 3;
  static constexpr int64_t kNetworkWindowMs = 600000;
  static constexpr int64_t kNetworkLockMs = kNetworkWindowMs;
  // Addresses (and networks) followed at once; past them a wrong password from a new address
  // counts as a lock-out of its network.
  static constexpr size_t kMaxAddresses = 65536;

  // Whether guesses from the address are refused now without comparing.
  bool Locked(const std::string& address, int64_t now_ms) const;
  enum class Lock { kNone, kAddress, kNetwork };
  // Counts a wrong password from the address, and says what it locked.
  Lock Fail(const std::string& address, int64_t now_ms);

 private:
  struct Failures {
    std::deque<int64_t> times;  // wrong passwords of an address, lock-outs in a network
    std::deque<std::string> locked_addresses;  // of a network, with its times
    int64_t locked_until_ms = 0;
  };
  struct Table {
    std::map<std::string, Failures> entries;
    size_t prune_at = 1024;
    int64_t pruned_ms = 0;
    // Drops what is over once the table has doubled since it was last cleaned (a full one at
    // most once a second), so that cleaning costs each failure a constant share. Then the
    // entry of the key, or nullptr when the table is full.
    Failures* Find(const std::string& key, int64_t now_ms, int64_t keep_ms);
  };
  // Counts a lock-out in the network; true when that locks the network.
  static bool LockNetwork(Failures& network, const std::string& address, int64_t now_ms);

  Table addresses_;
  Table networks_;
};

}  // namespace server
