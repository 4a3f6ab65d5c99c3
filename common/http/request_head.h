// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace http {

// One HTTP request head, read as its bytes arrive from a peer. At most kMaxHead bytes are kept:
// a longer head is refused at once, and a first line that is no request line is refused as soon
// as it ends. What follows the head (a body, a second request) is never looked at. A complete
// head keeps its field lines for Field() until ReleaseFields().
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

  // The value of the field called name (any case), its repeats folded in order into one list
  // ("a, b"), as HTTP reads a list field sent on several lines; nullopt when no line has it or
  // the head is not complete.
  // Folding makes a proxy that adds its own line and one that extends the sender's alike. A line
  // continued on the next (obsolete folding) is one value with a space for the break.
  std::optional<std::string> Field(std::string_view name) const;
  // The field lines are no longer needed: their bytes go back, and Field() finds nothing.
  void ReleaseFields() { std::string().swap(head_); }

 private:
  void ParseRequestLine();

  State state_ = State::kReading;
  bool first_line_seen_ = false;
  std::string head_;
  std::string method_;
  std::string target_;
};

}  // namespace http
