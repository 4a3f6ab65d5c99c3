// SPDX-License-Identifier: MIT
// HTTP request heads as the tracker and the room's metrics endpoint read them, and who may hold
// one of their connections.
#include <algorithm>
#include <map>
#include <set>

#include "common/http/peer_limits.h"
#include "common/http/request_head.h"
#include "common/http/trusted_proxies.h"
#include "common/metrics/scrape_request.h"
#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

namespace {

using http::RequestHead;

// The bytes, read whole and in the fuzzed pieces: the same head (and X-Forwarded-For) either
// way, decided within the bound, and a complete one well-formed and answered by the room's
// scrape endpoint.
void ReadHead(FuzzInput& in) {
  const std::string cuts = in.Text();
  // Filler lets short inputs reach the bound: a head line repeated up to 12 KiB.
  const std::string line = in.Text();
  const std::string filler = Repeated(line, in.Number16(), 12 * 1024);
  const std::string bytes = in.Rest() + filler;

  RequestHead whole;
  const bool whole_decided = whole.Feed(bytes);
  FUZZ_CHECK(whole_decided == (whole.state() != RequestHead::State::kReading));
  FUZZ_CHECK(whole_decided || bytes.size() < RequestHead::kMaxHead + 4);

  RequestHead pieces;
  size_t at = 0;
  for (size_t i = 0; at < bytes.size(); ++i) {
    const size_t length = i < cuts.size() ? static_cast<uint8_t>(cuts[i]) * 64 + 1 : bytes.size();
    const bool decided = pieces.Feed(std::string_view(bytes).substr(at, length));
    FUZZ_CHECK(decided == (pieces.state() != RequestHead::State::kReading));
    at += length;
  }
  FUZZ_CHECK(whole.state() == pieces.state() && whole.method() == pieces.method() &&
             whole.target() == pieces.target() &&
             whole.Field("X-Forwarded-For") == pieces.Field("x-forwarded-for"));
  // Behind a trusted proxy the client is the proxy itself or an address written one way.
  static const http::TrustedProxies proxy = *http::TrustedProxies::Parse("127.0.0.1", nullptr);
  const std::string client = proxy.ClientAddress("127.0.0.1", whole.Field("X-Forwarded-For"));
  FUZZ_CHECK(client == "127.0.0.1" || http::CanonicalAddress(client) == client);

  // Only a complete head has a request line, and its path and query are parts of its target.
  const bool complete = whole.state() == RequestHead::State::kComplete;
  FUZZ_CHECK(whole.method().empty() != complete && whole.target().empty() != complete);
  if (!complete) return;
  FUZZ_CHECK(whole.target().find_first_of(" \r\n") == std::string::npos);
  FUZZ_CHECK(whole.path().size() + whole.query().size() < whole.target().size() + 1);
  bool built = false;
  const std::string answer = metrics::ScrapeAnswer(whole, "/metrics", [&built] {
    built = true;
    return std::string("m 1\n");
  });
  FUZZ_CHECK(answer.rfind("HTTP/1.1 ", 0) == 0);
  const bool wanted = (whole.method() == "GET" || whole.head_only()) && whole.path() == "/metrics";
  FUZZ_CHECK(built == wanted);
  FUZZ_CHECK((answer.rfind("HTTP/1.1 200 ", 0) == 0) == wanted);
}

// Connections coming, reading their heads and going, against a plain model: never more than the
// bounds, and when full the oldest connection still reading is the one that makes way.
void AdmitPeers(FuzzInput& in) {
  const size_t total = in.Pick(6) + 1;
  const size_t per_address = in.Pick(4);
  http::PeerLimits limits(total, per_address);
  std::map<uint64_t, int> open;  // id → address
  std::set<uint64_t> reading;
  uint64_t next = 0;
  while (!in.empty()) {
    const uint8_t step = in.Byte();
    const int address = step % 4;
    const uint64_t id = open.empty() ? next : std::next(open.begin(), in.Pick(open.size()))->first;
    if (step / 4 % 3 == 1) {
      limits.HeadRead(id);
      reading.erase(id);
    } else if (step / 4 % 3 == 2) {
      limits.Closed(id);
      open.erase(id);
      reading.erase(id);
    } else {
      using Verdict = http::PeerLimits::Verdict;
      const http::PeerLimits::Admission admission =
          limits.Admit(++next, std::string(1, static_cast<char>('a' + address)));
      const auto same_address = [address](const auto& entry) { return entry.second == address; };
      if (per_address != 0 && static_cast<size_t>(std::count_if(open.begin(), open.end(),
                                                                same_address)) >= per_address) {
        FUZZ_CHECK(admission.verdict == Verdict::kAddressFull);
      } else if (open.size() < total) {
        FUZZ_CHECK(admission.verdict == Verdict::kAdmitted && !admission.evicted);
      } else if (reading.empty()) {
        FUZZ_CHECK(admission.verdict == Verdict::kFull);
      } else {
        FUZZ_CHECK(admission.verdict == Verdict::kAdmitted &&
                   admission.evicted == *reading.begin());
        open.erase(*reading.begin());
        reading.erase(reading.begin());
      }
      if (admission.verdict == Verdict::kAdmitted) {
        open[next] = address;
        reading.insert(next);
      }
    }
    FUZZ_CHECK(limits.open() == open.size() && open.size() <= total);
  }
}

}  // namespace

int FuzzHttpHeads(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  in.Flag() ? AdmitPeers(in) : ReadHead(in);
  return 0;
}

}  // namespace fuzz
