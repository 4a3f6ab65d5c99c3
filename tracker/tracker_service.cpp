// SPDX-License-Identifier: MIT
#include "tracker/tracker_service.h"

#include <algorithm>
#include <random>

#include "directory/languages.h"
#include "directory/records.h"
#include "directory/room_address.h"
#include "directory/tracker.h"
#include "directory/tracker_words.h"
#include "protocol/framing.h"
#include "protocol/text.h"

namespace tracker {

namespace action = directory::action;
namespace key = directory::key;
namespace status = directory::status;

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
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

namespace {

const std::string& Value(const std::map<std::string, std::string>& fields, std::string_view key) {
  static const std::string kEmpty;
  const auto it = fields.find(std::string(key));
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

std::string Reply(std::string_view status, std::string_view extra, std::string_view secret) {
  std::string record =
      directory::MakeRecord({{key::STATUS, status}, {key::EXTRA, CleanField(extra)}});
  if (!secret.empty()) record += "|" + directory::MakeRecord({{key::SECRET, CleanField(secret)}});
  return record + "\r\n";
}

namespace {

// 128 bits from the system's source (getrandom on Linux), as hex.
std::string NewSecret() {
  static std::random_device source;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string secret;
  for (int word = 0; word < 4; ++word) {
    uint32_t bits = source();
    for (int digit = 0; digit < 8; ++digit, bits >>= 4) secret.push_back(kHex[bits & 0xF]);
  }
  return secret;
}

}  // namespace

TrackerService::TrackerService(RoomStore& store, std::function<int64_t()> now_ms, Options options)
    : store_(store), now_ms_(std::move(now_ms)), options_(options) {}

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
    const std::string key = PercentDecode(std::string_view(pair).substr(0, equals));
    const std::string value = equals == std::string::npos
                                  ? std::string()
                                  : PercentDecode(std::string_view(pair).substr(equals + 1));
    if (!fields->emplace(key, value).second) {
      *error = CleanField(key) + " was given more than once.";
      return false;
    }
  }
  return true;
}

namespace {

constexpr char kNotYoursText[] =
    "This room is registered from another address; only its own server may change it.";

constexpr std::array<std::string_view, kRequestAnswers> kStatusWords = {
    status::SUBMITOK, status::UPDATEOK, status::REMOVEOK, status::NOTFOUND,
    status::FAIL,     status::ERROR,    "ROOMS"};

}  // namespace

std::string_view ActionName(RequestAction action) {
  constexpr std::array<std::string_view, kRequestActions> kNames = {"add", "remove", "view",
                                                                    "other"};
  return kNames[static_cast<size_t>(action)];
}

std::string_view AnswerName(RequestAnswer answer) {
  constexpr std::array<std::string_view, kRequestAnswers> kNames = {
      "submitok", "updateok", "removeok", "notfound", "fail", "error", "rooms"};
  return kNames[static_cast<size_t>(answer)];
}

std::string_view RefusalName(Refusal refusal) {
  constexpr std::array<std::string_view, kRefusals> kNames = {
      "rate_limit",  "too_many_rooms", "list_full",    "bad_field",
      "bad_request", "not_yours",      "address_full", "host_full"};
  return kNames[static_cast<size_t>(refusal)];
}

std::string TrackerService::Handle(std::string_view raw_query, const std::string& source) {
  RequestAction asked = RequestAction::kOther;
  std::string body = Dispatch(raw_query, source, &asked);
  ++counters_.requests[static_cast<size_t>(asked)][static_cast<size_t>(answer_)];
  return body;
}

std::string TrackerService::Answer(RequestAnswer answer, std::string_view extra,
                                   std::string_view secret) {
  answer_ = answer;
  return Reply(kStatusWords[static_cast<size_t>(answer)], extra, secret);
}

std::string TrackerService::Refuse(Refusal refusal, RequestAnswer answer, std::string_view extra) {
  ++counters_.refusals[static_cast<size_t>(refusal)];
  return Answer(answer, extra);
}

std::string TrackerService::Dispatch(std::string_view raw_query, const std::string& source,
                                     RequestAction* action) {
  constexpr RequestAnswer kError = RequestAnswer::kError;
  if (raw_query.size() > kMaxQuery) {
    return Refuse(Refusal::kBadRequest, kError, "The request is too long.");
  }
  std::map<std::string, std::string> fields;
  std::string error;
  if (!ParseQuery(raw_query, &fields, &error)) return Refuse(Refusal::kBadRequest, kError, error);
  const std::string& asked = Value(fields, key::ACTION);
  if (asked.empty()) return Refuse(Refusal::kBadRequest, kError, "No ACTION was given.");
  if (asked == action::ADD) {
    *action = RequestAction::kAdd;
    return Add(fields, source);
  }
  if (asked == action::REMOVE) {
    *action = RequestAction::kRemove;
    return Remove(fields, source);
  }
  if (asked == action::VIEW) {
    *action = RequestAction::kView;
    return View(fields);
  }
  return Refuse(Refusal::kBadRequest, kError, "Unknown ACTION " + asked + ".");
}

std::string TrackerService::Add(const std::map<std::string, std::string>& fields,
                                const std::string& source) {
  struct Limit {
    std::string_view key;
    size_t length;
  };
  for (const Limit& limit :
       {Limit{key::KEY, directory::kMaxRegistrationKey},
        Limit{key::SERVERNAME, directory::kMaxRoomName},
        Limit{key::DESC, directory::kMaxDescription}, Limit{key::IP, directory::kMaxAddress},
        Limit{key::SERVERVERSION, directory::kMaxVersionText},
        Limit{key::ADMINNAME, directory::kMaxAdminName},
        Limit{key::ADMINEMAIL, directory::kMaxAdminEmail}, Limit{key::PORT, 5},
        Limit{key::SECRET, directory::kMaxSecret},
        Limit{key::OLDKEY, directory::kMaxRegistrationKey}}) {
    if (Value(fields, limit.key).size() > limit.length) {
      return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                    std::string(limit.key) + " is longer than " + std::to_string(limit.length) +
                        " characters.");
    }
  }
  Room room;
  room.key = CleanField(Value(fields, key::KEY));
  if (room.key.empty())
    return Refuse(Refusal::kBadField, RequestAnswer::kFail, "No KEY was given.");
  const std::string& port = Value(fields, key::PORT);
  const int64_t port_number = Count(port);
  if (port_number < 1 || port_number > 65535) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                  "PORT must be a port number from 1 to 65535.");
  }
  room.port = static_cast<int>(port_number);
  room.name = CleanField(Value(fields, key::SERVERNAME));
  if (room.name.find_first_not_of(' ') == std::string::npos) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                  "Your room needs a name before it can be listed.");
  }
  room.description = CleanField(Value(fields, key::DESC));
  room.address = CleanField(Value(fields, key::IP));
  // Unless the operator allows more, a room lists where its request came from, so that nobody
  // aims the list (and the probes) at a third party's host.
  if (!options_.any_address || room.address.find_first_not_of(' ') == std::string::npos) {
    room.address = source;
  }
  room.version = CleanField(Value(fields, key::SERVERVERSION));
  room.admin_name = CleanField(Value(fields, key::ADMINNAME));
  room.admin_email = CleanField(Value(fields, key::ADMINEMAIL));
  // The servers send their "Private Server" setting in this field: "True" means private.
  room.is_private = Value(fields, key::ISPUBLIC) == directory::kTrue;
  const std::string& players = Value(fields, key::PLAYERS);
  if (!players.empty()) {
    if (players.size() > std::to_string(kMaxPlayers).size() ||
        players.find_first_not_of("0123456789") != std::string::npos) {
      return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                    "PLAYERS must be a number from 0 to " + std::to_string(kMaxPlayers) + ".");
    }
    room.players = std::stoi(players);
  }
  room.locked = Value(fields, key::LOCKED) == directory::kTrue;
  room.total_connections = Count(Value(fields, key::TOTALCONNECTIONS));
  room.total_games = Count(Value(fields, key::TOTALGAMES));
  room.total_rounds = Count(Value(fields, key::TOTALROUNDS));
  room.total_words = Count(Value(fields, key::TOTALWORDS));
  room.total_wordlists = Count(Value(fields, key::TOTALWORDLISTS));
  room.source = source;
  // A page that is no sane address is left out; the room is listed all the same.
  room.web = directory::SaneWebAddress(Value(fields, key::WEB), source);
  // A host's fields decide its limits and where newcomers are sent, so nonsense is refused.
  room.code = Value(fields, key::CODE);
  if (room.code.size() > directory::kMaxRoomCode ||
      room.code.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                  "CODE must be 1 to " + std::to_string(directory::kMaxRoomCode) +
                      " lower-case letters and digits.");
  }
  room.host = protocol::LowerCase(Value(fields, key::HOST));
  if (!room.host.empty() &&
      (room.host.size() != kHostKeyLength ||
       room.host.find_first_not_of("0123456789abcdef") != std::string::npos)) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                  "HOST must be " + std::to_string(kHostKeyLength) + " hexadecimal digits.");
  }
  const std::string& free_text = Value(fields, key::FREE);
  if (!free_text.empty()) {
    if (free_text.size() > std::to_string(kMaxFree).size() ||
        free_text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(free_text) > kMaxFree) {
      return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                    "FREE must be a number from 0 to " + std::to_string(kMaxFree) + ".");
    }
    // Rooms to make belong to a host; without one the count means nothing.
    if (!room.host.empty()) room.free = std::stoi(free_text);
  }
  // The page's filter and the browsers' column group rooms by it, so nonsense is refused.
  room.language = Value(fields, key::LANG);
  if (!room.language.empty() && !directory::IsLanguageCode(room.language)) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail,
                  "LANG must be a language code of two lower-case letters, such as en.");
  }
  RoomStore::AddRequest request;
  request.secret = Value(fields, key::SECRET);
  request.old_key = CleanField(Value(fields, key::OLDKEY));
  request.new_secret = NewSecret();
  request.max_per_address = options_.rooms_per_address;
  request.max_per_host = options_.rooms_per_host;
  const RoomStore::AddOutcome outcome = store_.Add(room, request, now_ms_());
  const auto logged = [&](const char* what, RequestAnswer answer) {
    if (log_) {
      log_(std::string(what) + " " + room.key + " (" + room.name + ") at " + room.address + ":" +
           std::to_string(room.port) + (room.code.empty() ? "" : "/" + room.code) +
           (room.is_private ? ", private" : "") + ".");
    }
    return Answer(answer, {}, outcome.secret);
  };
  constexpr RequestAnswer kFail = RequestAnswer::kFail;
  switch (outcome.result) {
    case RoomStore::AddResult::kAdded:
      return logged("Added", RequestAnswer::kSubmitOk);
    case RoomStore::AddResult::kUpdated:
      return logged("Updated", RequestAnswer::kUpdateOk);
    case RoomStore::AddResult::kNotYours:
      return Refuse(Refusal::kNotYours, kFail, kNotYoursText);
    case RoomStore::AddResult::kAddressFull:
      return Refuse(Refusal::kAddressFull, kFail,
                    "As many rooms as may are listed at " + room.address + ".");
    case RoomStore::AddResult::kTooFrequent:
      return Refuse(Refusal::kRateLimit, kFail,
                    "Too many submissions from your address; try again in a minute.");
    case RoomStore::AddResult::kFull:
      return Refuse(Refusal::kListFull, kFail, "The list of rooms is full; try again later.");
    case RoomStore::AddResult::kSourceFull:
      return Refuse(Refusal::kTooManyRooms, kFail,
                    "Your address has registered as many rooms as it may.");
    case RoomStore::AddResult::kOtherHost:
      return Refuse(Refusal::kTooManyRooms, kFail,
                    "Your address already lists the rooms of " +
                        std::to_string(RoomStore::kMaxHostsPerSource) +
                        " other hosts, as many as the directory lists from one address.");
    case RoomStore::AddResult::kHostFull:
      return Refuse(Refusal::kHostFull, kFail,
                    "This host has as many rooms listed as the directory allows (" +
                        std::to_string(options_.rooms_per_host) +
                        "); its other rooms stay unlisted until some close.");
    case RoomStore::AddResult::kFailed:
      break;
  }
  return Answer(kFail, "The room could not be stored; try again later.");
}

