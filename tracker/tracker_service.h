// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tracker/room_store.h"

namespace tracker {

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

  // now_ms: the time of day in milliseconds, the same clock on every instance.
  TrackerService(RoomStore& store, std::function<int64_t()> now_ms)
      : store_(store), now_ms_(std::move(now_ms)) {}

  // Where the service reports the rooms it adds, updates and removes.
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

  // The body of the answer to a query (the percent-encoded text after "?").
  std::string Handle(std::string_view raw_query, const std::string& source_address);

  // One room as a VIEW line.
  static std::string RoomRecord(const Room& room);

 private:
  std::string Add(const std::map<std::string, std::string>& fields, const std::string& source);
  std::string Remove(const std::map<std::string, std::string>& fields);
  std::string View(const std::map<std::string, std::string>& fields);

  // The VIEW answer for the most rooms; a smaller MAX gets the start of it.
  struct ViewAnswer {
    std::string body;
    std::vector<size_t> line_ends;  // one past each line's CR LF
  };

  RoomStore& store_;
  std::function<int64_t()> now_ms_;
  std::function<void(const std::string&)> log_;
  PerGeneration<ViewAnswer> view_;
};

// The record of a status: "STATUS=<status>|EXTRA=<extra>".
std::string Reply(std::string_view status, std::string_view extra = {});

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
