// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "common/scheduling.h"
#include "server/admin/banned.h"

namespace server {

class RoomServer;

// What the operator does to the room: message players, kick and ban them, and switch the room
// between accepting newcomers, deny mode and offline. The window and the headless console both
// act through here.
class OperatorActions {
 public:
  static constexpr size_t kMaxText = 512;
  // A kicked player whose client does not leave by itself is closed this long after KICKOP.
  static constexpr int kKickCloseMs = 2000;
  static constexpr int kNoopDelayMs = 100;
  // What a player banned without a reason is told.
  static constexpr const char* kBannedReason = "Banned";

  OperatorActions(RoomServer& room, BanList& bans, scrawlbox::Scheduler& scheduler)
      : room_(room), bans_(bans), scheduler_(scheduler) {}

  // False (and nothing sent) when the text is blank or the slot is not open.
  bool MessageUser(int slot, const std::string& text);
  bool MessageAll(const std::string& text);
  // False when the reason is blank or the slot is not open.
  bool Kick(int slot, const std::string& reason);
  // Bans the address of the slot's connection and puts the player out as a kick does, told it
  // is banned; an empty reason still bans. False when the address was banned already (the
  // status bar says so; the player is put out all the same) or the slot is not open.
  bool Ban(int slot, const std::string& reason);
  // Puts the player out as a kick does, in the name of the players who voted.
  void KickByVote(int slot);

  // The listen-state menu. Deny turns newcomers away at once with the current deny message; the
  // window then asks for a new message (AcceptDenyMessage) or goes back (CancelDeny).
  void SetListenState(int state);
  // False for a blank message (deny mode is not entered then).
  bool AcceptDenyMessage(const std::string& message);
  void CancelDeny();

 private:
  void Announce(const std::string& message);
  // Kick and ban: everyone is told, the player gets KICKOP and is closed if it stays. `by` names
  // who put the player out ("by the server operator").
  void PutOut(int slot, const std::string& by, const std::string& reason, bool banned);

  RoomServer& room_;
  BanList& bans_;
  scrawlbox::Scheduler& scheduler_;
};

// Text without codes 1-4, cut to `length` characters; empty when nothing but spaces remains.
std::string OperatorText(const std::string& text, size_t length);

}  // namespace server
