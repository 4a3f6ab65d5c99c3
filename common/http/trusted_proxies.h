// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace http {

// An IP address (v4 or v6) in its one written form, an IPv4 address mapped into IPv6 as
// a.b.c.d the way peers are shown; nullopt for anything that is not exactly an address.
std::optional<std::string> CanonicalAddress(std::string_view text);

// The proxies in front of a listener, each speaking for many clients: one is not bound per
// address, and its request names its client in X-Forwarded-For. Nobody else is believed.
class TrustedProxies {
 public:
  // An address longer than any written IP address is not read.
  static constexpr size_t kMaxAddress = 64;

  // The operator's comma-separated list (spaces allowed); nullopt when an entry is no address,
  // with that entry in *bad.
  static std::optional<TrustedProxies> Parse(std::string_view list, std::string* bad);

  bool Contains(std::string_view peer) const;
  // Whom a request speaks for. A trusted proxy appends the address it took the connection from
  // to X-Forwarded-For, so only the last address is its word; those before it are what the
  // client sent. Anything but an address there, or no field, leaves the proxy's own.
  std::string ClientAddress(const std::string& peer,
                            const std::optional<std::string>& forwarded_for) const;

 private:
  std::set<std::string> addresses_;
};

}  // namespace http
