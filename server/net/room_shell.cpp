// SPDX-License-Identifier: MIT
#include "server/net/room_shell.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QSslKey>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "common/metrics/exposition.h"
#include "common/qt/app_identity.h"
#include "common/qt/data_folder.h"
#include "server/net/host_page.h"
#include "server/net/web_page.h"

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
  parser.addOption(
      {QStringLiteral("web-port"),
       QStringLiteral("Serve the room's page and take browser players on <port> (also the \"Web "
                      "Port\" key); 0 turns it off, the default."),
       QStringLiteral("port")});
  parser.addOption(
      {QStringLiteral("rooms"),
       QStringLiteral("Host many rooms on these ports: anyone may make one on the web port "
                      "(the page's \"Create a private room\", or POST /rooms) and join it by "
                      "its link or code. The room of Server.ini stays, as the default room of "
                      "clients that name none. Limits: the [Host] section of Server.ini.")});
  parser.process(app);
  RoomOptions options{headless_program && parser.isSet(QStringLiteral("headless")),
                      QString(),
                      std::nullopt,
                      parser.value(QStringLiteral("metrics-address")),
                      std::nullopt,
                      parser.isSet(QStringLiteral("rooms"))};
  if (parser.isSet(QStringLiteral("metrics-port"))) {
    bool ok = false;
    const int port = parser.value(QStringLiteral("metrics-port")).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
      std::fprintf(stderr, "%s: --metrics-port takes 0-65535\n", qPrintable(ProgramName()));
      std::exit(2);
    }
    options.metrics_port = port;
  }
  if (parser.isSet(QStringLiteral("web-port"))) {
    bool ok = false;
    const int port = parser.value(QStringLiteral("web-port")).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
      std::fprintf(stderr, "%s: --web-port takes 0-65535\n", qPrintable(ProgramName()));
      std::exit(2);
    }
    options.web_port = port;
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
      host_({transport_, scheduler_, random_, code_random_, view, ini_,
             WordListFolders(options.data_folder), http_,
             RegistrationKey(QHostInfo::localHostName().toStdString(),
                             OperatorAccountName().toStdString()),
             Sha256Hex, options.rooms}) {
  transport_.Attach(&host_.sink(), [this](const std::string& text, int icon) {
    room().core().LogGeneral(text, icon);
  });
  host_.OnFinished([] { QCoreApplication::quit(); });
  expiry_check_.setInterval(24 * 3600 * 1000);
  QObject::connect(&expiry_check_, &QTimer::timeout, [this] { CheckExpiry(); });
}

void RoomShell::Start() {
  ConfigureWeb();
  WebTransport& web = transport_.web();
  host_.SetWebPort(web.port());
  transport_.OnWebPort([this](int port) { host_.SetWebPort(port); });
  host_.Start();
  if (web.listening()) {
    const ServerSettings& settings = room().core().settings();
    const std::string host =
        settings.IPAddress.empty() ? transport_.LocalAddress() : settings.IPAddress;
    const std::string scheme = web.tls() ? "https" : "http";
    room().core().LogGeneral(
        "Browser players: " + scheme + "://" + host + ":" + std::to_string(web.port()) +
            "/ (WebSocket at " + WebTransport::kPlayPath + ")" +
            (settings.BrowserPlayers ? "." : ", refused by Browser Players=0."),
        kIconInfo);
    if (host_.routes()) {
      room().core().LogGeneral("Rooms are made at " + scheme + "://" + host + ":" +
                                   std::to_string(web.port()) + "/rooms (POST) and on the page.",
                               kIconInfo);
    }
  }
  StartMetrics();
}

void RoomShell::ConfigureWeb() {
  RoomServer& core = room().core();
  const ServerSettings& settings = core.settings();
  WebTransport::Config config;
  config.port = options_.web_port.value_or(settings.WebPortNumber());
  if (!options_.web_port && config.port == 0 && settings.WebPort != "0" &&
      !settings.WebPort.empty()) {
    core.LogGeneral(
        "\"Web Port\" is not a port number (" + settings.WebPort + "); browsers cannot join.",
        kIconWarning);
  }
  if (config.port == 0) return;
  config.browser_players = settings.BrowserPlayers;
  config.origins.origins = settings.WebOrigins;
  std::string bad;
  if (std::optional<http::TrustedProxies> trusted =
          http::TrustedProxies::Parse(settings.TrustedProxies, &bad)) {
    config.trusted = std::move(*trusted);
  } else {
    core.LogGeneral(
        "\"Trusted Proxies\" holds \"" + bad + "\", which is no IP address; no proxy is trusted.",
        kIconWarning);
  }
  config.handshake_ms = std::max(1, settings.HandshakeTimeout) * 1000;
  config.max_pending = static_cast<size_t>(std::max(1, settings.MaxConnections));
  config.max_pending_per_address =
      static_cast<size_t>(std::max(0, settings.MaxConnectionsPerAddress));
  if (settings.WebTls()) {
    std::optional<QSslConfiguration> tls = LoadTls();
    if (!tls) {
      // Plain HTTP where HTTPS was asked for would hand players' traffic to anyone between.
      core.LogGeneral("The web port stays closed until its certificate can be used.", kIconError);
      return;
    }
    transport_.web().SetTls(std::move(tls));
    expiry_check_.start();
  } else if (!settings.TlsCertificate.empty() || !settings.TlsKey.empty()) {
    core.LogGeneral(
        "\"TLS Certificate\" and \"TLS Key\" go together; the web port speaks plain "
        "HTTP.",
        kIconWarning);
  }
  WebTransport::PageHandler page = [this](const WebTransport::Request& request) {
    return HostPageAnswer(host_, request, transport_.web().tls());
  };
  transport_.web().Configure(
      std::move(config), std::move(page),
      [this](const std::string& text, int icon) { room().core().LogGeneral(text, icon); });
}

