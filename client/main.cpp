// SPDX-License-Identifier: MIT
// The player's program: one main window on one room connection.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "client/ui/client_paths.h"
#include "client/ui/main_window.h"
#include "common/qt/app_identity.h"
#include "common/qt/data_folder.h"
#include "common/qt/qt_scheduler.h"
#include "common/qt/text_codec.h"
#include "common/ui/splash_window.h"
#include "inifile/ini_file.h"

namespace {

struct Target {
  QString host;
  int port = 0;
};

// HOST, HOST:PORT or [IPv6]:PORT.
Target ParseTarget(const QString& text) {
  Target target{text, 0};
  const int colon = text.lastIndexOf(QLatin1Char(':'));
  if (colon > 0 && text.count(QLatin1Char(':')) == 1) {
    bool ok = false;
    const int port = text.mid(colon + 1).toInt(&ok);
    if (ok && port > 0 && port <= 65535) target = {text.left(colon), port};
  } else if (text.startsWith(QLatin1Char('[')) && text.contains(QStringLiteral("]:"))) {
    const int close = text.indexOf(QStringLiteral("]:"));
    bool ok = false;
    const int port = text.mid(close + 2).toInt(&ok);
    if (ok && port > 0 && port <= 65535) target = {text.mid(1, close - 1), port};
  }
  return target;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  scrawlbox::SetApplicationIdentity(QStringLiteral("Scrawlbox Client"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Scrawlbox: draw, guess and chat with others."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({QStringLiteral("data-dir"),
                    QStringLiteral("Use <dir> as the Data folder (Client.ini, Sound/, ...)."),
                    QStringLiteral("dir")});
  parser.addOption({QStringLiteral("connect"),
                    QStringLiteral("Connect to <host[:port]> once the window is shown."),
                    QStringLiteral("host[:port]")});
  parser.addOption({QStringLiteral("data-folders"),
                    QStringLiteral("Print the Data folder and where the sounds are read from "
                                   "(yours first, then the shipped ones), then exit.")});
  parser.process(app);

  const QString data_folder =
      scrawlbox::ResolveDataFolder(parser.value(QStringLiteral("data-dir")));
  if (data_folder.isEmpty()) {
    std::fprintf(stderr, "scrawlbox-client: cannot create the Data folder\n");
    return 2;
  }
  const client::ClientPaths paths(data_folder, scrawlbox::ShippedDataFolder());
  if (parser.isSet(QStringLiteral("data-folders"))) {
    std::printf("Data: %s\nSound: %s\n", qPrintable(data_folder),
                qPrintable(paths.SoundFolders().join(QStringLiteral(", "))));
    return 0;
  }
  // Desktops match the window to its menu entry, and so to its icon, by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.scrawlbox.Scrawlbox"));
  QApplication::setWindowIcon(QIcon(QDir(paths.Images()).filePath(QStringLiteral("app_icon.svg"))));

  inifile::IniFile ini(paths.ClientIni().toStdString());
  // Before the first write: what a killed client left behind must not pile up.
  inifile::RemoveStaleTemporaryFiles(ini.path());
  client::ClientSettings settings(ini);
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  client::MainWindow window(paths, scheduler);
  client::Session session({connection, window, scheduler, settings});
  connection.Attach(&session);
  window.Attach(&session, &settings, &connection);

  auto* splash = new scrawlbox::SplashWindow(QStringLiteral("Client"));
  splash->ShowFor(60 * 1000);  // closed below, once the window has asked what it must
  session.Start();
  window.RestorePlacement();
  window.show();
  splash->raise();
  if (window.AskForProfileIfNeeded()) {
    splash->close();
  } else {
    QTimer::singleShot(scrawlbox::SplashWindow::kShowMs, splash, &QWidget::close);
  }

  if (parser.isSet(QStringLiteral("connect"))) {
    const Target target = ParseTarget(parser.value(QStringLiteral("connect")));
    QTimer::singleShot(0, &window, [&session, target] {
      if (target.port) session.SetPort(target.port);
      session.ExecuteUserCommand("connect " + scrawlbox::ToWire(target.host));
    });
  }
  return app.exec();
}
