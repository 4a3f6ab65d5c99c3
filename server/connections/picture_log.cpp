// SPDX-License-Identifier: MIT
#include "server/connections/picture_log.h"

#include <algorithm>

#include "protocol/framing.h"

namespace server {

using protocol::DrawCode;

void PictureLog::Record(DrawCode code, std::string_view framed) {
  switch (code) {
    case DrawCode::PA:
    case DrawCode::CC:
      colour_ = framed;
      break;
    case DrawCode::DW:
      width_ = framed;
      break;
    case DrawCode::FT:
      fill_ = framed;
      break;
    default:
      break;
  }
  Append(framed);
}

void PictureLog::Append(std::string_view framed) {
  if (overflowed_) return;
  // A message is kept whole or not at all.
  if (size_ + framed.size() > kMaxBytes) {
    overflowed_ = true;
    return;
  }
  tail_.append(framed);
  // One message, or the tool state's few.
  tail_messages_ +=
      static_cast<uint64_t>(std::count(framed.begin(), framed.end(), protocol::kMessageEnd));
  tail_snapshot_ = {};
  size_ += framed.size();
  if (tail_.size() >= kChunkBytes) Seal();
}

void PictureLog::Seal() {
  if (tail_.empty()) return;
  sealed_.push_back({std::make_shared<const std::string>(std::move(tail_)), tail_messages_});
  tail_.clear();
  tail_messages_ = 0;
  tail_snapshot_ = {};
}

void PictureLog::Clear(bool tools_reset) {
  sealed_.clear();
  tail_.clear();
  tail_messages_ = 0;
  tail_snapshot_ = {};
  size_ = 0;
  overflowed_ = false;
  if (tools_reset) {
    colour_.clear();
    width_.clear();
    fill_.clear();
  }
  Append(ToolState());
}

std::vector<PictureLog::Chunk> PictureLog::Snapshot() const {
  std::vector<Chunk> chunks = sealed_;
  if (tail_.empty()) return chunks;
  if (!tail_snapshot_.bytes)
    tail_snapshot_ = {std::make_shared<const std::string>(tail_), tail_messages_};
  chunks.push_back(tail_snapshot_);
  return chunks;
}

std::string PictureLog::ToolState() const {
  return colour_ + width_ + fill_;
}

}  // namespace server
