// SPDX-License-Identifier: MIT
#include "tracker/tracker_metrics.h"

#include "common/metrics/exposition.h"
#include "common/version.h"

namespace tracker {

std::string TrackerMetricsText(const TrackerService::Counters& requests,
                               const Prober::Counters& probes, size_t probes_in_flight,
                               const RoomStore::Counts& rooms) {
  metrics::Exposition out;
  out.Gauge("scrawlbox_tracker_rooms", "Registered rooms, by whether VIEW lists them.");
  out.Sample(static_cast<double>(rooms.listed), {{"visibility", "listed"}});
  out.Sample(static_cast<double>(rooms.private_rooms), {{"visibility", "private"}});

  out.Counter("scrawlbox_tracker_requests_total",
              "Requests to the tracker's path, by action and by the status of the answer.");
  // The answers each action gives in the normal course are shown from the start, at zero; the
  // others once they happen.
  const auto usual = [](RequestAction action, RequestAnswer answer) {
    switch (action) {
      case RequestAction::kAdd:
        return answer == RequestAnswer::kSubmitOk || answer == RequestAnswer::kUpdateOk;
      case RequestAction::kRemove:
        return answer == RequestAnswer::kRemoveOk;
      case RequestAction::kView:
        return answer == RequestAnswer::kRooms;
      case RequestAction::kOther:
        break;
    }
    return false;
  };
  for (size_t action = 0; action < kRequestActions; ++action) {
    for (size_t answer = 0; answer < kRequestAnswers; ++answer) {
      const uint64_t count = requests.requests[action][answer];
      const auto a = static_cast<RequestAction>(action);
      const auto b = static_cast<RequestAnswer>(answer);
      if (count == 0 && !usual(a, b)) continue;
      out.Sample(static_cast<double>(count),
                 {{"action", ActionName(a)}, {"answer", AnswerName(b)}});
    }
  }
  out.Counter("scrawlbox_tracker_refusals_total", "Requests refused, by reason.");
  for (size_t i = 0; i < kRefusals; ++i) {
    out.Sample(static_cast<double>(requests.refusals[i]),
               {{"reason", RefusalName(static_cast<Refusal>(i))}});
  }

  out.Counter("scrawlbox_tracker_probes_total", "Probes of registered rooms, by result.");
  out.Sample(static_cast<double>(probes.alive), {{"result", "alive"}});
  out.Sample(static_cast<double>(probes.failed), {{"result", "failed"}});
  out.Sample(static_cast<double>(probes.timed_out), {{"result", "timed_out"}});
  out.Gauge("scrawlbox_tracker_probes_in_flight", "Probes waiting for their answer.");
  out.Sample(static_cast<double>(probes_in_flight));
  out.Counter("scrawlbox_tracker_rooms_dropped_total",
              "Rooms dropped after failing three probes in a row.");
  out.Sample(static_cast<double>(probes.dropped));

  out.Gauge("scrawlbox_tracker_build_info", "Always 1; the version of the tracker.");
  out.Sample(1, {{"version", scrawlbox::kVersionText}});
  return out.Take();
}

}  // namespace tracker
