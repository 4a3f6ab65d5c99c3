// SPDX-License-Identifier: MIT
#include "server/connections/quit_sequence.h"

#include "protocol/commands.h"
#include "protocol/room_text.h"
#include "server/connections/room_server.h"

namespace server {

QuitResult QuitSequence::Quit(bool confirmed, bool game_running) {
  switch (stage_) {
    case QuitStage::kRunning:
      break;
    case QuitStage::kHeldOpen:
      // The operator has read why the tracker failed; the players were told already.
      Finish();
      return QuitResult::kQuitting;
    case QuitStage::kGameGrace:
    case QuitStage::kWaitingForTracker:
    case QuitStage::kFinished:
      return QuitResult::kQuitting;
  }
  if (game_running && !confirmed) return QuitResult::kNeedsConfirmation;
  if (game_running) {
    // Give the game's last messages a moment to go out before everyone is told to leave.
    stage_ = QuitStage::kGameGrace;
    scheduler_.SingleShot(kGameGraceMs, [this] { room_.AsEvent([this] { Continue(); }); });
  } else {
    Continue();
  }
  return QuitResult::kQuitting;
}

void QuitSequence::Continue() {
  const QuitGate::Decision decision = gate_ ? gate_->BeforeQuit() : QuitGate::Decision::kProceed;
  switch (decision) {
    case QuitGate::Decision::kProceed:
      Finish();
      return;
    case QuitGate::Decision::kWaitForTracker:
      // Everyone is told now; the program ends once the tracker has let the room go.
      TellEveryone();
      stage_ = QuitStage::kWaitingForTracker;
      return;
    case QuitGate::Decision::kStayOpen:
      stage_ = QuitStage::kRunning;
      return;
  }
}

void QuitSequence::EndTrackerWait(bool finish) {
  if (stage_ != QuitStage::kWaitingForTracker) return;
  room_.AsEvent([&] {
    if (finish) {
      Finish();
    } else {
      stage_ = QuitStage::kHeldOpen;
    }
  });
}

void QuitSequence::TellEveryone() {
  room_.Broadcast(protocol::to_client::SERVERQUIT,
                  protocol::RoomText("The server has been shutdown."), -1);
}

void QuitSequence::Finish() {
  const bool told = stage_ == QuitStage::kWaitingForTracker || stage_ == QuitStage::kHeldOpen;
  if (!told) TellEveryone();
  stage_ = QuitStage::kFinished;
  room_.statistics().Flush();
  room_.view().QuitFinished();
  if (on_finished_) on_finished_();
}

}  // namespace server
