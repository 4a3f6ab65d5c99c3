// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <functional>
#include <string>
#include <vector>

#include "directory/tracker.h"
#include "tests/integration/child_process.h"

namespace testing_support {

// The tracker's command-line settings for a test.
struct TrackerOptions {
  // Long enough that no probe comes during a test that does not wait for one.
  int probe_seconds = 600;
  int request_seconds = 10;
  // --database: empty for the default SQLite file in the Data folder.
  std::string database = {};
  // --instance: empty for the default name.
  std::string instance = {};
};

// scrawlbox-tracker on a free port.
class TrackerProcess : public ChildProcess {
 public:
  static constexpr char kPath[] = "/misc/scrawlbox/tracker.php";

  explicit TrackerProcess(TrackerOptions options = {});

  bool Start();
  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url(const std::string& path = kPath) const;

 private:
  TrackerOptions options_;
};

// One GET through the programs' own HTTP getter, waited for in a local event loop.
// sent, when given, is told whether the request reached the host and went out.
directory::HttpResult Fetch(const std::string& url, int timeout_ms = directory::kRequestTimeoutMs,
                            bool* sent = nullptr);
// The tracker's reply body to a query (through Fetch); empty when the request failed.
std::string Ask(const TrackerProcess& tracker, const std::string& query);
// Sends the bytes on a fresh connection (from the source address, when given) and returns all
// that comes back until the tracker closes it (or the time runs out).
QByteArray RawExchange(quint16 port, const QByteArray& request, int timeout_ms = 5000,
                       const char* source = nullptr);
// An ADD for a room at 127.0.0.1, named after its key unless a name is given; extra ends it.
std::string AddQuery(const std::string& key, int port, const std::string& name = "",
                     const std::string& extra = "&ISPUBLIC=False");
// The names of the rooms VIEW lists, without the browser's row for none.
std::vector<std::string> RoomNames(const TrackerProcess& tracker,
                                   const std::string& query = "ACTION=VIEW");
// Lets events run until the condition holds or the time runs out; whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 10000);

}  // namespace testing_support
