// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/drawing.h"
#include "server/connections/connection_record.h"
#include "server/connections/picture_log.h"
#include "server/connections/ports.h"

namespace server {

class RoomServer;

// The drawing relay: strokes go to every receiver in runs, the picture log keeps them for late
// joiners, and joiners are fed the picture a piece at a time, a few at once.
class DrawingRelay {
 public:
  DrawingRelay(RoomServer& room, Transport& transport, Scheduler& scheduler);
  DrawingRelay(const DrawingRelay&) = delete;
  DrawingRelay& operator=(const DrawingRelay&) = delete;

  // A drawing message of the user id on the slot, relayed as the code wants and kept in the
  // picture (a clear starts the picture again).
  void Relay(protocol::DrawCode code, int32_t id, int slot, const std::string& data);
  // Whether strokes are waiting for a Flush: anything else sent must go after them.
  bool Pending() const { return !batch_.empty(); }
  // Sends the strokes relayed since the last flush to every receiver, as one piece each.
  void Flush();
  // Every pad was cleared: the picture log starts again, and joiners still being sent the old
  // picture stop getting it.
  void ClearPicture(bool tools_reset);
  // The joiner's copy of the picture so far, then what was drawn meanwhile: at once when
  // fewer than kPictureFeeds are being sent it, else when its turn comes.
  void SendPicture(int slot);
  const PictureLog& picture() const { return picture_; }

 private:
  // Drawing goes to everyone in order; a joiner still being sent the picture gets it after.
  void Broadcast(std::string_view framed, int except_slot);
  // Gives waiting joiners their turn and sends every fed one what its queue takes.
  void FeedPictures();
  // False once the slot's picture is out (or the slot is gone).
  bool FeedPicture(int slot);
  // A piece of the picture, which every joiner's queue shares; false when the joiner closes.
  bool SendPiece(ConnectionRecord& record, const PictureLog::Chunk& piece);

  RoomServer& room_;
  Transport& transport_;
  Scheduler& scheduler_;

  PictureLog picture_;
  // Joiners being sent the picture, and those waiting for their turn, in the order they came.
  std::vector<int> fed_;
  std::deque<int> waiting_;
  bool feed_scheduled_ = false;
  // Strokes relayed and not yet sent (all from the sender in except_, or to everyone when it
  // is -1), and the buffer a flush sends from.
  static constexpr size_t kBatchBytes = 64u << 10;
  std::string batch_;
  // Every stroke is framed here, which keeps its memory from one stroke to the next.
  std::string framed_;
  std::string sending_;
  uint64_t messages_ = 0;
  int except_ = -1;
};

}  // namespace server
