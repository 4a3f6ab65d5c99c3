// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <string>

#include "tests/support/temp_dir.h"

namespace testing_support {

// A free TCP port on loopback, as the system hands one out.
quint16 FreePort();

// Reads the process's output into *output until it holds the text, the time runs out or the
// process ends; whether the text came.
bool WaitForProcessOutput(QProcess& process, QString* output, const QString& text, int timeout_ms);

// scrawlbox-server --headless on a Data folder of its own.
class ServerProcess {
 public:
  static constexpr int kWaitMs = 10000;

  // Writes Server.ini with the given "Server Details" lines (the port is added unless given).
  explicit ServerProcess(const std::string& details = "", quint16 port = 0);
  ~ServerProcess();

  // Copies a folder of word lists into the server's Data folder as its Wordlists.
  void CopyWordLists(const std::string& from);
  // Starts the program and waits until its output holds the text.
  bool Start(const QString& ready_text = QStringLiteral("Master socket ready"));
  // Waits until the output holds the text.
  bool WaitForOutput(const QString& text, int timeout_ms = kWaitMs);
  // Types an operator command on the console.
  void Command(const std::string& line);
  void Terminate();
  // Waits for the end; the exit code, or -1 when it did not end in time or crashed.
  int WaitForExit(int timeout_ms = kWaitMs);
  bool Running() const { return process_.state() != QProcess::NotRunning; }

  quint16 port() const { return port_; }
  const QString& output() const { return output_; }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  quint16 port_;
  QProcess process_;
  QString output_;
};

}  // namespace testing_support
