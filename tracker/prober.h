// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

#include "tracker/registry.h"

namespace tracker {

// Asks every registered room whether it is alive (the ISALIVE probe that needs no login) every
// interval, and a room whose last probe failed every half interval; a room that fails three
// probes in a row is dropped. Servers never renew their registration on their own, so a listed
// room stays for as long as it answers, and one that dies is gone within two intervals and a
// probe time-out (130 s with the one-minute default).
class Prober : public QObject {
  Q_OBJECT
 public:
  Prober(Registry& registry, int interval_ms, QObject* parent = nullptr);

  // One half-interval tick: every room on every other tick, else only the failing ones.
  void Tick();

 signals:
  void roomDropped(const QString& key);

 private:
  void Probe(const Room& room);
  void Result(const std::string& key, bool alive);

  Registry& registry_;
  QTimer timer_;
  int timeout_ms_;
  unsigned ticks_ = 0;
};

}  // namespace tracker
