// SPDX-License-Identifier: MIT
#include "server/admin/banned.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>

#include "inifile/ini_document.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/text.h"

namespace server {

namespace {

constexpr char kSep = '\xAC';
constexpr char kMissingEntry[] =
    "IP=[error]\xACREASON=[error]\xAC"
    "CONNECTIONATTEMPTS=0";

// A value may not hold the field separator, or it would split its record.
std::string FieldValue(std::string_view value) {
  std::string clean = protocol::StripControlCodes(value);
  clean.erase(std::remove(clean.begin(), clean.end(), kSep), clean.end());
  return clean;
}

// An IPv4 address as a number; false when the text is not one.
bool ParseIPv4(std::string_view text, uint32_t* value) {
  uint32_t result = 0;
  int parts = 0;
  size_t at = 0;
  while (parts < 4) {
    unsigned part = 0;
    const auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), part);
    if (ec != std::errc() || part > 255 || end == text.data() + at) return false;
    result = (result << 8) | part;
    ++parts;
    at = static_cast<size_t>(end - text.data());
    if (parts < 4) {
      if (at >= text.size() || text[at] != '.') return false;
      ++at;
    }
  }
  if (at != text.size()) return false;
  *value = result;
  return true;
}

bool MatchesCidr(std::string_view address, std::string_view pattern, bool* is_cidr) {
  const size_t slash = pattern.find('/');
  uint32_t network = 0;
  int bits = 0;
  const std::string_view length = pattern.substr(slash + 1);
  const auto [end, ec] = std::from_chars(length.data(), length.data() + length.size(), bits);
  if (!ParseIPv4(pattern.substr(0, slash), &network) || ec != std::errc() ||
      end != length.data() + length.size() || bits < 0 || bits > 32) {
    *is_cidr = false;
    return false;
  }
  *is_cidr = true;
  uint32_t host = 0;
  if (!ParseIPv4(address, &host)) return false;
  const uint32_t mask = bits == 0 ? 0 : ~uint32_t{0} << (32 - bits);
  return (host & mask) == (network & mask);
}

// Matches one bracket list at pattern[at] (just after "["); sets *next past the "]".
// False in *ok when the bracket is never closed.
bool MatchesList(char c, std::string_view pattern, size_t at, size_t* next, bool* ok) {
  const size_t close = pattern.find(']', at);
  if (close == std::string_view::npos) {
    *ok = false;
    return false;
  }
  std::string_view list = pattern.substr(at, close - at);
  *next = close + 1;
  bool negate = false;
  if (!list.empty() && list.front() == '!') {
    negate = true;
    list.remove_prefix(1);
  }
  bool found = false;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i + 2 < list.size() && list[i + 1] == '-') {
      const auto lo = static_cast<unsigned char>(list[i]);
      const auto hi = static_cast<unsigned char>(list[i + 2]);
      const auto ch = static_cast<unsigned char>(c);
      if (ch >= lo && ch <= hi) found = true;
      i += 2;
    } else if (list[i] == c) {
      found = true;
    }
  }
  return found != negate;
}

