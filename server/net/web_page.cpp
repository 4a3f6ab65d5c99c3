// SPDX-License-Identifier: MIT
#include "server/net/web_page.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/http/response.h"

namespace server {

namespace {

constexpr std::string_view kPlain = "text/plain; charset=utf-8";
// The page loads nothing from elsewhere, and no other site may frame it.
constexpr std::string_view kPageHeaders =
    "Content-Security-Policy: default-src 'self'; connect-src 'self'; frame-ancestors 'none'\r\n"
    "X-Content-Type-Options: nosniff\r\n";

std::string_view TypeOf(std::string_view path) {
  const auto ends = [&](std::string_view suffix) {
    return path.size() >= suffix.size() && path.substr(path.size() - suffix.size()) == suffix;
  };
  if (ends(".html")) return "text/html; charset=utf-8";
  if (ends(".js")) return "text/javascript; charset=utf-8";
  if (ends(".css")) return "text/css; charset=utf-8";
  if (ends(".wasm")) return "application/wasm";
  if (ends(".svg")) return "image/svg+xml";
  if (ends(".png")) return "image/png";
  if (ends(".wav")) return "audio/wav";
  if (ends(".json")) return "application/json";
  return "application/octet-stream";
}

// Letters, digits and "-_./" without "..": a file of the page's folder, never one above it.
bool IsPagePath(std::string_view path) {
  return path.size() > 1 && path.front() == '/' && path.find("..") == std::string_view::npos &&
         std::all_of(path.begin(), path.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
                  c == '/';
         });
}

}  // namespace

std::string WebPageAnswer(const http::RequestHead& head) {
  if (head.method() != "GET" && !head.head_only()) {
    return http::Response("405 Method Not Allowed", kPlain, "GET or HEAD only.\n", false,
                          http::Framing::kLength, "Allow: GET, HEAD\r\n");
  }
  const std::string_view path = head.path() == "/" ? "/index.html" : head.path();
  QFile file(QStringLiteral(":/web") +
             QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size())));
  if (!IsPagePath(path) || !file.open(QIODevice::ReadOnly)) {
    return http::Response("404 Not Found", kPlain, "No such page.\n", head.head_only());
  }
  const QByteArray body = file.readAll();
  return http::Response("200 OK", TypeOf(path),
                        std::string_view(body.constData(), static_cast<size_t>(body.size())),
                        head.head_only(), http::Framing::kLength, kPageHeaders);
}

}  // namespace server
