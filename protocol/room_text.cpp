// SPDX-License-Identifier: MIT
#include "protocol/room_text.h"

namespace protocol {

std::string Fill(std::string_view source, std::initializer_list<std::string_view> args,
                 std::string_view count) {
  std::string text;
  text.reserve(source.size() + 16);
  for (size_t i = 0; i < source.size(); ++i) {
    const char next = i + 1 < source.size() ? source[i + 1] : '\0';
    if (source[i] == '%' && next >= '1' && next <= '9') {
      const size_t index = static_cast<size_t>(next - '1');
      if (index < args.size()) text += *(args.begin() + index);
      ++i;
    } else if (source[i] == '%' && next == 'n') {
      text += count;
      ++i;
    } else {
      text += source[i];
    }
  }
  return text;
}

}  // namespace protocol
