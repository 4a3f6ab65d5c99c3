// SPDX-License-Identifier: MIT
#include "client/room/nickname_filter.h"

#include "client/settings/client_settings.h"
#include "protocol/text.h"

namespace client {

const std::array<std::string_view, 40> ReservedNicknames = {
    // Players must pick their own.
    kDefaultNickname,
    // Offensive words and their usual disguises. Short words that occur inside ordinary names
    // are left out on purpose, since every entry matches anywhere in a nickname.
    "fuck",
    "fuk",
    "f*ck",
    "phuck",
    "shit",
    "sh1t",
    "cunt",
    "bitch",
    "b1tch",
    "asshole",
    "a55hole",
    "bastard",
    "wanker",
    "whore",
    "slut",
    "nigger",
    "nigga",
    "faggot",
    "retard",
    // The room's own roles and the product.
    "admin",
    "owner",
    "nadmin",
    "netadmin",
    "scrawlbox",
    "666",
    "satan",
    // Control characters that would break the chat or the protocol.
    "\t",
    "\x01",
    "\x02",
    "\x03",
    // Names that pass for the program's own senders or staff, and their look-alikes.
    "system",
    "server",
    "moderator",
    "sysop",
    "s3rv3r",
    "0wner",
    "adm1n",
    "4dmin",
    "scrawlb0x",
};

bool IsNicknameRejected(std::string_view nickname) {
  const std::string lower = protocol::LowerCase(nickname);
  for (std::string_view entry : ReservedNicknames) {
    if (lower.find(protocol::LowerCase(entry)) != std::string::npos) return true;
  }
  return false;
}

}  // namespace client
