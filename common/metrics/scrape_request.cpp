// SPDX-License-Identifier: MIT
#include "common/metrics/scrape_request.h"

#include "common/metrics/exposition.h"

namespace metrics {

namespace {

std::string Response(std::string_view status, std::string_view type, std::string_view body,
                     std::string_view extra_headers, bool with_body) {
  std::string out = "HTTP/1.1 ";
  out += status;
  out += "\r\nContent-Type: ";
  out += type;
  out += "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\nCache-Control: no-store\r\n";
  out += extra_headers;
  out += "\r\n";
  if (with_body) out += body;
  return out;
}

bool IsToken(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

}  // namespace

bool ScrapeRequest::Feed(std::string_view bytes) {
  if (state_ != State::kReading) return true;
  // The end of the head may straddle two reads: look again from a little before the new bytes.
  const size_t from = head_.size() < 3 ? 0 : head_.size() - 3;
  const size_t room = kMaxHead + 4 - head_.size();
  head_.append(bytes.substr(0, room));
  size_t end = head_.find("\r\n\r\n", from);
  if (end == std::string::npos) end = head_.find("\n\n", from);
  if (end != std::string::npos && end <= kMaxHead) {
    head_.resize(end);
    ParseRequestLine();
    return true;
  }
  if (head_.size() > kMaxHead) {
    state_ = State::kTooLong;
    head_.clear();
    return true;
  }
  // A first line that is no request needs no more bytes to be refused.
  const size_t line_end = head_.find('\n');
  if (line_end != std::string::npos) {
    const std::string_view line(head_.data(), line_end);
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || !IsToken(line.substr(0, space))) {
      state_ = State::kBad;
      return true;
    }
  }
  return false;
}

void ScrapeRequest::ParseRequestLine() {
  std::string_view line(head_);
  line = line.substr(0, line.find('\n'));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // METHOD SP TARGET SP HTTP/1.x
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos ||
      !IsToken(line.substr(0, first)) || line.substr(second + 1).substr(0, 7) != "HTTP/1." ||
      second == first + 1) {
    state_ = State::kBad;
    return;
  }
  method_ = line.substr(0, first);
  target_ = line.substr(first + 1, second - first - 1);
  state_ = State::kHead;
}

std::string ScrapeRequest::Answer(std::string_view path,
                                  const std::function<std::string()>& text) const {
  constexpr std::string_view kPlain = "text/plain; charset=utf-8";
  switch (state_) {
    case State::kReading:
    case State::kBad:
      return Response("400 Bad Request", kPlain, "Bad request.\n", "", true);
    case State::kTooLong:
      return Response("431 Request Header Fields Too Large", kPlain, "Request too long.\n", "",
                      true);
    case State::kHead:
      break;
  }
  const bool head_only = method_ == "HEAD";
  if (method_ != "GET" && !head_only) {
    return Response("405 Method Not Allowed", kPlain, "Only GET is answered.\n",
                    "Allow: GET, HEAD\r\n", true);
  }
  const std::string_view asked = std::string_view(target_).substr(0, target_.find('?'));
  if (asked != path) return Response("404 Not Found", kPlain, "Not found.\n", "", !head_only);
  return Response("200 OK", kContentType, text(), "", !head_only);
}

}  // namespace metrics
