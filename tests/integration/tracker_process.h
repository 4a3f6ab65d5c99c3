// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <string>

#include "directory/tracker.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// scrawlbox-tracker on a free port with a Data folder of its own.
class TrackerProcess {
 public:
  static constexpr int kWaitMs = 10000;
  static constexpr char kPath[] = "/misc/scrawlbox/tracker.php";

  explicit TrackerProcess(int probe_seconds = 600);
  ~TrackerProcess();

  bool Start();
  bool WaitForOutput(const QString& text, int timeout_ms = kWaitMs);
  bool Running() const { return process_.state() != QProcess::NotRunning; }

  quint16 port() const { return port_; }
  const TempDir& dir() const { return dir_; }
  const QString& output() const { return output_; }
  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url(const std::string& path = kPath) const;

 private:
  TempDir dir_;
  quint16 port_;
  int probe_seconds_;
  QProcess process_;
  QString output_;
};

// One GET through the programs' own HTTP getter, waited for in a local event loop.
directory::HttpResult Fetch(const std::string& url);
// The tracker's reply body to a query (through Fetch); empty when the request failed.
std::string Ask(const TrackerProcess& tracker, const std::string& query);
// Sends the bytes on a fresh connection and returns all that comes back until the tracker
// closes it (or the time runs out).
QByteArray RawExchange(quint16 port, const QByteArray& request, int timeout_ms = 5000);

}  // namespace testing_support
