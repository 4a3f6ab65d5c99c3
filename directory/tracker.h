// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What both programs send to the room directory (the tracker) and the update host, and how they
// read the answers.
namespace directory {

inline constexpr char kDirectorySection[] = "Directory";
inline constexpr char kDefaultTrackerUrl[] = "http://localhost:2080/misc/scrawlbox/tracker.php";
inline constexpr char kDefaultUpdateUrl[] = "http://localhost:2080/version/";
// The longest fields a room may register, the same as the server's own details dialog allows.
inline constexpr size_t kMaxRoomName = 20;
inline constexpr size_t kMaxDescription = 128;
inline constexpr size_t kMaxAdminName = 64;
inline constexpr size_t kMaxAdminEmail = 128;
inline constexpr size_t kMaxAddress = 255;
inline constexpr size_t kMaxRegistrationKey = 256;
inline constexpr size_t kMaxVersionText = 32;
// A registration's secret is hex digits, this many at most.
inline constexpr size_t kMaxSecret = 64;

// An HTTP request gives up after this long.
inline constexpr int kRequestTimeoutMs = 15000;
// Larger answers are cut off: no reply of the tracker or the update host needs more.
inline constexpr size_t kMaxReplyBytes = 1 << 20;

// The percent-encoding of free-text values in tracker queries: 34 replacements applied one after
// another, "%" first so that nothing is encoded twice, "|" as "%A6". Every other byte passes.
std::string URLEncode(std::string_view text);

// The answer to one GET: the body (transfer encoding already undone) or what went wrong.
struct HttpResult {
  bool ok = false;
  int error = 0;
  std::string error_text;
  std::string body;
};

// One GET at a time per caller; the answer arrives later on the program's one thread.
class HttpGetter {
 public:
  virtual ~HttpGetter() = default;
  // user_agent is the whole header value. sent, when given, is called once the host is reached
  // and the request has gone out, before done; a request that never reaches it calls done only.
  virtual void Get(const std::string& url, const std::string& user_agent,
                   std::function<void(const HttpResult&)> done,
                   std::function<void()> sent = nullptr) = 0;
};

// The User-Agent both programs send: "Scrawlbox " + program + " v" + major "." minor
// " build#" + revision as four digits (program is "Server" or "Client").
std::string UserAgent(std::string_view program);

// The reply record of a tracker answer: the first line of the body.
std::string ReplyRecord(std::string_view body);

// The version number of a version text: major, minor as 2 digits, revision as 3 digits, read
// as a number (1.1.0 gives 101000).
int64_t VersionNumber(int major, int minor, int revision);
// The latest version a version file names: its leading number (0 when there is none).
int64_t LatestVersion(std::string_view body);
// A newer version is one strictly larger.
inline bool IsNewer(int64_t own, int64_t latest) {
  return own < latest;
}
// Whether the version file names a version newer than this build.
bool NamesNewerVersion(std::string_view version_file);

}  // namespace directory
