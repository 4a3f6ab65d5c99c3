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
  };

  void Get(const std::string& url, const std::string& user_agent,
           std::function<void(const directory::HttpResult&)> done) override {
    urls.push_back(url);
    open.push_back({url, user_agent, std::move(done)});
  }

  // Answers the oldest open request with a body.
  void Answer(const std::string& body) { Finish({true, 0, "", body}); }
  // Fails the oldest open request as a socket error would.
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