std::string TrackerService::Remove(const std::map<std::string, std::string>& fields,
                                   const std::string& source) {
  const std::string room_key = CleanField(Value(fields, key::KEY));
  if (room_key.empty()) {
    return Refuse(Refusal::kBadField, RequestAnswer::kFail, "No KEY was given.");
  }
  const std::string& secret = Value(fields, key::SECRET);
  RoomStore::RemoveResult result = store_.Remove(room_key, secret, source);
  // A room that was never listed under its new key may still be under its old one.
  const std::string old_key = CleanField(Value(fields, key::OLDKEY));
  std::string removed = room_key;
  if (result == RoomStore::RemoveResult::kNotFound && !old_key.empty() &&
      old_key.size() <= directory::kMaxRegistrationKey) {
    result = store_.Remove(old_key, secret, source);
    removed = old_key;
  }
  switch (result) {
    case RoomStore::RemoveResult::kRemoved:
      if (log_) log_("Removed " + removed + ".");
      return Answer(RequestAnswer::kRemoveOk);
    case RoomStore::RemoveResult::kNotFound:
      return Answer(RequestAnswer::kNotFound);
    case RoomStore::RemoveResult::kNotYours:
      return Refuse(Refusal::kNotYours, RequestAnswer::kFail, kNotYoursText);
    case RoomStore::RemoveResult::kFailed:
      break;
  }
  return Answer(RequestAnswer::kFail, "The room could not be removed; try again later.");
}

