// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace loadtest {

// What the operator asked for on the command line.
struct LoadOptions {
  std::string host;
  int port = 2020;
  std::string code;  // a made room of a host of many rooms; empty for the host's default room
  int players = 0;
  double rate = 200;   // strokes a second the artist draws (ignored with burst)
  double seconds = 5;  // how long the artist draws
  bool burst = false;  // draw as fast as the room relays, within `window` of the slowest viewer
  double chat = 0;     // chat lines a second from each chatting viewer
  int chatters = -1;   // viewers that chat; -1: every viewer
  bool json = false;   // one JSON object instead of the text report
  bool web = false;    // the players come over WebSocket, to ws://host:port/play
  bool tls = false;    // and over TLS, to wss:// (the room's certificate is not checked)
  int window = 1000;   // burst: strokes the artist may be ahead of the slowest viewer
  double login_timeout = 30;
  double drain = 10;  // seconds the viewers get to receive what was drawn
  // Nicknames are this and the player's number: two runs at once need different ones.
  std::string nickname_prefix = "load";
  // Marks this run's strokes, so that a picture left in the room by an earlier run (whose
  // artist may have had the same id) is not taken for them.
  int run_tag = 1;
};

// Bounds that keep a mistyped command from becoming an attack on somebody's room.
inline constexpr int kMaxPlayers = 5000;
inline constexpr double kMaxSeconds = 3600;
inline constexpr double kMaxRate = 100000;
inline constexpr double kMaxChatRate = 10;

// Reads the arguments (without the program name). nullopt and *error when they are wrong.
std::optional<LoadOptions> ParseLoadOptions(const std::vector<std::string>& args,
                                            std::string* error);

extern const char kLoadUsage[];

}  // namespace loadtest
