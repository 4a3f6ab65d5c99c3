// SPDX-License-Identifier: MIT
#include "tests/integration/server_process.h"

#include <QElapsedTimer>
#include <QTcpServer>

namespace testing_support {

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

bool WaitForProcessOutput(QProcess& process, QString* output, const QString& text, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!output->contains(text)) {
    const qint64 left = timeout_ms - clock.elapsed();
    if (left <= 0 || process.state() == QProcess::NotRunning) break;
    process.waitForReadyRead(static_cast<int>(left));
    *output += QString::fromUtf8(process.readAll());
  }
  *output += QString::fromUtf8(process.readAll());
  return output->contains(text);
}

ServerProcess::ServerProcess(const std::string& details, quint16 port)
    : port_(port ? port : FreePort()) {
  std::string ini = "[Server Details]\n";
  if (details.find("Port=") == std::string::npos) ini += "Port=" + std::to_string(port_) + "\n";
  WriteFile(dir_ / "Server.ini", ini + details);
  process_.setProcessChannelMode(QProcess::MergedChannels);
}

ServerProcess::~ServerProcess() {
  if (Running()) {
    process_.kill();
    process_.waitForFinished(kWaitMs);
  }
}

void ServerProcess::CopyWordLists(const std::string& from) {
  std::filesystem::copy(from, dir_ / "Wordlists", std::filesystem::copy_options::recursive);
}

bool ServerProcess::Start(const QString& ready_text) {
  process_.start(QStringLiteral(SCRAWLBOX_SERVER_BIN),
                 {QStringLiteral("--headless"), QStringLiteral("--data-dir"),
                  QString::fromStdString(dir_.path().string())});
  if (!process_.waitForStarted(kWaitMs)) return false;
  return WaitForOutput(ready_text);
}

bool ServerProcess::WaitForOutput(const QString& text, int timeout_ms) {
  return WaitForProcessOutput(process_, &output_, text, timeout_ms);
}

void ServerProcess::Command(const std::string& line) {
  process_.write(QByteArray::fromStdString(line + "\n"));
  process_.waitForBytesWritten(kWaitMs);
}

void ServerProcess::Terminate() { process_.terminate(); }

int ServerProcess::WaitForExit(int timeout_ms) {
  if (!process_.waitForFinished(timeout_ms) && Running()) return -1;
  output_ += QString::fromUtf8(process_.readAll());
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

}  // namespace testing_support
