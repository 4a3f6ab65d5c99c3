// SPDX-License-Identifier: MIT
// The room directory: rooms register here, players' server browsers list them, and a web page
// shows them to anyone.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QUrl>
#include <cstdio>
#include <limits>

#include "common/qt/app_identity.h"
#include "common/qt/console_line.h"
#include "common/qt/data_folder.h"
#include "common/qt/qt_scheduler.h"
#include "common/qt/text_codec.h"
#include "directory/tracker.h"
#include "tracker/http_front.h"
#include "tracker/prober.h"
#include "tracker/registry.h"
#include "tracker/tcp_probe.h"
#include "tracker/tracker_service.h"

namespace {

void Log(const QString& text) {
  scrawlbox::WriteConsoleLine(stdout, scrawlbox::ClockStamp() + QStringLiteral(" ") + text);
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

}  // namespace

int main(int argc, char** argv) {
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
                        .arg(tracker::GuardedTcpServer::kDefaultDeadlineMs / 1000),
                    QStringLiteral("seconds"),
                    QString::number(tracker::GuardedTcpServer::kDefaultDeadlineMs / 1000)});
  parser.process(app);

  bool port_ok = false;
  const int port = parser.value(QStringLiteral("port")).toInt(&port_ok);
  const int probe_ms = Milliseconds(parser.value(QStringLiteral("probe-seconds")));
  const int deadline_ms = Milliseconds(parser.value(QStringLiteral("request-seconds")));
  if (!port_ok || port < 1 || port > 65535 || probe_ms == 0 || deadline_ms == 0) {
    std::fprintf(stderr,
                 "scrawlbox-tracker: --port takes 1-65535, --probe-seconds and --request-seconds "
                 "at least 1\n");
    return 2;
  }
  const QString data_folder =
      scrawlbox::ResolveDataFolder(parser.value(QStringLiteral("data-dir")));
  if (data_folder.isEmpty()) {
    std::fprintf(stderr, "scrawlbox-tracker: cannot create the Data folder\n");
    return 2;
  }

  tracker::Registry registry;
  if (!registry.Open(QDir(data_folder).filePath(QStringLiteral("tracker.sqlite")))) {
    std::fprintf(stderr, "scrawlbox-tracker: %s\n", qPrintable(registry.error()));
    return 2;
  }
  tracker::TrackerService service(registry, [] { return QDateTime::currentMSecsSinceEpoch(); });
  service.SetLog(LogRoomText);
  tracker::HttpFront front(service, registry, data_folder, default_url.path());
  auto* listener = new tracker::GuardedTcpServer(&front, deadline_ms);
  if (!listener->listen(QHostAddress::Any, static_cast<quint16>(port))) {
    std::fprintf(stderr, "scrawlbox-tracker: cannot listen on port %d: %s\n", port,
                 qPrintable(listener->errorString()));
    return 1;
  }
  front.bind(listener);
  scrawlbox::QtScheduler scheduler;
  tracker::TcpProbeConnector connector;
  tracker::Prober prober(registry, scheduler, connector, probe_ms);
  prober.SetOnDropped([](const std::string& key) {
    Log(QStringLiteral("Dropped %1: it did not answer three probes in a row.")
            .arg(scrawlbox::Printable(key)));
  });
  Log(QStringLiteral("Tracker listening on port %1 with its data in %2.")
          .arg(port)
          .arg(data_folder));
  return app.exec();
}
