// SPDX-License-Identifier: MIT
#include "tools/loadtest/load_options.h"

#include <charconv>
#include <cmath>

namespace loadtest {

const char kLoadUsage[] =
    "Usage: scrawlbox-loadtest HOST[:PORT] --players N [--rate R] [--seconds S] [--burst]\n"
    "                          [--chat R] [--chatters N] [--json] [--window N]\n"
    "                          [--login-timeout S] [--drain S]\n"
    "       scrawlbox-loadtest --help\n"
    "Logs N players into the room at HOST (port 2020 unless given); the first draws R strokes a\n"
    "second for S seconds (--burst: as fast as the room relays them), the others receive them\n"
    "and, with --chat, say R chat lines a second each (--chatters: only that many of them).\n"
    "Prints the logins' time, the strokes relayed a second, the artist-to-viewer latency and\n"
    "what was lost. At most 5000 players, 3600 seconds.\n";

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

bool ParseHostPort(const std::string& text, std::string* host, int* port, std::string* error) {
  std::string name = text;
  std::string port_text;
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string::npos) {
      *error = "\"" + text + "\": a bracketed address needs its \"]\"";
      return false;
    }
    name = text.substr(1, close - 1);
    const std::string rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') {
        *error = "\"" + text + "\": only \":PORT\" may follow the address";
        return false;
      }
      port_text = rest.substr(1);
      if (port_text.empty()) {
        *error = "\"" + text + "\": the port is missing";
        return false;
      }
    }
  } else if (const size_t colon = text.find(':'); colon != std::string::npos) {
    if (text.find(':', colon + 1) != std::string::npos) {
      *error = "\"" + text + "\": write an IPv6 address as [ADDRESS]:PORT";
      return false;
    }
    name = text.substr(0, colon);
    port_text = text.substr(colon + 1);
    if (port_text.empty()) {
      *error = "\"" + text + "\": the port is missing";
      return false;
    }
  }
  if (name.empty()) {
    *error = "\"" + text + "\": the host is missing";
    return false;
  }
  int number = 2020;
  if (!port_text.empty() && (!ReadInt(port_text, &number) || number < 1 || number > 65535)) {
    *error = "\"" + port_text + "\" is not a port (1 to 65535)";
    return false;
  }
  *host = name;
  *port = number;
  return true;
}

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
    if (arg.rfind("--", 0) != 0) {
      if (have_address) {
        *error = "one address only: \"" + arg + "\"";
        return std::nullopt;
      }
      if (!ParseHostPort(arg, &options.host, &options.port, error)) return std::nullopt;
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
