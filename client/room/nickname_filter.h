// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace client {

// Nicknames that may not be used: the default profile name, offensive words, names that pass
// for the room's staff or its system messages, and the protocol's control characters. Each is
// matched as a part of the nickname, whatever the letter case.
extern const std::array<std::string_view, 40> ReservedNicknames;

// True when the nickname contains a reserved entry; an empty nickname is not rejected here.
bool IsNicknameRejected(std::string_view nickname);

}  // namespace client
