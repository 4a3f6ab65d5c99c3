// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "server/room/room.h"
#include "tests/support/fake_http.h"
#include "tests/support/fake_transport.h"
#include "tests/support/manual_clock.h"
#include "tests/support/memory_ini.h"
#include "tests/support/recording_view.h"

namespace testing_support {

// Chance on demand: the numbers given, then `fallback` for ever.
class ScriptedRandom : public scrawlbox::Random {
 public:
  double Next() override {
    if (values.empty()) return fallback;
    const double value = values.front();
    values.pop_front();
    return value;
  }
  std::deque<double> values;
  double fallback = 0.0;
};

// Stands in for the shell's SHA-256: the tests see which text was hashed.
std::string FakeHash(std::string_view key);
// The machine and account a room under test is registered from.
inline constexpr char kMachineKey[] = "HOST:ANN";

// A room server on fake ports, started and listening, with helpers that play the client's side:
// the connection layer alone, or the whole room as the programs build it.
class ServerHarness {
 public:
  // The login steps of the real client, in their order.
  enum class Step { kHandshake, kProfile, kPassword, kUserList };

  explicit ServerHarness(std::string_view server_ini = "");
  // The whole room, its word lists read from the folder; on the clock when one is given (rooms
  // of one process share it), else on a clock of its own.
  ServerHarness(std::string_view server_ini, std::filesystem::path word_lists,
                ManualClock* clock = nullptr);

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
  // Take(slot) on one line, as Render gives it.
  std::string Got(int slot) { return Render(Take(slot)); }
  // Only the commands of Take(slot).
  std::vector<std::string> TakeCommands(int slot);
  // Forgets what was sent to every slot.
  void TakeAll();
  int32_t IdOf(int slot) { return server.Record(slot)->Id; }
  // The whole room, for a harness that has one.
  server::Room& room() { return *room_; }

  MemoryIni ini;
  // The version the next logins greet with: an older client's unless a test says otherwise.
  std::string client_version = "100001";

 private:
  ManualClock own_clock_;

 public:
  ManualClock& clock;
  FakeTransport transport;
  RecordingView view;
  ScriptedRandom random;
  FakeHttpGetter http;

 private:
  std::unique_ptr<server::Room> room_;
  std::unique_ptr<server::RoomServer> lone_;

 public:
  server::RoomServer& server;
  std::vector<std::string> refusals;
};

// The user-profile data a real client sends with USER.
std::string ProfileData(const std::string& nickname, const std::string& auto_skip = "0");

}  // namespace testing_support
