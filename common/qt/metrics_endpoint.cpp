// SPDX-License-Identifier: MIT
#include "common/qt/metrics_endpoint.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "common/metrics/exposition.h"
#include "common/metrics/scrape_request.h"

namespace scrawlbox {

MetricsEndpoint::MetricsEndpoint(std::function<std::string()> text, QObject* parent)
    : QObject(parent),
      text_(std::move(text)),
      http_(kLimits, [this](const http::RequestHead& head, const std::string&) {
        const std::string answer = metrics::ScrapeAnswer(head, "/metrics", text_);
        return QByteArray(answer.data(), static_cast<qsizetype>(answer.size()));
      }) {}

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
