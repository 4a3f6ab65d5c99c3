// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "server/connections/ports.h"

namespace server {

class RoomServer;

enum class QuitResult { kNeedsConfirmation, kQuitting };

// Where the shutdown sequence stands; it only ever moves down the list, except that a quit
// the tracker's question stopped goes back to kRunning.
enum class QuitStage {
  kRunning,            // no quit under way
  kGameGrace,          // the game's last messages go out first
  kWaitingForTracker,  // everyone was told; the tracker is removing the room
  kHeldOpen,           // everyone was told; the removal failed and the window stays open
  kFinished,           // the program may end
};

// The shutdown sequence: a running game's last messages, the quit gate (the tracker), then
// SERVERQUIT to everyone, once, and the view's QuitFinished.
class QuitSequence {
 public:
  // How long a running game's last messages have to go out before everyone is told.
  static constexpr int kGameGraceMs = 250;

  QuitSequence(RoomServer& room, Scheduler& scheduler) : room_(room), scheduler_(scheduler) {}
  QuitSequence(const QuitSequence&) = delete;
  QuitSequence& operator=(const QuitSequence&) = delete;

  // While a game runs the operator must confirm first.
  QuitResult Quit(bool confirmed, bool game_running);
  // The tracker answered the removal a quit waits for, or the wait is over.
  void EndTrackerWait(bool finish);
  QuitStage stage() const { return stage_; }
  void set_gate(QuitGate* gate) { gate_ = gate; }
  // Runs after the view has heard that the quit is over.
  void set_on_finished(std::function<void()> done) { on_finished_ = std::move(done); }

 private:
  // The rest of the shutdown once any question is answered: the quit gate, then SERVERQUIT.
  void Continue();
  void TellEveryone();
  void Finish();

  RoomServer& room_;
  Scheduler& scheduler_;
  QuitGate* gate_ = nullptr;
  std::function<void()> on_finished_;
  QuitStage stage_ = QuitStage::kRunning;
};

}  // namespace server
