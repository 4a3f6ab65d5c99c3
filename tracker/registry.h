// SPDX-License-Identifier: MIT
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
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
  int64_t total_connections = 0;
  int64_t total_games = 0;
  int64_t total_rounds = 0;
  int64_t total_words = 0;
  int64_t total_wordlists = 0;
  std::string source;  // the address the registration came from
  int failed_probes = 0;
};

// The tracker's rooms, kept in an SQLite file so that a restart keeps the list.
class Registry {
 public:
  Registry();
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // At most this many rooms, and this many from one address.
  static constexpr int kMaxRooms = 1000;
  static constexpr int kMaxRoomsPerSource = 20;

  // Opens (and creates) the database file; false with error() set when it cannot.
  bool Open(const QString& path);
  QString error() const { return error_; }

  // kFull: the list holds kMaxRooms; kSourceFull: the address has kMaxRoomsPerSource rooms;
  // kFailed: the database would not store it.
  enum class AddResult { kAdded, kUpdated, kFull, kSourceFull, kFailed };
  AddResult Add(const Room& room);
  // False when no room has the key.
  bool Remove(const std::string& key);
  // Listed rooms: public ones, in the order they were first registered. Kept in memory between
  // changes: every VIEW and every page view reads it.
  const std::vector<Room>& Listed() const;
  // Counts the changes to the rooms, so that answers built from them can be kept until the next.
  uint64_t generation() const { return generation_; }
  // Every room, private ones too: all of them are probed, so none stays for ever.
  std::vector<Room> All() const;
  // The rooms whose last probe failed.
  std::vector<Room> Failing() const;
  std::optional<Room> Find(const std::string& key) const;
  // A probe's result; a room failing kMaxFailedProbes in a row is dropped. True when dropped.
  static constexpr int kMaxFailedProbes = 3;
  bool RecordProbe(const std::string& key, bool alive);

 private:
  std::vector<Room> Select(const char* condition) const;

  void Changed() {
    ++generation_;
    listed_.reset();
  }

  QString connection_;
  uint64_t generation_ = 0;
  mutable std::optional<std::vector<Room>> listed_;
  QSqlDatabase db_;
  QString error_;
};

// Something built from the listed rooms, kept until they change.
template <typename T>
class PerGeneration {
 public:
  template <typename Build>
  const T& Get(const Registry& registry, Build build) {
    if (generation_ != registry.generation()) {
      value_ = build(registry.Listed());
      generation_ = registry.generation();
    }
    return value_;
  }

 private:
  T value_{};
  uint64_t generation_ = UINT64_MAX;
};

}  // namespace tracker
