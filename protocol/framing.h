// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Messages are 8-bit text: command, code 2, data, code 1. Fields inside the data are separated
// by code 3; word-list names inside the game set-up by code 4. Nothing is escaped on the wire.
namespace protocol {

inline constexpr char kMessageEnd = '\x01';
inline constexpr char kCommandSep = '\x02';
inline constexpr char kFieldSep = '\x03';
inline constexpr char kListSep = '\x04';

// The data of a message that has nothing to say.
inline constexpr std::string_view kNoData = "-";

struct Message {
  std::string command;
  std::string data;
};

// command & code 2 & data & code 1.
std::string Frame(std::string_view command, std::string_view data);

// The text before the first separator, or the whole text when the separator does not occur.
std::string_view LeftOf(std::string_view text, char separator);
// The text after the first separator, or "" when it does not occur.
std::string_view RightOf(std::string_view text, char separator);

// A message without code 2 is all command and no data.
Message ParseMessage(std::string_view raw);

// Splits at every separator; "" gives one empty field.
std::vector<std::string> SplitFields(std::string_view data, char separator = kFieldSep);
std::string JoinFields(const std::vector<std::string>& fields, char separator = kFieldSep);

// Field i of split data, or "" when the sender left it out: a short message must never be
// read past its end.
const std::string& FieldOr(const std::vector<std::string>& fields, size_t index);

// "", a single CR LF, or CR LF CR LF.
bool IsBlankData(std::string_view data);

// The first n characters (all of them when the text is shorter).
std::string FirstChars(std::string_view text, size_t n);

// Removes the control codes 0 to 31 and 127: codes 1 to 4 would break the framing or the
// fields of a message built around free text from one user, and the others (NUL, ESC, BEL,
// CR, LF, DEL...) have no place in a line others see or the operator's logs.
std::string StripControlCodes(std::string_view text);

}  // namespace protocol
