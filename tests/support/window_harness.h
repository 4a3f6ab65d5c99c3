// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <initializer_list>
#include <string>
#include <string_view>

#include "client/room/session.h"
#include "client/ui/main_window.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_transport.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// The main window on a session with fake ports, as the widget tests drive it: an empty Data
// folder, Client.ini in memory and a manual clock.
class WindowHarness {
 public:
  explicit WindowHarness(std::string_view client_ini = "")
      : ini(client_ini),
        settings(ini),
        window(client::ClientPaths(QString::fromStdString(dir.path().string())), clock),
        session({connection, window, clock, settings}) {
    window.Attach(&session, &settings, nullptr);
    session.Start();
  }

  template <typename T>
  T* Find(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }
  // Which of the named widgets and actions are enabled, space-separated in the order asked.
  std::string Enabled(std::initializer_list<const char*> names) {
    std::string on;
    for (const char* name : names) {
      QObject* object = Find<QObject>(name);
      auto* action = qobject_cast<QAction*>(object);
      if (action ? action->isEnabled() : qobject_cast<QWidget*>(object)->isEnabled()) {
        on += (on.empty() ? "" : " ") + std::string(name);
      }
    }
    return on;
  }
  // What went to the server since the last call, on one line as Render writes it.
  std::string Sent() { return Render(connection.Take()); }
  // Delivers one message from the server.
  void Receive(std::string_view command, std::string_view data) {
    session.OnData(protocol::Frame(command, data));
  }

  TempDir dir;
  MemoryIni ini;
  ManualClock clock;
  FakeConnection connection;
  client::ClientSettings settings;
  client::MainWindow window;
  client::Session session;
};

}  // namespace testing_support
