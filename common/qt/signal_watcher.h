// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace scrawlbox {

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so that a termination request
// runs the same shutdown sequence as the Quit menu instead of killing the room mid-message.
class SignalWatcher : public QObject {
  Q_OBJECT
 public:
  explicit SignalWatcher(QObject* parent = nullptr);
  ~SignalWatcher() override;

 signals:
  void terminationRequested();

 private:
  static void Handler(int signal_number);
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace scrawlbox
