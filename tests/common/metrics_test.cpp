// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "common/metrics/exposition.h"
#include "common/metrics/scrape_request.h"

namespace {

using metrics::Exposition;
using testing::HasSubstr;
using testing::StartsWith;

TEST(Exposition, FamiliesSamplesEscapingAndNumbersAsTheTextFormatWritesThem) {
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
  const double inf = std::numeric_limits<double>::infinity();
  using Row = std::pair<double, const char*>;
  // A large counter stays an exact integer, never 1e+15.
  for (const auto& [value, text] :
       {Row{0, "0"}, Row{-7, "-7"}, Row{1234567890123456.0, "1234567890123456"},
        Row{1700000000.25, "1700000000.25"}, Row{NAN, "NaN"}, Row{inf, "+Inf"},
        Row{-inf, "-Inf"}}) {
    EXPECT_EQ(metrics::FormatValue(value), text);
  }
  // Beyond 2^53 the value is written in full precision rather than rounded to an integer.
  EXPECT_EQ(std::stod(metrics::FormatValue(1e300)), 1e300);
}

std::string AnswerTo(std::string_view request, int* built = nullptr) {
  http::RequestHead head;
  EXPECT_TRUE(head.Feed(request));
  return metrics::ScrapeAnswer(head, "/metrics", [built] {
    if (built) ++*built;
    return std::string("m 1\n");
  });
}

TEST(ScrapeAnswer, GetAndHeadOfThePathOnly) {
  const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Type: text/plain; version=0.0.4; charset=utf-8\r\n"
      "Connection: close\r\nCache-Control: no-store\r\nContent-Length: 4\r\n\r\n";
  EXPECT_EQ(AnswerTo("GET /metrics HTTP/1.1\r\nHost: x\r\nAccept: */*\r\n\r\n"), head + "m 1\n");
  EXPECT_EQ(AnswerTo("GET /metrics?x=1 HTTP/1.0\n\n"), head + "m 1\n");  // a query is no path
  EXPECT_EQ(AnswerTo("HEAD /metrics HTTP/1.1\r\n\r\n"), head);
  // Another path or method: the body is not even built.
  int built = 0;
  EXPECT_THAT(AnswerTo("GET / HTTP/1.1\r\n\r\n", &built), StartsWith("HTTP/1.1 404 "));
  EXPECT_THAT(AnswerTo("GET /metricsx HTTP/1.1\r\n\r\n", &built), StartsWith("HTTP/1.1 404 "));
  const std::string post = AnswerTo("POST /metrics HTTP/1.1\r\n\r\n", &built);
  EXPECT_THAT(post, StartsWith("HTTP/1.1 405 "));
  EXPECT_THAT(post, HasSubstr("Allow: GET, HEAD\r\n"));
  EXPECT_EQ(built, 0);
}

}  // namespace
