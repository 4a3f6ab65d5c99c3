// SPDX-License-Identifier: MIT
// The room directory: rooms register here, players' server browsers list them, and a web page
// shows them to anyone.
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QSysInfo>
#include <QUrl>
#include <cstdio>
#include <limits>

#include "common/qt/app_identity.h"
#include "common/qt/console_line.h"
#include "common/qt/data_folder.h"
#include "common/qt/epoll_dispatcher.h"
#include "common/qt/metrics_endpoint.h"
#include "common/qt/qt_scheduler.h"
#include "common/qt/signal_watcher.h"
#include "common/qt/text_codec.h"
#include "directory/tracker.h"
#include "inifile/ini_file.h"
#include "tracker/database_url.h"
#include "tracker/http_front.h"
#include "tracker/prober.h"
#include "tracker/registry.h"
#include "tracker/tcp_probe.h"
#include "tracker/tracker_metrics.h"
#include "tracker/tracker_service.h"

namespace {

void Log(const QString& text) {
  scrawlbox::WriteConsoleLine(stdout, scrawlbox::LogLineStart() + text);
}

// Room texts are 8-bit; the log shows them the way the rooms' page does.
void LogRoomText(const std::string& text) {
  Log(scrawlbox::Printable(text));
}

// Whole seconds as milliseconds, from 1 s up to what a timer can wait; 0 when the text is no
// such number.
int Milliseconds(const QString& seconds_text) {
  bool ok = false;
  const int seconds = seconds_text.toInt(&ok);
  const bool valid = ok && seconds >= 1 && seconds <= std::numeric_limits<int>::max() / 1000;
  return valid ? seconds * 1000 : 0;
}

// What the file limit raised below leaves for connections beside the probes and the database.
constexpr int kMostConnections = 32768;

// Each connection may hold up to about 1 MiB (an 8 KiB head, or a whole VIEW of 2,000 rooms on
// its way to a slow reader): 1024 of them stay within a gigabyte.
constexpr scrawlbox::HttpLimits kDefaultLimits = {
    .max_connections = 1024, .max_per_address = 8, .head_deadline_ms = 5000, .deadline_ms = 10000};

constexpr char kSettingsFile[] = "Tracker.ini";
constexpr char kSettingsSection[] = "Tracker";

}  // namespace

