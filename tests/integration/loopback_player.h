// SPDX-License-Identifier: MIT
#pragma once

#include <QtCore/qtestsupport_core.h>
#include <string>

#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "common/qt/qt_scheduler.h"
#include "tests/support/client_fakes.h"
#include "tests/support/memory_ini.h"

namespace testing_support {

// One player: a client session on a real socket to a room on this machine, with a view that
// keeps what it was shown (a RecordingClientView or one built on it).
template <typename View = RecordingClientView>
struct LoopbackPlayer {
  static constexpr int kWaitMs = 10000;

  explicit LoopbackPlayer(const std::string& nickname)
      : ini("[Player Information]\nNickname=" + nickname + "\n"),
        settings(ini),
        session({connection, view, scheduler, settings}) {
    // A view with a pad of its own sends what it draws through this player's session.
    if constexpr (requires(View & v) { v.tools; }) view.tools.SetSink(&session);
    connection.Attach(&session);
    session.Start();
  }
  void Join(quint16 port) {
    session.ExecuteUserCommand("connect 127.0.0.1:" + std::to_string(port));
  }
  // Waits until the login is through and the list holds this many users.
  bool InRoomWith(size_t users) {
    return QTest::qWaitFor([&] { return view.controls.disconnect && view.users.size() == users; },
                           kWaitMs);
  }
  // Waits for a chat line with exactly this text.
  bool Sees(const std::string& text) {
    return QTest::qWaitFor(
        [&] {
          for (const auto& line : view.lines) {
            if (line.text == text) return true;
          }
          return false;
        },
        kWaitMs);
  }

  MemoryIni ini;
  client::ClientSettings settings;
  scrawlbox::QtScheduler scheduler;
  client::QtConnection connection;
  View view;
  client::Session session;
};

}  // namespace testing_support
