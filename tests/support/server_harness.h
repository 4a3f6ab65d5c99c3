// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "tests/support/fake_transport.h"
#include "tests/support/manual_clock.h"
#include "tests/support/memory_ini.h"
#include "tests/support/recording_view.h"

namespace testing_support {

// A room server on fake ports, started and listening, with helpers that play the client's side.
class ServerHarness {
 public:
  // The login steps of the real client, in their order.
  enum class Step { kHandshake, kProfile, kPassword, kUserList };

  explicit ServerHarness(std::string_view server_ini = "");

  // A new connection from the address; returns its slot, or 0 when it was refused (what the
  // refusal wrote is in `refusals`).
  int Connect(const std::string& address = "10.0.0.1");
  // Delivers one framed message from the slot.
  void Send(int slot, std::string_view command, std::string_view data);
  // Delivers raw bytes from the slot.
  void SendRaw(int slot, std::string_view bytes);
  // Connects and sends the client's greeting; returns the slot.
  int Handshake(const std::string& address = "10.0.0.1");
  // Connects and logs in as the real client does, up to and including the step; what the
  // server answered stays to be taken. Returns the slot.
  int LogInTo(Step last, const std::string& nickname, const std::string& auto_skip = "0",
              const std::string& address = "10.0.0.1");
  // The whole login, with what it sent to anyone taken away. Returns the slot.
  int Join(const std::string& nickname, const std::string& auto_skip = "0",
           const std::string& address = "10.0.0.1");
  // Messages sent to the slot since the last Take.
  std::vector<protocol::Message> Take(int slot) { return transport.Take(slot); }
  // Only the commands of Take(slot).
  std::vector<std::string> TakeCommands(int slot);
  // Forgets what was sent to every slot.
  void TakeAll();
  int32_t IdOf(int slot) { return server.Record(slot)->Id; }

  MemoryIni ini;
  ManualClock clock;
  FakeTransport transport;
  RecordingView view;
  server::RoomServer server;
  std::vector<std::string> refusals;
};

// The user-profile data a real client sends with USER.
std::string ProfileData(const std::string& nickname, const std::string& auto_skip = "0");

}  // namespace testing_support
