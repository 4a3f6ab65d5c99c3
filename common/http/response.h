// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace http {

enum class Framing {
  kLength,   // Content-Length
  kChunked,  // one chunk and the last, for clients that read the tracker's answers that way
};

// One whole answer; every one says "Connection: close" and the connection ends after it.
// status: "200 OK" and the like. without_body: a HEAD request, answered with the headers alone.
// cache_control: what a browser may keep; nothing unless the endpoint says otherwise.
std::string Response(std::string_view status, std::string_view type, std::string_view body,
                     bool without_body = false, Framing framing = Framing::kLength,
                     std::string_view extra_headers = {},
                     std::string_view cache_control = "no-store");

// The answers every endpoint gives a head it cannot take, as plain text.
std::string BadRequest();          // 400: no HTTP request
std::string HeadTooLong();         // 431: over RequestHead::kMaxHead
std::string TooManyConnections();  // 503: the listener or the peer's address is at its bound

}  // namespace http
