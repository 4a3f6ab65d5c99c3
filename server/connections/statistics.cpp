// SPDX-License-Identifier: MIT
#include "server/connections/statistics.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "inifile/ini_document.h"
#include "protocol/numbers.h"

namespace server {

namespace {

constexpr std::array<std::string_view, kStatCount> kKeys = {
    "Total Server Launches",
    "Total Tracker Submissions",
    "Total Attempted Connections",
    "Total Established Connections",
    "Total Games Started",
    "Total Games Completed",
    "Total Rounds",
    "Total Words Skipped",
    "Total Words Guessed",
    "Total Words Almost Guessed",
    "Total Hints Given",
    "Total Profile Requests",
    "Total Sentences Typed",
    "Total Users Kicked",
    "Total Ping Timeouts",
    "Total Socket Errors",
    "Total Probes Answered",
};

}  // namespace

std::string_view StatKey(Stat stat) {
  return kKeys[static_cast<size_t>(stat)];
}

namespace {

int32_t StoredTotal(const inifile::IniDocument& document, Stat stat) {
  const int32_t value =
      protocol::LeadingInt32(document.Read(kStatisticsSection, StatKey(stat), "0"));
  return value < 0 ? 0 : value;
}

// A stored total and a count not yet written, held within the 32-bit range the file keeps.
int32_t Sum(int32_t stored, int64_t pending) {
  return static_cast<int32_t>(
      std::min<int64_t>(stored + pending, std::numeric_limits<int32_t>::max()));
}

}  // namespace

ServerStatistics::ServerStatistics(inifile::IniStore& ini, scrawlbox::Scheduler& scheduler,
                                   std::function<void()> on_write_failed)
    : ini_(ini),
      flush_timer_(scheduler.CreateTimer([this] { Write(true); })),
      on_write_failed_(std::move(on_write_failed)) {}

ServerStatistics::~ServerStatistics() {
  Flush();
}

void ServerStatistics::Flush() {
  Write(false);
}

int32_t ServerStatistics::Get(Stat stat) const {
  return Sum(StoredTotal(ini_.Snapshot(), stat), pending_[static_cast<size_t>(stat)]);
}

std::array<int32_t, kStatCount> ServerStatistics::GetAll() const {
  const inifile::IniDocument document = ini_.Snapshot();
  std::array<int32_t, kStatCount> totals{};
  for (size_t i = 0; i < kStatCount; ++i) {
    totals[i] = Sum(StoredTotal(document, static_cast<Stat>(i)), pending_[i]);
  }
  return totals;
}

void ServerStatistics::Increment(Stat stat) {
  ++pending_[static_cast<size_t>(stat)];
  if (!flush_timer_->IsActive()) flush_timer_->Start(kFlushMs);
}

void ServerStatistics::Write(bool soon) {
  flush_timer_->Stop();
  if (std::all_of(pending_.begin(), pending_.end(), [](int64_t n) { return n == 0; })) return;
  const auto pending = std::exchange(pending_, {});
  // One reading and one writing of the file for everything counted meanwhile.
  const auto add = [&pending](inifile::IniDocument& document) {
    bool changed = false;
    for (size_t i = 0; i < kStatCount; ++i) {
      if (pending[i] == 0) continue;
      const auto stat = static_cast<Stat>(i);
      const int32_t stored = StoredTotal(document, stat);
      const int32_t total = Sum(stored, pending[i]);
      if (total == stored) continue;
      document.Write(kStatisticsSection, StatKey(stat), std::to_string(total));
      changed = true;
    }
    return changed;
  };
  if (!soon) {
    ini_.Edit(add);
    return;
  }
  ini_.EditSoon(add, [this, alive = std::weak_ptr<char>(alive_), pending](bool stored) {
    if (alive.expired()) return;
    const bool was_failing = std::exchange(write_failing_, !stored);
    if (stored) return;
    for (size_t i = 0; i < kStatCount; ++i) pending_[i] += pending[i];
    if (!flush_timer_->IsActive()) flush_timer_->Start(kFlushMs);
    if (!was_failing && on_write_failed_) on_write_failed_();
  });
}

void ServerStatistics::Reset() {
  pending_ = {};
  alive_ = std::make_shared<char>();  // counts of a write still under way are not kept either
  flush_timer_->Stop();
  ini_.DeleteSection(kStatisticsSection);
}

}  // namespace server
