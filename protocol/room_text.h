// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The texts a room words for its players are templates in English with numbered places for what
// varies ("%1 has been kicked."), so that a client can recognise one and show it in its player's
// language. lupdate collects every template written through RoomText or SB_TEXT (as it does
// QT_TR_NOOP) into translations/game_*.ts, which the clients compile in. Marks a template written
// where it cannot be filled at once (a table of texts); whoever shows it translates it then.
#define SB_TEXT(text) text

namespace protocol {

// The template with %1 to %9 replaced by the arguments and %n by the count. What the arguments
// hold is not read again, so a nickname with "%1" in it stays as it is; a place without an
// argument reads as empty.
std::string Fill(std::string_view source, std::initializer_list<std::string_view> args,
                 std::string_view count = {});

// A text of the room, in English, as the players' clients know it.
inline std::string RoomText(std::string_view source,
                            std::initializer_list<std::string_view> args = {}) {
  return Fill(source, args);
}

}  // namespace protocol
