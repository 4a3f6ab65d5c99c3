// SPDX-License-Identifier: MIT
#include "common/http/trusted_proxies.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>

namespace http {

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::string> CanonicalAddress(std::string_view text) {
  if (text.empty() || text.size() > TrustedProxies::kMaxAddress) return std::nullopt;
  const std::string zero_ended(text);
  char written[INET6_ADDRSTRLEN] = {};
  in_addr v4{};
  if (::inet_pton(AF_INET, zero_ended.c_str(), &v4) == 1) {
    return ::inet_ntop(AF_INET, &v4, written, sizeof written);
  }
  in6_addr v6{};
  if (::inet_pton(AF_INET6, zero_ended.c_str(), &v6) != 1) return std::nullopt;
  if (IN6_IS_ADDR_V4MAPPED(&v6)) {
    std::memcpy(&v4, &v6.s6_addr[12], sizeof v4);
    return ::inet_ntop(AF_INET, &v4, written, sizeof written);
  }
  return ::inet_ntop(AF_INET6, &v6, written, sizeof written);
}

std::optional<TrustedProxies> TrustedProxies::Parse(std::string_view list, std::string* bad) {
  TrustedProxies proxies;
  for (size_t start = 0; start <= list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view entry = Trimmed(list.substr(start, comma - start));
    start = comma + 1;
    if (entry.empty()) continue;
    std::optional<std::string> address = CanonicalAddress(entry);
    if (!address) {
      if (bad) *bad = entry;
      return std::nullopt;
    }
    proxies.addresses_.insert(std::move(*address));
  }
  return proxies;
}

bool TrustedProxies::Contains(std::string_view peer) const {
  if (addresses_.empty()) return false;
  const std::optional<std::string> address = CanonicalAddress(peer);
  return address && addresses_.count(*address) != 0;
}

std::string TrustedProxies::ClientAddress(const std::string& peer,
                                          const std::optional<std::string>& forwarded_for) const {
  if (!forwarded_for || !Contains(peer)) return peer;
  const std::string_view list(*forwarded_for);
  const size_t comma = list.rfind(',');
  const std::optional<std::string> client =
      CanonicalAddress(Trimmed(comma == std::string_view::npos ? list : list.substr(comma + 1)));
  return client ? *client : peer;
}

}  // namespace http
