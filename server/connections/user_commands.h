// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>

namespace server {

class RoomServer;

// What players in the room ask of it besides drawing and the game: the user list, the admin
// role, chat, profiles, kicks, and the keep-alive answers (ISALIVE, NOP, PONG) and leaving.
class UserCommands {
 public:
  explicit UserCommands(RoomServer& room) : room_(room) {}
  UserCommands(const UserCommands&) = delete;
  UserCommands& operator=(const UserCommands&) = delete;

  // The key the tracker lists the room under, named in every ISALIVE answer.
  void SetRegistrationKey(std::string key) { registration_key_ = std::move(key); }

  void OnUserListRequest(int slot, const std::string& data);
  void OnAdmin(int slot, const std::string& data);
  void OnSay(int slot, const std::string& data);
  void OnNewInfo(int slot, const std::string& data);
  void OnNickChange(int slot, const std::string& data);
  void OnUserAction(int slot, const std::string& data);
  void OnAway(int slot, const std::string& data);
  void OnUserInfo(int slot, const std::string& data);
  void OnKick(int slot, const std::string& data);
  void OnIsAlive(int slot, const std::string& data);
  void OnNop(int slot, const std::string& data);
  void OnPong(int slot, const std::string& data);
  void OnPart(int slot, const std::string& data);

 private:
  RoomServer& room_;
  std::string registration_key_;
};

}  // namespace server
