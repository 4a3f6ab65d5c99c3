// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include "tests/support/temp_dir.h"

namespace testing_support {

// A free TCP port on loopback, as the system hands one out.
quint16 FreePort();

// One of the programs under test, with a port and a Data folder of its own. Its output and
// errors are read as one text, so that a wait sees whatever the program says last; a program
// still running when the test ends is killed, so that no test leaves one behind.
class ChildProcess {
 public:
  static constexpr int kWaitMs = 10000;

  // Reads the output until it holds the text, the time runs out or the program ends; whether
  // the text came.
  bool WaitForOutput(const QString& text, int timeout_ms = kWaitMs);
  void Terminate() { process_.terminate(); }
  // SIGKILL: the program gets no chance to finish what it is doing.
  void Kill();
  // Waits for the end; the exit code, or -1 when it did not end in time or crashed.
  int WaitForExit(int timeout_ms = kWaitMs);
  bool Running() const { return process_.state() != QProcess::NotRunning; }

  quint16 port() const { return port_; }
  const QString& output() const { return output_; }
  const TempDir& dir() const { return dir_; }

 protected:
  explicit ChildProcess(quint16 port);
  ~ChildProcess();

  // Starts the program (again, once it has ended) and waits until the output of this run holds
  // the text.
  bool Launch(const QString& program, const QStringList& arguments, const QString& ready_text);
  QString DataDir() const { return QString::fromStdString(dir_.path().string()); }

  QProcess process_;

 private:
  TempDir dir_;
  quint16 port_;
  QString output_;
};

}  // namespace testing_support
