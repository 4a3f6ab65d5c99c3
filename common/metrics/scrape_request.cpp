// SPDX-License-Identifier: MIT
#include "common/metrics/scrape_request.h"

#include "common/http/response.h"
#include "common/metrics/exposition.h"

namespace metrics {

std::string ScrapeAnswer(const http::RequestHead& head, std::string_view path,
                         const std::function<std::string()>& text) {
  constexpr std::string_view kPlain = "text/plain; charset=utf-8";
  if (head.method() != "GET" && !head.head_only()) {
    return http::Response("405 Method Not Allowed", kPlain, "Only GET is answered.\n", false,
                          http::Framing::kLength, "Allow: GET, HEAD\r\n");
  }
  if (head.path() != path)
    return http::Response("404 Not Found", kPlain, "Not found.\n", head.head_only());
  return http::Response("200 OK", kContentType, text(), head.head_only());
}

}  // namespace metrics
