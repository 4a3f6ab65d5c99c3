// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a room listens, as players type it and as Recent and Favourites keep it: "host",
// "host:port", "[IPv6]:port" or a bare IPv6 address. A room on the default port is written as
// its host alone, so the entries of older Client.ini files read as they always did.
namespace directory {

inline constexpr int kDefaultGamePort = 2020;

struct RoomAddress {
  std::string host;
  int port = kDefaultGamePort;
  bool operator==(const RoomAddress&) const = default;
};

// The address the text names, or nothing when it names none; then `why` (when given) says what
// is wrong in words a player understands. Blanks around the text are ignored.
std::optional<RoomAddress> ParseRoomAddress(std::string_view text, std::string* why = nullptr);

// The text form: the host alone on the default port, else "host:port" ("[host]:port" for IPv6).
std::string AddressText(const RoomAddress& address);

}  // namespace directory
