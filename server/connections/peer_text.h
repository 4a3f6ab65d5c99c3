// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "protocol/framing.h"

namespace server {

// Separates the fields of the messages the handlers build.
inline constexpr char kSep = protocol::kFieldSep;

// Free text from a peer as it is kept or relayed: without control codes, cut to its length.
inline std::string Clean(std::string_view text, size_t length) {
  return protocol::FirstChars(protocol::StripControlCodes(text), length);
}

}  // namespace server
