// SPDX-License-Identifier: MIT
// The tracker's answers to ADD, REMOVE and VIEW queries.
#include <QCoreApplication>
#include <algorithm>
#include <cctype>

#include "directory/tracker_words.h"
#include "tests/fuzz/fuzz_input.h"
#include "tracker/registry.h"
#include "tracker/tracker_service.h"

namespace fuzz {

namespace {

namespace key = directory::key;
namespace action = directory::action;

// The rooms' keys are "HOST:0" to "HOST:3", so that requests meet the same rooms.
constexpr size_t kRooms = 4;
// This instance's name in the probe leases, and the prober's default interval.
constexpr char kOwner[] = "fuzz";
constexpr int64_t kProbeIntervalMs = 60000;

std::string Encoded(std::string_view text, bool encode_all) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : text) {
    if (!encode_all && (std::isalnum(c) || c == '.' || c == '-'))
      out += static_cast<char>(c);
    else
      out += {'%', kHex[c >> 4], kHex[c & 15]};
  }
  return out;
}

// A value for a field: what a room sends, or anything.
std::string Value(std::string_view field, FuzzInput& in) {
  if (in.Flag()) return in.Text();
  if (field == key::ACTION) {
    static constexpr std::string_view kActions[] = {action::ADD, action::REMOVE, action::VIEW};
    return std::string(kActions[in.Pick(std::size(kActions))]);
  }
  if (field == key::KEY || field == key::OLDKEY) return "HOST:" + std::to_string(in.Pick(kRooms));
  if (field == key::PORT) return std::to_string(in.Number16());
  if (field == key::ISPUBLIC || field == key::LOCKED)
    return std::string(in.Flag() ? directory::kTrue : directory::kFalse);
  if (field == key::PLAYERS || field == key::MAX)
    return std::to_string(static_cast<int16_t>(in.Number16()));
  if (field == key::IP) return in.Flag() ? "" : "198.51.100." + std::to_string(in.Byte());
  // Two hosts' keys and two codes, so that one host's rooms meet its limits.
  if (field == key::HOST) return std::string(64, in.Flag() ? 'a' : 'b');
  if (field == key::CODE) return in.Flag() ? "k3mq8tz2wd" : "abc";
  if (field == key::FREE) return std::to_string(in.Number16());
  return std::to_string(in.Number32());
}

std::string Query(FuzzInput& in) {
  static constexpr std::string_view kFields[] = {key::ACTION,
                                                 key::KEY,
                                                 key::SERVERNAME,
                                                 key::DESC,
                                                 key::IP,
                                                 key::PORT,
                                                 key::SERVERVERSION,
                                                 key::ADMINNAME,
                                                 key::ADMINEMAIL,
                                                 key::ISPUBLIC,
                                                 key::TOTALCONNECTIONS,
                                                 key::TOTALGAMES,
                                                 key::TOTALROUNDS,
                                                 key::TOTALWORDS,
                                                 key::TOTALWORDLISTS,
                                                 key::PLAYERS,
                                                 key::LOCKED,
                                                 key::MAX,
                                                 key::SECRET,
                                                 key::OLDKEY,
                                                 key::CODE,
                                                 key::HOST,
                                                 key::FREE};
  std::string query = "ACTION=" + Value(key::ACTION, in);
  for (size_t count = in.Pick(16); count > 0; --count) {
    const std::string_view field = kFields[in.Pick(std::size(kFields))];
    const std::string value = Value(field, in);
    query += "&" + std::string(field) + "=" + Encoded(value, in.Flag());
  }
  return query;
}

// Every answer is whole CR LF lines: each CR and each LF is one of a CR LF pair, and one ends the
// answer. Gives the number of lines.
size_t CheckLines(const std::string& reply) {
  size_t lines = 0;
  for (size_t at = 0; (at = reply.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  FUZZ_CHECK(std::count(reply.begin(), reply.end(), '\r') +
                 std::count(reply.begin(), reply.end(), '\n') ==
             static_cast<ptrdiff_t>(2 * lines));
  FUZZ_CHECK(reply.empty() || reply.ends_with("\r\n"));
  return lines;
}

}  // namespace

int FuzzTrackerRequests(const uint8_t* data, size_t size) {
  // Qt's SQL drivers are plugins, found through the application object.
  static int argc = 1;
  static char name[] = "fuzz_tracker_requests";
  static char* argv[] = {name, nullptr};
  static const auto* app =
      QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
  (void)app;
  FuzzInput in(data, size);
  tracker::Registry registry;
  FUZZ_CHECK(registry.Open(QStringLiteral(":memory:")));
  int64_t now = 1000000;
  tracker::TrackerService service(registry, [&now] { return now; });
  static constexpr std::string_view kSources[] = {"192.0.2.1", "192.0.2.2", "2001:db8::1"};
  for (int steps = 0; steps < 64 && !in.empty(); ++steps) {
    const std::string source(kSources[in.Pick(std::size(kSources))]);
    const auto query = [&] { CheckLines(service.Handle(Query(in), source)); };
    Choose(
        in, [&] { CheckLines(service.Handle(in.LongText(2048), source)); },
        [&] { now += in.Number16() * 10; },
        [&] {  // a probe's verdict on a room, as the prober leases it; a room dropped is gone
          const std::string room = "HOST:" + std::to_string(in.Pick(kRooms));
          const bool alive = in.Flag();
          registry.ScheduleNew(now);
          for (const auto& target : registry.ClaimDue(now, kOwner, kProbeIntervalMs, kRooms))
            if (target.key == room &&
                registry.RecordProbe(room, kOwner, alive, now + kProbeIntervalMs))
              FUZZ_CHECK(!registry.Find(room));
          registry.ReleaseLeases(kOwner);
        },
        query, query);
  }
  // The list shows the public rooms, one line each.
  const size_t lines = CheckLines(service.Handle("ACTION=VIEW", "192.0.2.9"));
  const std::vector<tracker::Room> listed = registry.Listed(tracker::TrackerService::kMaxView);
  FUZZ_CHECK(lines == listed.size());
  for (const auto& room : listed) FUZZ_CHECK(!room.is_private);
  return 0;
}

}  // namespace fuzz
