// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace server {

// What a message is, for the traffic counts: typed chat, the drawing relay, or everything
// else (login, keep-alive, the game's and the room's own messages).
enum class MessageKind : uint8_t { kChat, kDrawing, kControl };
inline constexpr size_t kMessageKinds = 3;

// Why a connection ended.
enum class CloseReason : uint8_t {
  kPeerClosed,  // the peer closed without saying goodbye
  kLeft,        // PART
  kKicked,      // by the room's admin or the operator
  kPingTimeout,
  kLoginTimeout,
  kFlooding,  // too many chat lines dropped
  kDrawingFlood,
  kMessageTooLong,
  kSendQueueExceeded,
  kSendFailed,
  kRefused,        // nickname, password, version or deny mode
  kMadeWay,        // a login closed to let a newcomer into a full room
  kReplaced,       // a player that stopped answering, replaced by its own new login
  kProtocolError,  // a message its login state does not allow
};
inline constexpr size_t kCloseReasons = static_cast<size_t>(CloseReason::kProtocolError) + 1;

// A connection request turned away before it got a slot.
enum class Refusal : uint8_t { kRoomFull, kAddressLimit };
inline constexpr size_t kRefusals = 2;

enum class GuessResult : uint8_t { kCorrect, kClose, kWrong };
inline constexpr size_t kGuessResults = 3;

// The label values the metrics show for each.
std::string_view KindName(MessageKind kind);
std::string_view CloseReasonName(CloseReason reason);
std::string_view RefusalName(Refusal refusal);
std::string_view GuessResultName(GuessResult result);

// The room's counters, kept as things happen: plain integers, so that counting costs the relay
// an increment and nothing more. They start at zero with every run, as Prometheus expects.
struct RoomCounters {
  struct Traffic {
    uint64_t messages = 0;
    uint64_t bytes = 0;
  };
  std::array<Traffic, kMessageKinds> received{};
  std::array<Traffic, kMessageKinds> sent{};
  uint64_t accepted = 0;
  std::array<uint64_t, kRefusals> refused{};
  std::array<uint64_t, kCloseReasons> closed{};
  // Chat-like lines over the rate limit, and drawing messages too long for their fields.
  uint64_t chat_dropped = 0;
  uint64_t drawing_dropped = 0;
  // ISALIVE answered: the tracker's probes, and server browsers asking.
  uint64_t probes_answered = 0;
  uint64_t games_started = 0;
  uint64_t rounds_started = 0;
  uint64_t artist_warnings = 0;
  uint64_t rounds_warned_off = 0;
  std::array<uint64_t, kGuessResults> guesses{};
  // Votes to kick that counted, and the players they kicked.
  uint64_t kick_votes = 0;
  uint64_t vote_kicks = 0;

  void Sent(MessageKind kind, size_t bytes, uint64_t messages = 1) {
    Traffic& t = sent[static_cast<size_t>(kind)];
    t.messages += messages;
    t.bytes += bytes;
  }
  void Received(MessageKind kind, size_t bytes) {
    Traffic& t = received[static_cast<size_t>(kind)];
    ++t.messages;
    t.bytes += bytes;
  }
  void Closed(CloseReason reason) { ++closed[static_cast<size_t>(reason)]; }
  void Guessed(GuessResult result) { ++guesses[static_cast<size_t>(result)]; }
};

}  // namespace server
