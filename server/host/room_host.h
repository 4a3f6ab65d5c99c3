// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "directory/tracker.h"
#include "inifile/ini_store.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/ports.h"
#include "server/room/room.h"

namespace server {

inline constexpr char kHostSection[] = "Host";
// Keys of [Server Details] that every room a host makes starts with.
inline constexpr char kRoomDefaultsSection[] = "Room Defaults";

// The [Host] section of Server.ini.
struct HostLimits {
  int max_rooms = 500;
  // Rooms one address may make within an hour.
  int creations_per_hour = 10;
  int players_per_room = 24;
  int empty_room_minutes = 10;
  // Public rooms are listed with the tracker as they are made, and taken off as they close.
  bool list_public_rooms = true;
};
HostLimits LoadHostLimits(const inifile::IniStore& ini);

// What the maker of a room chose.
struct RoomChoices {
  std::string name;
  std::string password;
  bool is_public = false;
  // A language code for the room's Language; empty keeps the host's default.
  std::string language{};
};

// Many rooms in one process, on one listening socket and one web port. The room of Server.ini
// is the default room, where every connection goes that names no other (as every older client
// does); anyone may make more, each a whole Room over its own settings, known by an unguessable
// code. A connection names its room with a ROOM message before anything else. The host's bans
// and its limits per address and in all hold across its rooms, before a connection is handed to
// any of them.
class RoomHost : public ConnectionSink {
 public:
  struct Ports {
    Transport& transport;
    Scheduler& scheduler;
    Random& random;          // the games' chance
    Random& code_random;     // the room codes: must not be predictable
    ServerView& view;        // the host's log, which is also the default room's
    inifile::IniStore& ini;  // Server.ini
    std::vector<std::filesystem::path> word_list_folders;
    directory::HttpGetter& http;
    std::string machine_key;
    TrackerRegistration::KeyHash hash;
    // False for a single room: the transport delivers to the default room itself, and no
    // room is made.
    bool routes = true;
  };

  // Codes are this long, from an alphabet without letters that read alike (about 50 bits).
  static constexpr size_t kCodeLength = 10;
  static constexpr std::string_view kCodeAlphabet = "abcdefghjkmnpqrstuvwxyz23456789";
  // A connection that has named no room within this many bytes names none.
  static constexpr size_t kMaxRoomMessage = 64;
  // A MAKEROOM message is longer: a name, a password, a flag and a language.
  static constexpr size_t kMaxMakeRoomMessage = 256;
  static constexpr int64_t kCreationWindowMs = 3600 * 1000;

  explicit RoomHost(Ports ports);
  ~RoomHost() override;
  RoomHost(const RoomHost&) = delete;
  RoomHost& operator=(const RoomHost&) = delete;

  // Starts the default room, which opens the listening socket.
  void Start();
  Room& default_room();
  const Room& default_room() const;
  const HostLimits& limits() const { return limits_; }

  struct Created {
    std::string code;  // empty when refused
    std::string refusal;
  };
  Created CreateRoom(const RoomChoices& choices, const std::string& maker_address);
  bool routes() const { return ports_.routes; }
  // The web port browsers play on, for every room's listing: the program knows it once open.
  void SetWebPort(int port);
  // How many more rooms the host can make now.
  int FreeRooms() const;
  // Where the transport delivers: the host, or the single room.
  ConnectionSink& sink() {
    return routes() ? static_cast<ConnectionSink&>(*this) : default_room().core();
  }
  // The room of a code (any letter case), or nullptr; "" is the default room.
  Room* Find(std::string_view code);
  // The rooms made here, by code.
  std::vector<std::string> Codes() const;
  size_t RoomCount() const { return rooms_.size(); }
  // Ends a made room as its operator's quit would: everyone is told, then it is gone.
  bool CloseRoom(std::string_view code);
  // Quits every room; once each is over and every connection has written out, done is called.
  // The default room's own quit (its operator's) does the same.
  void Quit(std::function<void()> done);
  void OnFinished(std::function<void()> done) { on_finished_ = std::move(done); }

  // The default room's operator commands, and the host's own: rooms, create, close.
  std::vector<std::string> Execute(std::string_view line);
  // Every room's metrics, each sample labelled with its room's code (the default room's
  // without one, as a single room writes them), and the host's own.
  std::string MetricsText() const;

  Admission OnConnectionRequest(const std::string& address) override;
  void OnData(int slot, std::string_view bytes) override;
  void OnClosed(int slot) override;
  void OnSocketError(int slot, int number, const std::string& description) override;

 private:
  struct Hosted;
  class RoomLink;
  class RoomLog;
  class HostBans;
  struct Connection {
    std::string address;
    std::string received;  // until it has named its room
    Hosted* hosted;        // nullptr until then
  };
  enum class HostRefusal { kAddressLimit, kHostFull, kUnknownRoom, kNoRoomMessage, kCount };
  enum class CreateRefusal { kTooManyRooms, kTooManyCreations, kCount };

  std::unique_ptr<Hosted> MakeRoom(const std::string& code, inifile::IniStore& ini);
  std::string NewCode();
  // Makes the room a MAKEROOM message asks for and hands the connection to it, or refuses.
  void MakeRoomFor(int slot, std::string_view data, std::string_view rest);
  // Tells a connection why and closes it.
  void Refuse(int slot, const std::string& why);
  // Hands a waiting connection to its room with what came after its ROOM message.
  void Route(int slot, Hosted& hosted, std::string_view rest);
  // A connection of a room ended, by either side.
  void Forget(int slot);
  void WatchEmpty(Hosted& hosted);
  void Finished(Hosted& hosted);
  void CheckAllFinished();
  int ConnectionsFrom(const std::string& address) const;

  Ports ports_;
  HostLimits limits_;
  std::unique_ptr<Hosted> default_room_;
  std::map<std::string, std::unique_ptr<Hosted>, std::less<>> rooms_;
  std::unordered_map<int, Connection> connections_;
  std::unordered_map<std::string, int> per_address_;
  // When each address made its rooms of the last hour.
  std::unordered_map<std::string, std::deque<int64_t>> creations_;
  std::vector<std::unique_ptr<Hosted>> finished_;  // freed after the event that ended them
  int last_slot_ = 0;
  bool quitting_ = false;
  bool closing_all_ = false;
  std::optional<int> web_port_;
  std::function<void()> on_finished_;
  std::vector<uint64_t> host_refusals_ = std::vector<uint64_t>(size_t(HostRefusal::kCount));
  std::vector<uint64_t> create_refusals_ = std::vector<uint64_t>(size_t(CreateRefusal::kCount));
  uint64_t rooms_made_ = 0;
  uint64_t rooms_closed_ = 0;
};

}  // namespace server
