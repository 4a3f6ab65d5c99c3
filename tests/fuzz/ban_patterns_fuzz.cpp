// SPDX-License-Identifier: MIT
// Ban patterns matched against addresses, and a fuzzed ban section loaded and edited.
#include <algorithm>

#include "inifile/ini_store.h"
#include "server/admin/banned.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/manual_clock.h"

namespace fuzz {

namespace {

using server::BanList;
using server::MatchesBanPattern;

// Addresses as the transport reports them, and some that it never would.
constexpr std::string_view kAddresses[] = {"10.0.0.1", "192.168.1.20", "255.255.255.255", "0.0.0.0",
                                           "::1",      "2001:db8::7",  "::ffff:10.0.0.1", ""};
constexpr std::string_view kPatterns[] = {
    "10.0.0.*", "10.0.0.0/8",  "192.168.#.[0-5]*", "*",       "?",    "[!1]*",
    "[",        "10.0.0.1/33", "1.2.3.4/0",        "*.*.*.*", "[a-]", "##*##"};

bool HasWildcards(std::string_view text) {
  return text.find_first_of("*?#[/") != std::string_view::npos;
}

bool IsPlainField(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](unsigned char c) { return c < 32 || c == 127 || c == 0xAC; });
}

// A ban section as an operator or an older program may have left it.
std::string Section(FuzzInput& in) {
  std::string text = "[Banned IPs]\r\n";
  if (in.Flag()) text += "Total=" + std::to_string(in.Flag() ? in.Byte() : in.Number32()) + "\r\n";
  for (size_t count = in.Pick(6); count > 0; --count) {
    Choose(
        in,
        [&] {
          const std::string index = std::to_string(in.Byte());
          const std::string pattern = OptionOrText(in, kPatterns);
          const std::string reason = in.Text();
          text += "Banned IP[" + index + "]=IP=" + pattern + "\xACREASON=" + reason + "\xAC" +
                  "CONNECTIONATTEMPTS=" + in.Text() + "\r\n";
        },
        [&] {
          const std::string index = in.Text();
          text += "Banned IP[" + index + "]=" + in.Text() + "\r\n";
        },
        [&] { text += in.Text() + "\r\n"; });
  }
  return text;
}

std::vector<std::string> Records(const BanList& bans) {
  std::vector<std::string> records;
  for (const auto& entry : bans.entries()) records.push_back(entry.record);
  return records;
}

// Loading what was saved gives the same list, unless a record looks quoted or ends in a space:
// INI values lose their quotes and outer blanks on reading, as they always have.
void CheckSavedListLoadsAgain(inifile::MemoryStore& ini, const BanList& bans,
                              testing_support::ManualClock& clock) {
  for (const std::string& r : Records(bans)) {
    if (r.size() >= 2 && (r.front() == '"' || r.front() == '\'')) return;
    if (!r.empty() && (r.back() == ' ' || r.back() == '\t')) return;
  }
  BanList again(ini, clock);
  again.LoadBanList();
  FUZZ_CHECK(Records(again) == Records(bans));
}

}  // namespace

int FuzzBanPatterns(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);

  // Patterns on their own: the match is bounded by the lengths multiplied.
  for (size_t count = in.Pick(4); count > 0; --count) {
    const std::string address = OptionOrText(in, kAddresses);
    const std::string pattern = OptionOrText(in, kPatterns);
    size_t steps = 0;
    const bool matched = MatchesBanPattern(address, pattern, &steps);
    FUZZ_CHECK(steps <= (address.size() + 1) * (pattern.size() + 1));
    if (!HasWildcards(address)) FUZZ_CHECK(MatchesBanPattern(address, address));
    FUZZ_CHECK(MatchesBanPattern(address, "*"));
    if (matched && pattern.find('/') == std::string::npos)
      FUZZ_CHECK(MatchesBanPattern(address, "*" + pattern));
  }

  inifile::MemoryStore ini(Section(in));
  testing_support::ManualClock clock;
  BanList bans(ini, clock);
  bans.LoadBanList();
  FUZZ_CHECK(bans.entries().size() <= BanList::kMaxBanRows);
  // A stray high index fills the list with "[error]" rows, tens of thousands from a few bytes.
  // The server reads its list once, at start, and that load is checked above; the edit script
  // would save and reload such a list whole at each of its 32 steps (seconds under the
  // sanitizers) and reach nothing that a short list (256 rows at most) does not.
  if (bans.entries().size() > 256) return 0;
  for (int steps = 0; steps < 32 && !in.empty(); ++steps) {
    const size_t index = in.Pick(bans.entries().size() + 1);
    Choose(
        in, [&] { bans.IsBanned(OptionOrText(in, kAddresses)); },
        [&] {
          const std::string ip = OptionOrText(in, kPatterns);
          bans.AddBan(ip, in.Text());
          if (!ip.empty() && !HasWildcards(ip) && IsPlainField(ip)) FUZZ_CHECK(bans.IsBanned(ip));
        },
        [&] {
          const std::string pattern = OptionOrText(in, kPatterns);
          if (bans.ChangePattern(index, pattern) && IsPlainField(pattern))
            FUZZ_CHECK(bans.entries()[index].IP() == pattern);
        },
        [&] {
          const std::string reason = in.Text();
          if (bans.ChangeReason(index, reason) && IsPlainField(reason))
            FUZZ_CHECK(bans.entries()[index].Reason() == reason);
        },
        [&] { (void)bans.Remove(index); }, [&] { bans.SaveBanList(); });
    clock.Advance(BanList::kAttemptsWriteMs);  // counted attempts reach the file
    CheckSavedListLoadsAgain(ini, bans, clock);
  }
  return 0;
}

}  // namespace fuzz
