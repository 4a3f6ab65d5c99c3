// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace scrawlbox {

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so that a termination request
// runs the same shutdown sequence as the Quit menu instead of killing the room mid-message;
// SIGHUP, which services send to have files read again (a renewed certificate), likewise.
class SignalWatcher : public QObject {
  Q_OBJECT
 public:
  explicit SignalWatcher(QObject* parent = nullptr);
  ~SignalWatcher() override;

 signals:
  void terminationRequested();
  void reloadRequested();

 private:
  static void Handler(int signal_number);
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace scrawlbox
