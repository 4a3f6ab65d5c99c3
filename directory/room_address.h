// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a room listens, as players type it and as Recent and Favourites keep it: "host",
// "host:port", "[IPv6]:port" or a bare IPv6 address. A room on the default port is written as
// its host alone, so the entries of older Client.ini files read as they always did. A room of a
// host of many rooms adds its code: "host:port/CODE", also as a link "scrawlbox://host/CODE".
namespace directory {

inline constexpr int kDefaultGamePort = 2020;
inline constexpr std::string_view kLinkScheme = "scrawlbox://";
inline constexpr size_t kMaxRoomCode = 32;

struct RoomAddress {
  std::string host;
  int port = kDefaultGamePort;
  // The room's code on a host of many rooms; empty: the host's default room, or a single room.
  std::string code{};
  bool operator==(const RoomAddress&) const = default;
};

// The address the text names, or nothing when it names none; then `why` (when given) says what
// is wrong in words a player understands. Blanks around the text are ignored.
std::optional<RoomAddress> ParseRoomAddress(std::string_view text, std::string* why = nullptr);

// The text form: the host alone on the default port, else "host:port" ("[host]:port" for IPv6).
std::string AddressText(const RoomAddress& address);

// The longest address of a room's page that is listed.
inline constexpr size_t kMaxWebAddress = 200;

// The address of a room's page when it is one to list and open: http or https, a host name, an
// IPv4 or a bracketed IPv6 address, an optional port, and a path of letters, digits, "-._~/" and
// %-escapes; nothing that a page or a tooltip could read as markup or script. An empty host is
// request_address (none: refused). The result has a lower-case scheme and at least "/" as its
// path; "" when the address is refused.
std::string SaneWebAddress(std::string_view url, std::string_view request_address = {});

}  // namespace directory
