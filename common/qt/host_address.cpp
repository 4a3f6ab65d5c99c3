// SPDX-License-Identifier: MIT
#include "common/qt/host_address.h"

#include <sys/socket.h>

namespace scrawlbox {

std::string AddressText(const QHostAddress& address) {
  bool is_v4 = false;
  const quint32 v4 = address.toIPv4Address(&is_v4);
  return (is_v4 ? QHostAddress(v4) : address).toString().toStdString();
}

std::string PeerAddressText(int fd) {
  sockaddr_storage peer{};
  socklen_t peer_size = sizeof peer;
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) != 0) return {};
  return AddressText(QHostAddress(reinterpret_cast<sockaddr*>(&peer)));
}

}  // namespace scrawlbox
