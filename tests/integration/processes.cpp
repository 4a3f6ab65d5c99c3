// SPDX-License-Identifier: MIT
#include "tests/integration/processes.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>

#include "common/qt/qt_http.h"
#include "directory/server_browser.h"
#include "protocol/commands.h"
#include "tests/support/server_harness.h"

namespace testing_support {

RawClient::RawClient() = default;
RawClient::~RawClient() = default;

bool RawClient::ConnectWeb(const QUrl& url, const QString& origin,
                           const std::optional<QSslCertificate>& trusted,
                           const QByteArray& forwarded_for) {
  web_ = std::make_unique<QWebSocket>(origin);
  if (trusted) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({*trusted});
    web_->setSslConfiguration(tls);
  }
  QObject::connect(web_.get(), &QWebSocket::binaryMessageReceived,
                   [this](const QByteArray& bytes) { web_in_ += bytes; });
  QEventLoop loop;
  QObject::connect(web_.get(), &QWebSocket::connected, &loop, &QEventLoop::quit);
  QObject::connect(web_.get(), &QWebSocket::disconnected, &loop, &QEventLoop::quit);
  QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
  QNetworkRequest request(url);
  if (!forwarded_for.isEmpty()) request.setRawHeader("X-Forwarded-For", forwarded_for);
  web_->open(request);
  loop.exec();
  return web_->state() == QAbstractSocket::ConnectedState;
}

std::string RawClient::JoinConnected(const std::string& nickname) {
  namespace to_server = protocol::to_server;
  SendRaw(protocol::Frame(to_server::SCRAWLBOX_CL13NT, "100001") +
          protocol::Frame(to_server::USER, ProfileData(nickname)) +
          protocol::Frame(to_server::PASS, "<none>") + protocol::Frame(to_server::ULISTREQ, "-"));
  const auto ok = WaitFor("USEROK");
  if (!ok || !WaitFor("ULISTEND")) return {};
  return std::string(protocol::LeftOf(ok->data, protocol::kFieldSep));
}

bool RawClient::WaitClosed() {
  WaitFor("");
  return (web_ ? web_->state() : socket_.state()) == QAbstractSocket::UnconnectedState;
}

bool RawClient::HangUpOnQuit() {
  const bool told = WaitFor("SERVERQUIT").has_value();
  web_ ? web_->close() : socket_.disconnectFromHost();
  return told;
}

QString RawClient::CloseReason() const {
  return web_ ? web_->closeReason() : QString();
}

bool RawClient::ReadMore(int ms) {
  if (!web_) {
    if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(ms)) return false;
    web_in_ = socket_.readAll();
  } else if (web_in_.isEmpty() && web_->state() == QAbstractSocket::ConnectedState) {
    QEventLoop loop;
    QObject::connect(web_.get(), &QWebSocket::binaryMessageReceived, &loop, &QEventLoop::quit);
    QObject::connect(web_.get(), &QWebSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }
  if (web_in_.isEmpty()) return false;
  buffer_.Append(std::string_view(web_in_.constData(), static_cast<size_t>(web_in_.size())));
  web_in_.clear();
  return true;
}

bool RawClient::Connect(quint16 port) {
  socket_.connectToHost(QHostAddress::LocalHost, port);
  return socket_.waitForConnected(kWaitMs);
}

