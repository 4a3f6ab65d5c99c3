// SPDX-License-Identifier: MIT
#pragma once

#include "tracker/prober.h"

namespace tracker {

// Probes over TCP with Qt's sockets on the program's one thread.
class TcpProbeConnector : public ProbeConnector {
 public:
  std::unique_ptr<ProbeAttempt> Start(const ProbeTarget& room,
                                      std::function<void(bool alive)> done) override;
};

}  // namespace tracker
