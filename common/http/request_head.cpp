// SPDX-License-Identifier: MIT
#include "common/http/request_head.h"

#include <algorithm>

namespace http {

namespace {

bool IsToken(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

// Spaces and control bytes end or break a target; bytes above 127 are let through for old clients
// that send 8-bit text unescaped.
bool IsTarget(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 127) return false;
  }
  return true;
}

// Field names are matched in any case, byte by byte: they are ASCII tokens.
bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// Without the spaces and tabs around a field's value.
std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool RequestHead::Feed(std::string_view bytes) {
  if (state_ != State::kReading) return true;
  // The end of the head may straddle two reads: look again from a little before the new bytes.
  const size_t from = head_.size() < 3 ? 0 : head_.size() - 3;
  const size_t room = kMaxHead + 4 - head_.size();
  head_.append(bytes.substr(0, room));
  // The head ends at its first empty line, whichever line ends it uses.
  const size_t end = std::min(head_.find("\r\n\r\n", from), head_.find("\n\n", from));
  if (end <= kMaxHead) {
    head_.resize(end);
    ParseRequestLine();
    return true;
  }
  // A first line that is no request needs no more bytes to be refused.
  const size_t line_end = first_line_seen_ ? std::string::npos : head_.find('\n');
  if (line_end != std::string::npos) {
    first_line_seen_ = true;
    const std::string_view line(head_.data(), line_end);
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || !IsToken(line.substr(0, space))) {
      state_ = State::kBad;
      std::string().swap(head_);
      return true;
    }
  }
  // Refused only once no end can start within the bound, however the bytes were split.
  if (head_.size() == kMaxHead + 4) {
    state_ = State::kTooLong;
    std::string().swap(head_);
    return true;
  }
  return false;
}

void RequestHead::ParseRequestLine() {
  std::string_view line(head_);
  line = line.substr(0, line.find('\n'));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // METHOD SP TARGET SP HTTP/1.x
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  const std::string_view version =
      second == std::string_view::npos ? std::string_view() : line.substr(second + 1);
  if (second == std::string_view::npos || !IsToken(line.substr(0, first)) ||
      (version != "HTTP/1.1" && version != "HTTP/1.0") || second == first + 1 ||
      !IsTarget(line.substr(first + 1, second - first - 1))) {
    state_ = State::kBad;
  } else {
    method_ = line.substr(0, first);
    target_ = line.substr(first + 1, second - first - 1);
    state_ = State::kComplete;
    return;  // the field lines stay for Field()
  }
  std::string().swap(head_);
}

std::optional<std::string> RequestHead::Field(std::string_view name) const {
  std::optional<std::string> value;
  if (state_ != State::kComplete) return value;
  bool continues = false;  // the line before was one of name's
  const std::string_view head(head_);
  // The first line is the request line; head_ ends before the empty line.
  for (size_t start = head.find('\n'); start != std::string_view::npos;) {
    const size_t end = head.find('\n', start + 1);
    std::string_view line =
        head.substr(start + 1, end == std::string_view::npos ? end : end - start - 1);
    start = end;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
      if (continues) {
        value->push_back(' ');
        value->append(Trimmed(line));
      }
      continue;
    }
    const size_t colon = line.find(':');
    continues = colon == name.size() && SameLetters(line.substr(0, colon), name);
    if (!continues) continue;
    const std::string_view text = Trimmed(line.substr(colon + 1));
    if (value) {
      *value += ", ";
      value->append(text);
    } else {
      value.emplace(text);
    }
  }
  return value;
}

std::string_view RequestHead::path() const {
  std::string_view path(target_);
  path = path.substr(0, path.find_first_of("?#"));
  const size_t scheme = path.find("://");
  if (scheme != std::string_view::npos && path.front() != '/') {
    const size_t start = path.find('/', scheme + 3);
    return start == std::string_view::npos ? std::string_view("/") : path.substr(start);
  }
  return path;
}

std::string_view RequestHead::query() const {
  const std::string_view target(target_);
  const size_t mark = target.find('?');
  if (mark == std::string_view::npos) return {};
  const std::string_view query = target.substr(mark + 1);
  return query.substr(0, query.find('#'));
}

}  // namespace http
