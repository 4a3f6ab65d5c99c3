// SPDX-License-Identifier: MIT
#include "client/settings/client_settings.h"

#include <algorithm>
#include <map>

#include "directory/tracker.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/text.h"

namespace client {

namespace {

constexpr char kInterface[] = "Interface";
constexpr char kSounds[] = "Sounds";
constexpr char kPlayer[] = "Player Information";
constexpr char kMetrics[] = "Window Metrics";
constexpr char kHistory[] = "Server History";
constexpr char kFavourites[] = "Server Favourites";

// Sound events and their keys; event 4 has none.
constexpr std::array<const char*, 7> kSoundKeys = {
    nullptr, "Event - Join", "Event - New Message", "Event - Word Found", nullptr,
    "Event - Key Click", "Event - Mouse Click"};

std::string BoolText(bool value) { return value ? "1" : "0"; }

std::string Stored(const ServerEntry& e) {
  return e.address + kEntrySep + e.name + kEntrySep + e.description;
}

}  // namespace

int ClientOptions::ChatFontPoints() const {
  const int32_t points = protocol::LeadingInt32(ChatFontSize);
  return std::clamp(points, 1, 200);
}


ClientOptions ClientSettings::LoadOptions() const {
  ClientOptions o;
  o.ChatFontName = ini_.INIRead(kInterface, "Chat Font Name", "Tahoma");
  o.ChatFontSize = ini_.INIRead(kInterface, "Chat Font Size", "9");
  o.ShowJoinMessages = inifile::ReadBool(ini_, kInterface, "Show Join Messages", true);
  o.ShowLeaveMessages = inifile::ReadBool(ini_, kInterface, "Show Leave Messages", true);
  o.DrawingCursor = std::clamp(
      protocol::RoundToInt32(inifile::ReadNumber(ini_, kInterface, "Drawing Cursor", "0")), 0, 5);
  o.ToolCursor = inifile::ReadBool(ini_, kInterface, "Tool Cursor", true);
  o.FlatToolbar = inifile::ReadBool(ini_, kInterface, "Flat Toolbar", false);
  const ClientOptions defaults;
  for (size_t n = 1; n < kSoundKeys.size(); ++n) {
    if (kSoundKeys[n]) {
      o.SoundEnabled[n] = inifile::ReadBool(ini_, kSounds, kSoundKeys[n], defaults.SoundEnabled[n]);
    }
  }
  return o;
}

void ClientSettings::SaveOptions(const ClientOptions& o) {
  // The sounds are not edited by the program, so only the interface keys are written.
  ini_.INIWrite(kInterface, "Tool Cursor", BoolText(o.ToolCursor));
  ini_.INIWrite(kInterface, "Drawing Cursor", std::to_string(o.DrawingCursor));
  ini_.INIWrite(kInterface, "Show Join Messages", BoolText(o.ShowJoinMessages));
  ini_.INIWrite(kInterface, "Show Leave Messages", BoolText(o.ShowLeaveMessages));
  ini_.INIWrite(kInterface, "Chat Font Name", o.ChatFontName);
  ini_.INIWrite(kInterface, "Chat Font Size", o.ChatFontSize);
  ini_.INIWrite(kInterface, "Flat Toolbar", BoolText(o.FlatToolbar));
}

Profile ClientSettings::LoadProfile() const {
  Profile p;
  p.Nickname = ini_.INIRead(kPlayer, "Nickname", "un-named");
  p.Age = inifile::ReadNumber(ini_, kPlayer, "Age", "0");
  p.Gender = ini_.INIRead(kPlayer, "Gender", "Male");
  p.Location = ini_.INIRead(kPlayer, "Location", "-");
  p.Homepage = ini_.INIRead(kPlayer, "Homepage", "-");
  p.Quote = ini_.INIRead(kPlayer, "Quote", "-");
  return p;
}

void ClientSettings::SaveProfile(const Profile& p) {
  ini_.INIWrite(kPlayer, "Nickname", p.Nickname);
  ini_.INIWrite(kPlayer, "Age", protocol::NumberText(p.Age));
  ini_.INIWrite(kPlayer, "Gender", p.Gender);
  ini_.INIWrite(kPlayer, "Location", p.Location);
  ini_.INIWrite(kPlayer, "Homepage", p.Homepage);
  ini_.INIWrite(kPlayer, "Quote", p.Quote);
}

DirectoryUrls ClientSettings::LoadDirectory() const {
  return DirectoryUrls{
      ini_.INIRead(directory::kDirectorySection, "Tracker URL", directory::kDefaultTrackerUrl),
      ini_.INIRead(directory::kDirectorySection, "Update URL", directory::kDefaultUpdateUrl)};
}

WindowMetrics ClientSettings::LoadWindowMetrics() const {
  auto read = [this](const char* key) -> std::optional<int> {
    const std::string text = ini_.INIRead(kMetrics, key, "");
    if (text.empty()) return std::nullopt;
    return protocol::LeadingInt32(text);
  };
  return WindowMetrics{read("Main Height"), read("Main Top"), read("Main Left")};
}

void ClientSettings::SaveWindowMetrics(int height, int top, int left) {
  ini_.INIWrite(kMetrics, "Main Top", std::to_string(top));
  ini_.INIWrite(kMetrics, "Main Left", std::to_string(left));
  ini_.INIWrite(kMetrics, "Main Height", std::to_string(std::max(height, kMinStoredHeight)));
}

std::vector<ServerEntry> ClientSettings::ReadEntries(const char* section, const char* count_key,
                                                     const char* entry_key,
                                                     const char* count_default) const {
  std::vector<ServerEntry> entries;
  // One read of the section: a count of a billion must cost no more than the keys stored.
  const inifile::KeyValues stored = ini_.ReadSection(section);
  std::string count_text = count_default;
  std::map<double, std::string> by_index;
  const std::string prefix = protocol::LowerCase(entry_key) + "[";
  for (const auto& [key, value] : stored) {
    const std::string lower = protocol::LowerCase(key);
    if (lower == protocol::LowerCase(count_key)) {
      count_text = value;
    } else if (lower.rfind(prefix, 0) == 0 && lower.back() == ']') {
      const std::string index = lower.substr(prefix.size(), lower.size() - prefix.size() - 1);
      if (!index.empty() && index.find_first_not_of("0123456789") == std::string::npos) {
        by_index.emplace(protocol::LeadingNumber(index), value);
      }
    }
  }
  const double count = protocol::LeadingNumber(count_text);
  for (const auto& [index, value] : by_index) {
    if (index < 1 || index > count) continue;
    // Entries that cannot be split into their fields are skipped.
    if (value == "-1" || value.find(kEntrySep) == std::string::npos) continue;
    const auto fields = protocol::SplitFields(value, kEntrySep);
    entries.push_back(ServerEntry{fields[0], protocol::FieldOr(fields, 1), protocol::FieldOr(fields, 2)});
  }
  return entries;
}

std::vector<ServerEntry> ClientSettings::History() const {
  return ReadEntries(kHistory, "Server History Count", "Server History", "-1");
}

std::vector<ServerEntry> ClientSettings::Favourites() const {
  return ReadEntries(kFavourites, "Server Favourites Count", "Server Favourites", "-1");
}

int ClientSettings::HistoryCount() const {
  return protocol::LeadingInt32(ini_.INIRead(kHistory, "Server History Count", "0"));
}

void ClientSettings::AddToHistory(const ServerEntry& entry) {
  if (entry.address.empty() || entry.name.empty()) return;
  const auto history = History();
  const auto favourites = Favourites();
  if (std::find(history.begin(), history.end(), entry) != history.end() ||
      std::find(favourites.begin(), favourites.end(), entry) != favourites.end()) {
    return;
  }
  const int n = std::max(0, HistoryCount()) + 1;
  ini_.INIWrite(kHistory, "Server History Count", std::to_string(n));
  ini_.INIWrite(kHistory, "Server History[" + std::to_string(n) + "]", Stored(entry));
}

bool ClientSettings::AddToFavourites(const ServerEntry& entry) {
  const auto favourites = Favourites();
  if (std::find(favourites.begin(), favourites.end(), entry) != favourites.end()) return false;
  const int count =
      protocol::LeadingInt32(ini_.INIRead(kFavourites, "Server Favourites Count", "0"));
  const int n = std::max(0, count) + 1;
  ini_.INIWrite(kFavourites, "Server Favourites Count", std::to_string(n));
  ini_.INIWrite(kFavourites, "Server Favourites[" + std::to_string(n) + "]", Stored(entry));
  return true;
}

void ClientSettings::WriteEntries(const char* section, const char* count_key,
                                  const char* entry_key, const std::vector<ServerEntry>& entries) {
  ini_.INIWrite(section, count_key, std::to_string(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    ini_.INIWrite(section, std::string(entry_key) + "[" + std::to_string(i + 1) + "]",
                  Stored(entries[i]));
  }
}

void ClientSettings::WriteHistory(const std::vector<ServerEntry>& entries) {
  WriteEntries(kHistory, "Server History Count", "Server History", entries);
}

void ClientSettings::WriteFavourites(const std::vector<ServerEntry>& entries) {
  WriteEntries(kFavourites, "Server Favourites Count", "Server Favourites", entries);
}

}  // namespace client
