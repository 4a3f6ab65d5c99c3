// SPDX-License-Identifier: MIT
#include "tools/loadtest/load_options.h"

#include <charconv>
#include <cmath>

#include "directory/room_address.h"

namespace loadtest {

const char kLoadUsage[] =
    "Usage: scrawlbox-loadtest HOST[:PORT][/CODE] --players N [--rate R] [--seconds S] [--burst]\n"
    "                          [--chat R] [--chatters N] [--json] [--window N]\n"
    "                          [--login-timeout S] [--drain S] [--web] [--tls]\n"
    "       scrawlbox-loadtest --help\n"
    "Logs N players into the room at HOST (port 2020 unless given); the first draws R strokes a\n"
    "second for S seconds (--burst: as fast as the room relays them), the others receive them\n"
    "and, with --chat, say R chat lines a second each (--chatters: only that many of them).\n"
    "Prints the logins' time, the strokes relayed a second, the artist-to-viewer latency and\n"
    "what was lost. At most 5000 players, 3600 seconds. /CODE: a room made on a host of many\n"
    "rooms (each player names it with ROOM first).\n"
    "--web: the players come through the room's web port (PORT is then that port) over\n"
    "WebSocket, ws://HOST:PORT/play; --tls: over wss:// instead. The room's certificate is taken\n"
    "whatever it is, as the tool measures one's own room: never use it to check a certificate.\n";

namespace {

bool ReadInt(const std::string& text, int* value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end;
}

bool ReadNumber(const std::string& text, double* value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end && std::isfinite(*value);
}

}  // namespace

std::optional<LoadOptions> ParseLoadOptions(const std::vector<std::string>& args,
                                            std::string* error) {
  LoadOptions options;
  bool have_address = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--burst") {
      options.burst = true;
      continue;
    }
    if (arg == "--json") {
      options.json = true;
      continue;
    }
    if (arg == "--web" || arg == "--tls") {
      options.web = true;
      options.tls = options.tls || arg == "--tls";
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      if (have_address) {
        *error = "one address only: \"" + arg + "\"";
        return std::nullopt;
      }
      // The same forms a player types in the client: one parser for both.
      const auto address = directory::ParseRoomAddress(arg, error);
      if (!address) return std::nullopt;
      options.host = address->host;
      options.port = address->port;
      options.code = address->code;
      have_address = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      *error = arg + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = false;
    if (arg == "--players") {
      ok = ReadInt(value, &options.players);
    } else if (arg == "--chatters") {
      ok = ReadInt(value, &options.chatters) && options.chatters >= 0;
    } else if (arg == "--window") {
      ok = ReadInt(value, &options.window) && options.window > 0;
    } else if (arg == "--rate") {
      ok = ReadNumber(value, &options.rate) && options.rate > 0 && options.rate <= kMaxRate;
    } else if (arg == "--seconds") {
      ok = ReadNumber(value, &options.seconds) && options.seconds > 0 &&
           options.seconds <= kMaxSeconds;
    } else if (arg == "--chat") {
      ok = ReadNumber(value, &options.chat) && options.chat >= 0 && options.chat <= kMaxChatRate;
    } else if (arg == "--login-timeout") {
      ok = ReadNumber(value, &options.login_timeout) && options.login_timeout > 0 &&
           options.login_timeout <= kMaxSeconds;
    } else if (arg == "--drain") {
      ok = ReadNumber(value, &options.drain) && options.drain >= 0 && options.drain <= kMaxSeconds;
    } else {
      *error = "unknown option " + arg;
      return std::nullopt;
    }
    if (!ok) {
      *error = "bad value for " + arg + ": \"" + value + "\"";
      return std::nullopt;
    }
  }
  if (!have_address) {
    *error = "the room's address is missing";
    return std::nullopt;
  }
  if (options.players < 2 || options.players > kMaxPlayers) {
    *error =
        "--players must be 2 to " + std::to_string(kMaxPlayers) + " (one draws, the others watch)";
    return std::nullopt;
  }
  if (options.chatters > options.players - 1) {
    *error = "--chatters can be at most the viewers (" + std::to_string(options.players - 1) + ")";
    return std::nullopt;
  }
  return options;
}

}  // namespace loadtest
