// SPDX-License-Identifier: MIT
// Load for a running tracker: fills a database with rooms, or keeps a number of HTTP requests
// open against one or more tracker addresses for a while and reports what was answered.
//
//   tracker_load --fill 10000 --database postgresql://user@host:port/db
//   tracker_load --seconds 10 --connections 8
//   http://127.0.0.1:2080/misc/scrawlbox/tracker.php?ACTION=VIEW&MAX=500 ...
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "tracker/database_url.h"
#include "tracker/registry.h"

namespace {

int Fill(const QString& database, int rooms) {
  std::string error;
  const auto url = tracker::ParseDatabaseUrl(database.toStdString(), &error);
  tracker::Registry registry;
  if (!url || !registry.Open(*url)) {
    std::fprintf(stderr, "tracker_load: %s%s\n", error.c_str(), qPrintable(registry.error()));
    return 1;
  }
  for (int i = 0; i < rooms; ++i) {
    tracker::Room room;
    room.key = "LOAD" + std::to_string(i) + ":OPERATOR";
    room.name = "Room number " + std::to_string(i);
    room.description = "A friendly room for evening games, all welcome";
    room.address = "127.0.0." + std::to_string(1 + i % 250);
    room.port = 2020;
    room.version = "1.00.0001";
    room.admin_name = "Operator";
    room.players = i % 12;
    room.source = "10." + std::to_string(i / 20 / 250) + "." + std::to_string(i / 20 % 250) + ".1";
    // A minute apart per address, so that the rate limit never bites.
    if (registry.Add(room, int64_t{i} * 60000) != tracker::RoomStore::AddResult::kAdded) {
      std::fprintf(stderr, "tracker_load: room %d: %s\n", i, qPrintable(registry.error()));
      return 1;
    }
  }
  std::printf("%d rooms in %s\n", rooms, url->Display().c_str());
  return 0;
}

// One connection after another to the URLs in turn, one request each.
class Worker {
 public:
  Worker(const std::vector<QUrl>& urls, size_t first, std::vector<int64_t>* latencies_us,
         int64_t* bytes)
      : urls_(urls), next_(first), latencies_us_(latencies_us), bytes_(bytes) {
    QObject::connect(&socket_, &QTcpSocket::connected, [this] {
      const QUrl& url = urls_[current_];
      socket_.write("GET " + url.path(QUrl::FullyEncoded).toLatin1() +
                    (url.hasQuery() ? "?" + url.query(QUrl::FullyEncoded).toLatin1() : "") +
                    " HTTP/1.1\r\nHost: " + url.host().toLatin1() +
                    "\r\nConnection: close\r\n\r\n");
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead,
                     [this] { *bytes_ += socket_.readAll().size(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { Done(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError e) {
      if (e != QAbstractSocket::RemoteHostClosedError) ++errors;
    });
  }

  void Start() {
    if (stopped) return;
    current_ = next_++ % urls_.size();
    clock_.start();
    socket_.connectToHost(urls_[current_].host(), static_cast<quint16>(urls_[current_].port(80)));
  }

  bool stopped = false;
  int errors = 0;

 private:
  void Done() {
    latencies_us_->push_back(clock_.nsecsElapsed() / 1000);
    QTimer::singleShot(0, [this] { Start(); });
  }

  const std::vector<QUrl>& urls_;
  size_t next_;
  size_t current_ = 0;
  std::vector<int64_t>* latencies_us_;
  int64_t* bytes_;
  QTcpSocket socket_;
  QElapsedTimer clock_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addOption({QStringLiteral("fill"), QStringLiteral("Add <n> rooms to the database."),
                    QStringLiteral("n")});
  parser.addOption({QStringLiteral("database"), QStringLiteral("The tracker's database URL."),
                    QStringLiteral("url")});
  parser.addOption({QStringLiteral("seconds"), QStringLiteral("Run for <s> seconds (10)."),
                    QStringLiteral("s"), QStringLiteral("10")});
  parser.addOption({QStringLiteral("connections"), QStringLiteral("Requests open at once (8)."),
                    QStringLiteral("n"), QStringLiteral("8")});
  parser.addPositionalArgument(QStringLiteral("urls"), QStringLiteral("The URLs, in turn."));
  parser.process(app);
  if (parser.isSet(QStringLiteral("fill"))) {
    return Fill(parser.value(QStringLiteral("database")),
                parser.value(QStringLiteral("fill")).toInt());
  }
  std::vector<QUrl> urls;
  for (const QString& text : parser.positionalArguments()) urls.emplace_back(text);
  if (urls.empty()) parser.showHelp(2);
  const int seconds = std::clamp(parser.value(QStringLiteral("seconds")).toInt(), 1, 600);
  const int connections = std::clamp(parser.value(QStringLiteral("connections")).toInt(), 1, 256);

  std::vector<int64_t> latencies_us;
  int64_t bytes = 0;
  std::vector<std::unique_ptr<Worker>> workers;
  for (int i = 0; i < connections; ++i) {
    workers.push_back(std::make_unique<Worker>(urls, i, &latencies_us, &bytes));
  }
  for (auto& worker : workers) worker->Start();
  QTimer::singleShot(seconds * 1000, &app, [&] {
    for (auto& worker : workers) worker->stopped = true;
    QTimer::singleShot(500, &app, &QCoreApplication::quit);
  });
  app.exec();
  std::sort(latencies_us.begin(), latencies_us.end());
  int errors = 0;
  for (auto& worker : workers) errors += worker->errors;
  const size_t n = latencies_us.size();
  std::printf(
      "%zu requests in %d s: %.0f per second, %.1f KiB each; latency median %.2f ms, "
      "95%% %.2f ms; %d errors\n",
      n, seconds, static_cast<double>(n) / seconds,
      n ? static_cast<double>(bytes) / static_cast<double>(n) / 1024 : 0.0,
      n ? static_cast<double>(latencies_us[n / 2]) / 1000 : 0.0,
      n ? static_cast<double>(latencies_us[n * 95 / 100]) / 1000 : 0.0, errors);
  return 0;
}
