// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

#include "tracker/registry.h"

namespace tracker {

// Asks every registered room whether it is alive (the ISALIVE probe that needs no login) every
// interval; a room that fails three probes in a row is dropped. Servers never renew their
// registration on their own, so a listed room stays for as long as it answers.
class Prober : public QObject {
  Q_OBJECT
 public:
  Prober(Registry& registry, int interval_ms, QObject* parent = nullptr);

  void ProbeAll();

 signals:
  void roomDropped(const QString& key);

 private:
  void Probe(const Room& room);
  void Result(const std::string& key, bool alive);

  Registry& registry_;
  QTimer timer_;
  int timeout_ms_;
};

}  // namespace tracker
