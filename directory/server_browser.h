// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "directory/room_address.h"

// The server browser's rules: which rooms each section lists, where a connection goes, and how
// the Recent and Favourites lists are kept.
namespace directory {

// The most rooms the browser asks the tracker for: the fullest ones, a list a player can read.
inline constexpr int kViewMax = 500;

// A room the player connected to or bookmarked. Stored as address "¬" name "¬" description; the
// address is the text form of a RoomAddress.
struct ServerEntry {
  std::string address;
  std::string name;
  std::string description;
  bool operator==(const ServerEntry&) const = default;
};

// Where the Recent and Favourites lists are kept.
class RoomListStore {
 public:
  virtual ~RoomListStore() = default;
  virtual std::vector<ServerEntry> History() const = 0;
  virtual std::vector<ServerEntry> Favourites() const = 0;
  // The stored count of the history (0 when there is none).
  virtual int HistoryCount() const = 0;
  virtual void AddToHistory(const ServerEntry& entry) = 0;
  // False when the very same entry is already a favourite (nothing is written then).
  virtual bool AddToFavourites(const ServerEntry& entry) = 0;
  virtual void WriteHistory(const std::vector<ServerEntry>& entries) = 0;
  virtual void WriteFavourites(const std::vector<ServerEntry>& entries) = 0;
};

enum class Section { kPublic, kRecent, kFavourites };

// A row of the server list. For public rows the tag is the tracker's whole room record; for
// Recent and Favourites it is the stored address. A placeholder row only tells the player
// something (the list is coming, empty, or could not be fetched): it names no room.
struct BrowserRow {
  std::string name{};
  std::string description{};
  std::string tag{};
  bool placeholder = false;
  std::optional<int> players{};  // the directory's count of players in the room, when it gives one
  bool locked = false;           // the room asks for a password
  std::string web_address{};     // the page to play the room on in a web browser, when it has one
  std::string language{};        // the room's language code, when the directory gives one
};

class ServerBrowser {
 public:
  static constexpr char kWaiting[] = "Please wait..";
  static constexpr char kNoServers[] = "No servers online.";
  static constexpr char kUnreachable[] = "Could not reach the room directory: ";

  explicit ServerBrowser(RoomListStore& store) : store_(store) {}

  // What the window shows when it opens: the Recent section with its newest room highlighted
  // when there is a history, otherwise nothing chosen.
  struct Opening {
    std::optional<Section> section;
    std::vector<BrowserRow> rows;
    std::optional<size_t> highlighted;
  };
  Opening Open() const;

  // The section's rooms; an empty Recent or Favourites section shows one placeholder row that
  // says how it fills up.
  std::vector<BrowserRow> Load(Section section) const;
  // The rows of a tracker reply (the body after its chunk-size line): one record per line;
  // "No servers online." when it holds none.
  static std::vector<BrowserRow> PublicRows(std::string_view body);
  // What the browser asks the tracker for the public list (after "?"): at most kViewMax rooms.
  static std::string ViewQuery();

  // The languages the rows have, in code order; and the rows of one of them (all for ""), or a
  // placeholder that says there are none.
  static std::vector<std::string> Languages(const std::vector<BrowserRow>& rows);
  static std::vector<BrowserRow> InLanguage(const std::vector<BrowserRow>& rows,
                                            const std::string& language);

  // The row shown while the public list is on its way.
  static BrowserRow WaitingRow() {
    return {
        .name = kWaiting, .description = "Getting list of public servers..", .placeholder = true};
  }
  // The row shown when the directory could not be asked, with the reason.
  static BrowserRow UnreachableRow(const std::string& reason);
  // Whether the list holds no room to act on.
  static bool IsPlaceholder(const std::vector<BrowserRow>& rows);

  // The room a row stands for: the record's SERVERIP, PORT and CODE, or the stored address;
  // nothing for a placeholder or an address (or code) that cannot be read.
  static std::optional<RoomAddress> RoomOf(const BrowserRow& row);
  // What the Address box shows for a row.
  static std::string AddressBoxText(const BrowserRow& row);
  // The port of the row's room (2020 when it names none).
  static int PortFor(const BrowserRow* row);

  // Remembers the room in the history (unless it is there already) and tells where to connect:
  // the room the Address box names. Without an address, or with one that cannot be read,
  // nothing is remembered and `why` says what is wrong.
  std::optional<RoomAddress> Connect(const ServerEntry& boxes, std::string* why);

  enum class FavouriteResult {
    kMissingAddress,
    kBadAddress,  // `why` says what is wrong
    kMissingName,
    kMissingDescription,
    kAlreadyExists,
    kAdded
  };
  // The button checks that all three boxes are filled; the list's menu does not.
  // The address is kept in its text form, so "host:2020" and "host" are the same room.
  FavouriteResult AddFavourite(const ServerEntry& entry, bool check_boxes,
                               std::string* why = nullptr);

  // Removes row `index` of the shown section and writes the rest back (placeholders are not
  // rooms and are never written).
  void Remove(Section section, std::vector<BrowserRow> rows, size_t index);

 private:
  RoomListStore& store_;
};

// The answer of a room to the "is it alive" probe means yes.
bool IsAliveAnswer(std::string_view reply);

}  // namespace directory