int main(int argc, char** argv) {
  scrawlbox::PrepareStandardStreams();
  const qint64 start_ms = QDateTime::currentMSecsSinceEpoch();
  QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
  QCoreApplication app(argc, argv);
  scrawlbox::SetApplicationIdentity(QStringLiteral("Scrawlbox Tracker"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Scrawlbox tracker: the public list of rooms, on HTTP (the rooms' page is at /)."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({QStringLiteral("data-dir"),
                    QStringLiteral("Use <dir> as the Data folder (tracker.sqlite, version/)."),
                    QStringLiteral("dir")});
  // The programs find the tracker at their default address when nothing else is configured.
  const QUrl default_url(QString::fromLatin1(directory::kDefaultTrackerUrl));
  const QString default_port = QString::number(default_url.port());
  parser.addOption({QStringLiteral("port"),
                    QStringLiteral("Listen on <port> (%1).").arg(default_port),
                    QStringLiteral("port"), default_port});
  parser.addOption(
      {QStringLiteral("probe-seconds"),
       QStringLiteral("Probe every room every <seconds> (60); failing ones twice as often."),
       QStringLiteral("seconds"), QStringLiteral("60")});
  parser.addOption({QStringLiteral("request-seconds"),
                    QStringLiteral("Close a connection still open <seconds> after it came in (%1).")
                        .arg(kDefaultLimits.deadline_ms / 1000),
                    QStringLiteral("seconds"), QString::number(kDefaultLimits.deadline_ms / 1000)});
  parser.addOption(
      {QStringLiteral("database"),
       QStringLiteral(
           "Keep the rooms in <url>: sqlite:PATH (a relative PATH is in the Data folder; "
           "default sqlite:tracker.sqlite) or postgresql://user@host:port/database, "
           "which any number of instances may share."),
       QStringLiteral("url")});
  parser.addOption({QStringLiteral("any-address"),
                    QStringLiteral("List a room at the address it names, not only at the one its "
                                   "request comes from.")});
  parser.addOption(
      {QStringLiteral("rooms-per-address"),
       QStringLiteral("List at most <count> rooms at one address (%1; 0 for no limit).")
           .arg(tracker::RoomStore::kMaxRoomsPerAddress),
       QStringLiteral("count"), QString::number(tracker::RoomStore::kMaxRoomsPerAddress)});
  parser.addOption(
      {QStringLiteral("rooms-per-host"),
       QStringLiteral("List at most <count> rooms of one host of many rooms (%1; 0 for no limit).")
           .arg(tracker::RoomStore::kMaxRoomsPerHost),
       QStringLiteral("count"), QString::number(tracker::RoomStore::kMaxRoomsPerHost)});
  parser.addOption({QStringLiteral("instance"),
                    QStringLiteral("Name this instance in the shared probe leases (host:pid)."),
                    QStringLiteral("name")});
  parser.process(app);

  const QString data_folder =
      scrawlbox::ResolveDataFolder(parser.value(QStringLiteral("data-dir")));
  if (data_folder.isEmpty()) {
    std::fprintf(stderr, "scrawlbox-tracker: cannot create the Data folder\n");
    return 2;
  }
  // Each option may also be set in Tracker.ini, [Tracker]; the command line wins.
  const inifile::IniDocument settings =
      inifile::IniFile(QDir(data_folder).filePath(QString::fromLatin1(kSettingsFile)).toStdString())
          .Snapshot();
  const auto setting = [&](const char* option, const char* key) {
    const QString name = QString::fromLatin1(option);
    if (parser.isSet(name)) return parser.value(name);
    const std::string stored = settings.Read(kSettingsSection, key, "");
    return stored.empty() ? parser.value(name) : QString::fromStdString(stored);
  };

  bool port_ok = false;
  const int port = setting("port", "Port").toInt(&port_ok);
  const int probe_ms = Milliseconds(setting("probe-seconds", "Probe Seconds"));
  const int deadline_ms = Milliseconds(setting("request-seconds", "Request Seconds"));
  tracker::TrackerService::Options service_options;
  bool per_address_ok = false;
  service_options.rooms_per_address =
      setting("rooms-per-address", "Rooms Per Address").toInt(&per_address_ok);
  bool per_host_ok = false;
  service_options.rooms_per_host = setting("rooms-per-host", "Rooms Per Host").toInt(&per_host_ok);
  service_options.any_address = parser.isSet(QStringLiteral("any-address")) ||
                                settings.Read(kSettingsSection, "Any Address", "0") == "1";
  if (!port_ok || port < 1 || port > 65535 || probe_ms == 0 || deadline_ms == 0 ||
      !per_address_ok || service_options.rooms_per_address < 0 || !per_host_ok ||
      service_options.rooms_per_host < 0) {
    std::fprintf(stderr,
                 "scrawlbox-tracker: --port takes 1-65535, --probe-seconds and --request-seconds "
                 "at least 1, --rooms-per-address and --rooms-per-host 0 or more\n");
    return 2;
  }
  // The HTTP front's bounds are settings of Tracker.ini only.
  const auto stored_number = [&](const char* key, int fallback, int least, int most) {
    const std::string text = settings.Read(kSettingsSection, key, "");
    if (text.empty()) return fallback;
    bool ok = false;
    const int value = QString::fromStdString(text).toInt(&ok);
    return ok && value >= least && value <= most ? value : least - 1;
  };
  scrawlbox::HttpLimits limits = kDefaultLimits;
  limits.deadline_ms = deadline_ms;
  limits.head_deadline_ms =
      stored_number("Head Seconds", kDefaultLimits.head_deadline_ms / 1000, 1, 3600) * 1000;
  limits.max_connections =
      stored_number("Max Connections", kDefaultLimits.max_connections, 1, kMostConnections);
  limits.max_per_address = stored_number("Max Connections Per Address",
                                         kDefaultLimits.max_per_address, 0, kMostConnections);
  if (limits.head_deadline_ms <= 0 || limits.max_connections <= 0 || limits.max_per_address < 0) {
    std::fprintf(stderr,
                 "scrawlbox-tracker: Tracker.ini: Head Seconds takes 1-3600, Max Connections "
                 "1-%d, Max Connections Per Address 0-%d\n",
                 kMostConnections, kMostConnections);
    return 2;
  }
  // haproxy and the like: their connections speak for the clients they name.
  std::string bad_proxy;
  std::optional<http::TrustedProxies> trusted = http::TrustedProxies::Parse(
      settings.Read(kSettingsSection, "Trusted Proxies", ""), &bad_proxy);
  if (!trusted) {
    std::fprintf(stderr,
                 "scrawlbox-tracker: Tracker.ini: Trusted Proxies takes IP addresses separated "
                 "by commas, not \"%s\"\n",
                 bad_proxy.c_str());
    return 2;
  }
  QString database_text = setting("database", "Database");
  if (database_text.isEmpty()) {
    database_text = QStringLiteral("sqlite:") + QLatin1String(tracker::kDefaultDatabaseFile);
  }
  std::string url_error;
  std::optional<tracker::DatabaseUrl> database =
      tracker::ParseDatabaseUrl(database_text.toStdString(), &url_error);
  if (!database) {
    std::fprintf(stderr, "scrawlbox-tracker: --database: %s\n", url_error.c_str());
    return 2;
  }
  if (database->kind == tracker::DatabaseUrl::Kind::kSqlite && database->path != ":memory:") {
    database->path =
        QDir(data_folder).absoluteFilePath(QString::fromStdString(database->path)).toStdString();
  }
  QString instance = setting("instance", "Instance");
  if (instance.isEmpty()) {
    instance = QSysInfo::machineHostName() + QStringLiteral(":") +
               QString::number(QCoreApplication::applicationPid());
  }
  scrawlbox::RaiseFileLimit();

  tracker::Registry registry;
  if (!registry.Open(*database)) {
    std::fprintf(stderr, "scrawlbox-tracker: %s: %s\n", database->Display().c_str(),
                 qPrintable(registry.error()));
    return 2;
  }
  tracker::TrackerService service(
      registry, [] { return QDateTime::currentMSecsSinceEpoch(); }, service_options);
  service.SetLog(LogRoomText);
  // The operator's own version files win over those the package ships.
  tracker::HttpFront front(service, registry,
                           scrawlbox::DataSearchPath(data_folder, QStringLiteral("version")),
                           default_url.path(), limits, std::move(*trusted));
  if (!front.Listen(QHostAddress::Any, static_cast<quint16>(port))) {
    std::fprintf(stderr, "scrawlbox-tracker: cannot listen on port %d: %s\n", port,
                 qPrintable(front.errorString()));
    return 1;
  }
  scrawlbox::QtScheduler scheduler;
  tracker::TcpProbeConnector connector;
  tracker::Prober prober(registry, scheduler, connector, probe_ms, instance.toStdString(),
                         [] { return QDateTime::currentMSecsSinceEpoch(); });
  // Other instances' changes reach this one's kept answers within a second.
  const std::unique_ptr<scrawlbox::Timer> sync =
      scheduler.CreateTimer([&registry, down = false]() mutable {
        const bool ok = registry.Sync();
        if (ok == down) {
          // Said once when the database goes away, and once when it is back.
          down = !ok;
          Log(ok ? QStringLiteral("The database answers again.")
                 : QStringLiteral("The database does not answer: %1").arg(registry.error()));
        }
      });
  sync->Start(1000);
  tracker::PerGeneration<tracker::RoomStore::Counts> room_counts;
  front.SetMetrics([&] {
    const auto& rooms = room_counts.Get(registry, [&registry] { return registry.CountRooms(); });
    std::string text = tracker::TrackerMetricsText(service.counters(), prober.counters(),
                                                   prober.in_flight(), rooms);
    scrawlbox::AppendProcessMetrics(text, start_ms);
    return text;
  });
  // A termination request ends the event loop, so that the prober gives its leases back and
  // the database is closed in order.
  scrawlbox::SignalWatcher termination;
  QObject::connect(&termination, &scrawlbox::SignalWatcher::terminationRequested, [] {
    Log(QStringLiteral("Termination requested; the tracker stops."));
    QCoreApplication::quit();
  });
  prober.SetOnDropped([](const std::string& key) {
    Log(QStringLiteral("Dropped %1: it did not answer three probes in a row.")
            .arg(scrawlbox::Printable(key)));
  });
  Log(QStringLiteral("Tracker listening on port %1 with its data in %2, the rooms in %3, as %4.")
          .arg(QString::number(port), data_folder, QString::fromStdString(database->Display()),
               instance));
  return app.exec();
}
