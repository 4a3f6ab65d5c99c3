// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The game's texts in the player's language: what the client's session words itself, what rooms
// word for it, and what the room's window shows its operator. Both are English templates with
// numbered places (protocol/room_text.h) compiled in with their translations from
// translations/game_*.ts. Text is Windows-1252, as everywhere in the core.
namespace protocol {

// The template in the language (a two-letter code; one without translations reads English), its
// places filled. Callers word their templates through functions lupdate reads (Session::Say and
// SayCounted, RoomText).
std::string SayIn(std::string_view language, std::string_view source,
                  std::initializer_list<std::string_view> args = {});
// A template with %n: the language's form for the count, as its plural rule chooses.
std::string SayCountedIn(std::string_view language, std::string_view source, int64_t count,
                         std::initializer_list<std::string_view> args = {});

// A text a room sent, in the language when it is one of the templates the clients know, filled
// with what the room put in its places; anything else as it came. Rooms word their texts in
// English, so this is how a player reads an older room, or any room, in their own language.
std::string TranslatedIn(std::string_view language, std::string_view text);

}  // namespace protocol
