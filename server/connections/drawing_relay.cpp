// SPDX-License-Identifier: MIT
#include "server/connections/drawing_relay.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/room_text.h"
#include "server/connections/room_server.h"

namespace server {

namespace {

// The messages in a run of framed ones: a piece of the picture ends each with the terminator.
uint64_t MessagesIn(std::string_view framed) {
  return static_cast<uint64_t>(std::count(framed.begin(), framed.end(), protocol::kMessageEnd));
}

}  // namespace

DrawingRelay::DrawingRelay(RoomServer& room, Transport& transport, Scheduler& scheduler)
    : room_(room), transport_(transport), scheduler_(scheduler) {}

void DrawingRelay::Relay(protocol::DrawCode code, int32_t id, int slot, const std::string& data) {
  protocol::FrameRelayedDrawing(framed_, code, id, data);
  if (code == protocol::DrawCode::CL) {
    ClearPicture(false);
  } else {
    picture_.Record(code, framed_);
  }
  Broadcast(framed_, protocol::RelayIncludesSender(code) ? -1 : slot);
}

void DrawingRelay::Broadcast(std::string_view framed, int except_slot) {
  // An artist's strokes come in runs: each run goes to every receiver as one piece (see
  // Flush), which costs a receiver one send per run rather than one per stroke.
  if (!batch_.empty() && except_ != except_slot) Flush();
  except_ = except_slot;
  batch_.append(framed);
  ++messages_;
  if (batch_.size() >= kBatchBytes) Flush();
}

void DrawingRelay::Flush() {
  if (batch_.empty()) return;
  // The batch is taken first: the sends below must not flush it again.
  sending_.swap(batch_);
  batch_.clear();
  const std::string_view framed = sending_;
  const uint64_t messages = std::exchange(messages_, 0);
  room_.ForEachReceiver(except_, [&](ConnectionRecord& record) {
    if (!record.picture_stream) {
      room_.SendFramed(record, framed, false, MessageKind::kDrawing, messages);
      return;
    }
    // A joiner still waiting for its turn is sent these strokes in the picture.
    if (!record.picture_stream->started) return;
    std::string& meanwhile = record.picture_stream->drawn_meanwhile;
    if (meanwhile.size() + framed.size() > RoomServer::kMaxSendQueue) {
      // A joiner that takes the picture this slowly is a reader that stopped reading.
      record.LeaveReason = protocol::RoomText("Send queue exceeded");
      room_.CloseAfterEvent(record, CloseReason::kSendQueueExceeded);
      return;
    }
    meanwhile.append(framed);
  });
  sending_.clear();
}

void DrawingRelay::ClearPicture(bool tools_reset) {
  // What was drawn before the clear reaches the pads before it, as it always did.
  Flush();
  picture_.Clear(tools_reset);
  // The old picture is gone from every pad: a joiner being sent it stops here, and one still
  // waiting will be sent the new one.
  room_.ForEachConnection([](ConnectionRecord& record) {
    if (record.picture_stream && record.picture_stream->started) record.picture_stream.reset();
  });
}

void DrawingRelay::SendPicture(int slot) {
  ConnectionRecord* record = room_.Record(slot);
  if (!record || picture_.size() == 0) return;
  record->picture_stream = std::make_unique<ConnectionRecord::PictureStream>();
  waiting_.push_back(slot);
  FeedPictures();
}

void DrawingRelay::FeedPictures() {
  // A waiting joiner's picture is taken from the log when its turn comes: strokes still
  // waiting to be relayed are in the log already and must not reach it twice.
  Flush();
  const auto fed = [this](int slot) {
    const ConnectionRecord* record = room_.Record(slot);
    return record && record->picture_stream && !record->send_failed;
  };
  for (bool moved = true; moved;) {
    moved = false;
    while (fed_.size() < RoomServer::kPictureFeeds && !waiting_.empty()) {
      const int slot = waiting_.front();
      waiting_.pop_front();
      if (!fed(slot)) continue;
      ConnectionRecord& record = *room_.Record(slot);
      record.picture_stream->started = true;
      if (picture_.overflowed()) {
        record.picture_stream.reset();
        room_.SendMessage(
            slot, protocol::to_client::NOTICE,
            protocol::RoomText(
                "The picture is too large to send; it will appear with the next round."));
        const std::string tools = picture_.ToolState();
        if (!tools.empty()) {
          room_.SendFramed(record, tools, false, MessageKind::kDrawing, MessagesIn(tools));
        }
        continue;
      }
      for (PictureLog::Chunk& chunk : picture_.Snapshot()) {
        record.picture_stream->chunks.push_back(std::move(chunk));
      }
      fed_.push_back(slot);
    }
    for (const int slot : std::vector<int>(fed_)) {
      if (!FeedPicture(slot)) moved = true;
    }
    std::erase_if(fed_, [&](int slot) { return !fed(slot); });
    moved = moved && !waiting_.empty();
  }
  if (fed_.empty() || feed_scheduled_) return;
  feed_scheduled_ = true;
  scheduler_.SingleShot(RoomServer::kPictureRetryMs, [this] {
    room_.AsEvent([this] {
      feed_scheduled_ = false;
      FeedPictures();
    });
  });
}

bool DrawingRelay::FeedPicture(int slot) {
  ConnectionRecord* record = room_.Record(slot);
  if (!record || !record->picture_stream || record->send_failed) return false;
  auto& stream = *record->picture_stream;
  // The picture goes through the same send queue as everything else, a piece at a time while
  // the queue is short, so that a large one neither floods the queue nor delays the others.
  while (!stream.chunks.empty() && transport_.QueuedBytes(slot) < RoomServer::kPictureFeedBelow) {
    const PictureLog::Chunk piece = std::move(stream.chunks.front());
    stream.chunks.pop_front();
    if (!SendPiece(*record, piece)) return false;
  }
  if (!stream.chunks.empty()) return true;
  const std::string meanwhile = std::move(stream.drawn_meanwhile);
  record->picture_stream.reset();
  if (!meanwhile.empty()) {
    room_.SendFramed(*record, meanwhile, false, MessageKind::kDrawing, MessagesIn(meanwhile));
  }
  return false;
}

bool DrawingRelay::SendPiece(ConnectionRecord& record, const PictureLog::Chunk& piece) {
  Flush();
  if (record.send_failed) return false;
  return room_.CheckSent(record, transport_.SendShared(record.SlotIndex, piece.bytes), false,
                         MessageKind::kDrawing, piece.bytes->size(), piece.messages);
}

}  // namespace server
