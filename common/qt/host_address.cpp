// SPDX-License-Identifier: MIT
#include "common/qt/host_address.h"

namespace scrawlbox {

std::string AddressText(const QHostAddress& address) {
  bool is_v4 = false;
  const quint32 v4 = address.toIPv4Address(&is_v4);
  return (is_v4 ? QHostAddress(v4) : address).toString().toStdString();
}

}  // namespace scrawlbox
