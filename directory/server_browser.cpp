// SPDX-License-Identifier: MIT
#include "directory/server_browser.h"

#include <algorithm>

#include "directory/languages.h"
#include "directory/records.h"
#include "directory/tracker_words.h"
#include "protocol/numbers.h"
#include "protocol/text.h"

namespace directory {

namespace {

std::vector<BrowserRow> Rows(const std::vector<ServerEntry>& entries) {
  std::vector<BrowserRow> rows;
  for (const ServerEntry& e : entries) {
    rows.push_back(BrowserRow{.name = e.name, .description = e.description, .tag = e.address});
  }
  return rows;
}

BrowserRow Placeholder(std::string name, std::string description) {
  return BrowserRow{
      .name = std::move(name), .description = std::move(description), .placeholder = true};
}

// The entry as it is stored: its address in the one text form of the room it names.
std::optional<ServerEntry> Normalised(ServerEntry entry, std::string* why) {
  const auto address = ParseRoomAddress(entry.address, why);
  if (!address) return std::nullopt;
  entry.address = AddressText(*address);
  return entry;
}

}  // namespace

ServerBrowser::Opening ServerBrowser::Open() const {
  Opening opening;
  if (store_.HistoryCount() != 0) {
    opening.section = Section::kRecent;
    opening.rows = Load(Section::kRecent);
    if (!IsPlaceholder(opening.rows)) opening.highlighted = opening.rows.size() - 1;
  }
  return opening;
}

std::vector<BrowserRow> ServerBrowser::Load(Section section) const {
  switch (section) {
    case Section::kRecent: {
      auto rows = Rows(store_.History());
      if (rows.empty()) {
        rows.push_back(Placeholder("No rooms yet.", "Every room you connect to is listed here."));
      }
      return rows;
    }
    case Section::kFavourites: {
      auto rows = Rows(store_.Favourites());
      if (rows.empty()) {
        rows.push_back(Placeholder("No favourites yet.",
                                   "Fill in a room below and press \"Add server to favourites\"."));
      }
      return rows;
    }
    case Section::kPublic:
      break;
  }
  return {};
}

std::string ServerBrowser::ViewQuery() {
  return MakeQuery({{key::ACTION, action::VIEW}, {key::MAX, std::to_string(kViewMax)}});
}

std::vector<BrowserRow> ServerBrowser::PublicRows(std::string_view body) {
  if (body.size() < 10) return {Placeholder(kNoServers, "Please try again later..")};
  std::vector<BrowserRow> rows;
  size_t start = 0;
  while (start <= body.size()) {
    size_t end = body.find("\r\n", start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view line = body.substr(start, end - start);
    if (line.size() > 10) {
      BrowserRow row{.name = GetValue(line, key::SERVERNAME),
                     .description = GetValue(line, key::SERVERDESC),
                     .tag = std::string(line)};
      // A count the directory garbled shows as no count.
      row.players = protocol::Digits(GetValue(line, key::PLAYERS), 6);
      row.locked = GetValue(line, key::LOCKED) == kTrue;
      // Only what is safe to show and open: the tracker has filled in any empty host.
      row.web_address = SaneWebAddress(GetValue(line, key::WEB));
      // Only a code is shown or filtered by; anything else is a room that did not say.
      row.language = GetValue(line, key::LANG);
      if (!IsLanguageCode(row.language)) row.language.clear();
      rows.push_back(std::move(row));
    }
    start = end + 2;
  }
  if (rows.empty()) return {Placeholder(kNoServers, "Please try again later..")};
  return rows;
}

std::vector<std::string> ServerBrowser::Languages(const std::vector<BrowserRow>& rows) {
  std::vector<std::string> languages;
  for (const BrowserRow& row : rows) {
    if (!row.placeholder && !row.language.empty()) languages.push_back(row.language);
  }
  std::sort(languages.begin(), languages.end());
  languages.erase(std::unique(languages.begin(), languages.end()), languages.end());
  return languages;
}

std::vector<BrowserRow> ServerBrowser::InLanguage(const std::vector<BrowserRow>& rows,
                                                  const std::string& language) {
  if (language.empty() || IsPlaceholder(rows)) return rows;
  std::vector<BrowserRow> kept;
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
               [&](const BrowserRow& row) { return row.language == language; });
  if (kept.empty()) {
    kept.push_back(
        Placeholder("No rooms in " + protocol::Cp1252FromUtf8(LanguageName(language)) + ".",
                    "Choose \"Any language\" to see every room."));
  }
  return kept;
}

BrowserRow ServerBrowser::UnreachableRow(const std::string& reason) {
  // One line across the list: the reason is what matters, so no column may cut it off.
  return Placeholder(kUnreachable + reason + ". Press Refresh to ask again.", "");
}

bool ServerBrowser::IsPlaceholder(const std::vector<BrowserRow>& rows) {
  return rows.empty() || rows.front().placeholder;
}

std::optional<RoomAddress> ServerBrowser::RoomOf(const BrowserRow& row) {
  if (row.placeholder) return std::nullopt;
  const std::string ip = GetValue(row.tag, key::SERVERIP);
  if (ip.empty()) return ParseRoomAddress(row.tag);
  // A public record: its own port when it names a usable one.
  const double port = protocol::LeadingNumber(GetValue(row.tag, key::PORT));
  // A made room's code: without it the player would land in the host's default room instead.
  const std::string code = GetValue(row.tag, key::CODE);
  if (code.size() > kMaxRoomCode ||
      code.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") !=
          std::string::npos) {
    return std::nullopt;
  }
  return RoomAddress{ip, port >= 1 && port <= 65535 ? static_cast<int>(port) : kDefaultGamePort,
                     protocol::LowerCase(code)};
}

std::string ServerBrowser::AddressBoxText(const BrowserRow& row) {
  const auto room = RoomOf(row);
  return room ? AddressText(*room) : row.tag;
}

int ServerBrowser::PortFor(const BrowserRow* row) {
  const auto room = row ? RoomOf(*row) : std::nullopt;
  return room ? room->port : kDefaultGamePort;
}

std::optional<RoomAddress> ServerBrowser::Connect(const ServerEntry& boxes, std::string* why) {
  const auto address = ParseRoomAddress(boxes.address, why);
  if (!address) return std::nullopt;
  store_.AddToHistory(ServerEntry{AddressText(*address), boxes.name, boxes.description});
  return address;
}

ServerBrowser::FavouriteResult ServerBrowser::AddFavourite(const ServerEntry& entry,
                                                           bool check_boxes, std::string* why) {
  if (check_boxes) {
    if (entry.address.empty()) return FavouriteResult::kMissingAddress;
    if (entry.name.empty()) return FavouriteResult::kMissingName;
    if (entry.description.empty()) return FavouriteResult::kMissingDescription;
  }
  const auto stored = Normalised(entry, why);
  if (!stored) return FavouriteResult::kBadAddress;
  return store_.AddToFavourites(*stored) ? FavouriteResult::kAdded
                                         : FavouriteResult::kAlreadyExists;
}

void ServerBrowser::Remove(Section section, std::vector<BrowserRow> rows, size_t index) {
  if (index < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  std::vector<ServerEntry> entries;
  for (const BrowserRow& row : rows) {
    if (!row.placeholder) entries.push_back(ServerEntry{row.tag, row.name, row.description});
  }
  if (section == Section::kRecent) store_.WriteHistory(entries);
  if (section == Section::kFavourites) store_.WriteFavourites(entries);
}

bool IsAliveAnswer(std::string_view reply) {
  return reply.size() > 6 && reply.find("YES") != std::string_view::npos;
}

}  // namespace directory
