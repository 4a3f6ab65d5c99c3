// SPDX-License-Identifier: MIT
#include "directory/room_address.h"

#include <algorithm>

#include "protocol/numbers.h"

namespace directory {

namespace {

constexpr int kHighestPort = 65535;

std::optional<RoomAddress> Refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return std::nullopt;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A port is 1 to 5 digits naming 1 to 65535; signs, blanks and exponents are not ports.
std::optional<int> Port(std::string_view text) {
  const std::optional<int32_t> port = protocol::Digits(text, 5);
  if (!port || *port < 1 || *port > kHighestPort) return std::nullopt;
  return *port;
}

// Blanks and control characters never belong to a host name or an address.
bool PlausibleHost(std::string_view host) {
  return std::none_of(host.begin(), host.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte == 0x7F || c == '/' || c == '[' || c == ']';
  });
}

}  // namespace

std::optional<RoomAddress> ParseRoomAddress(std::string_view text, std::string* why) {
  text = Trimmed(text);
  if (text.empty()) return Refuse(why, "no address was given");
  const std::string bad_port =
      "the port must be a number from 1 to " + std::to_string(kHighestPort);
  std::string_view host = text;
  std::optional<std::string_view> port_text;
  if (text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos)
      return Refuse(why, "the \"]\" after the address is missing");
    host = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return Refuse(why, "only \":\" and a port may follow the \"]\"");
      port_text = rest.substr(1);
    }
  } else if (std::count(text.begin(), text.end(), ':') == 1) {
    const size_t colon = text.find(':');
    host = text.substr(0, colon);
    port_text = text.substr(colon + 1);
  }
  // More than one ":" without brackets: an IPv6 address on the default port.
  if (host.empty()) return Refuse(why, "the host is missing before the port");
  if (!PlausibleHost(host)) return Refuse(why, "the host may not hold blanks, \"/\" or brackets");
  RoomAddress address{std::string(host), kDefaultGamePort};
  if (port_text) {
    if (port_text->empty()) return Refuse(why, "the port is missing after the \":\"");
    const std::optional<int> port = Port(*port_text);
    if (!port) return Refuse(why, bad_port);
    address.port = *port;
  }
  return address;
}

std::string AddressText(const RoomAddress& address) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  if (address.port == kDefaultGamePort) return address.host;
  const std::string host = ipv6 ? "[" + address.host + "]" : address.host;
  return host + ":" + std::to_string(address.port);
}

}  // namespace directory
