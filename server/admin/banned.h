// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <memory>

#include "common/scheduling.h"
#include "inifile/ini_store.h"
#include "server/connections/ports.h"

namespace server {

inline constexpr char kBannedSection[] = "Banned IPs";

// One ban, kept as its record string: "IP=" pattern "¬REASON=" reason "¬CONNECTIONATTEMPTS="
// count, where ¬ is the byte 172.
struct BanEntry {
  std::string record;

  std::string IP() const { return Field("IP"); }
  std::string Reason() const { return Field("REASON"); }
  std::string Attempts() const { return Field("CONNECTIONATTEMPTS"); }
  std::string Field(std::string_view key) const;
  // The same without a copy; valid while the record is unchanged.
  std::string_view FieldView(std::string_view key) const;
  void SetField(std::string_view key, std::string_view value);

  static BanEntry Make(std::string_view ip, std::string_view reason);
};

// Whether an address matches a ban pattern: "a.b.c.d/n" is an IPv4 network; any other pattern
// uses the wildcards ? (one character), * (any run), # (one digit), [list] and [!list] (ranges
// such as [0-5] allowed). A pattern with an unbalanced "[" matches nothing. The wildcard match
// backtracks only to the last "*", so it takes at most about address × pattern steps; steps,
// when given, counts them.
bool MatchesBanPattern(std::string_view address, std::string_view pattern, size_t* steps = nullptr);

// The room's ban list, kept in the "Banned IPs" section of Server.ini and written back whole
// after every change. Attempts are only counted: a banned peer reconnecting in a loop must not
// cost a write of the file (and a refill of the operator's list) each time, so the counts are
// written at most once every kAttemptsWriteMs, with the next edit, or when the list goes.
class BanList : public BanCheck {
 public:
  static constexpr int kAttemptsWriteMs = 1000;

  BanList(inifile::IniStore& ini, scrawlbox::Scheduler& scheduler);
  ~BanList() override;
  BanList(const BanList&) = delete;
  BanList& operator=(const BanList&) = delete;

  // Reads the section. Entries missing below the highest stored one show as "[error]" rows;
  // a count far above the stored keys costs nothing, and no more than kMaxBanRows are read
  // (an entry stored beyond them is not read and adds no rows).
  static constexpr size_t kMaxBanRows = 65536;
  void LoadBanList();
  void SaveBanList();

  // The first matching entry counts the attempt; true when one matched.
  bool IsBanned(const std::string& address) override;
  // False when the address is already banned (which counts as an attempt), or when the list is
  // full: a ban past kMaxBanRows would be lost at the next start.
  bool AddBan(const std::string& ip, const std::string& reason);
  bool full() const { return entries_.size() >= kMaxBanRows; }
  // Edits by position; an empty text or a position out of range changes nothing.
  bool ChangePattern(size_t index, const std::string& pattern);
  bool ChangeReason(size_t index, const std::string& reason);
  bool Remove(size_t index);

  const std::vector<BanEntry>& entries() const { return entries_; }
  // Called after every change, and after counted attempts are written, for the window's list.
  void SetOnChanged(std::function<void()> on_changed) { on_changed_ = std::move(on_changed); }

 private:
  inifile::KeyValues Section() const;
  void WriteAttempts();

  inifile::IniStore& ini_;
  std::vector<BanEntry> entries_;
  std::function<void()> on_changed_;
  std::unique_ptr<scrawlbox::Timer> attempts_timer_;
  // A write's outcome may come after the list is gone.
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace server
