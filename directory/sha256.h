// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace directory {

// SHA-256 of the bytes, as 64 lower-case hex digits. The room's core names itself to the tracker
// with it and links no Qt, so it carries its own.
std::string Sha256Hex(std::string_view bytes);

}  // namespace directory
