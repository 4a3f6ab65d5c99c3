// SPDX-License-Identifier: MIT
#include "server/net/web_page.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "common/http/response.h"
#include "protocol/framing.h"
#include "protocol/text.h"

namespace server {

namespace {

constexpr std::string_view kPlain = "text/plain; charset=utf-8";
// Kept, but asked for again on every load: a reload after the room was updated gets the new
// files, and the same ones cost a 304.
constexpr std::string_view kRevalidate = "no-cache";

std::string_view TypeOf(std::string_view path) {
  const auto ends = [&](std::string_view suffix) {
    return path.size() >= suffix.size() && path.substr(path.size() - suffix.size()) == suffix;
  };
  if (ends(".html")) return "text/html; charset=utf-8";
  if (ends(".js")) return "text/javascript; charset=utf-8";
  if (ends(".css")) return "text/css; charset=utf-8";
  // The browser compiles WebAssembly while it downloads only when the type says what it is.
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

std::string_view Trimmed(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// Whether a list field ("gzip, br;q=0.5") takes the coding: named or "*", and not with q=0.
bool AcceptsGzip(const std::optional<std::string>& accept_encoding) {
  if (!accept_encoding) return false;
  for (const std::string& item : protocol::SplitFields(*accept_encoding, ',')) {
    const std::string_view coding = Trimmed(protocol::LeftOf(item, ';'));
    if (!protocol::EqualsIgnoreCase(coding, "gzip") && coding != "*") continue;
    const std::string_view parameter = Trimmed(protocol::RightOf(item, ';'));
    const bool refused = (parameter.starts_with("q=") || parameter.starts_with("Q=")) &&
                         parameter.substr(2).find_first_not_of("0.") == std::string_view::npos;
    if (!refused) return true;
  }
  return false;
}

// A strong tag from the bytes sent (FNV-1a), so each coding of a file has its own.
std::string EntityTag(const QByteArray& body) {
  uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : body) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return tag;
}

bool Matches(const std::optional<std::string>& if_none_match, const std::string& tag) {
  if (!if_none_match) return false;
  for (const std::string& item : protocol::SplitFields(*if_none_match, ',')) {
    std::string_view candidate = Trimmed(item);
    if (candidate.starts_with("W/")) candidate.remove_prefix(2);
    if (candidate == tag || candidate == "*") return true;
  }
  return false;
}

// The page loads nothing from elsewhere and no other site may frame it. Its script compiles
// WebAssembly, and it opens a WebSocket to its room: 'self' names that in the browsers that
// follow CSP 3, the host itself in the others (a Host that is no host name adds nothing).
std::string PageHeaders(const std::optional<std::string>& host) {
  std::string sockets;
  if (host && !host->empty() && std::all_of(host->begin(), host->end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == ':' ||
               c == '[' || c == ']';
      })) {
    sockets = " ws://" + *host + " wss://" + *host;
  }
  // Images from blob: too: the page shows the pictures with words in them from copies it makes
  // with the words in its player's language, which only its own script can make.
  return "Content-Security-Policy: default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
         "img-src 'self' blob:; connect-src 'self'" +
         sockets +
         "; frame-ancestors 'none'\r\n"
         "X-Content-Type-Options: nosniff\r\n";
}

QByteArray Read(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

std::string WebPageAnswer(const http::RequestHead& head) {
  if (head.method() != "GET" && !head.head_only()) {
    return http::Response("405 Method Not Allowed", kPlain, "GET or HEAD only.\n", false,
                          http::Framing::kLength, "Allow: GET, HEAD\r\n");
  }
  return WebPageFile(head, head.path() == "/" ? "/index.html" : head.path());
}

std::string WebPageFile(const http::RequestHead& head, std::string_view path) {
  const QString name = QStringLiteral(":/web") +
                       QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size()));
  if (!IsPagePath(path) || !QFile::exists(name)) {
    return http::Response("404 Not Found", kPlain, "No such page.\n", head.head_only());
  }
  // Every file is built beside its gzip-compressed copy.
  const QString compressed = name + QStringLiteral(".gz");
  const bool gzip = AcceptsGzip(head.Field("Accept-Encoding")) && QFile::exists(compressed);
  const QByteArray body = Read(gzip ? compressed : name);
  const std::string tag = EntityTag(body);
  std::string headers =
      PageHeaders(head.Field("Host")) + "ETag: " + tag + "\r\nVary: Accept-Encoding\r\n";
  if (gzip) headers += "Content-Encoding: gzip\r\n";
  const bool unchanged = Matches(head.Field("If-None-Match"), tag);
  return http::Response(unchanged ? "304 Not Modified" : "200 OK", TypeOf(path),
                        std::string_view(body.constData(), static_cast<size_t>(body.size())),
                        head.head_only() || unchanged, http::Framing::kLength, headers,
                        kRevalidate);
}

}  // namespace server
