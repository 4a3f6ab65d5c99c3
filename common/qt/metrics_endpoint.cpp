// SPDX-License-Identifier: MIT
#include "common/qt/metrics_endpoint.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include "common/metrics/exposition.h"
#include "common/metrics/scrape_request.h"

namespace scrawlbox {

MetricsEndpoint::MetricsEndpoint(std::function<std::string()> text, QObject* parent)
    : QObject(parent), text_(std::move(text)) {
  connect(&listener_, &QTcpServer::newConnection, this, &MetricsEndpoint::OnNewConnection);
}

bool MetricsEndpoint::Listen(const QHostAddress& address, quint16 port) {
  return listener_.listen(address, port);
}

void MetricsEndpoint::OnNewConnection() {
  while (QTcpSocket* socket = listener_.nextPendingConnection()) {
    if (open_ >= kMaxConnections) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    ++open_;
    // Qt then takes no more from the network than one request head can hold.
    socket->setReadBufferSize(metrics::ScrapeRequest::kMaxHead);
    connect(socket, &QObject::destroyed, this, [this] { --open_; });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kDeadlineMs, socket, [socket] {
      socket->abort();
      socket->deleteLater();
    });
    auto request = std::make_shared<metrics::ScrapeRequest>();
    const auto read = [this, socket, request] {
      if (request->complete()) {
        socket->readAll();  // what follows the request is not looked at
        return;
      }
      const QByteArray bytes = socket->readAll();
      if (!request->Feed(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        return;
      }
      const std::string answer = request->Answer("/metrics", text_);
      socket->write(answer.data(), static_cast<qint64>(answer.size()));
      socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::readyRead, this, read);
    if (socket->bytesAvailable() > 0) read();
  }
}

namespace {

// The second field of /proc/self/statm: resident pages.
double ResidentBytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.read(256).split(' ');
  if (fields.size() < 2) return 0;
  return fields[1].toDouble() * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

void AppendProcessMetrics(std::string& text, qint64 start_ms) {
  metrics::Exposition out;
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  out.Counter("process_cpu_seconds_total", "User and system CPU time spent in seconds.");
  out.Sample(seconds(usage.ru_utime) + seconds(usage.ru_stime));
  out.Gauge("process_resident_memory_bytes", "Resident memory size in bytes.");
  out.Sample(ResidentBytes());
  out.Gauge("process_open_fds", "Number of open file descriptors.");
  out.Sample(static_cast<double>(
      QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size()));
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    out.Gauge("process_max_fds", "Maximum number of open file descriptors.");
    out.Sample(static_cast<double>(limit.rlim_cur));
  }
  out.Gauge("process_start_time_seconds", "Start time of the process since unix epoch in seconds.");
  out.Sample(static_cast<double>(start_ms) / 1000.0);
  text += out.text();
}

}  // namespace scrawlbox
