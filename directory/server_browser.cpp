// SPDX-License-Identifier: MIT
#include "directory/server_browser.h"

#include "directory/records.h"
#include "directory/tracker_words.h"
#include "protocol/numbers.h"

namespace directory {

namespace {

std::vector<BrowserRow> Rows(const std::vector<ServerEntry>& entries) {
  std::vector<BrowserRow> rows;
  for (const ServerEntry& e : entries) rows.push_back(BrowserRow{e.name, e.description, e.address});
  return rows;
}

}  // namespace

ServerBrowser::Opening ServerBrowser::Open() const {
  Opening opening;
  if (store_.HistoryCount() != 0) {
    opening.section = Section::kRecent;
    opening.rows = Load(Section::kRecent);
    if (!opening.rows.empty()) {
      const BrowserRow& newest = opening.rows.back();
      opening.boxes = ServerEntry{newest.tag, newest.name, newest.description};
    }
  }
  return opening;
}

std::vector<BrowserRow> ServerBrowser::Load(Section section) const {
  switch (section) {
    case Section::kRecent:
      return Rows(store_.History());
    case Section::kFavourites:
      return Rows(store_.Favourites());
    case Section::kPublic:
      break;
  }
  return {};
}

std::string ServerBrowser::ViewQuery() {
  return MakeQuery({{key::ACTION, action::VIEW}, {key::MAX, std::to_string(kViewMax)}});
}

std::vector<BrowserRow> ServerBrowser::PublicRows(std::string_view body) {
  if (body.size() < 10) return {BrowserRow{kNoServers, "Please try again later..", ""}};
  std::vector<BrowserRow> rows;
  size_t start = 0;
  while (start <= body.size()) {
    size_t end = body.find("\r\n", start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view line = body.substr(start, end - start);
    if (line.size() > 10) {
      rows.push_back(BrowserRow{GetValue(line, key::SERVERNAME), GetValue(line, key::SERVERDESC),
                                std::string(line)});
    }
    start = end + 2;
  }
  return rows;
}

bool ServerBrowser::IsPlaceholder(const std::vector<BrowserRow>& rows) {
  return rows.empty() || rows.front().name == kNoServers || rows.front().name == kWaiting;
}

std::string ServerBrowser::AddressOf(const BrowserRow& row) {
  const std::string ip = GetValue(row.tag, key::SERVERIP);
  return ip.empty() ? row.tag : ip;
}

int ServerBrowser::PortFor(const BrowserRow* selected_row) {
  if (!selected_row) return kDefaultGamePort;
  const double port = protocol::LeadingNumber(GetValue(selected_row->tag, key::PORT));
  return port > 0 && port <= 65535 ? static_cast<int>(port) : kDefaultGamePort;
}

std::optional<ServerBrowser::Target> ServerBrowser::Connect(const ServerEntry& boxes,
                                                            const BrowserRow* selected_row) {
  if (boxes.address.empty()) return std::nullopt;
  store_.AddToHistory(boxes);
  return Target{boxes.address, PortFor(selected_row)};
}

ServerBrowser::FavouriteResult ServerBrowser::AddFavourite(const ServerEntry& entry,
                                                           bool check_boxes) {
  if (check_boxes) {
    if (entry.address.empty()) return FavouriteResult::kMissingAddress;
    if (entry.name.empty()) return FavouriteResult::kMissingName;
    if (entry.description.empty()) return FavouriteResult::kMissingDescription;
  }
  return store_.AddToFavourites(entry) ? FavouriteResult::kAdded : FavouriteResult::kAlreadyExists;
}

void ServerBrowser::Remove(Section section, std::vector<BrowserRow> rows, size_t index) {
  if (index < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  std::vector<ServerEntry> entries;
  for (const BrowserRow& row : rows)
    entries.push_back(ServerEntry{row.tag, row.name, row.description});
  if (section == Section::kRecent) store_.WriteHistory(entries);
  if (section == Section::kFavourites) store_.WriteFavourites(entries);
}

bool IsAliveAnswer(std::string_view reply) {
  return reply.size() > 6 && reply.find("YES") != std::string_view::npos;
}

}  // namespace directory
