// SPDX-License-Identifier: MIT
#include "common/http/peer_limits.h"

namespace http {

PeerLimits::Admission PeerLimits::Admit(uint64_t id, const std::string& address, bool exempt) {
  const auto same = per_address_open_.find(address);
  if (per_address_ != 0 && !exempt && same != per_address_open_.end() &&
      same->second >= per_address_) {
    return {Verdict::kAddressFull, std::nullopt};
  }
  std::optional<uint64_t> evicted;
  if (open_.size() >= total_) {
    if (reading_.empty()) return {Verdict::kFull, std::nullopt};
    evicted = *reading_.begin();
    Forget(open_.find(*evicted));
  }
  open_.emplace(id, address);
  reading_.insert(id);
  ++per_address_open_[address];
  return {Verdict::kAdmitted, evicted};
}

void PeerLimits::HeadRead(uint64_t id) {
  reading_.erase(id);
}

void PeerLimits::Closed(uint64_t id) {
  const auto connection = open_.find(id);
  if (connection != open_.end()) Forget(connection);
}

void PeerLimits::Forget(std::map<uint64_t, std::string>::iterator connection) {
  reading_.erase(connection->first);
  const auto count = per_address_open_.find(connection->second);
  if (--count->second == 0) per_address_open_.erase(count);
  open_.erase(connection);
}

}  // namespace http
