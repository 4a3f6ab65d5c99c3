// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/drawing.h"

// What the client keeps of each round for the gallery: who drew what, who found it, and every
// drawing action of the round in the order this client's pad drew it.
namespace client {

// One drawing action of a round.
struct LoggedDrawing {
  int64_t at_ms = 0;  // since the round began
  protocol::DrawCommand command;
  // Drawn on this pad by this player as the artist (its own copy draws ellipses a little
  // differently from the copies the others replay).
  bool own = false;
};

struct RoundRecord {
  // A busy minute of drawing is a few thousand actions; a round that sends more keeps its first
  // kMaxDrawing, and its replay ends on the final picture instead.
  static constexpr size_t kMaxDrawing = 10000;

  int32_t number = 0;  // the round of its game; 0 when not told
  std::string word;    // empty when the room never told it
  std::string artist;
  std::vector<std::string> finders;
  std::vector<LoggedDrawing> drawing;
  bool complete = true;  // every action of the round is in `drawing`

  // Keeps the action unless the log is full.
  void Add(const LoggedDrawing& step) {
    if (drawing.size() < kMaxDrawing) {
      drawing.push_back(step);
    } else {
      complete = false;
    }
  }
};

}  // namespace client
