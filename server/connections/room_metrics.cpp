// SPDX-License-Identifier: MIT
// The room's metrics in the Prometheus text format: the counters kept as things happened, and
// the gauges read from the connection table at the moment of the scrape.
#include <array>
#include <utility>

#include "common/metrics/exposition.h"
#include "common/version.h"
#include "server/connections/room_server.h"

namespace server {

std::string_view KindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::kChat:
      return "chat";
    case MessageKind::kDrawing:
      return "drawing";
    case MessageKind::kControl:
      break;
  }
  return "control";
}

std::string_view CloseReasonName(CloseReason reason) {
  switch (reason) {
    case CloseReason::kPeerClosed:
      return "peer_closed";
    case CloseReason::kLeft:
      return "left";
    case CloseReason::kKicked:
      return "kicked";
    case CloseReason::kPingTimeout:
      return "ping_timeout";
    case CloseReason::kLoginTimeout:
      return "login_timeout";
    case CloseReason::kFlooding:
      return "flooding";
    case CloseReason::kDrawingFlood:
      return "drawing_flood";
    case CloseReason::kMessageTooLong:
      return "message_too_long";
    case CloseReason::kSendQueueExceeded:
      return "send_queue_exceeded";
    case CloseReason::kSendFailed:
      return "send_failed";
    case CloseReason::kRefused:
      return "refused";
    case CloseReason::kMadeWay:
      return "made_way";
    case CloseReason::kReplaced:
      return "replaced";
    case CloseReason::kProtocolError:
      break;
  }
  return "protocol_error";
}

std::string_view RefusalName(Refusal refusal) {
  return refusal == Refusal::kRoomFull ? "room_full" : "address_limit";
}

std::string_view GuessResultName(GuessResult result) {
  switch (result) {
    case GuessResult::kCorrect:
      return "correct";
    case GuessResult::kClose:
      return "close";
    case GuessResult::kWrong:
      break;
  }
  return "wrong";
}

