// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "protocol/framing.h"
#include "server/connections/ports.h"

namespace testing_support {

// Cuts bytes as they went over the wire into messages; a partial one at the end is dropped.
std::vector<protocol::Message> CutMessages(std::string_view bytes);
// Only the commands of the messages, so that a test can state the order without the data.
std::vector<std::string> CommandsOf(const std::vector<protocol::Message>& messages);
// The messages on one line, "COMMAND data" each (the command alone when there is no data), joined
// by ", ", with '|' and '^' for the field and list separators: a whole sequence in one EXPECT_EQ.
std::string Render(const std::vector<protocol::Message>& messages);

// Records what the server sends to each slot, and can be told to fail sends or to report a
// reader that stopped reading.
class FakeTransport : public server::Transport {
 public:
  server::ListenResult Listen(int port) override;
  void StopListening() override { listening = false; }
  server::SendResult Send(int slot, std::string_view bytes) override;
  server::SendResult SendShared(int slot, std::shared_ptr<const std::string> bytes) override;
  size_t QueuedBytes(int slot) const override;
  void Close(int slot) override { closed.insert(slot); }
  void Abort(int slot) override {
    closed.insert(slot);
    aborted.insert(slot);
  }
  void PauseReading(int slot, bool paused) override {
    if (paused) {
      paused_slots.insert(slot);
    } else {
      paused_slots.erase(slot);
    }
  }
  // Records that everything was closed and runs done at once.
  void CloseAllThen(std::function<void()> done) override {
    closed_all = true;
    done();
  }
  std::string LocalHostName() const override { return "testhost"; }
  std::string LocalAddress() const override { return "127.0.0.1"; }

  // Cuts what was sent to the slot into messages and forgets it.
  std::vector<protocol::Message> Take(int slot);
  // Everything sent to the slot so far, as bytes (not forgotten).
  const std::string& Raw(int slot) { return sent[slot]; }
  bool IsClosed(int slot) const { return closed.count(slot) > 0; }
  bool IsAborted(int slot) const { return aborted.count(slot) > 0; }

  // When set, a PING is not recorded but handed to this (to answer it as a live client would).
  std::function<void(int slot)> on_ping;
  // When set, called after every recorded send (to play a reader whose queue fills up).
  std::function<void(int slot)> on_send;

  server::ListenResult listen_result;
  int listened_port = 0;
  int listen_calls = 0;
  bool listening = false;
  bool closed_all = false;
  std::set<int> failing_slots;
  std::map<int, size_t> queued_bytes;
  std::map<int, std::string> sent;
  std::set<int> closed;
  std::set<int> aborted;
  // What went out through SendShared, as it was handed over.
  std::map<int, std::vector<std::shared_ptr<const std::string>>> shared;
  std::set<int> paused_slots;
};

}  // namespace testing_support
