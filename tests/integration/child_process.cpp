// SPDX-License-Identifier: MIT
#include "tests/integration/child_process.h"

#include <QElapsedTimer>
#include <QTcpServer>

namespace testing_support {

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

ChildProcess::ChildProcess(quint16 port) : port_(port) {
  process_.setProcessChannelMode(QProcess::MergedChannels);
}

ChildProcess::~ChildProcess() {
  if (Running()) {
    process_.kill();
    process_.waitForFinished(kWaitMs);
  }
}

bool ChildProcess::Launch(const QString& program, const QStringList& arguments,
                          const QString& ready_text) {
  output_.clear();
  process_.start(program, arguments);
  if (!process_.waitForStarted(kWaitMs)) return false;
  return WaitForOutput(ready_text);
}

void ChildProcess::Kill() {
  process_.kill();
  process_.waitForFinished(kWaitMs);
}

bool ChildProcess::WaitForOutput(const QString& text, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!output_.contains(text)) {
    const qint64 left = timeout_ms - clock.elapsed();
    if (left <= 0 || !Running()) break;
    process_.waitForReadyRead(static_cast<int>(left));
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

}  // namespace testing_support
