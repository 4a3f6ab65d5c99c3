// SPDX-License-Identifier: MIT
#include "common/http/response.h"

namespace http {

namespace {

constexpr std::string_view kPlain = "text/plain; charset=utf-8";

char HexDigit(size_t value) {
  return "0123456789abcdef"[value & 15];
}

std::string Hex(size_t value) {
  std::string text;
  do {
    text.insert(text.begin(), HexDigit(value));
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace

std::string Response(std::string_view status, std::string_view type, std::string_view body,
                     bool without_body, Framing framing, std::string_view extra_headers,
                     std::string_view cache_control) {
  std::string out = "HTTP/1.1 ";
  out += status;
  out += "\r\nContent-Type: ";
  out += type;
  out += "\r\nConnection: close\r\nCache-Control: ";
  out += cache_control;
  out += "\r\n";
  out += extra_headers;
  if (framing == Framing::kChunked) {
    out += "Transfer-Encoding: chunked\r\n\r\n";
    if (without_body) return out;
    if (!body.empty()) {
      out += Hex(body.size());
      out += "\r\n";
      out += body;
      out += "\r\n";
    }
    out += "0\r\n\r\n";
    return out;
  }
  out += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  if (!without_body) out += body;
  return out;
}

std::string BadRequest() {
  return Response("400 Bad Request", kPlain, "Bad request.\n");
}

std::string HeadTooLong() {
  return Response("431 Request Header Fields Too Large", kPlain, "Request too long.\n");
}

std::string TooManyConnections() {
  return Response("503 Service Unavailable", kPlain, "Too many connections; try again later.\n");
}

}  // namespace http
