// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracker {

// A registered room, its fields as the server sent them (cleaned of separators).
struct Room {
  std::string key;
  std::string name;
  std::string description;
  std::string address;
  int port = 0;
  std::string version;
  std::string admin_name;
  std::string admin_email;
  bool is_private = false;
  // Entering needs a password.
  bool locked = false;
  // Players in the room; kUnknownPlayers when the room never said.
  int players = -1;
  int64_t total_connections = 0;
  int64_t total_games = 0;
  int64_t total_rounds = 0;
  int64_t total_words = 0;
  int64_t total_wordlists = 0;
  std::string source;  // the address the registration came from
  int failed_probes = 0;
  // The room's page for browsers; empty when it has none, or sent none fit to list.
  std::string web;
  // The room's code on a host of many rooms; empty for a single room and a host's own listing.
  std::string code;
  // The key of the host of many rooms the room is on (64 lower-case hex digits); empty for a
  // single room.
  std::string host;
  // On a host's own listing: how many more rooms the host can make now; kUnknownFree when the
  // registration did not say.
  int free = -1;
  // The language the room plays in, two lower-case letters; empty when it never said.
  std::string language{};
};

inline constexpr int kUnknownPlayers = -1;
inline constexpr int kUnknownFree = -1;

// A room whose probe one instance has taken on.
struct ProbeTarget {
  std::string key;
  std::string address;
  int port = 0;
  // The made room's code, which the probe names before it asks; empty for any other room.
  std::string code{};
};

// Where the tracker keeps its rooms. Several tracker instances may share one store, so every
// limit is checked by the store itself, in the same step as the change it guards.
class RoomStore {
 public:
  virtual ~RoomStore() = default;

  // At most this many rooms, and this many from one address.
  static constexpr int kMaxRooms = 20000;
  static constexpr int kMaxRoomsPerSource = 20;
  // Listings that may point at one address, unless the tracker's settings say otherwise.
  static constexpr int kMaxRoomsPerAddress = 8;
  // Rooms of one host of many rooms, unless the tracker's settings say otherwise. They count
  // against this instead of kMaxRoomsPerSource, and those it lists at its own address count
  // against no address's limit.
  static constexpr int kMaxRoomsPerHost = 1000;
  // Hosts one address may list rooms of: a machine runs a host on each of its cores, as each
  // host is one event loop, and no more than a few.
  static constexpr int kMaxHostsPerSource = 4;
  // ADD requests one address may make in a minute, refreshes included. A host's listings may
  // each refresh once a minute, and its players make rooms there at any time: an address whose
  // request names a host may make one more a minute for every room the host may list.
  static constexpr int kMaxAddsPerMinute = 10;
  static constexpr int64_t kRateWindowMs = 60000;
  // A room failing this many probes in a row is dropped.
  static constexpr int kMaxFailedProbes = 3;

  // kTooFrequent: the address made kMaxAddsPerMinute ADDs in the last minute; kFull: the list
  // holds kMaxRooms; kSourceFull: the address has kMaxRoomsPerSource rooms of no host;
  // kHostFull: the room's host has max_per_host rooms; kOtherHost: the address has rooms of
  // kMaxHostsPerSource other hosts; kAddressFull: as many other rooms point at the room's address
  // as may; kNotYours: the key is registered, and the request has neither its secret nor its
  // address; kFailed: the database would not store it.
  enum class AddResult {
    kAdded,
    kUpdated,
    kTooFrequent,
    kFull,
    kSourceFull,
    kHostFull,
    kOtherHost,
    kAddressFull,
    kNotYours,
    kFailed
  };
  // Who asks, besides the room's own fields (its source among them).
  struct AddRequest {
    std::string secret{};      // the secret the request carried; empty when none
    std::string old_key{};     // the key the room had before; its row moves to room.key
    std::string new_secret{};  // stored for a room that has none yet
    int max_per_address = kMaxRoomsPerAddress;  // 0: no limit
    int max_per_host = kMaxRoomsPerHost;        // 0: no limit
  };
  static int MaxAddsPerMinute(const Room& room, const AddRequest& request) {
    if (room.host.empty()) return kMaxAddsPerMinute;
    return kMaxAddsPerMinute + (request.max_per_host > 0 ? request.max_per_host : kMaxRooms);
  }
  struct AddOutcome {
    AddResult result = AddResult::kFailed;
    // The room's secret for the answer, when the request did not carry it.
    std::string secret;
  };
  // A registered key changes only with its secret, or from the address that registered it (rooms
  // that keep no secret). A row under old_key that the request may change takes the new key.
  virtual AddOutcome Add(const Room& room, const AddRequest& request, int64_t now_ms) = 0;
  // A room that keeps no secret, from its own address (the tests' and tools' usual case).
  AddResult Add(const Room& room, int64_t now_ms) { return Add(room, {}, now_ms).result; }
  enum class RemoveResult { kRemoved, kNotFound, kNotYours, kFailed };
  // The same rule as for Add: with the secret, or from the address that registered the room.
  virtual RemoveResult Remove(const std::string& key, const std::string& secret,
                              const std::string& source) = 0;

  // Public rooms, the fullest first and otherwise in the order they were first registered.
  virtual std::vector<Room> Listed(size_t limit) = 0;
  // One page of the same order, only rooms whose folded name holds the folded search text and,
  // unless language is empty, that play in that language.
  struct Page {
    int64_t total = 0;  // rooms that match, on every page
    std::vector<Room> rooms;
    // The languages of all listed rooms, whatever matched, in code order.
    std::vector<std::string> languages{};
  };
  virtual Page ListedPage(std::string_view search, std::string_view language, size_t offset,
                          size_t limit) = 0;
  // How many rooms are listed and how many are private.
  struct Counts {
    int64_t listed = 0;
    int64_t private_rooms = 0;
  };
  virtual Counts CountRooms() = 0;
  // The page of the host of many rooms that can make the most rooms now (the WEB of its own
  // listing, private ones too), the oldest listing among equals; nothing when no host can make
  // one. A host whose last probe failed may be gone, so it is passed over until it answers.
  virtual std::optional<std::string> RoomyHost() = 0;
  // Counts the changes to the rooms, whichever instance made them, so that answers built from
  // them can be kept until the next.
  virtual uint64_t generation() const = 0;

  // Rooms no instance has scheduled yet get their first probe at due_ms.
  virtual void ScheduleNew(int64_t due_ms) = 0;
  // Leases to owner, until now_ms + lease_ms, at most limit rooms whose probe is due and that no
  // other instance holds: the earliest due first.
  virtual std::vector<ProbeTarget> ClaimDue(int64_t now_ms, const std::string& owner,
                                            int64_t lease_ms, size_t limit) = 0;
  // The outcome of a leased probe, and when the room is due next. Nothing happens when the lease
  // has passed to another instance meanwhile. True when this failure dropped the room.
  virtual bool RecordProbe(const std::string& key, const std::string& owner, bool alive,
                           int64_t next_due_ms) = 0;
  // Gives back every lease of owner, so that other instances take those rooms at once.
  virtual void ReleaseLeases(const std::string& owner) = 0;
};

// Something built from the listed rooms, kept until they change.
template <typename T>
class PerGeneration {
 public:
  template <typename Build>
  const T& Get(const RoomStore& store, Build build) {
    if (generation_ != store.generation()) {
      value_ = build();
      generation_ = store.generation();
    }
    return value_;
  }

 private:
  T value_{};
  uint64_t generation_ = UINT64_MAX;
};

}  // namespace tracker
