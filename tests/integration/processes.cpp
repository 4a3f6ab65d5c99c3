// SPDX-License-Identifier: MIT
#include "tests/integration/processes.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "common/qt/qt_http.h"
#include "directory/server_browser.h"
#include "protocol/commands.h"
#include "tests/support/server_harness.h"

namespace testing_support {

bool RawClient::Connect(quint16 port) {
  socket_.connectToHost(QHostAddress::LocalHost, port);
  return socket_.waitForConnected(kWaitMs);
}

void RawClient::Send(std::string_view command, std::string_view data) {
  SendRaw(protocol::Frame(command, data));
}

void RawClient::SendRaw(std::string_view bytes) {
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
    if (left <= 0) return std::nullopt;
    if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(static_cast<int>(left))) {
      return std::nullopt;
    }
    const QByteArray bytes = socket_.readAll();
    buffer_.Append(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  }
}

bool RawClient::WaitClosed(int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout_ms) {
    if (socket_.state() == QAbstractSocket::UnconnectedState) return true;
    socket_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, timeout_ms - clock.elapsed())));
    socket_.readAll();
  }
  return socket_.state() == QAbstractSocket::UnconnectedState;
}

std::string RawClient::Login(const std::string& nickname) {
  namespace to_server = protocol::to_server;
  Send(to_server::SCRAWLBOX_CL13NT, "100001");
  if (!WaitFor("SCRAWLBOX_S3RV3R")) return {};
  Send(to_server::USER, ProfileData(nickname));
  const auto ok = WaitFor("USEROK");
  if (!ok) return {};
  Send(to_server::PASS, "<none>");
  if (!WaitFor("PASSOK")) return {};
  Send(to_server::ULISTREQ, "-");
  if (!WaitFor("ULISTEND")) return {};
  return std::string(protocol::LeftOf(ok->data, protocol::kFieldSep));
}

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

ChildProcess::ChildProcess(quint16 port) : port_(port) {
  process_.setProcessChannelMode(QProcess::MergedChannels);
}

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
}

bool ChildProcess::Launch(const QString& program, QStringList fixed, const QString& ready_text) {
  output_.clear();
  process_.start(program, QStringList{QStringLiteral("--data-dir"),
                                      QString::fromStdString(dir_.path().string())} +
                              fixed + arguments);
  return process_.waitForStarted(kWaitMs) && WaitForOutput(ready_text);
}

void ChildProcess::Kill() {
  process_.kill();
  process_.waitForFinished(kWaitMs);
  output_ += QString::fromUtf8(process_.readAll());
}

bool ChildProcess::WaitForOutput(const QString& text, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!output_.contains(text) && clock.elapsed() < timeout_ms && Running()) {
    process_.waitForReadyRead(static_cast<int>(timeout_ms - clock.elapsed()));
    output_ += QString::fromUtf8(process_.readAll());
  }
  output_ += QString::fromUtf8(process_.readAll());
  return output_.contains(text);
}

int ChildProcess::WaitForExit(int timeout_ms) {
  if (!process_.waitForFinished(timeout_ms) && Running()) return -1;
  output_ += QString::fromUtf8(process_.readAll());
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

ServerProcess::ServerProcess(const std::string& details, quint16 port)
    : ChildProcess(port ? port : FreePort()) {
  std::string ini = "[Server Details]\n";
  if (details.find("Port=") == std::string::npos)
    ini += "Port=" + std::to_string(this->port()) + "\n";
  WriteFile(dir() / "Server.ini", ini + details);
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

std::string TrackerProcess::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port()) + path;
}

directory::HttpResult Fetch(const std::string& url, int timeout_ms, bool* sent) {
  scrawlbox::QtHttpGetter http(timeout_ms);
  QEventLoop loop;
  directory::HttpResult answer;
  answer.error_text = "no answer in time";
  if (sent) *sent = false;
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

std::string Ask(const TrackerProcess& tracker, const std::string& query) {
  return Fetch(tracker.Url() + "?" + query).body;
}

std::string AddQuery(const std::string& key, int port, const std::string& name,
                     const std::string& extra) {
  return "ACTION=ADD&KEY=" + key +
         "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + (name.empty() ? key : name) +
         "&DESC=Come%20and%20draw&IP=127.0.0.1&PORT=" + std::to_string(port) +
         "&ADMINNAME=Ann&TOTALWORDS=10&TOTALWORDLISTS=1" + extra;
}

std::vector<std::string> RoomNames(const TrackerProcess& tracker) {
  std::vector<std::string> names;
  for (const auto& row : directory::ServerBrowser::PublicRows(Ask(tracker, "ACTION=VIEW"))) {
    if (row.name != directory::ServerBrowser::kNoServers) names.push_back(row.name);
  }
  return names;
}

std::string RawExchange(quint16 port, const std::string& request, const char* source) {
  constexpr int kTimeoutMs = 5000;
  QTcpSocket socket;
  if (source && !socket.bind(QHostAddress(QString::fromLatin1(source)))) return {};
  socket.connectToHost(QStringLiteral("127.0.0.1"), port);
  if (!socket.waitForConnected(kTimeoutMs)) return {};
  socket.write(request.data(), static_cast<qint64>(request.size()));
  QByteArray answer;
  QElapsedTimer clock;
  clock.start();
  while (socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < kTimeoutMs) {
    socket.waitForReadyRead(static_cast<int>(kTimeoutMs - clock.elapsed()));
    answer += socket.readAll();
  }
  return (answer + socket.readAll()).toStdString();
}

// The value of one series ("name" or "name{labels}") in a scrape, or -1 when it lacks it.
double MetricValue(const std::string& scrape, const std::string& series) {
  const std::string start = "\n" + series + " ";
  const size_t at = ("\n" + scrape).find(start);
  return at == std::string::npos ? -1 : std::stod(scrape.substr(at + start.size() - 1));
}

// The body of a GET of /metrics, or the whole answer when it is no 200.
std::string Scrape(quint16 port, const std::string& path) {
  const std::string answer = RawExchange(port, "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
  const size_t body = answer.find("\r\n\r\n");
  return answer.starts_with("HTTP/1.1 200 ") && body != std::string::npos ? answer.substr(body + 4)
                                                                          : answer;
}

// promtool's verdict on a scrape: empty when it accepts it, else what it said (lint warnings
// come with a zero exit code too).
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
