// SPDX-License-Identifier: MIT
// What the tracker's work costs: the list with many rooms, a registration written to disk, the
// web page, and whole HTTP requests over loopback.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>
#include <memory>
#include <string>

#include "tests/support/temp_dir.h"
#include "tracker/http_front.h"
#include "tracker/registry.h"
#include "tracker/tracker_service.h"
#include "tracker/web_page.h"

namespace {

tracker::Room MakeRoom(int i) {
  tracker::Room room;
  room.key = "HOST" + std::to_string(i) + ":OPERATOR";
  room.name = "Room number " + std::to_string(i);
  room.description = "A friendly room for evening games, all welcome";
  room.address = "198.51." + std::to_string(i / 250) + "." + std::to_string(i % 250);
  room.port = 2020 + i % 100;
  room.version = "1.00.0001";
  room.admin_name = "Operator";
  room.source = "10.0." + std::to_string(i / 20) + ".1";  // within the per-address limit
  return room;
}

void Fill(tracker::Registry& registry, int rooms) {
  // A minute apart, so that no address meets the rate limit.
  for (int i = 0; i < rooms; ++i) registry.Add(MakeRoom(i), int64_t{i} * 60000);
}

void BM_ViewAnswer(benchmark::State& state) {
  tracker::Registry registry;
  registry.Open(QStringLiteral(":memory:"));
  Fill(registry, static_cast<int>(state.range(0)));
  tracker::TrackerService service(registry, [] { return int64_t{0}; });
  for (auto _ : state) benchmark::DoNotOptimize(service.Handle("ACTION=VIEW", "192.0.2.1"));
}
BENCHMARK(BM_ViewAnswer)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A server refreshing its registration, stored in an SQLite file as the tracker keeps it.
void BM_UpdateOnDisk(benchmark::State& state) {
  testing_support::TempDir dir;
  tracker::Registry registry;
  registry.Open(QString::fromStdString((dir / "tracker.sqlite").string()));
  Fill(registry, 100);
  int64_t now = 1000000000;
  tracker::TrackerService service(registry, [&now] { return now; });
  const std::string query =
      "ACTION=ADD&KEY=HOST1:OPERATOR&SERVERVERSION=1%2E00%2E0001&SERVERNAME=Room&DESC=Fun"
      "&IP=198.51.100.1&PORT=2020&ADMINNAME=Op&ADMINEMAIL=&ISPUBLIC=False&TOTALCONNECTIONS=5"
      "&TOTALGAMES=2&TOTALROUNDS=9&TOTALWORDS=300&TOTALWORDLISTS=3";
  for (auto _ : state) {
    now += 6000;  // stays within the rate limit
    benchmark::DoNotOptimize(service.Handle(query, "10.0.0.1"));
  }
}
BENCHMARK(BM_UpdateOnDisk)->Unit(benchmark::kMicrosecond);

void BM_RoomsPage(benchmark::State& state) {
  tracker::Registry registry;
  registry.Open(QStringLiteral(":memory:"));
  Fill(registry, static_cast<int>(state.range(0)));
  const tracker::RoomStore::Page listing = registry.ListedPage("", "", 0, tracker::kRoomsPerPage);
  for (auto _ : state) benchmark::DoNotOptimize(tracker::RoomsPage(listing, {}));
}
BENCHMARK(BM_RoomsPage)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The tracker's HTTP front on a thread of its own, answering one request per connection.
class TrackerThread {
 public:
  explicit TrackerThread(int rooms) {
    context_.moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        &context_,
        [this, rooms] {
          registry_ = std::make_unique<tracker::Registry>();
          registry_->Open(QStringLiteral(":memory:"));
          Fill(*registry_, rooms);
          service_ = std::make_unique<tracker::TrackerService>(
              *registry_, [] { return QDateTime::currentMSecsSinceEpoch(); });
          front_ = std::make_unique<tracker::HttpFront>(*service_, *registry_, QStringList(),
                                                        QStringLiteral("/t"));
          front_->Listen(QHostAddress::LocalHost, 0);
          port_ = front_->port();
        },
        Qt::BlockingQueuedConnection);
  }
  ~TrackerThread() {
    QMetaObject::invokeMethod(
        &context_,
        [this] {
          front_.reset();
          service_.reset();
          registry_.reset();
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }
  quint16 port() const { return port_; }

 private:
  QThread thread_;
  QObject context_;
  std::unique_ptr<tracker::Registry> registry_;
  std::unique_ptr<tracker::TrackerService> service_;
  std::unique_ptr<tracker::HttpFront> front_;
  quint16 port_ = 0;
};

void BM_HttpRequest(benchmark::State& state) {
  TrackerThread tracker(static_cast<int>(state.range(1)));
  const QByteArray request =
      state.range(0) == 0 ? QByteArray(
                                "GET /t?ACTION=VIEW HTTP/1.1\r\nHost: x\r\n"
                                "Connection: close\r\n\r\n")
                          : QByteArray("GET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
  for (auto _ : state) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, tracker.port());
    socket.waitForConnected(5000);
    socket.write(request);
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000)) {
      socket.readAll();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
// First argument: 0 = the VIEW action, 1 = the web page; second: rooms listed.
BENCHMARK(BM_HttpRequest)
    ->Args({0, 10})
    ->Args({0, 1000})
    ->Args({1, 10})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
