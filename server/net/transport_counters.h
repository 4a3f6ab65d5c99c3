// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace server {

// What crossed one transport, for the metrics.
struct TransportCounters {
  uint64_t accepted = 0;  // connections that became the room's
  uint64_t received_bytes = 0;
  uint64_t sent_bytes = 0;
};

}  // namespace server
