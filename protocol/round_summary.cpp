// SPDX-License-Identifier: MIT
#include "protocol/round_summary.h"

#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"

namespace protocol {

namespace {

std::string Signed(int32_t points) {
  return (points < 0 ? "" : "+") + NumberText(points);
}

}  // namespace

std::string SummaryData(const RoundSummary& summary) {
  std::vector<std::string> fields = {summary.word, NumberText(summary.artist_id),
                                     NumberText(summary.artist_points)};
  for (const RoundSummary::Finder& finder : summary.finders) {
    fields.push_back(NumberText(finder.id));
    fields.push_back(NumberText(finder.points));
  }
  return JoinFields(fields);
}

RoundSummary ParseSummary(std::string_view data) {
  const std::vector<std::string> fields = SplitFields(data);
  RoundSummary summary{
      FieldOr(fields, 0), LeadingInt32(FieldOr(fields, 1)), LeadingInt32(FieldOr(fields, 2)), {}};
  for (size_t i = 3; i + 1 < fields.size() && summary.finders.size() < kMaxSummaryFinders; i += 2) {
    summary.finders.push_back({LeadingInt32(fields[i]), LeadingInt32(fields[i + 1])});
  }
  return summary;
}

std::string SummaryText(const RoundSummary& summary,
                        const std::function<std::string(int32_t id)>& name_of) {
  const bool artist =
      summary.artist_id != 0 && (!summary.finders.empty() || summary.artist_points != 0);
  const std::string artist_name = artist ? name_of(summary.artist_id) : "";
  const std::string artist_points = Signed(summary.artist_points);
  if (summary.finders.empty()) {
    return artist ? RoomText("Nobody found %1; %2 drew (%3).",
                             {summary.word, artist_name, artist_points})
                  : RoomText("Nobody found %1.", {summary.word});
  }
  std::string finders;
  for (size_t i = 0; i < summary.finders.size(); ++i) {
    const RoundSummary::Finder& finder = summary.finders[i];
    finders += (i > 0 ? ", " : "") + name_of(finder.id) + " (" + Signed(finder.points) + ")";
  }
  return artist ? RoomText("The word was %1. Found by %2; %3 drew (%4).",
                           {summary.word, finders, artist_name, artist_points})
                : RoomText("The word was %1. Found by %2.", {summary.word, finders});
}

}  // namespace protocol
