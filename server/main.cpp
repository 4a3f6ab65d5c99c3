// SPDX-License-Identifier: MIT
// The room server: with its operator window by default, or as a console program (--headless)
// for machines without a screen. Both run the same core.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/qt/app_identity.h"
#include "common/qt/console_line.h"
#include "common/qt/data_folder.h"
#include "common/qt/epoll_dispatcher.h"
#include "common/qt/metrics_endpoint.h"
#include "common/qt/qt_http.h"
#include "common/qt/qt_scheduler.h"
#include "common/qt/signal_watcher.h"
#include "common/ui/splash_window.h"
#include "inifile/ini_file.h"
#include "protocol/numbers.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/operator_console.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/room_server.h"
#include "server/game/game.h"
#include "server/game/word_lists.h"
#include "server/net/console_input.h"
#include "server/net/console_view.h"
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

// What the tracker is sent in place of the registration key's text.
std::string Sha256Hex(std::string_view bytes) {
  const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

// The room and its administration, wired the same way for the console and for the window.
struct Room {
  Room(server::ServerView& view, server::SocketTransport& transport,
       scrawlbox::Scheduler& scheduler, scrawlbox::Random& random, inifile::IniStore& ini,
       server::WordLists& word_lists, directory::HttpGetter& http,
       const std::string& registration_key)
      : core({transport, scheduler, view, ini}),
        game(core, scheduler, random, word_lists),
        bans(ini, scheduler),
        actions(core, bans, scheduler),
        registration(core, http, scheduler, &word_lists, registration_key, Sha256Hex, ini) {
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

bool HasArgument(int argc, char** argv, std::initializer_list<const char*> names) {
  for (int i = 1; i < argc; ++i) {
    for (const char* name : names) {
      if (QByteArray(argv[i]) == name) return true;
    }
  }
  return false;
}

// Without a window the program needs no display: headless, or only answering --help or
// --version.
bool NeedsNoWindow(int argc, char** argv) {
  return HasArgument(argc, argv, {"--headless", "-h", "-?", "--help", "-v", "--version"});
}

// A headless room that cannot listen serves nobody: it tries again this often for the
// "Listen Retry Seconds" of Server.ini, then ends with an error so that its service manager
// restarts it (and whoever started it by hand reads why).
constexpr int kListenRetryMs = 2000;
constexpr char kDefaultListenRetrySeconds[] = "30";

// Tries to listen until the time is up; gives_up is called when it is, or at once when the
// port is no port at all.
void RetryListening(server::RoomServer& core, server::ConsoleView& view,
                    const inifile::IniStore& ini,
                    const std::function<void(const std::string& why)>& give_up) {
  const int port = core.settings().PortNumber();
  const auto window_ms = static_cast<qint64>(
      std::clamp(
          protocol::LeadingNumber(ini.INIRead(server::kServerDetailsSection, "Listen Retry Seconds",
                                              kDefaultListenRetrySeconds)),
          0.0, 86400.0) *
      1000);
  if (port == 0 || window_ms == 0) {
    const std::string why = port == 0 ? "\"" + core.settings().Port + "\" is not a port number"
                                      : "port " + std::to_string(port) + " could not be opened";
    QTimer::singleShot(0, [give_up, why] { give_up(why); });
    return;
  }
  const auto interval_ms = std::min<qint64>(kListenRetryMs, window_ms);
  view.WriteLine("general", "Trying again every " + std::to_string(interval_ms) + " ms for " +
                                std::to_string(window_ms / 1000) + " s.");
  auto* timer = new QTimer(QCoreApplication::instance());
  auto since = std::make_shared<QElapsedTimer>();
  since->start();
  timer->setInterval(static_cast<int>(interval_ms));
  QObject::connect(timer, &QTimer::timeout, [&core, &view, timer, since, window_ms, port, give_up] {
    // The operator may have taken the room offline meanwhile, or brought it online.
    const auto stop = [timer] {
      timer->stop();
      timer->deleteLater();
    };
    if (core.listening() || core.listen_state() == server::RoomServer::kListenOffline) {
      stop();
      return;
    }
    if (core.Relisten()) {
      stop();
      view.WriteLine("connections", "Listening on port " + std::to_string(port) + " now.");
      return;
    }
    if (since->elapsed() < window_ms) return;
    stop();
    give_up("port " + std::to_string(port) + " could not be opened within " +
            std::to_string(window_ms / 1000) + " s");
  });
  timer->start();
}

struct Options {
  bool headless = false;
  QString data_folder;
  // Set when given on the command line; they win over Server.ini.
  std::optional<int> metrics_port;
  QString metrics_address;
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
  parser.addOption(
      {QStringLiteral("metrics-port"),
       QStringLiteral("Serve Prometheus metrics at http://127.0.0.1:<port>/metrics; 0 turns them "
                      "off (the default, unless the \"Metrics Port\" key of Server.ini is set)."),
       QStringLiteral("port")});
  parser.addOption(
      {QStringLiteral("metrics-address"),
       QStringLiteral("Serve the metrics on <address> instead of 127.0.0.1 (also the \"Metrics "
                      "Address\" key); 0.0.0.0 or :: opens them to the network."),
       QStringLiteral("address")});
  parser.process(app);
  Options options{parser.isSet(QStringLiteral("headless")),
                  parser.value(QStringLiteral("data-dir")), std::nullopt,
                  parser.value(QStringLiteral("metrics-address"))};
  if (parser.isSet(QStringLiteral("metrics-port"))) {
    bool ok = false;
    const int port = parser.value(QStringLiteral("metrics-port")).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
      std::fprintf(stderr, "scrawlbox-server: --metrics-port takes 0-65535\n");
      std::exit(2);
    }
    options.metrics_port = port;
  }
  return options;
}

// Starts the metrics endpoint when the command line or Server.ini asks for one; what happens
// goes to the room's log. The room's counters are read at every scrape.
std::unique_ptr<scrawlbox::MetricsEndpoint> StartMetrics(const Options& options,
                                                         server::RoomServer& core) {
  const server::ServerSettings& settings = core.settings();
  int port = options.metrics_port.value_or(settings.MetricsPortNumber());
  if (!options.metrics_port && port == 0 && settings.MetricsPort != "0" &&
      !settings.MetricsPort.empty()) {
    core.LogGeneral("\"Metrics Port\" is not a port number (" + settings.MetricsPort +
                        "); the metrics are off.",
                    server::kIconWarning);
  }
  if (port == 0) return nullptr;
  const QString address_text = options.metrics_address.isEmpty()
                                   ? QString::fromStdString(settings.MetricsAddress)
                                   : options.metrics_address;
  QHostAddress address;
  if (!address.setAddress(address_text)) {
    core.LogGeneral("The metrics address \"" + address_text.toStdString() +
                        "\" is not an IP address; the metrics are off.",
                    server::kIconError);
    return nullptr;
  }
  const qint64 start_ms = QDateTime::currentMSecsSinceEpoch();
  auto endpoint = std::make_unique<scrawlbox::MetricsEndpoint>([&core, start_ms] {
    std::string text = core.MetricsText();
    scrawlbox::AppendProcessMetrics(text, start_ms);
    return text;
  });
  if (!endpoint->Listen(address, static_cast<quint16>(port))) {
    core.LogGeneral("Cannot serve the metrics on " + address_text.toStdString() + " port " +
                        std::to_string(port) + ": " + endpoint->errorString().toStdString() + ".",
                    server::kIconError);
    return nullptr;
  }
  const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                           ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                           : address.toString();
  core.LogGeneral("Metrics at http://" + host.toStdString() + ":" +
                      std::to_string(endpoint->port()) + "/metrics.",
                  server::kIconInfo);
  return endpoint;
}

}  // namespace

int main(int argc, char** argv) {
  scrawlbox::PrepareStandardStreams();
  std::unique_ptr<QCoreApplication> app;
  if (NeedsNoWindow(argc, argv)) {
    QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    app = std::make_unique<QApplication>(argc, argv);
  }
  scrawlbox::SetApplicationIdentity(QStringLiteral("Scrawlbox Server"));
  scrawlbox::RaiseFileLimit();
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
  // The Data folder's own lists first, then those an installed server ships.
  std::vector<std::filesystem::path> word_list_folders;
  for (const QString& folder :
       scrawlbox::DataSearchPath(data_folder, QStringLiteral("Wordlists"))) {
    word_list_folders.emplace_back(folder.toStdString());
  }
  server::WordLists word_lists(std::move(word_list_folders));

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
    scrawlbox::SignalWatcher termination;
    QObject::connect(&termination, &scrawlbox::SignalWatcher::terminationRequested, [&room, &view] {
      view.WriteLine("general", "Termination requested; shutting the room down.");
      room.core.Quit(true);
    });
    view.WriteLine("general", "Data folder: " + data_folder.toStdString());
    room.Start();
    int failure = 0;
    if (!room.core.listening()) {
      RetryListening(room.core, view, ini, [&](const std::string& why) {
        view.WriteLine("general", "Giving up: " + why + "; the room ends.", server::kIconError);
        std::fprintf(stderr, "scrawlbox-server: %s\n", why.c_str());
        failure = 1;
        room.core.Quit(true);
      });
    }
    const auto metrics = StartMetrics(options, room.core);
    view.WriteLine("general", "Type help for the operator's commands.");
    const int status = app->exec();
    return failure ? failure : status;
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
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.scrawlbox.Server"));
  auto* splash = new scrawlbox::SplashWindow(QStringLiteral("Server"));
  splash->ShowFor();
  room.Start();
  const auto metrics = StartMetrics(options, room.core);
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
