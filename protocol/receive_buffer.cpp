// SPDX-License-Identifier: MIT
#include "protocol/receive_buffer.h"

#include "protocol/framing.h"

namespace protocol {

void ReceiveBuffer::Append(std::string_view bytes) {
  if (too_long_) return;
  // Drop what was handed out before growing, so the buffer holds at most one partial message
  // plus one read.
  if (start_ > 0 && start_ >= data_.size() / 2) {
    data_.erase(0, start_);
    start_ = 0;
  }
  data_.append(bytes);
}

ReceiveBuffer::Status ReceiveBuffer::Next(std::string* message) {
  if (too_long_) return Status::kTooLong;
  const size_t end = data_.find(kMessageEnd, start_ + scanned_);
  if (end == std::string::npos) {
    scanned_ = data_.size() - start_;
    return scanned_ > kMaxMessageLength ? Overflow() : Status::kNeedMore;
  }
  if (end - start_ > kMaxMessageLength) return Overflow();
  message->assign(data_, start_, end - start_);
  start_ = end + 1;
  scanned_ = 0;
  if (start_ == data_.size()) {
    data_.clear();
    start_ = 0;
  }
  return Status::kMessage;
}

ReceiveBuffer::Status ReceiveBuffer::Overflow() {
  too_long_ = true;
  data_.clear();
  start_ = scanned_ = 0;
  return Status::kTooLong;
}

}  // namespace protocol
