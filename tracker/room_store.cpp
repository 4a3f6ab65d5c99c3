// SPDX-License-Identifier: MIT
#include "tracker/room_store.h"

namespace tracker {

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      c = static_cast<char>(byte + 0x20);
    } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {  // Š Œ Ž
      c = static_cast<char>(byte + 0x10);
    } else if (byte == 0x9F) {  // Ÿ
      c = '\xFF';
    }
  }
  return out;
}

}  // namespace tracker
