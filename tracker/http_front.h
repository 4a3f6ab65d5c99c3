// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "common/http/request_head.h"
#include "common/http/trusted_proxies.h"
#include "common/qt/http_listener.h"
#include "tracker/room_store.h"

namespace tracker {

class TrackerService;

// The tracker over HTTP: the tracker's path answers the three actions in chunked form, "/" is a
// web page of the live rooms, /create sends a visitor to the host of many rooms with the most
// room to make one, /version/*.txt are the version files of the update check (from
// the first of the folders that has them: the Data folder's, then the shipped ones), and
// /metrics the metrics for Prometheus. Behind trusted proxies every rule by address (rate limits,
// the listing's address, who registered a room) and the log go by the client each one names.
class HttpFront {
 public:
  HttpFront(TrackerService& service, RoomStore& store, QStringList version_folders,
            QString tracker_path, scrawlbox::HttpLimits limits = {},
            http::TrustedProxies trusted = {});

  bool Listen(const QHostAddress& address, quint16 port) { return http_.Listen(address, port); }
  QString errorString() const { return http_.errorString(); }
  quint16 port() const { return http_.port(); }

  // What /metrics answers, built at each scrape; without it /metrics is not found.
  void SetMetrics(std::function<std::string()> text) { metrics_ = std::move(text); }

 private:
  // The whole answer to one request, from the client at that address.
  QByteArray Answer(const http::RequestHead& head, const std::string& client_address);
  // The page a visitor asked for, kept until the rooms change.
  QByteArray Page(const QString& query);

  // Pages kept: visitors mostly look at the first few pages, with no search.
  static constexpr size_t kPagesKept = 32;

  TrackerService& service_;
  RoomStore& store_;
  QStringList version_folders_;
  QString tracker_path_;
  std::function<std::string()> metrics_;
  std::map<std::tuple<int, QString, QString>, QByteArray> pages_;
  uint64_t pages_generation_ = UINT64_MAX;
  scrawlbox::HttpListener http_;
};

}  // namespace tracker