std::string TrackerService::RoomRecord(const Room& r) {
  std::string record =
      directory::MakeRecord({{key::SERVERNAME, r.name},
                             {key::SERVERDESC, r.description},
                             {key::SERVERIP, r.address},
                             {key::PORT, std::to_string(r.port)},
                             {key::SERVERVERSION, r.version},
                             {key::ADMINNAME, r.admin_name},
                             {key::TOTALWORDLISTS, std::to_string(r.total_wordlists)},
                             {key::TOTALWORDS, std::to_string(r.total_words)},
                             {key::TOTALCONNECTIONS, std::to_string(r.total_connections)},
                             {key::TOTALGAMES, std::to_string(r.total_games)},
                             {key::TOTALROUNDS, std::to_string(r.total_rounds)}});
  // Trailing fields, so that a browser that reads fields by position still finds the others.
  if (r.players != kUnknownPlayers) {
    record += "|" + directory::MakeRecord({{key::PLAYERS, std::to_string(r.players)}});
  }
  if (r.locked) record += "|" + directory::MakeRecord({{key::LOCKED, directory::kTrue}});
  if (!r.web.empty()) record += "|" + directory::MakeRecord({{key::WEB, r.web}});
  if (!r.code.empty()) record += "|" + directory::MakeRecord({{key::CODE, r.code}});
  if (!r.language.empty()) record += "|" + directory::MakeRecord({{key::LANG, r.language}});
  return record;
}

std::string TrackerService::View(const std::map<std::string, std::string>& fields) {
  size_t wanted = kMaxView;
  const std::string& max = Value(fields, key::MAX);
  if (!max.empty()) {
    const int64_t asked = Count(max);
    if (asked < 1) {
      return Refuse(Refusal::kBadRequest, RequestAnswer::kError,
                    "MAX must be a number of rooms from 1.");
    }
    wanted = static_cast<size_t>(std::min<int64_t>(asked, kMaxView));
  }
  const ViewAnswer& answer = view_.Get(store_, [this] {
    ViewAnswer built;
    for (const Room& room : store_.Listed(kMaxView)) {
      built.body += RoomRecord(room) + "\r\n";
      built.line_ends.push_back(built.body.size());
    }
    return built;
  });
  answer_ = RequestAnswer::kRooms;
  if (wanted >= answer.line_ends.size()) return answer.body;
  return answer.body.substr(0, answer.line_ends[wanted - 1]);
}

}  // namespace tracker
