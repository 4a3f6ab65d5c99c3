// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "protocol/receive_buffer.h"
#include "protocol/version_text.h"
#include "server/connections/picture_log.h"
#include "server/connections/ports.h"
#include "server/connections/rate_limit.h"
#include "server/connections/room_metrics.h"

namespace server {

// Login states.
inline constexpr int32_t StateFree = -1;
inline constexpr int32_t StateNew = 0;
inline constexpr int32_t StateVersionOk = 1;
inline constexpr int32_t StateUserOk = 2;
inline constexpr int32_t StateInRoom = 9999;
inline constexpr int32_t StateRefused = 10000;

// One connection. The fields up to PingPending are the ones the rest of the server reads and
// writes; the ones below belong to the connection layer.
struct ConnectionRecord {
  int32_t Id = 0;
  double BytesReceived = 0;
  int32_t SlotIndex = 0;
  int32_t State = StateNew;
  std::string Nickname;
  bool AutoSkip = false;  // never chosen to draw; relayed as 1 or 0, as the client sends it
  bool HasDrawn = false;
  bool FoundWord = false;
  int32_t Points = 0;
  float Age = 0;
  std::string Gender;
  std::string Location;
  std::string Homepage;
  std::string Quote;
  std::string LeaveReason;
  bool IsAdmin = false;
  double ClientVersion = 0;
  // The client takes the game messages of 1.1 (a choice of words, watchers, summaries).
  bool TakesGameRules() const { return ClientVersion >= protocol::kGameRulesClientVersion; }
  std::string Info;
  bool PingPending = false;
  bool Watching = false;       // watches the game: never draws, never guesses
  bool WantsWatching = false;  // as the player asked; Watching follows when the round allows

  std::string address;                    // the peer's IP address
  std::string row_name = "Unknown User";  // the name the connection list shows
  bool entered_room = false;              // passed the password step: the others were told of it
  uint64_t entry_order = 0;               // entered the room before those with a higher one
  int64_t entered_round = 0;              // the game's rounds begun when it entered the room
  bool probed = false;                    // asked ISALIVE: a probe, unless it goes on to log in
  bool part_announced = false;            // the others were told it left
  bool send_failed = false;               // nothing more is sent; it closes when the event ends
  bool kicked = false;                    // however it closes now, the metrics count it as kicked
  bool attempt_refused = false;           // its close is logged as a refused attempt
  int64_t connected_ms = 0;
  int64_t last_received_ms = 0;  // when the peer last sent anything
  // A login whose nickname a player of its own address holds waits while that player is asked
  // (a PING) whether it is still there: the holder's slot (-1 once asked), what the holder had
  // sent by then, and the profile to take up again.
  int probing_slot = 0;
  double probe_holder_bytes = 0;
  std::string held_profile;
  bool stopped_answering = false;  // asked so, and silent since
  protocol::ReceiveBuffer receive_buffer;
  std::unique_ptr<Timer> ping_timer;
  std::unique_ptr<Timer> login_timer;  // closes a connection that never enters the room
  // Flood control.
  TokenBucket chat_bucket;
  TokenBucket drawing_bucket;
  // When the latest dropped lines came, oldest first; a few dozen at most. (A deque would cost
  // every connection half a kilobyte before its first drop.)
  std::vector<int64_t> drop_times;
  std::optional<int64_t> last_flood_notice_ms;
  // A joiner to be sent the picture. Until its turn it waits, and the log keeps what is drawn
  // meanwhile; from then on it has the pieces still to go, then the drawing relayed since,
  // which must come after them.
  struct PictureStream {
    bool started = false;
    std::deque<PictureLog::Chunk> chunks;
    std::string drawn_meanwhile;
  };
  std::unique_ptr<PictureStream> picture_stream;
  // Fair service: messages wait in receive_buffer for another turn.

  bool reading_paused = false;
  bool queued_for_turn = false;
};

}  // namespace server
