// SPDX-License-Identifier: MIT
// The room server: with its operator window by default, or as a console program (--headless)
// for machines without a screen. Both run the same core.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostInfo>
#include <QScreen>
#include <cstdio>
#include <memory>

#include "common/qt/app_identity.h"
#include "common/qt/data_folder.h"
#include "common/qt/qt_http.h"
#include "common/qt/qt_scheduler.h"
#include "common/ui/splash_window.h"
#include "inifile/ini_file.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/operator_console.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/room_server.h"
#include "server/game/game.h"
#include "server/game/word_lists.h"
#include "server/net/console_input.h"
#include "server/net/console_view.h"
#include "server/net/signal_watcher.h"
#include "server/net/socket_transport.h"
#include "server/ui/main_window.h"

namespace {

// The operator's account name, for the registration key: the usual variables, then the name of
// the home folder (a service account may have none of them set).
QString OperatorAccountName() {
  for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
    const QString value = qEnvironmentVariable(name);
    if (!value.isEmpty()) return value;
  }
  return QDir::home().dirName();
}

// The room and its administration, wired the same way for the console and for the window.
struct Room {
  Room(server::ServerView& view, server::SocketTransport& transport,
       scrawlbox::Scheduler& scheduler, scrawlbox::Random& random, inifile::IniStore& ini,
       server::WordLists& word_lists, directory::HttpGetter& http,
       const std::string& registration_key)
      : core({transport, scheduler, view, ini}),
        game(core, scheduler, random, word_lists),
        bans(ini),
        actions(core, bans, scheduler),
        registration(core, http, scheduler, &word_lists, registration_key) {
    core.SetGame(&game);
    core.SetBanCheck(&bans);
    core.SetQuitGate(&registration);
    transport.Attach(&core);
  }

  void Start() {
    game.ScanWordlists();
    core.Start();
    bans.LoadBanList();
  }

  server::RoomServer core;
  server::Game game;
  server::BanList bans;
  server::OperatorActions actions;
  server::TrackerRegistration registration;
};

bool WantsHeadless(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (QByteArray(argv[i]) == "--headless") return true;
  }
  return false;
}

struct Options {
  bool headless = false;
  QString data_folder;
};

Options ParseOptions(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Scrawlbox room server: hosts one draw-and-guess room on a TCP port (2020 unless the "
      "\"Port\" key of Server.ini says otherwise)."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({QStringLiteral("headless"),
                    QStringLiteral("Run without a window; log lines go to standard output. "
                                   "SIGINT or SIGTERM shuts the room down.")});
  parser.addOption({QStringLiteral("data-dir"),
                    QStringLiteral("Use <dir> as the Data folder (Server.ini, Wordlists/)."),
                    QStringLiteral("dir")});
  parser.process(app);
  return Options{parser.isSet(QStringLiteral("headless")),
                 parser.value(QStringLiteral("data-dir"))};
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> app;
  if (WantsHeadless(argc, argv)) {
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    app = std::make_unique<QApplication>(argc, argv);
  }
  scrawlbox::SetApplicationIdentity(QStringLiteral("Scrawlbox Server"));
  const Options options = ParseOptions(*app);

  const QString data_folder = scrawlbox::ResolveDataFolder(options.data_folder);
  if (data_folder.isEmpty()) {
    std::fprintf(stderr, "scrawlbox-server: cannot create the Data folder %s\n",
                 qPrintable(options.data_folder));
    return 2;
  }
  inifile::IniFile ini(QDir(data_folder).filePath(QStringLiteral("Server.ini")).toStdString());
  // Before the first write: what a killed server left behind must not pile up.
  inifile::RemoveStaleTemporaryFiles(ini.path());
  scrawlbox::QtScheduler scheduler;
  scrawlbox::QtRandom random;
  server::SocketTransport transport;
  scrawlbox::QtHttpGetter http;
  const std::string registration_key = server::RegistrationKey(
      QHostInfo::localHostName().toStdString(), OperatorAccountName().toStdString());
  server::WordLists word_lists(
      QDir(data_folder).filePath(QStringLiteral("Wordlists")).toStdString());

  // Once everyone has been told, the sockets get a moment to write it out before the end.
  auto quit_after_flush = [&transport] {
    transport.CloseAllThen([] { QCoreApplication::quit(); });
  };

  if (options.headless) {
    server::ConsoleView view;
    Room room(view, transport, scheduler, random, ini, word_lists, http, registration_key);
    room.registration.SetRemoveOnQuit(true);
    server::OperatorConsole console(room.core, room.actions, room.bans, &word_lists,
                                    &room.registration);
    server::ConsoleInput input;
    QObject::connect(&input, &server::ConsoleInput::lineEntered, [&](const std::string& line) {
      for (const std::string& answer : console.Execute(line)) view.WriteAnswer(answer);
    });
    QObject::connect(&input, &server::ConsoleInput::lineTooLong,
                     [&view] { view.WriteAnswer("That line was too long and was ignored."); });
    view.OnQuitFinished(quit_after_flush);
    server::SignalWatcher termination;
    QObject::connect(&termination, &server::SignalWatcher::terminationRequested, [&room, &view] {
      view.WriteLine("general", "Termination requested; shutting the room down.");
      room.core.Quit(true);
    });
    view.WriteLine("general", "Data folder: " + data_folder.toStdString());
    room.Start();
    view.WriteLine("general", "Type help for the operator's commands.");
    return app->exec();
  }

  server::MainWindow window;
  Room room(window, transport, scheduler, random, ini, word_lists, http, registration_key);
  room.bans.SetOnChanged([&window] { window.ShowBans(); });
  window.Attach(&room.core);
  window.AttachAdmin(&room.bans, &room.actions, &word_lists);
  window.AttachRegistration(&room.registration);
  window.OnQuitFinished([&window, quit_after_flush] {
    window.close();
    quit_after_flush();
  });
  auto* splash = new scrawlbox::SplashWindow(QStringLiteral("Server"));
  splash->ShowFor();
  room.Start();
  window.ShowBans();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  splash->raise();
  // Closing the last window must not end the program before the shutdown sequence is over.
  QApplication::setQuitOnLastWindowClosed(false);
  return app->exec();
}