std::string RoomServer::MetricsText() const {
  const RoomCounters& c = counters_;
  metrics::Exposition out;

  // Every label value is written even at zero, so that a rate over a new series starts right.
  constexpr std::array<std::pair<int32_t, std::string_view>, 5> kStates = {{
      {StateNew, "connecting"},
      {StateVersionOk, "version_ok"},
      {StateUserOk, "user_ok"},
      {StateInRoom, "in_room"},
      {StateRefused, "refused"},
  }};
  std::array<size_t, kStates.size()> by_state{};
  size_t queued_bytes = 0;
  size_t picture_streams = 0;
  for (const auto& [slot, record] : connections_) {
    for (size_t i = 0; i < kStates.size(); ++i) {
      if (record->State == kStates[i].first) ++by_state[i];
    }
    queued_bytes += transport_.QueuedBytes(slot);
    if (record->picture_stream) ++picture_streams;
  }
  out.Gauge("scrawlbox_room_connections", "Open connections by login state.");
  for (size_t i = 0; i < kStates.size(); ++i) {
    out.Sample(static_cast<double>(by_state[i]), {{"state", kStates[i].second}});
  }
  out.Gauge("scrawlbox_room_players", "Players in the room.");
  out.Sample(static_cast<double>(by_state[3]));
  out.Gauge("scrawlbox_room_listening", "1 while the room takes new connections.");
  out.Sample(listener_.listening() ? 1 : 0);
  out.Gauge("scrawlbox_room_game_running", "1 while a game runs.");
  out.Sample(game_->IsRunning() ? 1 : 0);
  out.Gauge("scrawlbox_room_send_queue_bytes",
            "Bytes waiting to be sent to the room's connections.");
  out.Sample(static_cast<double>(queued_bytes));
  out.Gauge("scrawlbox_room_backlog_connections",
            "Connections with received messages waiting for their next turn.");
  out.Sample(static_cast<double>(backlog_.size()));
  out.Gauge("scrawlbox_room_picture_streams", "Joiners still being sent the picture so far.");
  out.Sample(static_cast<double>(picture_streams));

  out.Counter("scrawlbox_room_connections_accepted_total", "Connections given a slot.");
  out.Sample(static_cast<double>(c.accepted));
  out.Counter("scrawlbox_room_connections_refused_total",
              "Connection requests turned away before login, by reason.");
  for (const Refusal refusal : {Refusal::kRoomFull, Refusal::kAddressLimit}) {
    out.Sample(static_cast<double>(c.refused[static_cast<size_t>(refusal)]),
               {{"reason", RefusalName(refusal)}});
  }
  out.Counter("scrawlbox_room_connections_closed_total", "Connections closed, by reason.");
  for (size_t i = 0; i < kCloseReasons; ++i) {
    out.Sample(static_cast<double>(c.closed[i]),
               {{"reason", CloseReasonName(static_cast<CloseReason>(i))}});
  }

  const auto traffic = [&out](std::string_view direction, const auto& by_kind) {
    const std::string messages = "scrawlbox_room_messages_" + std::string(direction) + "_total";
    const std::string bytes = "scrawlbox_room_" + std::string(direction) + "_bytes_total";
    out.Counter(messages, "Messages " + std::string(direction) + ", by kind.");
    for (size_t i = 0; i < kMessageKinds; ++i) {
      out.Sample(static_cast<double>(by_kind[i].messages),
                 {{"kind", KindName(static_cast<MessageKind>(i))}});
    }
    out.Counter(bytes, "Bytes " + std::string(direction) + " in messages, by kind.");
    for (size_t i = 0; i < kMessageKinds; ++i) {
      out.Sample(static_cast<double>(by_kind[i].bytes),
                 {{"kind", KindName(static_cast<MessageKind>(i))}});
    }
  };
  traffic("received", c.received);
  traffic("sent", c.sent);
  out.Counter("scrawlbox_room_messages_dropped_total",
              "Received messages dropped unseen: over the chat rate limit, or drawing messages "
              "longer than their fields.");
  out.Sample(static_cast<double>(c.chat_dropped), {{"reason", "rate_limit"}});
  out.Sample(static_cast<double>(c.drawing_dropped), {{"reason", "too_long"}});

  out.Counter("scrawlbox_room_probes_answered_total",
              "ISALIVE probes answered (the tracker's, and server browsers').");
  out.Sample(static_cast<double>(c.probes_answered));
  out.Counter("scrawlbox_room_games_started_total", "Games started.");
  out.Sample(static_cast<double>(c.games_started));
  out.Counter("scrawlbox_room_rounds_started_total", "Rounds started, the first of a game too.");
  out.Sample(static_cast<double>(c.rounds_started));
  out.Counter("scrawlbox_room_artist_warnings_total", "Warnings of the artist that counted.");
  out.Sample(static_cast<double>(c.artist_warnings));
  out.Counter("scrawlbox_room_rounds_warned_off_total",
              "Rounds skipped because most guessers warned the artist.");
  out.Sample(static_cast<double>(c.rounds_warned_off));
  out.Counter("scrawlbox_room_guesses_total",
              "Chat lines of players still guessing during a round, by result.");
  for (size_t i = 0; i < kGuessResults; ++i) {
    out.Sample(static_cast<double>(c.guesses[i]),
               {{"result", GuessResultName(static_cast<GuessResult>(i))}});
  }

  out.Counter("scrawlbox_room_kick_votes_total", "Votes of players to kick another that counted.");
  out.Sample(static_cast<double>(c.kick_votes));
  out.Counter("scrawlbox_room_vote_kicks_total", "Players kicked by a vote of the others.");
  out.Sample(static_cast<double>(c.vote_kicks));

  out.Gauge("scrawlbox_room_build_info", "Always 1; the version of the room server.");
  out.Sample(1, {{"version", scrawlbox::kVersionText}});
  return out.Take();
}

}  // namespace server
