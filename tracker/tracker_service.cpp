// SPDX-License-Identifier: MIT
#include "tracker/tracker_service.h"

#include "directory/tracker.h"
#include "protocol/framing.h"

namespace tracker {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

const std::string& Value(const std::map<std::string, std::string>& fields, const char* key) {
  static const std::string kEmpty;
  const auto it = fields.find(key);
  return it == fields.end() ? kEmpty : it->second;
}

// A count as a number: digits only, at most 12 of them; anything else counts as 0.
int64_t Count(const std::string& text) {
  if (text.empty() || text.size() > 12 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return std::stoll(text);
}

}  // namespace

std::string Reply(std::string_view status, std::string_view extra) {
  return "STATUS=" + std::string(status) + "|EXTRA=" + CleanField(extra) + "\r\n";
}

std::string CleanField(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '|') {
      out.push_back('\xA6');
    } else if (byte >= 32 && byte != 127) {
      out.push_back(c);
    }
  }
  return out;
}

bool ParseQuery(std::string_view raw, std::map<std::string, std::string>* fields,
                std::string* error) {
  for (const std::string& pair : protocol::SplitFields(raw, '&')) {
    if (pair.empty()) continue;
    const size_t equals = pair.find('=');
    const std::string key = Decode(std::string_view(pair).substr(0, equals));
    const std::string value = equals == std::string::npos
                                  ? std::string()
                                  : Decode(std::string_view(pair).substr(equals + 1));
    if (!fields->emplace(key, value).second) {
      *error = CleanField(key) + " was given more than once.";
      return false;
    }
  }
  return true;
}

bool TrackerService::WithinRate(const std::string& source) {
  const int64_t now = now_ms_();
  // Addresses that have been quiet for a minute are forgotten, so the table stays small.
  for (auto it = adds_.begin(); it != adds_.end();) {
    while (!it->second.empty() && now - it->second.front() >= 60000) it->second.pop_front();
    it = it->second.empty() ? adds_.erase(it) : std::next(it);
  }
  std::deque<int64_t>& times = adds_[source];
  if (times.size() >= kMaxAddsPerMinute) return false;
  times.push_back(now);
  return true;
}

std::string TrackerService::Handle(std::string_view raw_query, const std::string& source) {
  if (raw_query.size() > kMaxQuery) return Reply("ERROR", "The request is too long.");
  std::map<std::string, std::string> fields;
  std::string error;
  if (!ParseQuery(raw_query, &fields, &error)) return Reply("ERROR", error);
  const std::string& action = Value(fields, "ACTION");
  if (action.empty()) return Reply("ERROR", "No ACTION was given.");
  if (action == "ADD") return Add(fields, source);
  if (action == "REMOVE") return Remove(fields);
  if (action == "VIEW") return View();
  return Reply("ERROR", "Unknown ACTION " + action + ".");
}

std::string TrackerService::Add(const std::map<std::string, std::string>& fields,
                                const std::string& source) {
  if (!WithinRate(source)) {
    return Reply("FAIL", "Too many submissions from your address; try again in a minute.");
  }
  struct Limit {
    const char* key;
    size_t length;
  };
  for (const Limit& limit :
       {Limit{"KEY", directory::kMaxRegistrationKey}, Limit{"SERVERNAME", directory::kMaxRoomName},
        Limit{"DESC", directory::kMaxDescription}, Limit{"IP", directory::kMaxAddress},
        Limit{"SERVERVERSION", directory::kMaxVersionText},
        Limit{"ADMINNAME", directory::kMaxAdminName},
        Limit{"ADMINEMAIL", directory::kMaxAdminEmail}, Limit{"PORT", 5}}) {
    if (Value(fields, limit.key).size() > limit.length) {
      return Reply("FAIL", std::string(limit.key) + " is longer than " +
                               std::to_string(limit.length) + " characters.");
    }
  }
  Room room;
  room.key = CleanField(Value(fields, "KEY"));
  if (room.key.empty()) return Reply("FAIL", "No KEY was given.");
  const std::string& port = Value(fields, "PORT");
  const int64_t port_number = Count(port);
  if (port_number < 1 || port_number > 65535) {
    return Reply("FAIL", "PORT must be a port number from 1 to 65535.");
  }
  room.port = static_cast<int>(port_number);
  room.name = CleanField(Value(fields, "SERVERNAME"));
  if (room.name.find_first_not_of(' ') == std::string::npos) {
    return Reply("FAIL", "Your room needs a name before it can be listed.");
  }
  room.description = CleanField(Value(fields, "DESC"));
  room.address = CleanField(Value(fields, "IP"));
  if (room.address.find_first_not_of(' ') == std::string::npos) room.address = source;
  room.version = CleanField(Value(fields, "SERVERVERSION"));
  room.admin_name = CleanField(Value(fields, "ADMINNAME"));
  room.admin_email = CleanField(Value(fields, "ADMINEMAIL"));
  // The servers send their "Private Server" setting in this field: "True" means private.
  room.is_private = Value(fields, "ISPUBLIC") == "True";
  room.total_connections = Count(Value(fields, "TOTALCONNECTIONS"));
  room.total_games = Count(Value(fields, "TOTALGAMES"));
  room.total_rounds = Count(Value(fields, "TOTALROUNDS"));
  room.total_words = Count(Value(fields, "TOTALWORDS"));
  room.total_wordlists = Count(Value(fields, "TOTALWORDLISTS"));
  room.source = source;
  const auto logged = [&](const char* what, const char* status) {
    if (log_) {
      log_(std::string(what) + " " + room.key + " (" + room.name + ") at " + room.address + ":" +
           std::to_string(room.port) + (room.is_private ? ", private" : "") + ".");
    }
    return Reply(status);
  };
  switch (registry_.Add(room)) {
    case Registry::AddResult::kAdded:
      return logged("Added", "SUBMITOK");
    case Registry::AddResult::kUpdated:
      return logged("Updated", "UPDATEOK");
    case Registry::AddResult::kFull:
      return Reply("FAIL", "The list of rooms is full; try again later.");
    case Registry::AddResult::kSourceFull:
      return Reply("FAIL", "Your address has registered as many rooms as it may.");
    case Registry::AddResult::kFailed:
      break;
  }
  return Reply("FAIL", "The room could not be stored; try again later.");
}

std::string TrackerService::Remove(const std::map<std::string, std::string>& fields) {
  const std::string key = CleanField(Value(fields, "KEY"));
  if (key.empty()) return Reply("FAIL", "No KEY was given.");
  if (!registry_.Remove(key)) return Reply("NOTFOUND");
  if (log_) log_("Removed " + key + ".");
  return Reply("REMOVEOK");
}

std::string TrackerService::RoomRecord(const Room& r) {
  return "SERVERNAME=" + r.name + "|SERVERDESC=" + r.description + "|SERVERIP=" + r.address +
         "|PORT=" + std::to_string(r.port) + "|SERVERVERSION=" + r.version +
         "|ADMINNAME=" + r.admin_name + "|TOTALWORDLISTS=" + std::to_string(r.total_wordlists) +
         "|TOTALWORDS=" + std::to_string(r.total_words) +
         "|TOTALCONNECTIONS=" + std::to_string(r.total_connections) +
         "|TOTALGAMES=" + std::to_string(r.total_games) +
         "|TOTALROUNDS=" + std::to_string(r.total_rounds);
}

const std::string& TrackerService::View() {
  return view_.Get(registry_, [](const std::vector<Room>& rooms) {
    std::string body;
    for (const Room& room : rooms) body += RoomRecord(room) + "\r\n";
    return body;
  });
}

}  // namespace tracker
