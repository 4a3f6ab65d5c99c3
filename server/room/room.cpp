// SPDX-License-Identifier: MIT
#include "server/room/room.h"

namespace server {

Room::Room(Ports ports)
    : word_lists_(std::move(ports.word_list_folders)),
      core_({ports.transport, ports.scheduler, ports.view, ports.ini}),
      game_(core_, ports.scheduler, ports.random, word_lists_),
      bans_(ports.ini, ports.scheduler),
      actions_(core_, bans_, ports.scheduler),
      registration_(core_, ports.http, ports.scheduler, &word_lists_, ports.machine_key, ports.hash,
                    ports.ini),
      console_(core_, actions_, bans_, &word_lists_, &registration_),
      votes_(core_, game_, actions_, ports.scheduler) {
  core_.SetGame(&game_);
  core_.SetBanCheck(&bans_);
  core_.SetVoteKick(&votes_);
  core_.SetQuitGate(&registration_);
  // The connections write out what is queued for them before the room is finished.
  core_.OnQuitFinished([this, &transport = ports.transport] {
    transport.CloseAllThen([this] {
      if (on_finished_) on_finished_();
    });
  });
}

void Room::Start() {
  game_.ScanWordlists();
  core_.Start();
  bans_.LoadBanList();
}

}  // namespace server
