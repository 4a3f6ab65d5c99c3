// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace protocol {

// Collects the bytes of one connection and cuts them into messages at code 1. The text between
// two terminators is bounded: a peer that keeps sending without one would otherwise grow the
// buffer for as long as it likes.
class ReceiveBuffer {
 public:
  static constexpr size_t kMaxMessageLength = 65536;

  enum class Status { kMessage, kNeedMore, kTooLong };

  void Append(std::string_view bytes);

  // Cuts the next complete message (without its terminator) into *message. kTooLong means the
  // peer has sent more than kMaxMessageLength bytes without a terminator; the buffer keeps
  // failing from then on and the connection should be closed.
  Status Next(std::string* message);

  // Bytes received and not yet cut into a message.
  size_t Pending() const { return data_.size() - start_; }

 private:
  // Too long: everything held is dropped and every later call says so.
  Status Overflow();
  std::string data_;
  size_t start_ = 0;    // first byte not yet handed out
  size_t scanned_ = 0;  // bytes from start_ already known to hold no terminator
  bool too_long_ = false;
};

}  // namespace protocol
