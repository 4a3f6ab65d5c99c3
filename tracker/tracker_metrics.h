// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "tracker/prober.h"
#include "tracker/room_store.h"
#include "tracker/tracker_service.h"

namespace tracker {

// The tracker's metrics in the Prometheus text format: the rooms as the store counts them now,
// and this instance's requests, refusals and probes since it started.
std::string TrackerMetricsText(const TrackerService::Counters& requests,
                               const Prober::Counters& probes, size_t probes_in_flight,
                               const RoomStore::Counts& rooms);

}  // namespace tracker
