// SPDX-License-Identifier: MIT
#include "tests/integration/tracker_process.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>

#include "common/qt/qt_http.h"
#include "directory/server_browser.h"

namespace testing_support {

TrackerProcess::TrackerProcess(TrackerOptions options)
    : ChildProcess(FreePort()), options_(options) {}

bool TrackerProcess::Start() {
  QStringList arguments = {QStringLiteral("--data-dir"),
                           DataDir(),
                           QStringLiteral("--port"),
                           QString::number(port()),
                           QStringLiteral("--probe-seconds"),
                           QString::number(options_.probe_seconds),
                           QStringLiteral("--request-seconds"),
                           QString::number(options_.request_seconds)};
  if (!options_.database.empty()) {
    arguments << QStringLiteral("--database") << QString::fromStdString(options_.database);
  }
  if (!options_.instance.empty()) {
    arguments << QStringLiteral("--instance") << QString::fromStdString(options_.instance);
  }
  return Launch(QStringLiteral(SCRAWLBOX_TRACKER_BIN), arguments,
                QStringLiteral("Tracker listening"));
}

std::string TrackerProcess::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port()) + path;
}

directory::HttpResult Fetch(const std::string& url, int timeout_ms, bool* sent) {
  scrawlbox::QtHttpGetter http(timeout_ms);
  QEventLoop loop;
  directory::HttpResult answer;
  answer.error_text = "no answer in time";
  if (sent) *sent = false;
  http.Get(
      url, "Scrawlbox Test",
      [&](const directory::HttpResult& result) {
        answer = result;
        loop.quit();
      },
      [sent] {
        if (sent) *sent = true;
      });
  QTimer::singleShot(timeout_ms + 5000, &loop, &QEventLoop::quit);
  loop.exec();
  return answer;
}

std::string Ask(const TrackerProcess& tracker, const std::string& query) {
  return Fetch(tracker.Url() + "?" + query).body;
}

std::string AddQuery(const std::string& key, int port, const std::string& name,
                     const std::string& extra) {
  return "ACTION=ADD&KEY=" + key +
         "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + (name.empty() ? key : name) +
         "&DESC=Come%20and%20draw&IP=127.0.0.1&PORT=" + std::to_string(port) +
         "&ADMINNAME=Ann&TOTALWORDS=10&TOTALWORDLISTS=1" + extra;
}

std::vector<std::string> RoomNames(const TrackerProcess& tracker, const std::string& query) {
  std::vector<std::string> names;
  for (const auto& row : directory::ServerBrowser::PublicRows(Ask(tracker, query))) {
    if (row.name != directory::ServerBrowser::kNoServers) names.push_back(row.name);
  }
  return names;
}

QByteArray RawExchange(quint16 port, const QByteArray& request, int timeout_ms,
                       const char* source) {
  QTcpSocket socket;
  if (source && !socket.bind(QHostAddress(QString::fromLatin1(source)))) return {};
  socket.connectToHost(QStringLiteral("127.0.0.1"), port);
  if (!socket.waitForConnected(timeout_ms)) return {};
  socket.write(request);
  QByteArray answer;
  QElapsedTimer clock;
  clock.start();
  while (socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < timeout_ms) {
    socket.waitForReadyRead(static_cast<int>(timeout_ms - clock.elapsed()));
    answer += socket.readAll();
  }
  return answer + socket.readAll();
}

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() >= timeout_ms) return false;
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

}  // namespace testing_support
