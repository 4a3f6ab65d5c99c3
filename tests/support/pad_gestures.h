// SPDX-License-Identifier: MIT
#pragma once

#include <utility>
#include <vector>

#include "client/pad/pad_tools.h"
#include "tests/support/fake_transport.h"
#include "tests/support/manual_clock.h"

namespace testing_support {

// Press, one move to the end and release there, as a mouse drags.
inline void Drag(client::PadTools& tools, int button, client::PadPoint from, client::PadPoint to) {
  tools.Press(button, from);
  tools.Move(button, to);
  tools.Release(button, to);
}

// The artist's tools, with every code they send kept.
struct Artist : protocol::DrawSink {
  void SendDrawCommand(std::string_view command, std::string_view data) override {
    sent.push_back({std::string(command), std::string(data)});
  }
  // What was sent since the last call, as Render writes it.
  std::string Sent() { return Render(std::exchange(sent, {})); }

  std::vector<protocol::Message> sent;
  ManualClock clock;
  client::PadTools tools{this, clock};
};

}  // namespace testing_support
