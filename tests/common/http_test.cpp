// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/http/peer_limits.h"
#include "common/http/request_head.h"
#include "common/http/response.h"
#include "common/http/trusted_proxies.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace {

using http::PeerLimits;
using http::RequestHead;

const std::string kStart = "GET /t?a=1 HTTP/1.1\r\nX: ";
// A head that ends just within the bound.
const std::string kFits = kStart + std::string(RequestHead::kMaxHead - kStart.size(), 'b');
const std::string kLine = std::string(4000, 'x') + "\r\n";

TEST(RequestHead, ReadsTheHeadOrRefusesItAsSoonAsItCan) {
  struct Row {
    const char* name;
    std::vector<std::string> reads;
    // "state after-read method path ?query [X-Forwarded-For]": the read that decided it
    // (reads.size() when none did), then what the head says.
    std::string outcome;
  };
  const Row rows[] = {
      {"Whole", {"GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"}, "complete 0 GET /metrics"},
      {"BareLineFeeds", {"HEAD /?q=a+b HTTP/1.0\n\n"}, "complete 0 HEAD / ?q=a+b"},
      // Later bytes (a body, another request) change nothing.
      {"EndSplitOverReads",
       {"GET /misc/t.php?ACTION=VIEW", " HTTP/1.1\r\nHost: a\r", "\n\r",
        "\nGET /other HTTP/1.1\r\n\r\n", "more"},
       "complete 3 GET /misc/t.php ?ACTION=VIEW"},
      {"FieldInAnyCaseFoldedOverItsLines",
       {"GET / HTTP/1.1\r\nx-forwarded-for: 10.0.0.1 \r\nX-Forwarded-For-Not: no\r\n"
        "X-Forwarded-For : no\nX-FORWARDED-FOR:\t198.51.100.7\r\n\r\n"},
       "complete 0 GET / [10.0.0.1, 198.51.100.7]"},
      {"FieldContinuedOnTheNextLine",
       {"GET / HTTP/1.1\r\nX-Forwarded-For: 10.0.0.1,\r\n 10.0.0.2\r\nA: b\r\n\r\n"},
       "complete 0 GET / [10.0.0.1, 10.0.0.2]"},
      {"FieldEmpty", {"GET / HTTP/1.1\r\nX-Forwarded-For:\r\n\r\n"}, "complete 0 GET / []"},
      {"AbsoluteTarget", {"GET http://h:1/p?x#f HTTP/1.1\r\n\r\n"}, "complete 0 GET /p ?x"},
      {"EndsJustWithinTheBound", {kFits, "\r\n\r\n"}, "complete 1 GET /t ?a=1"},
      {"OneByteOver", {kFits + "b", "\r\n\r\n"}, "too long 1"},
      // An end that may still start within the bound is waited for.
      {"EndSplitAtTheBound",
       {kFits.substr(0, kFits.size() - 1) + "\r\n\r", "\n"},
       "complete 1 GET /t ?a=1"},
      {"OneHugeRead", {std::string(1 << 20, 'A')}, "too long 0"},
      {"EndlessHeaderLines", {"GET / HTTP/1.1\r\n", kLine, kLine, kLine, "\r\n"}, "too long 3"},
      // What is no request is refused when its first line ends, not at the bound.
      {"BinaryFirstLineInOneHugeRead", {Wire("\x16| x\n") + std::string(9000, 'a')}, "bad 0"},
      {"LowerCaseMethod", {"get / HTTP/1.1\r\n"}, "bad 0"},
      {"NoVersion", {"GET /metrics\r\n\r\n"}, "bad 0"},
      {"TwoSpaces", {"GET  /metrics HTTP/1.1\r\n\r\n"}, "bad 0"},
      {"SpaceInTarget", {"GET /a b HTTP/1.1\r\n\r\n"}, "bad 0"},
      {"ControlByteInTarget", {"GET /a?x\rb HTTP/1.1\r\n\r\n"}, "bad 0"},
      {"OtherVersion", {"GET / HTTP/1.10\r\n\r\n"}, "bad 0"},
      {"Unfinished", {"GET / HTTP/1.1\r\nHost: x\r\n"}, "reading 1"}};
  for (const Row& c : rows) {
    RequestHead head;
    size_t decided = c.reads.size();
    for (size_t i = 0; i < c.reads.size(); ++i) {
      if (head.Feed(c.reads[i]) && decided == c.reads.size()) decided = i;
    }
    const char* states[] = {"reading", "complete", "too long", "bad"};
    std::string outcome = states[static_cast<int>(head.state())] + (" " + std::to_string(decided));
    if (!head.method().empty()) outcome += " " + head.method() + " " + std::string(head.path());
    if (!head.query().empty()) outcome += " ?" + std::string(head.query());
    if (const auto field = head.Field("X-Forwarded-For")) outcome += " [" + *field + "]";
    EXPECT_EQ(outcome, c.outcome) << c.name;
  }
}

