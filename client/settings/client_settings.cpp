// SPDX-License-Identifier: MIT
#include "client/settings/client_settings.h"

#include <algorithm>
#include <map>

#include "directory/tracker.h"
#include "inifile/ini_document.h"
#include "protocol/custom_words.h"
#include "protocol/framing.h"
#include "protocol/numbers.h"
#include "protocol/text.h"

namespace client {

namespace {

// The section and key names are those of the Client.ini files players already have; a renamed
// one would lose what they stored.
constexpr char kInterface[] = "Interface";
constexpr char kSounds[] = "Sounds";
constexpr char kPlayer[] = "Player Information";
constexpr char kMetrics[] = "Window Metrics";
constexpr char kHistory[] = "Server History";
constexpr char kFavourites[] = "Server Favourites";
constexpr char kGameSetup[] = "Game Setup";
// Between the names of the word lists of the last set-up.
constexpr char kListNameSep = '|';
constexpr char kRoomPasswords[] = "Room Passwords";

// The keys of the sound events, by Sound number; the close guess has none.
constexpr std::array<const char*, 10> kSoundKeys = {nullptr,
                                                    "Event - Join",
                                                    "Event - New Message",
                                                    "Event - Word Found",
                                                    nullptr,
                                                    "Event - Key Click",
                                                    "Event - Mouse Click",
                                                    "Event - Your Turn",
                                                    "Event - Choose Word",
                                                    "Event - Last Seconds"};

std::string Stored(const ServerEntry& e) {
  return e.address + kEntrySep + e.name + kEntrySep + e.description;
}

}  // namespace

int ClientOptions::ChatFontPoints() const {
  if (ChatFontSize.empty()) return 0;
  const int32_t points = protocol::LeadingInt32(ChatFontSize);
  return std::clamp(points, 1, 200);
}

// Every load reads the file once for all its keys, and every save writes it once.

ClientOptions ClientSettings::LoadOptions() const {
  const inifile::IniDocument ini = ini_.Snapshot();
  ClientOptions o;
  o.ChatFontName = ini.Read(kInterface, "Chat Font Name", "");
  o.ChatFontSize = ini.Read(kInterface, "Chat Font Size", "");
  o.ShowJoinMessages = inifile::ReadBool(ini, kInterface, "Show Join Messages", true);
  o.ShowLeaveMessages = inifile::ReadBool(ini, kInterface, "Show Leave Messages", true);
  o.DrawingCursor = std::clamp(
      protocol::RoundToInt32(inifile::ReadNumber(ini, kInterface, "Drawing Cursor", "0")), 0, 5);
  o.ToolCursor = inifile::ReadBool(ini, kInterface, "Tool Cursor", true);
  o.FlatToolbar = inifile::ReadBool(ini, kInterface, "Flat Toolbar", false);
  o.Language = ini.Read(kInterface, "Language", "");
  const ClientOptions defaults;
  for (size_t n = 1; n < kSoundKeys.size(); ++n) {
    if (kSoundKeys[n]) {
      o.SoundEnabled[n] = inifile::ReadBool(ini, kSounds, kSoundKeys[n], defaults.SoundEnabled[n]);
    }
  }
  return o;
}

void ClientSettings::SaveOptions(const ClientOptions& o) {
  inifile::KeyValues sounds;
  for (size_t n = 1; n < kSoundKeys.size(); ++n) {
    if (kSoundKeys[n]) sounds.emplace_back(kSoundKeys[n], inifile::BoolText(o.SoundEnabled[n]));
  }
  ini_.Edit([&](inifile::IniDocument& ini) {
    for (const auto& [key, value] :
         inifile::KeyValues{{"Tool Cursor", inifile::BoolText(o.ToolCursor)},
                            {"Drawing Cursor", std::to_string(o.DrawingCursor)},
                            {"Show Join Messages", inifile::BoolText(o.ShowJoinMessages)},
                            {"Show Leave Messages", inifile::BoolText(o.ShowLeaveMessages)},
                            {"Chat Font Name", o.ChatFontName},
                            {"Chat Font Size", o.ChatFontSize},
                            {"Flat Toolbar", inifile::BoolText(o.FlatToolbar)},
                            {"Language", o.Language}}) {
      ini.Write(kInterface, key, value);
    }
    for (const auto& [key, value] : sounds) ini.Write(kSounds, key, value);
    return true;
  });
}

Profile ClientSettings::LoadProfile() const {
  const inifile::IniDocument ini = ini_.Snapshot();
  Profile p;
  p.Nickname = ini.Read(kPlayer, "Nickname", kDefaultNickname);
  p.Age = inifile::ReadNumber(ini, kPlayer, "Age", "0");
  p.Gender = ini.Read(kPlayer, "Gender", kGenderNotGiven);
  p.Location = ini.Read(kPlayer, "Location", "-");
  p.Homepage = ini.Read(kPlayer, "Homepage", "-");
  p.Quote = ini.Read(kPlayer, "Quote", "-");
  return p;
}

void ClientSettings::SaveProfile(const Profile& p) {
  ini_.INIWriteAll(kPlayer, {{"Nickname", p.Nickname},
                             {"Age", protocol::NumberText(p.Age)},
                             {"Gender", p.Gender},
                             {"Location", p.Location},
                             {"Homepage", p.Homepage},
                             {"Quote", p.Quote}});
}

GameSetup ClientSettings::LoadGameSetup() const {
  const inifile::IniDocument ini = ini_.Snapshot();
  const GameSetup defaults;
  auto number = [&ini](const char* key, int32_t fallback) {
    return protocol::RoundToInt32(
        inifile::ReadNumber(ini, kGameSetup, key, protocol::NumberText(fallback)));
  };
  GameSetup setup;
  setup.room_name = ini.Read(kGameSetup, "Room Name", "");
  setup.description = ini.Read(kGameSetup, "Description", defaults.description);
  setup.player_limit = number("Player Limit", defaults.player_limit);
  setup.total_rounds = number("Total Rounds", defaults.total_rounds);
  setup.seconds_per_round = number("Seconds Per Round", defaults.seconds_per_round);
  setup.grace_seconds = number("Grace Seconds", defaults.grace_seconds);
  const std::string lists = ini.Read(kGameSetup, "Word Lists", "");
  if (!lists.empty()) {
    for (std::string& name : protocol::SplitFields(lists, kListNameSep)) {
      if (!name.empty()) setup.word_lists.push_back(std::move(name));
    }
  }
  setup.custom_words = protocol::CustomWords(ini.Read(kGameSetup, "Custom Words", ""));
  // A file edited by hand may hold anything; the set-up window shows only what can be sent.
  return HeldWithinLimits(std::move(setup));
}

void ClientSettings::SaveGameSetup(const GameSetup& setup) {
  std::string lists;
  for (const std::string& name : setup.word_lists) {
    if (!lists.empty()) lists += kListNameSep;
    lists += name;
  }
  ini_.INIWriteAll(kGameSetup, {{"Room Name", setup.room_name},
                                {"Description", setup.description},
                                {"Player Limit", std::to_string(setup.player_limit)},
                                {"Total Rounds", std::to_string(setup.total_rounds)},
                                {"Seconds Per Round", std::to_string(setup.seconds_per_round)},
                                {"Grace Seconds", std::to_string(setup.grace_seconds)},
                                {"Word Lists", lists},
                                {"Custom Words", protocol::JoinFields(setup.custom_words, ',')}});
}

DirectoryUrls ClientSettings::LoadDirectory() const {
  const inifile::IniDocument ini = ini_.Snapshot();
  return DirectoryUrls{
      ini.Read(directory::kDirectorySection, "Tracker URL", directory::kDefaultTrackerUrl),
      ini.Read(directory::kDirectorySection, "Update URL", directory::kDefaultUpdateUrl)};
}

WindowMetrics ClientSettings::LoadWindowMetrics() const {
  const inifile::IniDocument ini = ini_.Snapshot();
  auto read = [&ini](const char* key) -> std::optional<int> {
    const std::string text = ini.Read(kMetrics, key, "");
    if (text.empty()) return std::nullopt;
    return protocol::LeadingInt32(text);
  };
  return WindowMetrics{read("Main Height"), read("Main Top"), read("Main Left"),
                       read("Main Width")};
}

void ClientSettings::SaveWindowMetrics(const WindowMetrics& m) {
  inifile::KeyValues keys;
  if (m.top) keys.emplace_back("Main Top", std::to_string(*m.top));
  if (m.left) keys.emplace_back("Main Left", std::to_string(*m.left));
  if (m.height) {
    keys.emplace_back("Main Height", std::to_string(std::max(*m.height, kMinStoredHeight)));
  }
  if (m.width) keys.emplace_back("Main Width", std::to_string(*m.width));
  ini_.INIWriteAll(kMetrics, keys);
}

std::string ClientSettings::RoomPassword(const std::string& room) const {
  return ini_.INIRead(kRoomPasswords, room, "");
}

void ClientSettings::SaveRoomPassword(const std::string& room, const std::string& password) {
  ini_.INIWrite(kRoomPasswords, room, password);
}

void ClientSettings::ForgetRoomPassword(const std::string& room) {
  ini_.Edit([&room](inifile::IniDocument& ini) {
    inifile::KeyValues keys = ini.ReadSection(kRoomPasswords);
    const auto gone = std::erase_if(
        keys, [&room](const auto& key) { return protocol::EqualsIgnoreCase(key.first, room); });
    if (gone == 0) return false;
    ini.ReplaceSection(kRoomPasswords, keys);
    return true;
  });
}

std::vector<ServerEntry> ClientSettings::ReadEntries(const char* section, const char* count_key,
                                                     const char* entry_key) const {
  std::vector<ServerEntry> entries;
  // One read of the section: a count of a billion must cost no more than the keys stored.
  const inifile::KeyValues stored = ini_.ReadSection(section);
  std::string count_text = "-1";
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
    entries.push_back(
        ServerEntry{fields[0], protocol::FieldOr(fields, 1), protocol::FieldOr(fields, 2)});
  }
  return entries;
}

