// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <functional>
#include <string>

namespace scrawlbox {

// A Prometheus scrape endpoint: answers GET /metrics with the text the callback builds at that
// moment, then closes. It holds at most kMaxConnections at once, and drops one that has not
// sent its request within kDeadlineMs, so a stuck or hostile scraper cannot pile up sockets.
class MetricsEndpoint : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMaxConnections = 16;
  static constexpr int kDeadlineMs = 10000;

  explicit MetricsEndpoint(std::function<std::string()> text, QObject* parent = nullptr);

  bool Listen(const QHostAddress& address, quint16 port);
  QString errorString() const { return listener_.errorString(); }
  quint16 port() const { return listener_.serverPort(); }

 private:
  void OnNewConnection();

  std::function<std::string()> text_;
  QTcpServer listener_;
  int open_ = 0;
};

// The process metrics every Prometheus client exports (CPU time, resident memory, open files,
// start time), appended to a scrape's text. start_ms: when the program started.
void AppendProcessMetrics(std::string& text, qint64 start_ms);

}  // namespace scrawlbox
