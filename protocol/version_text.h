// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The ways a program version is written: versions are compared as numbers after a decimal
// conversion of these texts, so the digit counts matter.
namespace protocol {

// Major, minor as 2 digits, revision as 3 digits, run together: 0.99.410 gives "099410".
std::string ClientVersionText(int major, int minor, int revision);
// Major and minor as 2 digits: 0.99 gives "099".
std::string ServerVersionText(int major, int minor);
// Major, ".", minor as 2 digits, ".", revision as 4 digits: 0.99.410 gives "0.99.0410".
std::string MainVersionText(int major, int minor, int revision);

// Clients from 1.1.0 on take the game messages added then (a choice of words, spectators, the
// round's summary); the room sends them nothing an older client would stall on.
inline constexpr double kGameRulesClientVersion = 101000;
// Rooms from 1.1 on (their hello says "101") take the messages clients added then: WATCH,
// WARNARTIST, VOTEKICK and CHOOSEWORD. An older room would log them as unknown and do nothing.
inline constexpr double kGameRulesRoomVersion = 101;

}  // namespace protocol
