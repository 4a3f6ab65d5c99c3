// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/settings/game_setup.h"
#include "directory/server_browser.h"
#include "inifile/ini_store.h"
#include "protocol/limits.h"

// Everything the client remembers between runs, in Client.ini.
namespace client {

// The sound events. A number indexes ClientOptions::SoundEnabled, whose entries are stored in
// Client.ini under the keys of the "Sounds" section, so the numbers may not change.
enum class Sound {
  kJoin = 1,
  kNewMessage = 2,
  kWordFound = 3,
  kCloseGuess = 4,
  kKeyClick = 5,
  kMouseClick = 6,
  kYourTurn = 7,     // this player became the artist
  kChooseWord = 8,   // words were offered to this player
  kLastSeconds = 9,  // a tick in each of a round's last five seconds
};

// The "Interface" and "Sounds" sections.
struct ClientOptions {
  // Empty: the system's font and size.
  std::string ChatFontName;
  std::string ChatFontSize;  // as typed in the options window
  bool ShowJoinMessages = true;
  bool ShowLeaveMessages = true;
  int DrawingCursor = 0;  // 0 to 5
  bool ToolCursor = true;
  bool FlatToolbar = false;
  // The windows' language: a code of kLanguages, or empty for the system's. Read at start.
  std::string Language;
  // By Sound number (index 0 unused); the close guess has no key and stays off.
  std::array<bool, 10> SoundEnabled = {false, true,  true, true, false,
                                       false, false, true, true, true};

  // The size in points, or 0 for the system font's size.
  int ChatFontPoints() const;
};

// How much of each profile text the client sends to a room; the profile window takes no more.
// Rooms show nicknames cut to kNicknameLength as well.
inline constexpr size_t kNicknameLength = protocol::kShownNicknameLength;
inline constexpr size_t kAgeLength = 2;  // digits of the age
inline constexpr size_t kGenderLength = protocol::kGenderLength;
inline constexpr size_t kLocationLength = protocol::kLocationLength;
inline constexpr size_t kHomepageLength = protocol::kHomepageLength;
inline constexpr size_t kQuoteLength = protocol::kQuoteLength;

// The nickname of a new profile. Nobody may play under it (rooms refuse it), so a profile that
// still has it asks to be set up.
inline constexpr std::string_view kDefaultNickname = protocol::kDefaultNickname;

// The genders a profile can give; anything else is shown as not given.
inline constexpr std::string_view kMale = "Male";
inline constexpr std::string_view kFemale = "Female";
inline constexpr std::string_view kGenderNotGiven = "Not given";

// The "Player Information" section.
struct Profile {
  std::string Nickname = std::string(kDefaultNickname);
  double Age = 0;
  std::string Gender = std::string(kGenderNotGiven);
  std::string Location = "-";
  std::string Homepage = "-";
  std::string Quote = "-";
};

using directory::ServerEntry;

// The main window's stored placement in twips; missing keys are empty. Older files have no width.
struct WindowMetrics {
  std::optional<int> height;
  std::optional<int> top;
  std::optional<int> left;
  std::optional<int> width;
};

// Section "Directory": the tracker and the update host.
struct DirectoryUrls {
  std::string tracker;
  std::string update;
};

inline constexpr int kTwipsPerPixel = 15;
// The main window is never stored shorter than this (twips).
inline constexpr int kMinStoredHeight = 8130;
// The byte "¬" separates the fields of a stored room.
inline constexpr char kEntrySep = '\xAC';

class ClientSettings : public directory::RoomListStore {
 public:
  explicit ClientSettings(inifile::IniStore& ini) : ini_(ini) {}

  ClientOptions LoadOptions() const;
  void SaveOptions(const ClientOptions& options);
  Profile LoadProfile() const;
  void SaveProfile(const Profile& profile);

  // The last game set up with this client ("Game Setup"), or the set-up's defaults.
  GameSetup LoadGameSetup() const;
  void SaveGameSetup(const GameSetup& setup);

  DirectoryUrls LoadDirectory() const;
  WindowMetrics LoadWindowMetrics() const;
  // A height below kMinStoredHeight is stored as kMinStoredHeight.
  void SaveWindowMetrics(const WindowMetrics& metrics);

  // Passwords the player chose to keep, by room ("host:port"), in [Room Passwords].
  std::string RoomPassword(const std::string& room) const;
  void SaveRoomPassword(const std::string& room, const std::string& password);
  void ForgetRoomPassword(const std::string& room);

  // Entries that are missing or cannot be split into their fields are skipped.
  std::vector<ServerEntry> History() const override;
  std::vector<ServerEntry> Favourites() const override;
  int HistoryCount() const override;
  // Adds a room to the history unless it lacks an address or a name, or the very same entry is
  // already in the history or the favourites.
  void AddToHistory(const ServerEntry& entry) override;
  bool AddToFavourites(const ServerEntry& entry) override;
  // Writes the lists as they are now shown; entries above the new count stay in the file
  // unread.
  void WriteHistory(const std::vector<ServerEntry>& entries) override;
  void WriteFavourites(const std::vector<ServerEntry>& entries) override;

 private:
  std::vector<ServerEntry> ReadEntries(const char* section, const char* count_key,
                                       const char* entry_key) const;
  // Adds the entry after the stored count and raises the count, in one write.
  void AppendEntry(const char* section, const char* count_key, const char* entry_key,
                   const ServerEntry& entry);
  void WriteEntries(const char* section, const char* count_key, const char* entry_key,
                    const std::vector<ServerEntry>& entries);

  inifile::IniStore& ini_;
};

}  // namespace client
