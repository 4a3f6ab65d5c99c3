// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

// Text lengths fixed by the wire: what a peer cuts a text to before sending it. Clients of
// every version size their lists and labels for them, so they do not change.
namespace protocol {

// A nickname as others see it (JOIN, ULIST, NICKCHG); clients send no more at login.
inline constexpr size_t kShownNicknameLength = 20;
// The nickname a client has before its player chose one; rooms refuse it.
inline constexpr std::string_view kDefaultNickname = "un-named";

// A nickname as the server keeps it after a change of name.
inline constexpr size_t kKeptNicknameLength = 30;
// A chat line.
inline constexpr size_t kChatLength = 512;
// A player's info text.
inline constexpr size_t kInfoLength = 60;
// The reason a player gives for leaving.
inline constexpr size_t kLeaveReasonLength = 100;
// The room's message of the day and name as PASSOK carries them.
inline constexpr size_t kMotdLength = 2048;
inline constexpr size_t kRoomNameLength = 20;
// A player's profile, as the client sends it at most.
inline constexpr size_t kGenderLength = 10;
inline constexpr size_t kLocationLength = 64;
inline constexpr size_t kHomepageLength = 1024;
inline constexpr size_t kQuoteLength = 1024;
// The letters hints have revealed, as GAMERUNNING carries them.
inline constexpr size_t kRevealedLettersLength = 100;

}  // namespace protocol