std::vector<ServerEntry> ClientSettings::History() const {
  return ReadEntries(kHistory, "Server History Count", "Server History");
}

std::vector<ServerEntry> ClientSettings::Favourites() const {
  return ReadEntries(kFavourites, "Server Favourites Count", "Server Favourites");
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
  AppendEntry(kHistory, "Server History Count", "Server History", entry);
}

bool ClientSettings::AddToFavourites(const ServerEntry& entry) {
  const auto favourites = Favourites();
  if (std::find(favourites.begin(), favourites.end(), entry) != favourites.end()) return false;
  AppendEntry(kFavourites, "Server Favourites Count", "Server Favourites", entry);
  return true;
}

void ClientSettings::AppendEntry(const char* section, const char* count_key, const char* entry_key,
                                 const ServerEntry& entry) {
  ini_.Edit([&](inifile::IniDocument& ini) {
    const int n = std::max(0, protocol::LeadingInt32(ini.Read(section, count_key, "0"))) + 1;
    ini.Write(section, count_key, std::to_string(n));
    ini.Write(section, std::string(entry_key) + "[" + std::to_string(n) + "]", Stored(entry));
    return true;
  });
}

void ClientSettings::WriteEntries(const char* section, const char* count_key, const char* entry_key,
                                  const std::vector<ServerEntry>& entries) {
  inifile::KeyValues keys = {{count_key, std::to_string(entries.size())}};
  for (size_t i = 0; i < entries.size(); ++i) {
    keys.emplace_back(std::string(entry_key) + "[" + std::to_string(i + 1) + "]",
                      Stored(entries[i]));
  }
  ini_.INIWriteAll(section, keys);
}

void ClientSettings::WriteHistory(const std::vector<ServerEntry>& entries) {
  WriteEntries(kHistory, "Server History Count", "Server History", entries);
}

void ClientSettings::WriteFavourites(const std::vector<ServerEntry>& entries) {
  WriteEntries(kFavourites, "Server Favourites Count", "Server Favourites", entries);
}

}  // namespace client
