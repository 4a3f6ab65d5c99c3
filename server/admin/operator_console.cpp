// SPDX-License-Identifier: MIT
#include "server/admin/operator_console.h"

#include "protocol/numbers.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/statistics.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/room_server.h"
#include "server/game/word_lists.h"

namespace server {

namespace {

// The first word, and the rest of the line after the spaces that follow it.
std::pair<std::string, std::string> Split(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  text.remove_prefix(start);
  const size_t space = text.find(' ');
  if (space == std::string_view::npos) return {std::string(text), {}};
  std::string_view rest = text.substr(space);
  const size_t rest_start = rest.find_first_not_of(' ');
  return {std::string(text.substr(0, space)), rest_start == std::string_view::npos
                                                  ? std::string()
                                                  : std::string(rest.substr(rest_start))};
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.size() <= 10 &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

std::string StateName(int32_t state) {
  switch (state) {
    case StateNew:
      return "connecting";
    case StateVersionOk:
      return "sending profile";
    case StateUserOk:
      return "entering";
    case StateInRoom:
      return "in room";
    case StateRefused:
      return "refused";
    default:
      return "closed";
  }
}

const char* const kHelp[] = {
    "Operator commands (a user id is the first column of users):",
    "  kick <user id> <reason>     put a user out of the room, telling everyone why",
    "  ban <user id> [reason]      ban a user's address and put the user out of the room; the",
    "                              address is turned away from then on",
    "  msg <user id> <text>        message one user",
    "  msgall <text>               message everyone in the room",
    "  listen accept|deny|offline  let newcomers in, turn them away with the deny message, or "
    "close",
    "  deny <message>              set the deny message",
    "  users                       list the connections: user id, address, name, state",
    "  bans                        list the ban list, numbered",
    "  unban <n>                   remove entry n of the ban list",
    "  stats                       show the statistics",
    "  submit                      list the room with the tracker (or update its entry)",
    "  remove                      take the room off the tracker's list",
    "  update                      check whether a newer version of the server exists",
    "  help                        this list",
};

}  // namespace

int OperatorConsole::UserSlot(const std::string& id_text, std::string* error) const {
  if (!IsWholeNumber(id_text)) {
    *error = "\"" + id_text + "\" is not a user id.";
    return 0;
  }
  const int slot = room_.SlotOfId(protocol::LeadingNumber(id_text));
  if (slot == 0) *error = "No user has the id " + id_text + ".";
  return slot;
}

std::vector<std::string> OperatorConsole::Execute(std::string_view line) {
  const auto [command, rest] = Split(line);
  if (command.empty()) return {};
  const auto [first, remainder] = Split(rest);
  std::string error;

  if (command == "kick") {
    if (first.empty() || remainder.empty()) return {"Usage: kick <user id> <reason>"};
    const int slot = UserSlot(first, &error);
    if (slot == 0) return {error};
    const std::string nickname = room_.Record(slot)->Nickname;
    actions_.Kick(slot, remainder);
    return {"Kicked " + nickname + " (" + first + ")."};
  }
  if (command == "ban") {
    if (first.empty()) return {"Usage: ban <user id> [reason]"};
    const int slot = UserSlot(first, &error);
    if (slot == 0) return {error};
    const std::string address = room_.Record(slot)->address;
    if (!actions_.Ban(slot, remainder)) {
      return {bans_.full() ? "The banned list is full."
                           : "This IP address is already in the banned list."};
    }
    return {"Banned " + address + "."};
  }
  if (command == "msg") {
    if (first.empty() || remainder.empty()) return {"Usage: msg <user id> <text>"};
    const int slot = UserSlot(first, &error);
    if (slot == 0) return {error};
    if (!actions_.MessageUser(slot, remainder)) return {"Usage: msg <user id> <text>"};
    return {"Sent."};
  }
  if (command == "msgall") {
    if (!actions_.MessageAll(rest)) return {"Usage: msgall <text>"};
    return {"Sent to everyone in the room."};
  }
  if (command == "listen") {
    static const std::pair<const char*, int> kStates[] = {{"accept", RoomServer::kListenAccept},
                                                          {"deny", RoomServer::kListenDeny},
                                                          {"offline", RoomServer::kListenOffline}};
    for (const auto& [name, state] : kStates) {
      if (rest == name) {
        actions_.SetListenState(state);
        if (state == RoomServer::kListenDeny) {
          return {"Deny mode: newcomers are told \"" + room_.deny_message() +
                  "\" and disconnected."};
        }
        return {std::string("Listen state: ") + name + "."};
      }
    }
    return {"Usage: listen accept|deny|offline"};
  }
  if (command == "deny") {
    if (rest.find_first_not_of(' ') == std::string::npos) return {"Usage: deny <message>"};
    room_.SetDenyMessage(OperatorText(rest, 2048));
    return {"Deny message set."};
  }
  if (command == "users") {
    std::vector<std::string> lines;
    // The id first: it is what kick, ban and msg take.
    room_.ForEachConnection([&lines](ConnectionRecord& r) {
      lines.push_back(protocol::NumberText(r.Id) + " " + r.address + " " + r.row_name + " (" +
                      StateName(r.State) + (r.IsAdmin ? ", admin" : "") + ")");
    });
    if (lines.empty()) lines.push_back("Nobody is connected.");
    return lines;
  }
  if (command == "bans") {
    std::vector<std::string> lines;
    for (size_t i = 0; i < bans_.entries().size(); ++i) {
      const BanEntry& e = bans_.entries()[i];
      lines.push_back(std::to_string(i + 1) + ". " + e.IP() + " - " + e.Reason() + " (" +
                      e.Attempts() + " attempts)");
    }
    if (lines.empty()) lines.push_back("The ban list is empty.");
    return lines;
  }
  if (command == "unban") {
    if (!IsWholeNumber(rest) || protocol::LeadingNumber(rest) < 1 ||
        protocol::LeadingNumber(rest) > static_cast<double>(bans_.entries().size())) {
      return {"Usage: unban <n>, n from the list of bans"};
    }
    const size_t index = static_cast<size_t>(protocol::LeadingNumber(rest)) - 1;
    const std::string pattern = bans_.entries()[index].IP();
    bans_.Remove(index);
    return {"Removed " + pattern + " from the ban list."};
  }
  if (command == "stats") {
    std::vector<std::string> lines;
    const WordListTotals totals = CountWordLists(word_lists_);
    for (const auto& [name, value] :
         StatisticsRows(room_.statistics(), bans_.entries().size(), totals.lists, totals.words)) {
      lines.push_back(name + ": " + protocol::GroupedNumber(value));
    }
    return lines;
  }
  if (registration_ && (command == "submit" || command == "remove" || command == "update")) {
    if (!rest.empty()) return {"Usage: " + command};
    if (command == "submit") registration_->Submit();
    if (command == "remove") registration_->Remove();
    if (command == "update") registration_->CheckForUpdate();
    return {"Asked; the answer follows in the status lines."};
  }
  if (command == "help") return std::vector<std::string>(std::begin(kHelp), std::end(kHelp));
  return {"Unknown command \"" + command + "\"; type help for the list."};
}

}  // namespace server
