// SPDX-License-Identifier: MIT
// The player's program: one main window on one room connection.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLocale>
#include <QTimer>
#include <cstdio>

#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "client/ui/client_paths.h"
#include "client/ui/main_window.h"
#include "client/ui/svg_picture.h"
#include "common/qt/app_identity.h"
#include "common/qt/data_folder.h"
#include "common/qt/qt_scheduler.h"
#include "common/qt/text_codec.h"
#include "common/ui/languages.h"
#include "common/ui/splash_window.h"
#include "inifile/ini_file.h"

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
                    QStringLiteral("Connect to <host>, <host:port> or <[IPv6]:port> once the "
                                   "window is shown; a room of a host of many rooms adds its "
                                   "code: <host:port/CODE>."),
                    QStringLiteral("host[:port][/code]")});
  parser.addPositionalArgument(QStringLiteral("link"),
                               QStringLiteral("A room's link, scrawlbox://host[:port]/CODE, as "
                                              "the desktop opens it: the same as --connect."),
                               QStringLiteral("[link]"));
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
  QApplication::setWindowIcon(client::SvgIcon(client::ImagePath(QStringLiteral("app_icon.svg"))));

  inifile::IniFile ini(paths.ClientIni().toStdString());
  // Before the first write: what a killed client left behind must not pile up.
  inifile::RemoveStaleTemporaryFiles(ini.path());
  client::ClientSettings settings(ini);
  // Before the first window: every text is translated as it is made.
  const QString language =
      scrawlbox::ChooseLanguage(settings.LoadOptions().Language, QLocale::system().uiLanguages());
  scrawlbox::InstallTranslation(app, QStringLiteral("client"), language);
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  client::MainWindow window(paths, scheduler);
  client::Session session({connection, window, scheduler, settings});
  session.SetLanguage(language.toStdString());
  connection.Attach(&session);
  window.Attach(&session, &settings, &connection);

  auto* splash = new scrawlbox::SplashWindow(QStringLiteral("Client"));
  splash->ShowFor(60 * 1000);  // closed below, once the window has asked what it must
  session.Start();
  const QStringList links = parser.positionalArguments();
  const bool connect = parser.isSet(QStringLiteral("connect")) || !links.isEmpty();
  const std::string room = scrawlbox::ToWire(parser.isSet(QStringLiteral("connect"))
                                                 ? parser.value(QStringLiteral("connect"))
                                                 : links.value(0));
  // A player with a nickname is joining the room from the window's first moment, and its status
  // line says so instead of "Not connected".
  const bool join_now = connect && !session.NeedsProfile() && session.NicknameUsable();
  if (join_now) session.JoinRoom(room);
  window.RestorePlacement();
  window.show();
  splash->raise();
  // A newcomer chooses a nickname in one window and goes on to what was asked for: the room of
  // --connect, or else the server browser.
  if (session.NeedsProfile()) {
    splash->close();
  } else {
    QTimer::singleShot(scrawlbox::SplashWindow::kShowMs, splash, &QWidget::close);
  }
  QTimer::singleShot(0, &window, [&session, &window, connect, join_now, room] {
    if (join_now) return;
    if (connect) {
      session.JoinRoom(room);
    } else {
      window.ChooseNicknameIfNeeded();
    }
  });
  return app.exec();
}
