// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QObject>
#include <functional>
#include <string>

#include "common/qt/http_listener.h"

namespace scrawlbox {

// A Prometheus scrape endpoint: answers GET /metrics with the text the callback builds at that
// moment, then closes. A scraper sends its request at once, so slow heads get little: a few
// connections per address, a short head deadline, and the oldest slow head makes way for a
// newcomer when all are taken.
class MetricsEndpoint : public QObject {
  Q_OBJECT
 public:
  static constexpr HttpLimits kLimits = {
      .max_connections = 64, .max_per_address = 4, .head_deadline_ms = 2000, .deadline_ms = 10000};

  explicit MetricsEndpoint(std::function<std::string()> text, QObject* parent = nullptr);

  bool Listen(const QHostAddress& address, quint16 port) { return http_.Listen(address, port); }
  QString errorString() const { return http_.errorString(); }
  quint16 port() const { return http_.port(); }

 private:
  std::function<std::string()> text_;
  HttpListener http_;
};

// The process metrics every Prometheus client exports (CPU time, resident memory, open files,
// start time), appended to a scrape's text. start_ms: when the program started.
void AppendProcessMetrics(std::string& text, qint64 start_ms);

}  // namespace scrawlbox
