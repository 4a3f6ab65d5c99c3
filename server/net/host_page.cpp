// SPDX-License-Identifier: MIT
#include "server/net/host_page.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "common/http/response.h"
#include "directory/languages.h"
#include "protocol/text.h"
#include "server/net/web_page.h"

namespace server {

namespace {

constexpr std::string_view kJson = "application/json";
constexpr std::string_view kRoomsPath = "/rooms";
constexpr std::string_view kLinkPrefix = "/r/";

std::string Json(std::string_view status, const QJsonObject& object, bool head_only = false) {
  const QByteArray body = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
  return http::Response(status, kJson, std::string_view(body.constData(), size_t(body.size())),
                        head_only);
}

std::string Error(std::string_view status, const std::string& text) {
  return Json(status, {{"error", QString::fromStdString(protocol::Utf8FromCp1252(text))}});
}

// Where players reach the host's page: the operator's address for it, else the address the
// request was sent to, as the browser that sent it reaches the host.
std::string BaseUrl(const RoomHost& host, const http::RequestHead& head, bool tls) {
  std::string base = host.default_room().core().settings().WebAddress;
  if (base.empty()) {
    base = std::string(tls ? "https" : "http") + "://" + head.Field("Host").value_or("localhost");
  }
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

std::string MakeRoom(RoomHost& host, const WebTransport::Request& request, bool tls) {
  if (!host.routes())
    return Error("404 Not Found", "This server holds one room and makes no others.");
  // A browser sends JSON to another site only after asking it (a preflight, which the host does
  // not answer), so no page elsewhere can make rooms in its visitors' names.
  const std::string type = protocol::LowerCase(request.head.Field("Content-Type").value_or(""));
  if (!type.starts_with("application/json")) {
    return Error("415 Unsupported Media Type", "POST /rooms takes application/json.");
  }
  QJsonParseError error;
  const QByteArray body(request.body.data(), static_cast<qsizetype>(request.body.size()));
  const QJsonDocument document = body.trimmed().isEmpty() ? QJsonDocument(QJsonObject())
                                                          : QJsonDocument::fromJson(body, &error);
  if (!document.isObject()) {
    return Error("400 Bad Request", "The body is to be a JSON object: name, password, public.");
  }
  const QJsonObject object = document.object();
  RoomChoices choices;
  // The wire and the rooms' settings carry Windows-1252; what it cannot hold becomes "?".
  choices.name = protocol::Cp1252FromUtf8(object.value("name").toString().trimmed().toStdString());
  choices.password = protocol::Cp1252FromUtf8(object.value("password").toString().toStdString());
  choices.is_public = object.value("public").toBool(false);
  if (object.contains("language")) {
    choices.language = object.value("language").toString().toStdString();
    if (!directory::IsKnownLanguage(choices.language)) {
      return Error("400 Bad Request",
                   "The language is to be one of " + directory::KnownLanguagesText() + ".");
    }
  }
  const RoomHost::Created created = host.CreateRoom(choices, request.client);
  if (created.code.empty()) return Error("429 Too Many Requests", created.refusal);
  const std::string url =
      BaseUrl(host, request.head, tls) + std::string(kLinkPrefix) + created.code;
  return Json(
      "201 Created",
      {{"code", QString::fromStdString(created.code)},
       {"url", QString::fromStdString(url)},
       {"name", QString::fromStdString(
                    protocol::Utf8FromCp1252(host.Find(created.code)->core().settings().Name))},
       {"public", choices.is_public},
       {"language", QString::fromStdString(host.Find(created.code)->core().settings().Language)}});
}

}  // namespace

std::string HostPageAnswer(RoomHost& host, const WebTransport::Request& request, bool tls) {
  const http::RequestHead& head = request.head;
  const std::string_view path = head.path();
  const bool read = head.method() == "GET" || head.head_only();
  if (path == kRoomsPath) {
    if (head.method() == "POST") return MakeRoom(host, request, tls);
    if (!read) {
      return http::Response("405 Method Not Allowed", "text/plain; charset=utf-8",
                            "GET, HEAD or POST only.\n", false, http::Framing::kLength,
                            "Allow: GET, HEAD, POST\r\n");
    }
    // A single room answers too, with no room to make, so that its page need not guess.
    const int most = host.routes() ? host.limits().max_rooms : 0;
    const int open = static_cast<int>(host.RoomCount());
    return Json("200 OK",
                {{"rooms", open}, {"max_rooms", most}, {"free", std::max(0, most - open)}},
                head.head_only());
  }
  if (path.starts_with(kLinkPrefix) && read) {
    if (!host.Find(path.substr(kLinkPrefix.size())) || path.size() == kLinkPrefix.size()) {
      return http::Response(
          "404 Not Found", "text/html; charset=utf-8",
          "<!doctype html><meta charset=\"utf-8\"><title>No such room</title>"
          "<meta name=\"viewport\" content=\"width=device-width\">"
          "<body style=\"font-family:sans-serif;max-width:32em;margin:3em auto;padding:0 1em\">"
          "<h1>No such room</h1><p>There is no room with this link here: it may have closed "
          "after everyone left, or the link is mistyped.</p><p><a href=\"/\">Make a room or join "
          "the main room</a></p>\n",
          head.head_only());
    }
    return WebPageFile(head, "/index.html");
  }
  return WebPageAnswer(head);
}

}  // namespace server
