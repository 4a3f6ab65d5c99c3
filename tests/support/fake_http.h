// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "directory/tracker.h"

namespace testing_support {

// Records GETs and lets the test answer them, oldest first, when it chooses.
class FakeHttpGetter : public directory::HttpGetter {
 public:
  struct Request {
    std::string url;
    std::string user_agent;
    std::function<void(const directory::HttpResult&)> done;
    std::function<void()> sent;  // emptied once called
  };

  void Get(const std::string& url, const std::string& user_agent,
           std::function<void(const directory::HttpResult&)> done,
           std::function<void()> sent = nullptr) override {
    urls.push_back(url);
    open.push_back({url, user_agent, std::move(done), std::move(sent)});
  }

  // The oldest open request reaches the host and goes out.
  void Connect() {
    if (auto sent = std::move(open.front().sent)) {
      open.front().sent = nullptr;
      sent();
    }
  }
  // Answers the oldest open request with a body (connecting it first if that has not happened).
  void Answer(const std::string& body) {
    Connect();
    Finish({true, 0, "", body});
  }
  // Fails the oldest open request as a socket error would; one not connected yet never was.
  void Fail(int error, const std::string& text) { Finish({false, error, text, ""}); }

  std::vector<std::string> urls;  // every URL asked for
  std::deque<Request> open;       // not answered yet

 private:
  void Finish(const directory::HttpResult& result) {
    Request request = std::move(open.front());
    open.pop_front();
    request.done(result);
  }
};

}  // namespace testing_support
