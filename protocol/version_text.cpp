// SPDX-License-Identifier: MIT
#include "protocol/version_text.h"

#include <cstdio>

namespace protocol {

std::string ClientVersionText(int major, int minor, int revision) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d%02d%03d", major, minor, revision);
  return buffer;
}

std::string ServerVersionText(int major, int minor) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d%02d", major, minor);
  return buffer;
}

std::string MainVersionText(int major, int minor, int revision) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d.%02d.%04d", major, minor, revision);
  return buffer;
}

}  // namespace protocol
