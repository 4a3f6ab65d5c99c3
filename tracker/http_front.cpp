// SPDX-License-Identifier: MIT
#include "tracker/http_front.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "common/qt/host_address.h"
#include "common/qt/text_codec.h"
#include "directory/tracker_words.h"
#include "tracker/tracker_service.h"
#include "tracker/web_page.h"

namespace tracker {

namespace {

QByteArray StatusText(int status) {
  switch (status) {
    case 200:
      return "200 OK";
    case 404:
      return "404 Not Found";
    case 405:
      return "405 Method Not Allowed";
    default:
      return QByteArray::number(status);
  }
}

// One whole answer, then the connection closes (every request says "Connection: close").
void Respond(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body,
             bool chunked) {
  QByteArray out = "HTTP/1.1 " + StatusText(status) + "\r\nContent-Type: " + type +
                   "\r\nConnection: close\r\nCache-Control: no-store\r\n";
  if (chunked) {
    out += "Transfer-Encoding: chunked\r\n\r\n";
    if (!body.isEmpty()) out += QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n";
    out += "0\r\n\r\n";
  } else {
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
  }
  socket->write(out);
  socket->disconnectFromHost();
}

}  // namespace

void GuardedTcpServer::incomingConnection(qintptr handle) {
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(handle) || open_ >= kMaxConnections) {
    socket->abort();
    socket->deleteLater();
    return;
  }
  ++open_;
  connect(socket, &QObject::destroyed, this, [this] { --open_; });
  QTimer::singleShot(deadline_ms_, socket, [socket] { socket->abort(); });
  addPendingConnection(socket);
}

HttpFront::HttpFront(TrackerService& service, RoomStore& store, QString data_folder,
                     QString tracker_path, QObject* parent)
    : QAbstractHttpServer(parent),
      service_(service),
      store_(store),
      data_folder_(std::move(data_folder)),
      tracker_path_(std::move(tracker_path)) {}

bool HttpFront::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  if (request.method() != QHttpServerRequest::Method::Get &&
      request.method() != QHttpServerRequest::Method::Head) {
    Respond(socket, 405, "text/plain",
            QByteArray::fromStdString(Reply(directory::status::ERROR, "Only GET is answered.")),
            false);
    return true;
  }
  const QString path = request.url().path();
  if (path == tracker_path_) {
    const QByteArray query = request.url().query(QUrl::FullyEncoded).toLatin1();
    const std::string body =
        service_.Handle(std::string_view(query.constData(), static_cast<size_t>(query.size())),
                        scrawlbox::AddressText(request.remoteAddress()));
    Respond(socket, 200, "text/plain; charset=windows-1252", QByteArray::fromStdString(body), true);
    return true;
  }
  if (path == QStringLiteral("/")) {
    Respond(socket, 200, "text/html; charset=utf-8", Page(request.url().query()), false);
    return true;
  }
  if (path == QStringLiteral("/version/client.txt") ||
      path == QStringLiteral("/version/server.txt")) {
    QFile file(QDir(data_folder_).filePath(path.mid(1)));
    if (file.open(QIODevice::ReadOnly)) {
      Respond(socket, 200, "text/plain", file.read(1024), false);
      return true;
    }
  }
  return false;
}

QByteArray HttpFront::Page(const QString& query) {
  PageRequest request = ReadPageRequest(query);
  if (pages_generation_ != store_.generation() || pages_.size() >= kPagesKept) {
    pages_.clear();
    pages_generation_ = store_.generation();
  }
  const auto key = std::make_pair(request.page, request.search);
  const auto kept = pages_.find(key);
  if (kept != pages_.end()) return kept->second;
  const std::string search = scrawlbox::ToWire(request.search);
  RoomStore::Page listing =
      store_.ListedPage(search, (request.page - 1) * kRoomsPerPage, kRoomsPerPage);
  // A page past the end (the list shrank since the link was made) shows the last one.
  if (listing.rooms.empty() && request.page > PageCount(listing.total)) {
    request.page = PageCount(listing.total);
    listing = store_.ListedPage(search, (request.page - 1) * kRoomsPerPage, kRoomsPerPage);
  }
  return pages_[key] = RoomsPage(listing, request);
}

void HttpFront::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
  Respond(socket, 404, "text/plain", "Not found.\r\n", false);
}

}  // namespace tracker
