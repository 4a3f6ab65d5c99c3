// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

// The server browser's rules: which rooms each section lists, where a connection goes, and how
// the Recent and Favourites lists are kept.
namespace directory {

inline constexpr int kDefaultGamePort = 2020;
// The most rooms the browser asks the tracker for: the fullest ones, a list a player can read.
inline constexpr int kViewMax = 500;

// A room the player connected to or bookmarked. Stored as address "¬" name "¬" description.
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
// Recent and Favourites it is the stored address.
struct BrowserRow {
  std::string name;
  std::string description;
  std::string tag;
};

class ServerBrowser {
 public:
  static constexpr char kWaiting[] = "Please wait..";
  static constexpr char kNoServers[] = "No servers online.";

  explicit ServerBrowser(RoomListStore& store) : store_(store) {}

  // What the window shows when it opens: the Recent section with its newest room in the boxes
  // when there is a history, otherwise nothing chosen.
  struct Opening {
    std::optional<Section> section;
    std::vector<BrowserRow> rows;
    ServerEntry boxes;
  };
  Opening Open() const;

  std::vector<BrowserRow> Load(Section section) const;
  // The rows of a tracker reply (the body after its chunk-size line): one record per line;
  // "No servers online." when it holds none.
  static std::vector<BrowserRow> PublicRows(std::string_view body);
  // What the browser asks the tracker for the public list (after "?"): at most kViewMax rooms.
  static std::string ViewQuery();

  // The row shown while the public list is on its way.
  static BrowserRow WaitingRow() { return {kWaiting, "Getting list of public servers..", ""}; }
  // Whether the list holds no room to act on: empty, waiting or "No servers online.".
  static bool IsPlaceholder(const std::vector<BrowserRow>& rows);

  // The address a row stands for: the record's SERVERIP, or the tag itself.
  static std::string AddressOf(const BrowserRow& row);
  // The port to connect on: the selected row's PORT when above 0, else 2020.
  static int PortFor(const BrowserRow* selected_row);

  // Remembers the room in the history (unless it is there already) and tells where to connect.
  // Nothing when no address was given.
  struct Target {
    std::string address;
    int port = kDefaultGamePort;
  };
  std::optional<Target> Connect(const ServerEntry& boxes, const BrowserRow* selected_row);

  enum class FavouriteResult {
    kMissingAddress,
    kMissingName,
    kMissingDescription,
    kAlreadyExists,
    kAdded
  };
  // The button checks that all three boxes are filled; the list's menu does not.
  FavouriteResult AddFavourite(const ServerEntry& entry, bool check_boxes);

  // Removes row `index` of the shown section and writes the rest back.
  void Remove(Section section, std::vector<BrowserRow> rows, size_t index);

 private:
  RoomListStore& store_;
};

// The answer of a room to the "is it alive" probe means yes.
bool IsAliveAnswer(std::string_view reply);

}  // namespace directory
