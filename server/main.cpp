// SPDX-License-Identifier: MIT
// The room server without a window, for machines without a screen (--headless): log lines go to
// standard output and the operator's commands come from standard input. Linking only Qt Core
// and Network, it starts in milliseconds and needs no windowing library. Without --headless it
// hands over to the operator's window, a program of its own over the same room.
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/qt/console_line.h"
#include "common/qt/epoll_dispatcher.h"
#include "common/qt/signal_watcher.h"
#include "protocol/numbers.h"
#include "server/net/console_input.h"
#include "server/net/console_view.h"
#include "server/net/room_shell.h"

namespace {

constexpr char kWindowProgram[] = "scrawlbox-server-window";

// Without a window the program needs no display: headless, or only answering --help or
// --version.
bool NeedsNoWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* name : {"--headless", "-h", "-?", "--help", "-v", "--version"}) {
      if (std::strcmp(argv[i], name) == 0) return true;
    }
  }
  return false;
}

// Runs the window program with the same arguments: the one beside this program first (a build
// folder, or /usr/games), then the one on PATH. Returns only when neither could be started.
void HandOverToWindow(char** argv) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::string beside = (self.parent_path() / kWindowProgram).string();
    argv[0] = const_cast<char*>(beside.c_str());
    execv(beside.c_str(), argv);
  }
  argv[0] = const_cast<char*>(kWindowProgram);
  execvp(kWindowProgram, argv);
  std::fprintf(stderr,
               "scrawlbox-server: the operator's window is the program %s, of the package "
               "scrawlbox-server-window, and it could not be started (%s).\n"
               "Install that package, or run the room without a window: "
               "scrawlbox-server --headless\n",
               kWindowProgram, std::strerror(errno));
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

}  // namespace

int main(int argc, char** argv) {
  if (!NeedsNoWindow(argc, argv)) {
    HandOverToWindow(argv);
    return 2;
  }
  scrawlbox::PrepareStandardStreams();
  // One epoll_wait a pass, handing back only the ready sockets.
  QCoreApplication::setEventDispatcher(new scrawlbox::EpollDispatcher);
  QCoreApplication app(argc, argv);
  const server::RoomOptions options = server::PrepareRoomProgram(app, true);

  server::ConsoleView view;
  server::RoomShell shell(options, view);
  server::Room& room = shell.room();
  room.registration().SetRemoveOnQuit(true);
  server::ConsoleInput input;
  QObject::connect(&input, &server::ConsoleInput::lineEntered, [&](const std::string& line) {
    for (const std::string& answer : shell.host().Execute(line)) view.WriteAnswer(answer);
  });
  QObject::connect(&input, &server::ConsoleInput::lineTooLong,
                   [&view] { view.WriteAnswer("That line was too long and was ignored."); });
  scrawlbox::SignalWatcher termination;
  QObject::connect(&termination, &scrawlbox::SignalWatcher::terminationRequested, [&room, &view] {
    view.WriteLine("general", "Termination requested; shutting the room down.");
    room.core().Quit(true);
  });
  QObject::connect(&termination, &scrawlbox::SignalWatcher::reloadRequested,
                   [&shell] { shell.ReloadTls(); });
  view.WriteLine("general", "Data folder: " + options.data_folder.toStdString());
  shell.Start();
  int failure = 0;
  if (!room.core().listening()) {
    RetryListening(room.core(), view, shell.ini(), [&](const std::string& why) {
      view.WriteLine("general", "Giving up: " + why + "; the room ends.", server::kIconError);
      std::fprintf(stderr, "scrawlbox-server: %s\n", why.c_str());
      failure = 1;
      room.core().Quit(true);
    });
  }
  view.WriteLine("general", "Type help for the operator's commands.");
  const int status = app.exec();
  return failure ? failure : status;
}
