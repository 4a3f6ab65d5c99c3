// SPDX-License-Identifier: MIT
// The room's web port from a peer's side: a request head asking for the WebSocket, then frames.
#include <string>

#include "common/http/request_head.h"
#include "common/http/websocket.h"
#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

namespace {

namespace ws = http::websocket;

struct Collected : ws::FrameHandler {
  void OnData(std::string_view bytes) override { data.append(bytes); }
  void OnPing(std::string_view payload) override {
    FUZZ_CHECK(payload.size() <= 125);
    ++pings;
  }
  void OnClose(uint16_t code, std::string_view reason) override {
    FUZZ_CHECK(!closed && reason.size() <= 123 && (code != 0 || reason.empty()));
    closed = true;
  }
  std::string data;
  int pings = 0;
  bool closed = false;
};

// Frames read whole and in the fuzzed pieces tell the same, end for good, and hand on no more
// than was sent.
void ReadFrames(std::string_view bytes, const std::string& cuts) {
  ws::FrameReader whole(1024);
  Collected all;
  const bool whole_open = whole.Feed(bytes, 0, all);
  FUZZ_CHECK(whole_open != whole.done());
  FUZZ_CHECK(all.data.size() <= bytes.size());
  // Once ended, nothing more is read.
  Collected after;
  FUZZ_CHECK(whole_open || (!whole.Feed("\x82\x81\0\0\0\0x", 0, after) && after.data.empty()));

  ws::FrameReader pieces(1024);
  Collected some;
  size_t at = 0;
  for (size_t i = 0; at < bytes.size() && !pieces.done(); ++i) {
    const size_t length = i < cuts.size() ? static_cast<uint8_t>(cuts[i]) % 16 + 1 : bytes.size();
    pieces.Feed(bytes.substr(at, length), 0, some);
    at += length;
  }
  FUZZ_CHECK(some.data == all.data && some.pings == all.pings && some.closed == all.closed);
  FUZZ_CHECK(pieces.fault_code() == whole.fault_code() && pieces.done() == whole.done());
  FUZZ_CHECK((whole.fault_code() != 0) == (whole.done() && !all.closed));
}

}  // namespace

int FuzzWebEntry(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string origins = in.Text();
  const std::string cuts = in.Text();
  const std::string bytes = in.Rest();
  // The head ends at its blank line; what follows is the peer's first frames.
  size_t end = bytes.find("\r\n\r\n");
  end = end == std::string::npos ? bytes.size() : end + 4;
  http::RequestHead head;
  head.Feed(std::string_view(bytes).substr(0, end));
  if (head.state() == http::RequestHead::State::kComplete) {
    const ws::Upgrade upgrade = ws::AnswerUpgrade(head, {origins});
    FUZZ_CHECK(upgrade.answer.rfind("HTTP/1.1 ", 0) == 0);
    FUZZ_CHECK((upgrade.verdict == ws::Upgrade::Verdict::kAccept) ==
               (upgrade.answer.rfind("HTTP/1.1 101 ", 0) == 0));
    FUZZ_CHECK(upgrade.verdict != ws::Upgrade::Verdict::kAccept || head.method() == "GET");
  }
  ReadFrames(std::string_view(bytes).substr(end), cuts);
  return 0;
}

}  // namespace fuzz
