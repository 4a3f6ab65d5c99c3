// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "common/qt/metrics_endpoint.h"
#include "common/qt/qt_http.h"
#include "common/qt/qt_ini_file.h"
#include "common/qt/qt_scheduler.h"
#include "server/host/room_host.h"
#include "server/net/room_transport.h"
#include "server/room/room.h"

namespace server {

// What the command line of either room program says.
struct RoomOptions {
  bool headless = false;
  // The Data folder, resolved and created.
  QString data_folder;
  // Set when given on the command line; they win over Server.ini.
  std::optional<int> metrics_port;
  QString metrics_address;
  std::optional<int> web_port;
  // --rooms: a host of many rooms, the room of Server.ini its default room.
  bool rooms = false;
};

// Names the program (both share one per-user Data folder), lets it hold many connections, and
// reads the command line, answering --help and --version; a bad option or a Data folder that
// cannot be made ends the program with status 2. Only the headless program offers --headless.
RoomOptions PrepareRoomProgram(const QCoreApplication& app, bool headless_program);

// The room on Qt's sockets, timers and HTTP, with its Server.ini and word lists in the Data
// folder, or with --rooms a host of many rooms, that room its default one. Once the quit is
// over, the event loop ends.
class RoomShell {
 public:
  RoomShell(const RoomOptions& options, ServerView& view);

  // Starts the room with its web port, then the metrics endpoint when the command line or
  // Server.ini asks for one; what happens goes to the room's log.
  void Start();
  // Reads the web port's certificate and key again (they are renewed while the room runs):
  // connections from now on use the new ones. A pair that cannot be read keeps the old one.
  void ReloadTls();
  Room& room() { return host_.default_room(); }
  RoomHost& host() { return host_; }
  inifile::IniStore& ini() { return ini_; }
  RoomTransport& transport() { return transport_; }

 private:
  void ConfigureWeb();
  // The certificate and key of Server.ini, or nullopt (logged) when they cannot be used.
  std::optional<QSslConfiguration> LoadTls();
  // Warns in the log when the certificate in use runs out within kExpiryWarningDays.
  void CheckExpiry();
  void StartMetrics();
  std::string TransportMetrics() const;

  static constexpr int kExpiryWarningDays = 14;

  const RoomOptions options_;
  scrawlbox::QtIniFile ini_;
  scrawlbox::QtScheduler scheduler_;
  scrawlbox::QtRandom random_;
  scrawlbox::SystemRandom code_random_;
  RoomTransport transport_;
  scrawlbox::QtHttpGetter http_;
  RoomHost host_;
  std::unique_ptr<scrawlbox::MetricsEndpoint> metrics_;
  QSslCertificate certificate_;  // in use on the web port
  QTimer expiry_check_;
};

}  // namespace server