TEST(Response, ChunkedOrByLengthAndHeadersAloneForHead) {
  EXPECT_EQ(
      http::Response("200 OK", "text/plain", "0123456789abcdefg", false, http::Framing::kChunked),
      "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
      "Cache-Control: no-store\r\nTransfer-Encoding: chunked\r\n\r\n"
      "11\r\n0123456789abcdefg\r\n0\r\n\r\n");
  EXPECT_THAT(http::Response("404 Not Found", "text/plain", "gone", true),
              testing::EndsWith("Content-Length: 4\r\n\r\n"));
}

// Each admission as a letter, A admitted (with the one it evicted), a address full, F full.
std::string Admit(PeerLimits& limits, uint64_t id, const char* address, bool proxy = false) {
  const PeerLimits::Admission in = limits.Admit(id, address, proxy);
  const char* letters[] = {"A", "a", "F"};
  return letters[static_cast<int>(in.verdict)] + (in.evicted ? std::to_string(*in.evicted) : "");
}

// The fuzz target's kept inputs check the rest of the rule against a model.
TEST(PeerLimits, ALateCloseOfOneThatMadeWayChangesNothingAndAProxyHasNoBoundPerAddress) {
  PeerLimits limits(2, 1), unbounded(2, 0), proxied(3, 1);
  std::string got;
  for (const auto& [id, address] :
       {std::pair<uint64_t, const char*>{1, "a"}, {2, "a"}, {3, "b"}, {4, "c"}}) {
    got += Admit(limits, id, address);
  }
  limits.Closed(1);  // made way for 4: its close comes later
  got += " " + std::to_string(limits.open()) + " ";
  for (uint64_t id : {1, 2, 3}) {
    got += Admit(unbounded, id, "a") + Admit(proxied, id, "p", true);
    proxied.HeadRead(id);
    if (id == 2) unbounded.Closed(1);
  }
  EXPECT_EQ(got + Admit(proxied, 4, "p", true), "AaAA1 2 AAAAAAF");
}

TEST(TrustedProxies, OnlyATrustedProxyNamesTheClientAndOnlyByItsLastAddress) {
  std::string bad;
  EXPECT_FALSE(http::TrustedProxies::Parse("127.0.0.1, proxy.example", &bad));
  EXPECT_EQ(bad, "proxy.example");  // an entry that is no address is named
  EXPECT_FALSE(http::TrustedProxies::Parse("", &bad)->Contains("127.0.0.1"));
  const auto trusted = http::TrustedProxies::Parse(" 127.0.0.1,, ::ffff:10.0.0.9 ,::1", &bad);
  struct Row {
    const char* name;
    std::string peer;
    std::optional<std::string> forwarded_for;
    std::string client;
  };
  const Row rows[] = {
      // What the client sent itself comes first; the proxy's own word is the last address.
      {"LastAddress", "127.0.0.1", "6.6.6.6, 203.0.113.5", "203.0.113.5"},
      {"WrittenOneWay", "10.0.0.9", " 2001:DB8:0::1 ", "2001:db8::1"},
      {"MappedAsV4", "::1", "::ffff:198.51.100.2", "198.51.100.2"},
      {"UntrustedPeer", "192.0.2.1", "203.0.113.5", "192.0.2.1"},
      {"NoField", "127.0.0.1", std::nullopt, "127.0.0.1"},
      {"WithPort", "127.0.0.1", "203.0.113.5:4000", "127.0.0.1"},
      {"LeadingZero", "127.0.0.1", "203.0.113.05", "127.0.0.1"},
      {"ShortV4", "127.0.0.1", "203.0.113", "127.0.0.1"},
      {"Bracketed", "127.0.0.1", "[2001:db8::1]", "127.0.0.1"},
      {"Word", "127.0.0.1", "unknown", "127.0.0.1"},
      {"EmptyLast", "127.0.0.1", "203.0.113.5, ", "127.0.0.1"},
      {"Huge", "127.0.0.1", "1" + std::string(4000, ' '), "127.0.0.1"}};
  for (const Row& c : rows) {
    EXPECT_EQ(trusted->ClientAddress(c.peer, c.forwarded_for), c.client) << c.name;
  }
}

}  // namespace
