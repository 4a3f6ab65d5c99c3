// SPDX-License-Identifier: MIT
#include "server/admin/operator_console.h"

#include <algorithm>

#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/statistics.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/room_server.h"
#include "server/game/word_lists.h"

namespace server {

namespace {

using Lines = std::vector<std::string>;

struct Args {
  const std::string& rest;  // the line after the command word
  const std::string& id;    // its first word and the text after that
  const std::string& text;
  int slot;  // of the user with that id, for a command that takes one
};

// The first word, and the rest of the line after the spaces that follow it.
std::pair<std::string, std::string> Split(std::string_view text) {
  const auto trim = [](std::string_view t) {
    return t.substr(std::min(t.size(), t.find_first_not_of(' ')));
  };
  text = trim(text);
  const size_t space = std::min(text.size(), text.find(' '));
  return {std::string(text.substr(0, space)), std::string(trim(text.substr(space)))};
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.size() <= 10 &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

std::string StateName(int32_t state) {
  static const std::pair<int32_t, const char*> kNames[] = {{StateNew, "connecting"},
                                                           {StateVersionOk, "sending profile"},
                                                           {StateUserOk, "entering"},
                                                           {StateInRoom, "in room"},
                                                           {StateRefused, "refused"}};
  for (const auto& [value, name] : kNames) {
    if (value == state) return name;
  }
  return "closed";
}

}  // namespace

struct OperatorConsole::Command {
  const char* usage;  // the word, then <needed> or [optional] arguments; a <user id> is looked up
  const char* help;   // a '\n' goes on in the help column of the next line
  Lines (*run)(OperatorConsole& c, const Args& a);  // an empty answer: malformed, show the usage
  void (TrackerRegistration::*ask)() = nullptr;     // instead of run, when there is a tracker
};

const std::vector<OperatorConsole::Command>& OperatorConsole::Commands() {
  static const std::vector<Command> kCommands = {
      {"kick <user id> <reason>", "put a user out of the room, telling everyone why",
       [](OperatorConsole& c, const Args& a) -> Lines {
         const std::string nickname = c.room_.Record(a.slot)->Nickname;
         c.actions_.Kick(a.slot, a.text);
         return {"Kicked " + nickname + " (" + a.id + ")."};
       }},
      {"ban <user id> [reason]",
       "ban a user's address and put the user out of the room; the\naddress is turned away from "
       "then on",
       [](OperatorConsole& c, const Args& a) -> Lines {
         const std::string address = c.room_.Record(a.slot)->address;
         if (!c.actions_.Ban(a.slot, a.text)) {
           return {c.bans_.full() ? "The banned list is full."
                                  : "This IP address is already in the banned list."};
         }
         return {"Banned " + address + "."};
       }},
      {"msg <user id> <text>", "message one user",
       [](OperatorConsole& c, const Args& a) {
         return c.actions_.MessageUser(a.slot, a.text) ? Lines{"Sent."} : Lines{};
       }},
      {"msgall <text>", "message everyone in the room",
       [](OperatorConsole& c, const Args& a) {
         return c.actions_.MessageAll(a.rest) ? Lines{"Sent to everyone in the room."} : Lines{};
       }},
      {"listen accept|deny|offline",
       "let newcomers in, turn them away with the deny message, or close",
       [](OperatorConsole& c, const Args& a) -> Lines {
         static const std::pair<const char*, int> kStates[] = {
             {"accept", RoomServer::kListenAccept},
             {"deny", RoomServer::kListenDeny},
             {"offline", RoomServer::kListenOffline}};
         for (const auto& [name, state] : kStates) {
           if (a.rest != name) continue;
           c.actions_.SetListenState(state);
           if (state == RoomServer::kListenDeny) {
             return {"Deny mode: newcomers are told \"" + c.room_.deny_message() +
                     "\" and disconnected."};
           }
           return {std::string("Listen state: ") + name + "."};
         }
         return {};
       }},
      {"deny <message>", "set the deny message",
       [](OperatorConsole& c, const Args& a) -> Lines {
         if (a.rest.empty()) return {};
         c.room_.SetDenyMessage(OperatorText(a.rest, 2048));
         return {"Deny message set."};
       }},
      {"users", "list the connections: user id, address, name, state",
       [](OperatorConsole& c, const Args&) {
         Lines lines;
         // The id first: it is what kick, ban and msg take.
         c.room_.ForEachConnection([&lines](ConnectionRecord& r) {
           lines.push_back(protocol::NumberText(r.Id) + " " + r.address + " " + r.row_name + " (" +
                           StateName(r.State) + (r.IsAdmin ? ", admin" : "") + ")");
         });
         if (lines.empty()) lines.push_back("Nobody is connected.");
         return lines;
       }},
      {"bans", "list the ban list, numbered",
       [](OperatorConsole& c, const Args&) {
         Lines lines;
         for (size_t i = 0; i < c.bans_.entries().size(); ++i) {
           const BanEntry& e = c.bans_.entries()[i];
           lines.push_back(std::to_string(i + 1) + ". " + e.IP() + " - " + e.Reason() + " (" +
                           e.Attempts() + " attempts)");
         }
         if (lines.empty()) lines.push_back("The ban list is empty.");
         return lines;
       }},
      {"unban <n>", "remove entry n of the ban list",
       [](OperatorConsole& c, const Args& a) -> Lines {
         const double n = protocol::LeadingNumber(a.rest);
         if (!IsWholeNumber(a.rest) || n < 1 || n > static_cast<double>(c.bans_.entries().size())) {
           return {"Usage: unban <n>, n from the list of bans"};
         }
         const size_t index = static_cast<size_t>(n) - 1;
         const std::string pattern = c.bans_.entries()[index].IP();
         c.bans_.Remove(index);
         return {"Removed " + pattern + " from the ban list."};
       }},
      {"stats", "show the statistics",
       [](OperatorConsole& c, const Args&) {
         Lines lines;
         const WordListTotals totals = CountWordLists(c.word_lists_);
         for (const auto& [name, value] : StatisticsRows(
                  c.room_.statistics(), c.bans_.entries().size(), totals.lists, totals.words)) {
           lines.push_back(name + ": " + protocol::GroupedNumber(value));
         }
         return lines;
       }},
      {"submit", "list the room with the tracker (or update its entry)", nullptr,
       &TrackerRegistration::Submit},
      {"remove", "take the room off the tracker's list", nullptr, &TrackerRegistration::Remove},
      {"update", "check whether a newer version of the server exists", nullptr,
       &TrackerRegistration::CheckForUpdate},
      {"help", "this list",
       [](OperatorConsole&, const Args&) {
         Lines lines = {"Operator commands (a user id is the first column of users):"};
         for (const Command& command : Commands()) {
           std::string usage = command.usage;
           for (const std::string& help : protocol::SplitFields(command.help, '\n')) {
             usage.resize(28, ' ');
             lines.push_back("  " + usage + help);
             usage.clear();
           }
         }
         return lines;
       }},
  };
  return kCommands;
}

std::vector<std::string> OperatorConsole::Execute(std::string_view line) {
  const auto [word, rest] = Split(line);
  if (word.empty()) return {};
  for (const Command& command : Commands()) {
    const std::string_view usage = command.usage;
    if (usage.substr(0, usage.find(' ')) != word || (command.ask && !registration_)) continue;
    const std::string usage_answer = "Usage: " + std::string(usage);
    if (command.ask) {
      if (!rest.empty()) return {usage_answer};
      (registration_->*command.ask)();
      return {"Asked; the answer follows in the status lines."};
    }
    const auto [id, text] = Split(rest);
    int slot = 0;
    if (usage.find("<user id>") != std::string_view::npos) {
      if (id.empty() || (text.empty() && usage.find("> <") != std::string_view::npos)) {
        return {usage_answer};
      }
      if (!IsWholeNumber(id)) return {"\"" + id + "\" is not a user id."};
      slot = room_.SlotOfId(protocol::LeadingNumber(id));
      if (slot == 0) return {"No user has the id " + id + "."};
    }
    Lines answer = command.run(*this, {rest, id, text, slot});
    if (answer.empty()) answer.push_back(usage_answer);
    return answer;
  }
  return {"Unknown command \"" + word + "\"; type help for the list."};
}

}  // namespace server
