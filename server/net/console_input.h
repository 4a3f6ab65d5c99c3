// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <string>

class QSocketNotifier;

namespace server {

// Reads the operator's command lines from standard input without blocking the event loop. A line
// longer than kMaxLine is dropped whole; the end of the input only stops the reading.
class ConsoleInput : public QObject {
  Q_OBJECT
 public:
  static constexpr size_t kMaxLine = 4096;

  explicit ConsoleInput(QObject* parent = nullptr);

 signals:
  void lineEntered(const std::string& line);
  void lineTooLong();

 private:
  void ReadAvailable();

  QSocketNotifier* notifier_ = nullptr;
  std::string pending_;
  bool discarding_ = false;
};

}  // namespace server
