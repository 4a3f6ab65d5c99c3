// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/http/request_head.h"

namespace metrics {

// The answer of a scrape endpoint to a complete request head: the body (from text, called only
// when it is wanted) for GET and HEAD of path, with HEAD sending the headers alone; 404 for
// another path and 405 for another method.
std::string ScrapeAnswer(const http::RequestHead& head, std::string_view path,
                         const std::function<std::string()>& text);

}  // namespace metrics
