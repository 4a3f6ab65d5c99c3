// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tracker/registry.h"

namespace tracker {

// The tracker's actions: ADD registers or updates a room, REMOVE takes it off, VIEW lists the
// public rooms. Every answer is text lines of "|"-separated key=value fields.
class TrackerService {
 public:
  // ADD requests one address may make in a minute.
  static constexpr size_t kMaxAddsPerMinute = 10;
  // A query longer than this is refused unread.
  static constexpr size_t kMaxQuery = 8192;

  TrackerService(Registry& registry, std::function<int64_t()> now_ms)
      : registry_(registry), now_ms_(std::move(now_ms)) {}

  // Where the service reports the rooms it adds, updates and removes.
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

  // The body of the answer to a query (the percent-encoded text after "?").
  std::string Handle(std::string_view raw_query, const std::string& source_address);

  // One room as a VIEW line.
  static std::string RoomRecord(const Room& room);

 private:
  std::string Add(const std::map<std::string, std::string>& fields, const std::string& source);
  std::string Remove(const std::map<std::string, std::string>& fields);
  const std::string& View();
  // False once the address has made its ADD requests for this minute.
  bool WithinRate(const std::string& source);

  Registry& registry_;
  std::function<int64_t()> now_ms_;
  std::map<std::string, std::deque<int64_t>> adds_;
  std::function<void(const std::string&)> log_;
  PerGeneration<std::string> view_;
};

// The record of a status: "STATUS=<status>|EXTRA=<extra>".
std::string Reply(std::string_view status, std::string_view extra = {});

// A value as a room record may hold it: no control characters, and "|" (the field separator)
// as the broken bar "¦" (byte 166), the same as the servers' encoding sends it.
std::string CleanField(std::string_view value);

// Splits a query at "&" and "=" and undoes the percent-encoding; a "%" not followed by two hex
// digits stays as it is. Fails (with *error) on a key given twice.
bool ParseQuery(std::string_view raw, std::map<std::string, std::string>* fields,
                std::string* error);

}  // namespace tracker