void RawClient::SendRaw(std::string_view bytes) {
  if (web_) {
    web_->sendBinaryMessage(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    web_->flush();
    return;
  }
  socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  // Everything goes out before the test goes on: nothing else runs this socket's events.
  while (socket_.bytesToWrite() > 0 && socket_.waitForBytesWritten(kWaitMs)) {
  }
}

std::optional<protocol::Message> RawClient::WaitFor(std::string_view command, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  std::string raw;
  while (true) {
    if (buffer_.Next(&raw) == protocol::ReceiveBuffer::Status::kMessage) {
      protocol::Message message = protocol::ParseMessage(raw);
      if (message.command == protocol::to_client::PING) Send(protocol::to_server::PONG, "-");
      if (message.command == command) return message;
      continue;
    }
    const qint64 left = timeout_ms - clock.elapsed();
    if (left <= 0 || !ReadMore(static_cast<int>(left))) return std::nullopt;
  }
}

std::string RawClient::Join(quint16 port, const std::string& nickname) {
  return Connect(port) ? JoinConnected(nickname) : std::string();
}

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

ChildProcess::ChildProcess(quint16 port) : port_(port) {
  process_.setProcessChannelMode(QProcess::MergedChannels);
  // Without a window a program needs no display: none is given.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  process_.setProcessEnvironment(environment);
}

bool ChildProcess::Launch(const QString& program, QStringList fixed, const QString& ready_text) {
  output_.clear();
  process_.start(program, QStringList{QStringLiteral("--data-dir"),
                                      QString::fromStdString(dir_.path().string())} +
                              fixed + arguments);
  return process_.waitForStarted(kWaitMs) && WaitForOutput(ready_text);
}

bool ChildProcess::WaitForOutput(const QString& text, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  // What an event loop run meanwhile (a WebSocket's wait) read into the process's buffer first:
  // waiting for more would wait for the program's next line.
  output_ += QString::fromUtf8(process_.readAll());
  while (!output_.contains(text) && clock.elapsed() < timeout_ms && Running()) {
    process_.waitForReadyRead(static_cast<int>(timeout_ms - clock.elapsed()));
    output_ += QString::fromUtf8(process_.readAll());
  }
  return output_.contains(text);
}

int ChildProcess::WaitForExit(int timeout_ms) {
  if (!process_.waitForFinished(timeout_ms) && Running()) return -1;
  output_ += QString::fromUtf8(process_.readAll());
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

ServerProcess::ServerProcess(const std::string& details) : ChildProcess(FreePort()) {
  WriteFile(dir() / "Server.ini",
            "[Server Details]\nPort=" + std::to_string(port()) + "\n" + details);
}

bool ServerProcess::Start(const QString& ready_text) {
  if (input == Input::kNull) process_.setStandardInputFile(QProcess::nullDevice());
  if (input == Input::kClosed) process_.setChildProcessModifier([] { ::close(STDIN_FILENO); });
  return Launch(QStringLiteral(SCRAWLBOX_SERVER_BIN), {QStringLiteral("--headless")}, ready_text);
}

void ServerProcess::Command(const std::string& line) {
  process_.write(QByteArray::fromStdString(line + "\n"));
  process_.waitForBytesWritten(kWaitMs);
}

std::string ServerProcess::ListingKey() {
  RawClient probe;
  if (!probe.Connect(port())) return "";
  probe.Send(protocol::to_server::ISALIVE, "-");
  const auto answer = probe.WaitFor(protocol::to_client::ISALIVE);
  return answer ? protocol::FieldOr(protocol::SplitFields(answer->data), 1) : "";
}

bool TrackerProcess::Start() {
  return Launch(
      QStringLiteral(SCRAWLBOX_TRACKER_BIN),
      Args(QStringLiteral("--port %1 --probe-seconds 600 --request-seconds 10").arg(port())),
      QStringLiteral("Tracker listening"));
}

directory::HttpResult Fetch(const std::string& url, int timeout_ms, bool* sent) {
  scrawlbox::QtHttpGetter http(timeout_ms);
  QEventLoop loop;
  directory::HttpResult answer;
  http.Get(
      url, "Scrawlbox Test",
      [&](const directory::HttpResult& result) {
        answer = result;
        loop.quit();
      },
      [sent] {
        if (sent) *sent = true;
      });
  QTimer::singleShot(timeout_ms + 5000, &loop, &QEventLoop::quit);
  loop.exec();
  return answer;
}

std::string AddQuery(const std::string& key, int port, const std::string& name) {
  return "ACTION=ADD&KEY=" + key +
         "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + (name.empty() ? key : name) +
         "&DESC=Come%20and%20draw&IP=127.0.0.1&PORT=" + std::to_string(port) +
         "&ADMINNAME=Ann&TOTALWORDS=10&TOTALWORDLISTS=1&ISPUBLIC=False";
}

std::vector<std::string> RoomNames(const TrackerProcess& tracker) {
  std::vector<std::string> names;
  for (const auto& row : directory::ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"))) {
    if (row.name != directory::ServerBrowser::kNoServers) names.push_back(row.name);
  }
  return names;
}

Ending RawExchange(quint16 port, const std::string& bytes, const char* source) {
  Ending ending;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const timeval bound{10, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
  sockaddr_in from{}, to{};
  from.sin_family = to.sin_family = AF_INET;
  ::inet_pton(AF_INET, source, &from.sin_addr);
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) == 0 &&
      ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
      ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size())) {
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) ending.read.append(buffer, n);
    ending.reset = n < 0 && errno == ECONNRESET;
  }
  ::close(fd);
  return ending;
}

double MetricValue(const std::string& scrape, const std::string& series) {
  const std::string start = "\n" + series + " ";
  const size_t at = ("\n" + scrape).find(start);
  return at == std::string::npos ? -1 : std::stod(scrape.substr(at + start.size() - 1));
}

// Lint warnings come with a zero exit code too.
std::string PromtoolComplaints(const std::string& scrape) {
  const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
  if (promtool.isEmpty()) return "promtool is not installed (scripts/deps installs it)";
  QProcess check;
  check.setProcessChannelMode(QProcess::MergedChannels);
  check.start(promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
  check.write(QByteArray::fromStdString(scrape));
  check.closeWriteChannel();
  if (!check.waitForFinished(ChildProcess::kWaitMs)) return "promtool did not finish";
  const std::string said = check.readAll().toStdString();
  return check.exitCode() != 0 && said.empty() ? "promtool failed" : said;
}

}  // namespace testing_support
