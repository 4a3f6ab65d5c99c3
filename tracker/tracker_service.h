// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tracker/room_store.h"

namespace tracker {

// What the metrics count requests and refusals under.
enum class RequestAction : uint8_t { kAdd, kRemove, kView, kOther };
inline constexpr size_t kRequestActions = 4;
// The status word of the answer; kRooms for a VIEW's list.
enum class RequestAnswer : uint8_t {
  kSubmitOk,
  kUpdateOk,
  kRemoveOk,
  kNotFound,
  kFail,
  kError,
  kRooms
};
inline constexpr size_t kRequestAnswers = 7;
enum class Refusal : uint8_t {
  kRateLimit,     // too many ADDs from the address this minute
  kTooManyRooms,  // the address has as many rooms as it may
  kListFull,      // the whole list is full
  kBadField,      // a field missing, too long or no number
  kBadRequest,    // no query the tracker understands
  kNotYours,      // a change to a room without its secret, from another address
  kAddressFull,   // as many rooms point at the address as may
  kHostFull,      // the host of many rooms has as many rooms as it may
};
inline constexpr size_t kRefusals = 8;

std::string_view ActionName(RequestAction action);
std::string_view AnswerName(RequestAnswer answer);
std::string_view RefusalName(Refusal refusal);

// What the tracker's operator decides (Tracker.ini).
struct ServiceOptions {
  // A room may list an address other than the one its request comes from.
  bool any_address = false;
  // Rooms that may point at one address; 0 for no limit.
  int rooms_per_address = RoomStore::kMaxRoomsPerAddress;
  // Rooms one host of many rooms may list; 0 for no limit.
  int rooms_per_host = RoomStore::kMaxRoomsPerHost;
};

// The tracker's actions: ADD registers or updates a room, REMOVE takes it off, VIEW lists the
// public rooms. Every answer is text lines of "|"-separated key=value fields.
class TrackerService {
 public:
  // A query longer than this is refused unread.
  static constexpr size_t kMaxQuery = 8192;
  // VIEW lists at most this many rooms, whatever MAX asks: a client that sends no MAX stays
  // well under the 1 MiB it reads.
  static constexpr size_t kMaxView = 2000;
  // More players than any room holds: a larger count is a lie that would put the room first.
  static constexpr int kMaxPlayers = 9999;
  // More rooms than a host could make; a larger count would send every newcomer there.
  static constexpr int kMaxFree = 100000;
  // A host's key is a SHA-256 in hex.
  static constexpr size_t kHostKeyLength = 64;

  using Options = ServiceOptions;

  // now_ms: the time of day in milliseconds, the same clock on every instance.
  TrackerService(RoomStore& store, std::function<int64_t()> now_ms, Options options = {});

  // Where the service reports the rooms it adds, updates and removes.
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

  // The body of the answer to a query (the percent-encoded text after "?").
  std::string Handle(std::string_view raw_query, const std::string& source_address);

  // One room as a VIEW line.
  static std::string RoomRecord(const Room& room);

  // The requests this instance answered, since it started.
  struct Counters {
    std::array<std::array<uint64_t, kRequestAnswers>, kRequestActions> requests{};
    std::array<uint64_t, kRefusals> refusals{};
  };
  const Counters& counters() const { return counters_; }

 private:
  std::string Dispatch(std::string_view raw_query, const std::string& source_address,
                       RequestAction* action);
  // The reply record, its status counted for the request being answered.
  std::string Answer(RequestAnswer answer, std::string_view extra = {},
                     std::string_view secret = {});
  std::string Refuse(Refusal refusal, RequestAnswer answer, std::string_view extra);

  std::string Add(const std::map<std::string, std::string>& fields, const std::string& source);
  std::string Remove(const std::map<std::string, std::string>& fields, const std::string& source);
  std::string View(const std::map<std::string, std::string>& fields);

  // The VIEW answer for the most rooms; a smaller MAX gets the start of it.
  struct ViewAnswer {
    std::string body;
    std::vector<size_t> line_ends;  // one past each line's CR LF
  };

  RoomStore& store_;
  std::function<int64_t()> now_ms_;
  Options options_;
  std::function<void(const std::string&)> log_;
  PerGeneration<ViewAnswer> view_;
  Counters counters_;
  RequestAnswer answer_ = RequestAnswer::kError;
};

// The record of a status: "STATUS=<status>|EXTRA=<extra>", and "|SECRET=<secret>" when there is
// one (a trailing field, which rooms that keep no secret never look for).
std::string Reply(std::string_view status, std::string_view extra = {},
                  std::string_view secret = {});

// A value as a room record may hold it: no control characters, and "|" (the field separator)
// as the broken bar "¦" (byte 166), the same as the servers' encoding sends it.
std::string CleanField(std::string_view value);

// Undoes the percent-encoding; a "%" not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

// Splits a query at "&" and "=" and undoes the percent-encoding; a "%" not followed by two hex
// digits stays as it is. Fails (with *error) on a key given twice.
bool ParseQuery(std::string_view raw, std::map<std::string, std::string>* fields,
                std::string* error);

}  // namespace tracker
