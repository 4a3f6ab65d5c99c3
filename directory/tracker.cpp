// SPDX-License-Identifier: MIT
#include "directory/tracker.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "common/version.h"
#include "protocol/numbers.h"

namespace directory {

namespace {

struct Replacement {
  char from;
  const char* to;
};

// In the order the replacements are applied.
constexpr std::array<Replacement, 34> kEncoding = {{
    {'%', "%25"},    {' ', "%20"}, {'!', "%21"},    {'"', "%22"},    {'$', "%24"},  {'#', "%23"},
    {'\'', "%27"},   {'(', "%28"}, {')', "%29"},    {'*', "%2A"},    {'+', "%2B"},  {',', "%2C"},
    {'-', "%2D"},    {'.', "%2E"}, {'/', "%2F"},    {'\n', "%0A"},   {'\r', "%0D"}, {'\t', "%09"},
    {'\xA3', "%A3"}, {'|', "%A6"}, {'\xA9', "%A9"}, {'\xAE', "%AE"}, {'&', "%26"},  {':', "%3A"},
    {';', "%3B"},    {'=', "%3D"}, {'@', "%40"},    {'<', "%3C"},    {'>', "%3E"},  {'?', "%3F"},
    {'[', "%5B"},    {']', "%5D"}, {'^', "%5E"},    {'_', "%5F"},
}};

}  // namespace

std::string URLEncode(std::string_view text) {
  // Applying the replacements one after another over the whole text comes to the same as one
  // pass, because "%" goes first and no later replacement produces a character a still later
  // one would replace.
  std::string out;
  out.reserve(text.size() * 3);
  for (char c : text) {
    const char* replacement = nullptr;
    for (const Replacement& r : kEncoding) {
      if (r.from == c) {
        replacement = r.to;
        break;
      }
    }
    if (replacement) {
      out += replacement;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string ReplyRecord(std::string_view body) {
  const size_t end = body.find_first_of("\r\n");
  return std::string(end == std::string_view::npos ? body : body.substr(0, end));
}

int64_t VersionNumber(int major, int minor, int revision) {
  return static_cast<int64_t>(major) * 100000 + minor * 1000 + revision;
}

bool NamesNewerVersion(std::string_view version_file) {
  return IsNewer(VersionNumber(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor,
                               scrawlbox::kVersionRevision),
                 LatestVersion(version_file));
}

std::string UserAgent(std::string_view program) {
  char revision[16];
  std::snprintf(revision, sizeof revision, "%04d", scrawlbox::kVersionRevision);
  return "Scrawlbox " + std::string(program) + " v" +
         protocol::NumberText(scrawlbox::kVersionMajor) + "." +
         protocol::NumberText(scrawlbox::kVersionMinor) + " build#" + revision;
}

int64_t LatestVersion(std::string_view body) {
  const double value = protocol::LeadingNumber(body);
  if (!(value > 0)) return 0;
  return value >= 9e18 ? INT64_MAX : static_cast<int64_t>(std::floor(value));
}

}  // namespace directory
