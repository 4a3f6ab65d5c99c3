// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/drawing.h"

namespace server {

// The room's picture as the drawing messages relayed since the pads were last cleared, so
// that a player who joins late can be sent the same strokes and end with the same pixels.
// Tool-state messages (palette, width, fill type, custom colour) that came before a clear
// stay at the start of the log, since a clear does not reset the pads' tools.
class PictureLog {
 public:
  // The log stops growing past this; joiners are then told to wait for the next round.
  static constexpr size_t kMaxBytes = 4u << 20;
  // The log is kept in sealed pieces of about this size, whole messages each, which every
  // joiner's send queue shares rather than copies.
  static constexpr size_t kChunkBytes = 64u << 10;

  struct Chunk {
    std::shared_ptr<const std::string> bytes;
    uint64_t messages = 0;
  };

  // A relayed drawing message, framed as it went out.
  void Record(protocol::DrawCode code, std::string_view framed);
  // Every pad was cleared: by a clear (the tools stay as they are) or by a new game, round or
  // artist (the clients reset their tools too).
  void Clear(bool tools_reset);

  // Whether the log stopped growing because it reached kMaxBytes.
  bool overflowed() const { return overflowed_; }
  size_t size() const { return size_; }
  // The whole log as pieces that stay valid however the log changes later; joiners that take
  // it between two changes share every piece.
  std::vector<Chunk> Snapshot() const;
  // Only the tool-state messages, for a joiner the whole log cannot be sent to.
  std::string ToolState() const;

 private:
  void Append(std::string_view framed);
  void Seal();

  std::vector<Chunk> sealed_;
  std::string tail_;
  uint64_t tail_messages_ = 0;
  mutable Chunk tail_snapshot_;  // the tail as the last Snapshot shared it, until it changes
  size_t size_ = 0;
  bool overflowed_ = false;
  // The latest message that set the colour (PA or CC), the pen width (DW) and the fill type
  // (FT): each kind sets its tool whole, so the latest is all a joiner needs.
  std::string colour_;
  std::string width_;
  std::string fill_;
};

}  // namespace server
