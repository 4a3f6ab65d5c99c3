// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <string_view>

// The wire and the settings files carry Windows-1252 text, one byte per character; Qt works in
// Unicode. Every conversion between the two goes through here.
namespace scrawlbox {

QString FromWire(std::string_view bytes);
// Characters that Windows-1252 cannot hold become "?".
std::string ToWire(const QString& text);

// Text from a peer made safe for a terminal or a one-line list entry: control characters are
// shown as <n> instead of being written out, so nobody can move the cursor or colour the screen
// of the operator's console.
QString Printable(std::string_view bytes);

}  // namespace scrawlbox
