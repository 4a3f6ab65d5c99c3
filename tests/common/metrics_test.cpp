// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/metrics/exposition.h"
#include "common/metrics/scrape_request.h"

namespace {

using metrics::Exposition;
using metrics::ScrapeRequest;
using testing::EndsWith;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

TEST(Exposition, FamiliesSamplesAndEscaping) {
  Exposition out;
  out.Counter("a_total", "Back\\slash and\nline.");
  out.Sample(3, {{"kind", "chat"}, {"path", "C:\\x \"q\"\nz"}});
  out.Gauge("b", "Plain.");
  out.Sample(0.5);
  EXPECT_EQ(out.text(),
            "# HELP a_total Back\\\\slash and\\nline.\n"
            "# TYPE a_total counter\n"
            "a_total{kind=\"chat\",path=\"C:\\\\x \\\"q\\\"\\nz\"} 3\n"
            "# HELP b Plain.\n"
            "# TYPE b gauge\n"
            "b 0.5\n");
}

TEST(Exposition, NumbersAsTheTextFormatWritesThem) {
  EXPECT_EQ(metrics::FormatValue(0), "0");
  EXPECT_EQ(metrics::FormatValue(-7), "-7");
  // A large counter stays an exact integer, never 1e+15.
  EXPECT_EQ(metrics::FormatValue(1234567890123456.0), "1234567890123456");
  EXPECT_EQ(metrics::FormatValue(1700000000.25), "1700000000.25");
  EXPECT_EQ(metrics::FormatValue(std::nan("")), "NaN");
  EXPECT_EQ(metrics::FormatValue(std::numeric_limits<double>::infinity()), "+Inf");
  EXPECT_EQ(metrics::FormatValue(-std::numeric_limits<double>::infinity()), "-Inf");
  // Beyond 2^53 the value is written in full precision rather than rounded to an integer.
  EXPECT_EQ(std::stod(metrics::FormatValue(1e300)), 1e300);
}

std::string AnswerTo(std::string_view request, std::string_view path = "/metrics") {
  ScrapeRequest scrape;
  EXPECT_TRUE(scrape.Feed(request));
  return scrape.Answer(path, [] { return std::string("m 1\n"); });
}

TEST(ScrapeRequest, AnswersGetAndHeadOfThePathOnly) {
  const std::string ok = AnswerTo("GET /metrics HTTP/1.1\r\nHost: x\r\nAccept: */*\r\n\r\n");
  EXPECT_THAT(ok, StartsWith("HTTP/1.1 200 OK\r\n"));
  EXPECT_THAT(ok, HasSubstr("Content-Type: text/plain; version=0.0.4; charset=utf-8\r\n"));
  EXPECT_THAT(ok, HasSubstr("Content-Length: 4\r\n"));
  EXPECT_THAT(ok, HasSubstr("Connection: close\r\n"));
  EXPECT_THAT(ok, EndsWith("\r\n\r\nm 1\n"));
  // A query string is no other path; bare line feeds end a head too.
  EXPECT_THAT(AnswerTo("GET /metrics?x=1 HTTP/1.0\n\n"), StartsWith("HTTP/1.1 200 OK"));

  const std::string head = AnswerTo("HEAD /metrics HTTP/1.1\r\n\r\n");
  EXPECT_THAT(head, HasSubstr("Content-Length: 4\r\n"));
  EXPECT_THAT(head, EndsWith("\r\n\r\n"));

  EXPECT_THAT(AnswerTo("GET / HTTP/1.1\r\n\r\n"), StartsWith("HTTP/1.1 404 "));
  EXPECT_THAT(AnswerTo("GET /metricsx HTTP/1.1\r\n\r\n"), StartsWith("HTTP/1.1 404 "));
  const std::string post = AnswerTo("POST /metrics HTTP/1.1\r\n\r\n");
  EXPECT_THAT(post, StartsWith("HTTP/1.1 405 "));
  EXPECT_THAT(post, HasSubstr("Allow: GET, HEAD\r\n"));
}

TEST(ScrapeRequest, BuildsTheBodyOnlyWhenItIsWanted) {
  ScrapeRequest scrape;
  ASSERT_TRUE(scrape.Feed("GET /other HTTP/1.1\r\n\r\n"));
  int built = 0;
  scrape.Answer("/metrics", [&built] {
    ++built;
    return std::string();
  });
  EXPECT_EQ(built, 0);
}

TEST(ScrapeRequest, AHeadInPiecesEvenWithTheEndSplit) {
  ScrapeRequest scrape;
  EXPECT_FALSE(scrape.Feed("GET /metr"));
  EXPECT_FALSE(scrape.Feed("ics HTTP/1.1\r\nHost: a\r"));
  EXPECT_FALSE(scrape.Feed("\n\r"));
  EXPECT_TRUE(scrape.Feed("\nwhatever the body says"));
  EXPECT_EQ(scrape.method(), "GET");
  EXPECT_EQ(scrape.target(), "/metrics");
  // Later bytes change nothing.
  EXPECT_TRUE(scrape.Feed("GET /other HTTP/1.1\r\n\r\n"));
  EXPECT_EQ(scrape.target(), "/metrics");
}

TEST(ScrapeRequest, RefusesWhatIsNoRequestWithoutWaitingForMore) {
  for (const char* bad : {"\x16\x03\x01 binary\n", "get /metrics HTTP/1.1\r\n\r\n",
                          "GET /metrics\r\n\r\n", "GET  /metrics HTTP/1.1\r\n\r\n",
                          "GET /metrics SPDY/3\r\n\r\n", "GET /a b HTTP/1.1\r\n\r\n"}) {
    SCOPED_TRACE(bad);
    EXPECT_THAT(AnswerTo(bad), StartsWith("HTTP/1.1 400 "));
  }
}

TEST(ScrapeRequest, AHeadOverTheBoundIsRefusedAndNotKept) {
  ScrapeRequest scrape;
  const std::string line = "X-Filler: " + std::string(1000, 'a') + "\r\n";
  bool done = scrape.Feed("GET /metrics HTTP/1.1\r\n");
  for (int i = 0; i < 9 && !done; ++i) done = scrape.Feed(line);
  ASSERT_TRUE(done);
  const std::string answer = scrape.Answer("/metrics", [] { return std::string("m 1\n"); });
  EXPECT_THAT(answer, StartsWith("HTTP/1.1 431 "));
  EXPECT_THAT(answer, Not(HasSubstr("m 1")));

  // One read far over the bound is cut at once, and the head that ends just within it counts.
  ScrapeRequest big;
  EXPECT_TRUE(big.Feed(std::string(1 << 20, 'A')));
  EXPECT_THAT(big.Answer("/metrics", [] { return std::string(); }), StartsWith("HTTP/1.1 4"));
  ScrapeRequest edge;
  const std::string start = "GET /metrics HTTP/1.1\r\nX: ";
  const std::string fits = start + std::string(ScrapeRequest::kMaxHead - start.size(), 'b');
  EXPECT_TRUE(edge.Feed(fits + "\r\n\r\n"));
  EXPECT_THAT(edge.Answer("/metrics", [] { return std::string(); }), StartsWith("HTTP/1.1 200 "));
}

}  // namespace
