// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace http {

// One HTTP request head, read as its bytes arrive from a peer. At most kMaxHead bytes are kept:
// a longer head is refused at once, and a first line that is no request line is refused as soon
// as it ends. What follows the head (a body, a second request) is never looked at.
class RequestHead {
 public:
  static constexpr size_t kMaxHead = 8192;

  enum class State {
    kReading,   // the head has not ended yet
    kComplete,  // a well-formed request line; method() and target() say what was asked
    kTooLong,   // over kMaxHead before its end: answer 431
    kBad,       // no HTTP request: answer 400
  };

  // Takes the next bytes; true once the head is decided (complete, too long or bad). Bytes fed
  // after that change nothing.
  bool Feed(std::string_view bytes);
  State state() const { return state_; }

  const std::string& method() const { return method_; }
  // The request target as sent: "/path?query", percent escapes and all.
  const std::string& target() const { return target_; }
  // The target's path and query (without the "?"), split but not decoded; an absolute target
  // ("http://host/path") gives its path.
  std::string_view path() const;
  std::string_view query() const;
  bool head_only() const { return method_ == "HEAD"; }

 private:
  void ParseRequestLine();

  State state_ = State::kReading;
  bool first_line_seen_ = false;
  std::string head_;
  std::string method_;
  std::string target_;
};

}  // namespace http
