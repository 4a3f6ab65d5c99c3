// SPDX-License-Identifier: MIT
#include "server/net/room_shell.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <cstdio>
#include <cstdlib>

#include "common/qt/app_identity.h"
#include "common/qt/data_folder.h"

namespace server {

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

// Server.ini of the Data folder, with what a killed server left behind removed before the first
// write, so that it does not pile up.
std::string ServerIniPath(const QString& data_folder) {
  const std::string path = QDir(data_folder).filePath(QStringLiteral("Server.ini")).toStdString();
  inifile::RemoveStaleTemporaryFiles(path);
  return path;
}

// The Data folder's own lists first, then those an installed server ships.
std::vector<std::filesystem::path> WordListFolders(const QString& data_folder) {
  std::vector<std::filesystem::path> folders;
  for (const QString& folder :
       scrawlbox::DataSearchPath(data_folder, QStringLiteral("Wordlists"))) {
    folders.emplace_back(folder.toStdString());
  }
  return folders;
}

// For messages: the program's file name, as the operator typed it.
QString ProgramName() {
  return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

}  // namespace

RoomOptions PrepareRoomProgram(const QCoreApplication& app, bool headless_program) {
  scrawlbox::SetApplicationIdentity(QStringLiteral("Scrawlbox Server"));
  scrawlbox::RaiseFileLimit();
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Scrawlbox room server: hosts one draw-and-guess room on a TCP port (2020 unless the "
      "\"Port\" key of Server.ini says otherwise)."));
  parser.addHelpOption();
  parser.addVersionOption();
  if (headless_program) {
    parser.addOption({QStringLiteral("headless"),
                      QStringLiteral("Run without a window; log lines go to standard output. "
                                     "SIGINT or SIGTERM shuts the room down. Without it the "
                                     "operator's window, scrawlbox-server-window, is started.")});
  }
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
  RoomOptions options{headless_program && parser.isSet(QStringLiteral("headless")), QString(),
                      std::nullopt, parser.value(QStringLiteral("metrics-address"))};
  if (parser.isSet(QStringLiteral("metrics-port"))) {
    bool ok = false;
    const int port = parser.value(QStringLiteral("metrics-port")).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
      std::fprintf(stderr, "%s: --metrics-port takes 0-65535\n", qPrintable(ProgramName()));
      std::exit(2);
    }
    options.metrics_port = port;
  }
  const QString asked = parser.value(QStringLiteral("data-dir"));
  options.data_folder = scrawlbox::ResolveDataFolder(asked);
  if (options.data_folder.isEmpty()) {
    std::fprintf(stderr, "%s: cannot create the Data folder %s\n", qPrintable(ProgramName()),
                 qPrintable(asked));
    std::exit(2);
  }
  return options;
}

RoomShell::RoomShell(const RoomOptions& options, ServerView& view)
    : options_(options),
      ini_(ServerIniPath(options.data_folder)),
      room_({transport_, scheduler_, random_, view, ini_, WordListFolders(options.data_folder),
             http_,
             RegistrationKey(QHostInfo::localHostName().toStdString(),
                             OperatorAccountName().toStdString()),
             Sha256Hex}) {
  transport_.Attach(&room_.core());
  room_.OnFinished([] { QCoreApplication::quit(); });
}

void RoomShell::Start() {
  room_.Start();
  StartMetrics();
}

void RoomShell::StartMetrics() {
  RoomServer& core = room_.core();
  const ServerSettings& settings = core.settings();
  const int port = options_.metrics_port.value_or(settings.MetricsPortNumber());
  if (!options_.metrics_port && port == 0 && settings.MetricsPort != "0" &&
      !settings.MetricsPort.empty()) {
    core.LogGeneral("\"Metrics Port\" is not a port number (" + settings.MetricsPort +
                        "); the metrics are off.",
                    kIconWarning);
  }
  if (port == 0) return;
  const QString address_text = options_.metrics_address.isEmpty()
                                   ? QString::fromStdString(settings.MetricsAddress)
                                   : options_.metrics_address;
  QHostAddress address;
  if (!address.setAddress(address_text)) {
    core.LogGeneral("The metrics address \"" + address_text.toStdString() +
                        "\" is not an IP address; the metrics are off.",
                    kIconError);
    return;
  }
  const qint64 start_ms = QDateTime::currentMSecsSinceEpoch();
  auto endpoint = std::make_unique<scrawlbox::MetricsEndpoint>([this, start_ms] {
    std::string text = room_.MetricsText();
    scrawlbox::AppendProcessMetrics(text, start_ms);
    return text;
  });
  if (!endpoint->Listen(address, static_cast<quint16>(port))) {
    core.LogGeneral("Cannot serve the metrics on " + address_text.toStdString() + " port " +
                        std::to_string(port) + ": " + endpoint->errorString().toStdString() + ".",
                    kIconError);
    return;
  }
  const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                           ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                           : address.toString();
  core.LogGeneral("Metrics at http://" + host.toStdString() + ":" +
                      std::to_string(endpoint->port()) + "/metrics.",
                  kIconInfo);
  metrics_ = std::move(endpoint);
}

}  // namespace server
