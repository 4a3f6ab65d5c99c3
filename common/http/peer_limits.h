// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

namespace http {

// Who may hold one of a listener's connections: at most per_address from one address (0: no
// such bound) and total in all. When all are taken, the oldest connection still sending its head
// makes way for the newcomer, so slow heads can delay a real request but never shut it out.
class PeerLimits {
 public:
  PeerLimits(size_t total, size_t per_address) : total_(total), per_address_(per_address) {}

  enum class Verdict { kAdmitted, kAddressFull, kFull };
  struct Admission {
    Verdict verdict;
    // Admitted in its place: the connection to close now (it no longer counts).
    std::optional<uint64_t> evicted;
  };
  // A new connection, by an id never used before and larger than the ones before it. A proxy
  // speaking for many clients is exempt from the bound per address, not from the total.
  Admission Admit(uint64_t id, const std::string& address, bool exempt = false);
  // Its head is read: it is answered now and makes way for nobody.
  void HeadRead(uint64_t id);
  // It is gone; an id not admitted or already evicted is ignored.
  void Closed(uint64_t id);

  size_t open() const { return open_.size(); }

 private:
  void Forget(std::map<uint64_t, std::string>::iterator connection);

  size_t total_;
  size_t per_address_;
  std::map<uint64_t, std::string> open_;  // id → address
  std::set<uint64_t> reading_;            // ids still sending their head, oldest first
  std::unordered_map<std::string, size_t> per_address_open_;
};

}  // namespace http
