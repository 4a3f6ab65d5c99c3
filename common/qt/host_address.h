// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <string>

namespace scrawlbox {

// A peer's address as people write it: an IPv4 peer of a dual-stack socket shows as
// ::ffff:a.b.c.d, but operators, ban patterns and room lists expect a.b.c.d.
std::string AddressText(const QHostAddress& address);

// The address of a connected socket's peer, written as AddressText writes it; empty when the
// system cannot tell (the peer already gone).
std::string PeerAddressText(int fd);

}  // namespace scrawlbox