std::optional<QSslConfiguration> RoomShell::LoadTls() {
  const ServerSettings settings = LoadSettings(ini_);
  RoomServer& core = room().core();
  const auto path = [this](const std::string& name) {
    const QString file = QString::fromStdString(name);
    return QDir::isAbsolutePath(file) ? file : QDir(options_.data_folder).filePath(file);
  };
  QFile certificate_file(path(settings.TlsCertificate));
  QFile key_file(path(settings.TlsKey));
  if (!certificate_file.open(QIODevice::ReadOnly) || !key_file.open(QIODevice::ReadOnly)) {
    core.LogGeneral(
        "Cannot read the TLS certificate or key (" +
            (certificate_file.isOpen() ? key_file : certificate_file).errorString().toStdString() +
            ").",
        kIconError);
    return std::nullopt;
  }
  const QList<QSslCertificate> chain = QSslCertificate::fromData(certificate_file.readAll());
  const QByteArray key_bytes = key_file.readAll();
  QSslKey key(key_bytes, QSsl::Rsa);
  if (key.isNull()) key = QSslKey(key_bytes, QSsl::Ec);
  if (chain.isEmpty() || chain.first().isNull() || key.isNull()) {
    core.LogGeneral(chain.isEmpty() ? "The TLS certificate file holds no PEM certificate."
                                    : "The TLS key file holds no PEM RSA or EC key.",
                    kIconError);
    return std::nullopt;
  }
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  tls.setLocalCertificateChain(chain);
  tls.setPrivateKey(key);
  tls.setPeerVerifyMode(QSslSocket::VerifyNone);
  certificate_ = chain.first();
  CheckExpiry();
  return tls;
}

void RoomShell::ReloadTls() {
  if (!transport_.web().tls()) return;
  if (std::optional<QSslConfiguration> tls = LoadTls()) {
    transport_.web().SetTls(std::move(tls));
    room().core().LogGeneral("The TLS certificate was read again; it is valid until " +
                                 certificate_.expiryDate().toString(Qt::ISODate).toStdString() +
                                 ".",
                             kIconInfo);
  } else {
    room().core().LogGeneral("The web port keeps its certificate.", kIconWarning);
  }
}

void RoomShell::CheckExpiry() {
  if (certificate_.isNull()) return;
  const QDateTime expiry = certificate_.expiryDate();
  const qint64 days = QDateTime::currentDateTimeUtc().daysTo(expiry);
  if (days >= kExpiryWarningDays) return;
  const std::string when = expiry.toString(Qt::ISODate).toStdString();
  room().core().LogGeneral(
      days < 0 ? "The TLS certificate expired on " + when + "; browsers refuse the room's page."
               : "The TLS certificate expires on " + when + ", in " + std::to_string(days) +
                     " days; renew it and send the "
                     "room SIGHUP.",
      kIconWarning);
}

std::string RoomShell::TransportMetrics() const {
  metrics::Exposition out;
  const std::pair<const char*, const TransportCounters*> transports[] = {
      {"tcp", &transport_.tcp().counters()}, {"web", &transport_.web().counters()}};
  out.Counter("scrawlbox_transport_connections_total",
              "Connections that became the room's, by transport.");
  for (const auto& [name, counters] : transports) {
    out.Sample(static_cast<double>(counters->accepted), {{"transport", name}});
  }
  out.Counter("scrawlbox_transport_received_bytes_total",
              "Bytes read from players, framing included, by transport.");
  for (const auto& [name, counters] : transports) {
    out.Sample(static_cast<double>(counters->received_bytes), {{"transport", name}});
  }
  out.Counter("scrawlbox_transport_sent_bytes_total",
              "Bytes written to players, framing included, by transport.");
  for (const auto& [name, counters] : transports) {
    out.Sample(static_cast<double>(counters->sent_bytes), {{"transport", name}});
  }
  out.Gauge("scrawlbox_transport_open_connections", "Connections of the room, by transport.");
  out.Sample(static_cast<double>(transport_.tcp().OpenCount()), {{"transport", "tcp"}});
  out.Sample(static_cast<double>(transport_.web().OpenCount()), {{"transport", "web"}});
  return out.Take();
}

void RoomShell::StartMetrics() {
  RoomServer& core = room().core();
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
    std::string text = host_.MetricsText();
    text += TransportMetrics();
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