// The wildcard match, backtracking only at "*" (one pending star at a time), so that any
// pattern runs in time proportional to the lengths multiplied, never exponentially. Letters
// match in their case, with no folding: stored ban lists have always been read that way.
bool MatchesWildcards(std::string_view text, std::string_view pattern, size_t* steps) {
  size_t t = 0;
  size_t p = 0;
  size_t star_p = std::string_view::npos;
  size_t star_t = 0;
  while (t < text.size()) {
    if (steps) ++*steps;
    bool advanced = false;
    if (p < pattern.size()) {
      const char pc = pattern[p];
      if (pc == '*') {
        star_p = p++;
        star_t = t;
        continue;
      }
      if (pc == '?') {
        advanced = true;
        ++p;
      } else if (pc == '#') {
        if (text[t] >= '0' && text[t] <= '9') {
          advanced = true;
          ++p;
        }
      } else if (pc == '[') {
        size_t next = 0;
        bool ok = true;
        const bool matched = MatchesList(text[t], pattern, p + 1, &next, &ok);
        if (!ok) return false;
        if (matched) {
          advanced = true;
          p = next;
        }
      } else if (pc == text[t]) {
        advanced = true;
        ++p;
      }
    }
    if (advanced) {
      ++t;
    } else if (star_p != std::string_view::npos) {
      p = star_p + 1;
      t = ++star_t;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string_view BanEntry::FieldView(std::string_view key) const {
  // Walked in place: every connection attempt reads the pattern of each entry up to a match.
  std::string_view rest = record;
  for (;;) {
    const size_t end = rest.find(kSep);
    const std::string_view element = rest.substr(0, end);
    const size_t equals = element.find('=');
    if (equals != std::string_view::npos && element.substr(0, equals) == key) {
      return element.substr(equals + 1);
    }
    if (end == std::string_view::npos) return {};
    rest.remove_prefix(end + 1);
  }
}

std::string BanEntry::Field(std::string_view key) const {
  return std::string(FieldView(key));
}

void BanEntry::SetField(std::string_view key, std::string_view value) {
  std::vector<std::string> elements = protocol::SplitFields(record, kSep);
  for (std::string& element : elements) {
    const size_t equals = element.find('=');
    if (equals != std::string::npos && std::string_view(element).substr(0, equals) == key) {
      element = std::string(key) + "=" + FieldValue(value);
      record = protocol::JoinFields(elements, kSep);
      return;
    }
  }
  // A record without the field gets it, so an edit is never lost.
  record += kSep + std::string(key) + "=" + FieldValue(value);
}

BanEntry BanEntry::Make(std::string_view ip, std::string_view reason) {
  return BanEntry{"IP=" + FieldValue(ip) + kSep + "REASON=" + FieldValue(reason) + kSep +
                  "CONNECTIONATTEMPTS=0"};
}

bool MatchesBanPattern(std::string_view address, std::string_view pattern, size_t* steps) {
  if (pattern.find('/') != std::string_view::npos) {
    bool is_cidr = false;
    const bool matched = MatchesCidr(address, pattern, &is_cidr);
    if (is_cidr) return matched;
  }
  // A "[" never closed can never be passed, so such a pattern matches nothing.
  return MatchesWildcards(address, pattern, steps);
}

void BanList::LoadBanList() {
  entries_.clear();
  const inifile::KeyValues stored = ini_.ReadSection(kBannedSection);
  double total = 0;
  std::map<double, std::string> by_index;
  for (const auto& [key, value] : stored) {
    const std::string lower = protocol::LowerCase(key);
    if (lower == "total") {
      total = protocol::LeadingNumber(value);
    } else if (lower.rfind("banned ip[", 0) == 0 && lower.back() == ']') {
      const std::string index = lower.substr(10, lower.size() - 11);
      if (!index.empty() && index.find_first_not_of("0123456789") == std::string::npos) {
        by_index.emplace(protocol::LeadingNumber(index), value);
      }
    }
  }
  // Rows up to the count, but no further than the highest entry actually stored within a list
  // anyone keeps: one stray "Banned IP[1000000000]" must fill neither the memory nor the list.
  const auto beyond = by_index.upper_bound(static_cast<double>(kMaxBanRows));
  const double last_stored = beyond == by_index.begin() ? 0 : std::prev(beyond)->first;
  const double rows = std::min(total, last_stored);
  for (double n = 1; n <= rows; ++n) {
    const auto it = by_index.find(n);
    entries_.push_back(BanEntry{it == by_index.end() ? std::string(kMissingEntry) : it->second});
  }
}

BanList::BanList(inifile::IniStore& ini, scrawlbox::Scheduler& scheduler)
    : ini_(ini), attempts_timer_(scheduler.CreateTimer([this] { WriteAttempts(); })) {}

BanList::~BanList() {
  // The window that listens may be gone already; only the file hears of the last counts.
  if (attempts_timer_->IsActive()) ini_.ReplaceSection(kBannedSection, Section());
}

inifile::KeyValues BanList::Section() const {
  inifile::KeyValues keys;
  if (!entries_.empty()) {
    keys.emplace_back("Total", std::to_string(entries_.size()));
    for (size_t i = 0; i < entries_.size(); ++i) {
      keys.emplace_back("Banned IP[" + std::to_string(i + 1) + "]", entries_[i].record);
    }
  }
  return keys;
}

void BanList::SaveBanList() {
  attempts_timer_->Stop();  // the counts go with this write
  ini_.ReplaceSection(kBannedSection, Section());
  if (on_changed_) on_changed_();
}

void BanList::WriteAttempts() {
  attempts_timer_->Stop();
  ini_.EditSoon(
      [keys = Section()](inifile::IniDocument& document) {
        document.ReplaceSection(kBannedSection, keys);
        return true;
      },
      // The counts are still here when the write failed: the next try takes them.
      [this, alive = std::weak_ptr<char>(alive_)](bool stored) {
        if (!stored && !alive.expired() && !attempts_timer_->IsActive()) {
          attempts_timer_->Start(kAttemptsWriteMs);
        }
      });
  if (on_changed_) on_changed_();
}

bool BanList::IsBanned(const std::string& address) {
  for (BanEntry& entry : entries_) {
    if (MatchesBanPattern(address, entry.FieldView("IP"))) {
      const int32_t attempts = protocol::LeadingInt32(entry.Attempts());
      entry.SetField("CONNECTIONATTEMPTS",
                     std::to_string(attempts < INT32_MAX ? std::max(0, attempts) + 1 : attempts));
      if (!attempts_timer_->IsActive()) attempts_timer_->Start(kAttemptsWriteMs);
      return true;
    }
  }
  return false;
}

bool BanList::AddBan(const std::string& ip, const std::string& reason) {
  if (IsBanned(ip) || full()) return false;
  entries_.push_back(BanEntry::Make(ip, reason));
  SaveBanList();
  return true;
}

bool BanList::ChangePattern(size_t index, const std::string& pattern) {
  if (index >= entries_.size() || pattern.empty()) return false;
  entries_[index].SetField("IP", pattern);
  SaveBanList();
  return true;
}

bool BanList::ChangeReason(size_t index, const std::string& reason) {
  if (index >= entries_.size() || reason.empty()) return false;
  entries_[index].SetField("REASON", reason);
  SaveBanList();
  return true;
}

bool BanList::Remove(size_t index) {
  if (index >= entries_.size()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  SaveBanList();
  return true;
}

}  // namespace server
