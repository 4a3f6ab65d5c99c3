// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

namespace server {

// A token bucket: up to `burst` messages at once, then `rate` a second. A limit of 0 in either
// lets everything through (operators of special rooms and load tests turn limits off).
class TokenBucket {
 public:
  // True when a message may pass now; it then takes one token.
  bool Take(int64_t now_ms, double burst, double rate) {
    if (burst <= 0 || rate <= 0) return true;
    if (!started_) {
      tokens_ = burst;
      started_ = true;
    } else if (now_ms > last_ms_) {
      tokens_ = std::min(burst, tokens_ + static_cast<double>(now_ms - last_ms_) * rate / 1000.0);
    }
    last_ms_ = std::max(last_ms_, now_ms);
    if (tokens_ < 1) return false;
    tokens_ -= 1;
    return true;
  }

 private:
  double tokens_ = 0;
  int64_t last_ms_ = 0;
  bool started_ = false;
};

}  // namespace server
