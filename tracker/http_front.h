// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractHttpServer>
#include <QTcpServer>

#include <QString>
#include <map>
#include <utility>

#include "tracker/room_store.h"

namespace tracker {

class TrackerService;

// Accepts connections for the HTTP front end, at most kMaxConnections at a time, and drops any
// connection still open after its deadline: a client that never finishes its request cannot hold
// a socket for ever.
class GuardedTcpServer : public QTcpServer {
  Q_OBJECT
 public:
  static constexpr int kMaxConnections = 256;
  static constexpr int kDefaultDeadlineMs = 10000;

  // Connection requests the system holds until they are taken, so that a rush of browsers
  // does not find the door shut.
  static constexpr int kListenBacklog = 1024;

  explicit GuardedTcpServer(QObject* parent = nullptr, int deadline_ms = kDefaultDeadlineMs)
      : QTcpServer(parent), deadline_ms_(deadline_ms) {
    setListenBacklogSize(kListenBacklog);
  }

 protected:
  void incomingConnection(qintptr handle) override;

 private:
  int deadline_ms_;
  int open_ = 0;
};

// The tracker over HTTP: the tracker's path answers the three actions in chunked form, "/" is a
// web page of the live rooms, and /version/*.txt are the version files of the update check.
class HttpFront : public QAbstractHttpServer {
  Q_OBJECT
 public:
  HttpFront(TrackerService& service, RoomStore& store, QString data_folder, QString tracker_path,
            QObject* parent = nullptr);

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  // The page a visitor asked for, kept until the rooms change.
  QByteArray Page(const QString& query);

  // Pages kept: visitors mostly look at the first few pages, with no search.
  static constexpr size_t kPagesKept = 32;

  TrackerService& service_;
  RoomStore& store_;
  QString data_folder_;
  QString tracker_path_;
  std::map<std::pair<int, QString>, QByteArray> pages_;
  uint64_t pages_generation_ = UINT64_MAX;
};

}  // namespace tracker
