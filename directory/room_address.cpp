// SPDX-License-Identifier: MIT
#include "directory/room_address.h"

#include <algorithm>

#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/text.h"

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

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A host name or IPv4 address, or an IPv6 address in brackets.
bool SaneWebHost(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    const std::string_view inside = host.substr(1, host.size() - 2);
    return std::all_of(inside.begin(), inside.end(),
                       [](char c) { return IsHex(c) || c == ':' || c == '.'; });
  }
  return !host.empty() && IsAlphanumeric(host.front()) &&
         std::all_of(host.begin(), host.end(),
                     [](char c) { return IsAlphanumeric(c) || c == '-' || c == '.'; });
}

bool SaneWebPath(std::string_view path) {
  for (size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == '%') {
      if (i + 2 >= path.size() || !IsHex(path[i + 1]) || !IsHex(path[i + 2])) return false;
      i += 2;
    } else if (!IsAlphanumeric(c) && std::string_view("-._~/").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<RoomAddress> ParseRoomAddress(std::string_view text, std::string* why) {
  text = Trimmed(text);
  if (text.size() >= kLinkScheme.size() &&
      protocol::EqualsIgnoreCase(text.substr(0, kLinkScheme.size()), kLinkScheme)) {
    text.remove_prefix(kLinkScheme.size());
  }
  std::string code;
  // A host's room: what follows the first "/" (a link's closing "/" is no part of it).
  if (const size_t slash = text.find('/'); slash != std::string_view::npos) {
    std::string_view rest = text.substr(slash + 1);
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    if (rest.size() > kMaxRoomCode || !std::all_of(rest.begin(), rest.end(), IsAlphanumeric)) {
      return Refuse(why, SB_TEXT("a room's code after the \"/\" holds only letters and digits"));
    }
    code = protocol::LowerCase(rest);
    text = text.substr(0, slash);
  }
  if (text.empty()) return Refuse(why, SB_TEXT("no address was given"));
  const std::string bad_port =
      "the port must be a number from 1 to " + std::to_string(kHighestPort);
  std::string_view host = text;
  std::optional<std::string_view> port_text;
  if (text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos)
      return Refuse(why, SB_TEXT("the \"]\" after the address is missing"));
    host = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':')
        return Refuse(why, SB_TEXT("only \":\" and a port may follow the \"]\""));
      port_text = rest.substr(1);
    }
  } else if (std::count(text.begin(), text.end(), ':') == 1) {
    const size_t colon = text.find(':');
    host = text.substr(0, colon);
    port_text = text.substr(colon + 1);
  }
  // More than one ":" without brackets: an IPv6 address on the default port.
  if (host.empty()) return Refuse(why, SB_TEXT("the host is missing before the port"));
  if (!PlausibleHost(host))
    return Refuse(why, SB_TEXT("the host may not hold blanks, \"/\" or brackets"));
  RoomAddress address{std::string(host), kDefaultGamePort, std::move(code)};
  if (port_text) {
    if (port_text->empty()) return Refuse(why, SB_TEXT("the port is missing after the \":\""));
    const std::optional<int> port = Port(*port_text);
    if (!port) return Refuse(why, bad_port);
    address.port = *port;
  }
  return address;
}

std::string AddressText(const RoomAddress& address) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  const std::string code = address.code.empty() ? "" : "/" + address.code;
  // A bare IPv6 address before a code would read as a port.
  if (address.port == kDefaultGamePort && (code.empty() || !ipv6)) return address.host + code;
  const std::string host = ipv6 ? "[" + address.host + "]" : address.host;
  return host + ":" + std::to_string(address.port) + code;
}

std::string SaneWebAddress(std::string_view url, std::string_view request_address) {
  if (url.size() > kMaxWebAddress) return {};
  const size_t scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos) return {};
  std::string scheme(url.substr(0, scheme_end));
  for (char& c : scheme) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (scheme != "http" && scheme != "https") return {};
  const std::string_view rest = url.substr(scheme_end + 3);
  const size_t slash = rest.find('/');
  const std::string_view authority = rest.substr(0, slash);
  const std::string_view path = slash == std::string_view::npos ? "/" : rest.substr(slash);
  // The port's ":" is the last one, after the "]" of an IPv6 address.
  const size_t colon = authority.rfind(':');
  const bool has_port =
      colon != std::string_view::npos && (authority.front() != '[' || colon > authority.rfind(']'));
  std::string host(has_port ? authority.substr(0, colon) : authority);
  if (host.empty()) {
    const bool ipv6 = request_address.find(':') != std::string_view::npos;
    host = ipv6 ? "[" + std::string(request_address) + "]" : std::string(request_address);
  }
  if (!SaneWebHost(host) || !SaneWebPath(path)) return {};
  if (has_port && !Port(authority.substr(colon + 1))) return {};
  std::string sane = scheme + "://" + host;
  if (has_port) sane.append(authority.substr(colon));
  sane.append(path);
  return sane.size() <= kMaxWebAddress ? sane : std::string();
}

}  // namespace directory
