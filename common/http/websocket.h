// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/http/request_head.h"

// The WebSocket protocol as a room's web port speaks it: the opening handshake answered from a
// request head, and frames read from and written for a peer, within bounds. No sockets: the
// shell feeds bytes and writes what it is given.
namespace http::websocket {

// Close codes the room sends.
inline constexpr uint16_t kNormal = 1000;
inline constexpr uint16_t kGoingAway = 1001;
inline constexpr uint16_t kProtocolError = 1002;
inline constexpr uint16_t kUnsupportedData = 1003;
inline constexpr uint16_t kPolicy = 1008;
inline constexpr uint16_t kTooBig = 1009;

// Who may open a WebSocket: pages from the origins listed, separated by commas or spaces; "*"
// lets any page in, and an empty list only the page of the host the upgrade was sent to (its
// Host field; the scheme is not compared, since a proxy may take HTTPS for a plain port). A
// request without an Origin comes from no page (a program, not a browser) and is let in: the
// check keeps other sites' pages from using a visitor's browser, which a program does not need.
struct OriginPolicy {
  std::string origins;
};

struct Upgrade {
  enum class Verdict {
    kAccept,         // answer holds the 101 that switches the connection over
    kBad,            // not a WebSocket opening handshake: 400
    kWrongVersion,   // another protocol version: 426 naming the one spoken here
    kOriginRefused,  // a page the room does not take players from: 403
  };
  Verdict verdict;
  std::string answer;  // the whole HTTP answer to write
};

// The answer to a complete request head that asks for the WebSocket.
Upgrade AnswerUpgrade(const RequestHead& head, const OriginPolicy& policy);

// The value of Sec-WebSocket-Accept for a Sec-WebSocket-Key.
std::string AcceptKey(std::string_view key);

enum class Opcode : uint8_t {
  kContinuation = 0,
  kText = 1,
  kBinary = 2,
  kClose = 8,
  kPing = 9,
  kPong = 10,
};

// A frame the room sends (unmasked, in one piece): the header for a payload of this size,
// which follows it unchanged.
std::string FrameHeader(Opcode opcode, size_t payload_size);
std::string Frame(Opcode opcode, std::string_view payload);
// A close frame with the code and a reason cut to what a control frame holds.
std::string CloseFrame(uint16_t code, std::string_view reason);

// What a peer's frames carry, told as they are read.
class FrameHandler {
 public:
  virtual ~FrameHandler() = default;
  // The next bytes of binary messages, in order; a frame may come in several pieces.
  virtual void OnData(std::string_view bytes) = 0;
  // A ping to be answered with a pong of the same payload.
  virtual void OnPing(std::string_view payload) = 0;
  // The peer closes: code 0 when its close frame named none (then the reason is empty too).
  virtual void OnClose(uint16_t code, std::string_view reason) = 0;
};

// Reads a peer's frames as their bytes arrive: a client's, which come masked, in the room; the
// room's, which do not, in a program that plays it. A frame's payload is passed on as it comes,
// so a peer fills no more than a frame header and one control frame here whatever it sends.
// The first fault ends the reading for good: fault_code() then says with which close code and
// reason the connection is closed.
class FrameReader {
 public:
  // Pings a client may send within kPingWindowMs; more is a flood.
  static constexpr int kMaxPings = 20;
  static constexpr int64_t kPingWindowMs = 10000;

  enum class Sender { kClient, kRoom };
  // max_frame: the largest payload one data frame may carry.
  explicit FrameReader(size_t max_frame, Sender sender = Sender::kClient)
      : max_frame_(max_frame), masked_(sender == Sender::kClient) {}

  // Takes the next bytes from the peer, telling the handler what they carry; now_ms counts the
  // pings. Returns false once the connection is to be closed (a fault, or the peer's close);
  // nothing after that is read.
  bool Feed(std::string_view bytes, int64_t now_ms, FrameHandler& handler);

  bool done() const { return done_; }
  // After a fault: the close code (kProtocolError and the like) and a reason for the peer.
  uint16_t fault_code() const { return fault_code_; }
  const std::string& fault_reason() const { return fault_reason_; }

 private:
  bool Fail(uint16_t code, std::string_view reason);
  // The header in header_ is whole: checks it and makes ready for its payload.
  bool StartFrame(int64_t now_ms);
  bool EndControlFrame(FrameHandler& handler);

  size_t max_frame_;
  bool masked_;  // the sender masks its frames: a client
  bool done_ = false;
  uint16_t fault_code_ = 0;
  std::string fault_reason_;
  // The frame being read.
  std::string header_;
  size_t header_size_ = 2;  // known once the first two bytes are in
  bool in_payload_ = false;
  Opcode opcode_ = Opcode::kContinuation;
  bool final_ = false;
  uint8_t mask_[4]{};
  uint64_t remaining_ = 0;
  uint64_t offset_ = 0;  // payload bytes of this frame already read, for the mask
  std::string control_;  // a control frame's payload, at most 125 bytes
  std::string scratch_;  // a masked data frame's piece, unmasked
  // A data message whose last frame has not come yet.
  bool in_message_ = false;
  int64_t ping_window_start_ = 0;
  int pings_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The client's end, for programs that play a room through its web port (the load tool): the
// opening request and its answer, masked frames out, the room's unmasked frames in.

// A fresh Sec-WebSocket-Key: sixteen random bytes in base64.
std::string NewKey();

// The opening handshake for path at host ("host:port" as the Host field carries it).
std::string UpgradeRequest(std::string_view host, std::string_view path, std::string_view key);

struct UpgradeReply {
  enum class State {
    kReading,   // the answer's head has not ended yet
    kAccepted,  // a 101 with the Sec-WebSocket-Accept of our key: frames follow the head
    kRefused,   // anything else; status says what came
  };
  State state = State::kReading;
  size_t head_size = 0;  // bytes of the head, when accepted
  std::string status;    // the status line, when refused
};

// The largest answer head taken before refusing it.
inline constexpr size_t kMaxReplyHead = 8192;

// Reads the answer to UpgradeRequest(..., key) from the bytes received so far.
UpgradeReply ReadUpgradeReply(std::string_view received, std::string_view key);

// Appends a client's frame of the payload to out, masked with mask as a client must.
void AppendMaskedFrame(std::string& out, Opcode opcode, std::string_view payload, uint32_t mask);

}  // namespace http::websocket
