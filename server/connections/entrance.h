// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "server/connections/connection_record.h"
#include "server/connections/login_guard.h"
#include "server/connections/ports.h"

namespace server {

class RoomServer;

// Who gets into the room: the connection limits, the login deadline, the login sequence
// (handshake, profile, password), nickname checks, and a returning player's ghost.
class Entrance {
 public:
  Entrance(RoomServer& room, Transport& transport, Scheduler& scheduler, RefusalLog& refusals);
  Entrance(const Entrance&) = delete;
  Entrance& operator=(const Entrance&) = delete;

  // The framed refusal a connection request from the address gets, if it is refused: the
  // address's own limit first, then the room's (where a login may make way).
  std::optional<std::string> Screen(const std::string& address);
  // Without a ban check nobody is banned.
  void SetBanCheck(BanCheck* bans) { bans_ = bans; }
  // Starts the deadline a new connection has to reach the room.
  void StartLoginDeadline(ConnectionRecord& record);

  void OnHandshake(int slot, const std::string& data);
  void OnUser(int slot, const std::string& data);
  void OnPass(int slot, const std::string& data);
  void OnDisagree(int slot, const std::string& data);

  // Why a nickname cannot be used in the room (empty when it can) by the asker; a login may
  // take it over from a ghost of its own (see GhostOf).
  std::string NicknameRefusal(const std::string& nickname, const ConnectionRecord& asker,
                              bool login) const;

 private:
  // A refused connection request, logged at most once a minute per key.
  std::string Refuse(const std::string& key, const std::string& reason, const std::string& text,
                     const std::string& log);
  // When the room is full, the oldest connection not in the room closes to make way for a
  // newcomer; false when everyone is in the room.
  bool MakeWay(const std::string& newcomer);
  void OnLoginTimeout(int slot);
  // Whether the password is the room's; a wrong one (or any from an address that guessed too
  // often) is told BADPASS and a NOTICE, and the connection closes.
  bool PasswordAccepted(ConnectionRecord& record, const std::string& password);
  // The player in the room with the nickname, from the address, that has stopped answering.
  ConnectionRecord* GhostOf(const std::string& nickname, const std::string& address,
                            int except_slot) const;
  // A login under a nickname that a player of its own address holds: the holder is pinged
  // and the login waits kGhostProbeMs for its answer. False when there is nobody to ask.
  bool StartGhostProbe(ConnectionRecord& login, const std::string& nickname,
                       const std::string& profile);
  void EndGhostProbe(int slot);
  // The returning player takes its ghost's place: the ghost closes (its points are kept for
  // the newcomer), and the newcomer, already in the room, is not told of it.
  void ReplaceGhost(ConnectionRecord& newcomer);
  // Tells a login why its nickname is refused and closes it.
  void RefuseNickname(ConnectionRecord& record, const std::string& refusal);

  RoomServer& room_;
  Transport& transport_;
  Scheduler& scheduler_;
  RefusalLog& refusals_;
  BanCheck* bans_ = nullptr;
  PasswordLockout password_lockout_;
  uint64_t entries_ = 0;  // players who entered the room so far
};

}  // namespace server
