// SPDX-License-Identifier: MIT
// The room server with the operator's window: the same room as the headless program, with the
// players, logs, bans and statistics on screen.
#include <QApplication>
#include <QLocale>
#include <QScreen>

#include "common/qt/console_line.h"
#include "common/ui/languages.h"
#include "common/ui/splash_window.h"
#include "server/net/room_shell.h"
#include "server/ui/main_window.h"

int main(int argc, char** argv) {
  scrawlbox::PrepareStandardStreams();
  QApplication app(argc, argv);
  const server::RoomOptions options = server::PrepareRoomProgram(app, false);
  // The operator's windows speak the system's language; Server.ini holds the room, not them.
  scrawlbox::InstallTranslation(app, QStringLiteral("server"),
                                scrawlbox::ChooseLanguage({}, QLocale::system().uiLanguages()));

  server::MainWindow window;
  server::RoomShell shell(options, window);
  window.Attach(shell.room());
  window.OnQuitFinished([&window] { window.close(); });
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.scrawlbox.Server"));
  auto* splash = new scrawlbox::SplashWindow(QStringLiteral("Server"));
  splash->ShowFor();
  shell.Start();
  window.ShowBans();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  splash->raise();
  // Closing the last window must not end the program before the shutdown sequence is over.
  QApplication::setQuitOnLastWindowClosed(false);
  return app.exec();
}
