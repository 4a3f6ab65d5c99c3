// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace metrics {

// One HTTP request to a scrape endpoint, read as its bytes arrive: the head is kept up to
// kMaxHead bytes, what comes after it is ignored, and the answer closes the connection.
class ScrapeRequest {
 public:
  static constexpr size_t kMaxHead = 8192;

  // Takes the next bytes; true once the request can be answered (its head is complete, or
  // it can never be: too long or no HTTP at all). Bytes after that are not looked at.
  bool Feed(std::string_view bytes);
  bool complete() const { return state_ != State::kReading; }

  // The whole response: the body (from text, called only when it is wanted) for GET and HEAD
  // of path, with HEAD sending the headers alone; 404 for another path, 405 for another
  // method, 400 for what is no HTTP request and 431 for a head over kMaxHead.
  std::string Answer(std::string_view path, const std::function<std::string()>& text) const;

  const std::string& method() const { return method_; }
  const std::string& target() const { return target_; }

 private:
  enum class State { kReading, kHead, kTooLong, kBad };
  void ParseRequestLine();

  State state_ = State::kReading;
  std::string head_;
  std::string method_;
  std::string target_;
};

}  // namespace metrics
