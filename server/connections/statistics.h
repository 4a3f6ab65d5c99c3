// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/scheduling.h"
#include "inifile/ini_store.h"

namespace server {

inline constexpr char kStatisticsSection[] = "Server Statistics";

// The running totals kept in the "Server Statistics" section of Server.ini. They live with the
// connection table, the lowest layer that counts; game/ and admin/ add to them through it.
enum class Stat {
  ServerLaunches,
  TrackerSubmissions,
  AttemptedConnections,
  EstablishedConnections,
  GamesStarted,
  GamesCompleted,
  Rounds,
  WordsSkipped,
  WordsGuessed,
  WordsAlmostGuessed,
  HintsGiven,
  ProfileRequests,
  SentencesTyped,
  UsersKicked,
  PingTimeouts,
  SocketErrors,
  ProbesAnswered,
};

inline constexpr size_t kStatCount = static_cast<size_t>(Stat::ProbesAnswered) + 1;

// The key of a total in Server.ini ("Total Server Launches").
std::string_view StatKey(Stat stat);

// The totals are counted in memory and added to the file at most once every kFlushMs, in one
// write, and at Flush: a chat line must not cost a write to disk. The periodic write goes to
// disk off the room's thread (EditSoon), since waiting for a busy disk once a second would hold
// up every stroke. A crash loses at most the last second's counts, never the file; several
// server processes sharing a folder still do not undo each other's counts, since a flush adds
// to what the file holds. Counts whose periodic write failed are kept for the next one.
class ServerStatistics {
 public:
  static constexpr int kFlushMs = 1000;

  // on_write_failed hears when a periodic write fails after one that did not.
  ServerStatistics(inifile::IniStore& ini, scrawlbox::Scheduler& scheduler,
                   std::function<void()> on_write_failed = {});
  // Writes what is still counted in memory.
  ~ServerStatistics();
  ServerStatistics(const ServerStatistics&) = delete;
  ServerStatistics& operator=(const ServerStatistics&) = delete;

  // The stored total and what is counted since the last write; a missing key or text that is
  // not a number reads as 0.
  int32_t Get(Stat stat) const;
  // Every total (indexed by Stat) from one reading of the file.
  std::array<int32_t, kStatCount> GetAll() const;
  // Adds one; a total already at the largest 32-bit value stays there.
  void Increment(Stat stat);
  // Deletes the whole section and forgets what was not written yet.
  void Reset();
  // Adds what was counted since the last write to the file now (at shutdown).
  void Flush();

 private:
  // soon: the store may finish the write on its own thread.
  void Write(bool soon);

  inifile::IniStore& ini_;
  std::array<int64_t, kStatCount> pending_{};
  std::unique_ptr<scrawlbox::Timer> flush_timer_;
  std::function<void()> on_write_failed_;
  bool write_failing_ = false;
  // A write's outcome may come after these statistics are gone.
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace server
