// SPDX-License-Identifier: MIT
#include "tracker/http_front.h"

#include <QFile>
#include <QUrl>
#include <optional>

#include "common/http/response.h"
#include "common/metrics/exposition.h"
#include "common/qt/data_folder.h"
#include "common/qt/text_codec.h"
#include "directory/tracker_words.h"
#include "tracker/tracker_service.h"
#include "tracker/web_page.h"

namespace tracker {

namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HttpFront::HttpFront(TrackerService& service, RoomStore& store, QStringList version_folders,
                     QString tracker_path, scrawlbox::HttpLimits limits,
                     http::TrustedProxies trusted)
    : service_(service),
      store_(store),
      version_folders_(std::move(version_folders)),
      tracker_path_(std::move(tracker_path)),
      http_(
          limits,
          [this](const http::RequestHead& head, const std::string& client_address) {
            return Answer(head, client_address);
          },
          std::move(trusted)) {}

QByteArray HttpFront::Answer(const http::RequestHead& head, const std::string& client_address) {
  const bool head_only = head.head_only();
  if (head.method() != "GET" && !head_only) {
    return Bytes(http::Response("405 Method Not Allowed", "text/plain",
                                Reply(directory::status::ERROR, "Only GET is answered."), false,
                                http::Framing::kLength, "Allow: GET, HEAD\r\n"));
  }
  const QString path = QUrl::fromPercentEncoding(
      QByteArray(head.path().data(), static_cast<qsizetype>(head.path().size())));
  if (path == tracker_path_) {
    // The query goes on as it was sent: the service reads its escapes itself.
    const std::string body = service_.Handle(head.query(), client_address);
    return Bytes(http::Response("200 OK", "text/plain; charset=windows-1252", body, head_only,
                                http::Framing::kChunked));
  }
  if (path == QStringLiteral("/")) {
    return Bytes(http::Response("200 OK", "text/html; charset=utf-8",
                                View(Page(Latin1(head.query()))), head_only));
  }
  if (path == QStringLiteral("/create")) {
    // Asked at each visit, so that the visitors of every instance go where there is room now.
    // The page went through SaneWebAddress when it was registered, so it holds nothing that
    // could break the header or the link.
    if (const std::optional<std::string> host = store_.RoomyHost()) {
      const std::string target = *host + "#new";
      return Bytes(
          http::Response("303 See Other", "text/html; charset=utf-8",
                         "<!DOCTYPE html>\n<a href=\"" + target + "\">Create a private room</a>\n",
                         head_only, http::Framing::kLength, "Location: " + target + "\r\n"));
    }
    return Bytes(http::Response("503 Service Unavailable", "text/html; charset=utf-8",
                                View(NoRoomyHostPage()), head_only, http::Framing::kLength,
                                "Retry-After: 120\r\n"));
  }
  if (path == QStringLiteral("/version/client.txt") ||
      path == QStringLiteral("/version/server.txt")) {
    QFile file(scrawlbox::LocateDataFile(version_folders_, path.section(QLatin1Char('/'), -1)));
    if (file.open(QIODevice::ReadOnly)) {
      return Bytes(http::Response("200 OK", "text/plain", View(file.read(1024)), head_only));
    }
  }
  if (path == QStringLiteral("/metrics") && metrics_) {
    return Bytes(http::Response("200 OK", metrics::kContentType, metrics_(), head_only));
  }
  return Bytes(http::Response("404 Not Found", "text/plain", "Not found.\r\n", head_only));
}

QByteArray HttpFront::Page(const QString& query) {
  PageRequest request = ReadPageRequest(query);
  if (pages_generation_ != store_.generation() || pages_.size() >= kPagesKept) {
    pages_.clear();
    pages_generation_ = store_.generation();
  }
  const auto key = std::make_tuple(request.page, request.search, request.language);
  const auto kept = pages_.find(key);
  if (kept != pages_.end()) return kept->second;
  const std::string search = scrawlbox::ToWire(request.search);
  const std::string language = request.language.toStdString();
  RoomStore::Page listing =
      store_.ListedPage(search, language, (request.page - 1) * kRoomsPerPage, kRoomsPerPage);
  // A page past the end (the list shrank since the link was made) shows the last one.
  if (listing.rooms.empty() && request.page > PageCount(listing.total)) {
    request.page = PageCount(listing.total);
    listing =
        store_.ListedPage(search, language, (request.page - 1) * kRoomsPerPage, kRoomsPerPage);
  }
  return pages_[key] = RoomsPage(listing, request);
}

}  // namespace tracker
