// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

namespace testing_support {

// A message's data written with visible separators, one string on one line: '|' stands for
// the field separator and '^' for the list separator. Data that really holds '|' or '^' is
// written as a plain string instead.
template <std::size_t N>
std::string Wire(const char (&text)[N]) {
  std::string wire(text, N - 1);
  for (char& c : wire) {
    if (c == '|')
      c = '\x03';
    else if (c == '^')
      c = '\x04';
  }
  return wire;
}

}  // namespace testing_support
