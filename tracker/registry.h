// SPDX-License-Identifier: MIT
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tracker/database_url.h"
#include "tracker/room_store.h"

namespace tracker {

// The tracker's rooms in a database through Qt SQL: an SQLite file for one instance, or one
// PostgreSQL database that any number of instances share. The schema is the tracker's own: it
// creates and migrates it on opening, the same steps on both.
class Registry : public RoomStore {
 public:
  // The schema this build creates and reads.
  static constexpr int kSchemaVersion = 6;

  Registry();
  ~Registry() override;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Connects, then creates or migrates the schema; false with error() set when it cannot. An
  // SQLite path is used as given (":memory:" for a database that lives as long as this).
  bool Open(const DatabaseUrl& url);
  bool Open(const QString& sqlite_path);
  QString error() const { return error_; }
  // The schema version the database is at.
  int SchemaVersion();

  using RoomStore::Add;
  AddOutcome Add(const Room& room, const AddRequest& request, int64_t now_ms) override;
  RemoveResult Remove(const std::string& key, const std::string& secret,
                      const std::string& source) override;
  std::vector<Room> Listed(size_t limit) override;
  Page ListedPage(std::string_view search, std::string_view language, size_t offset,
                  size_t limit) override;
  Counts CountRooms() override;
  std::optional<std::string> RoomyHost() override;
  uint64_t generation() const override { return generation_; }
  void ScheduleNew(int64_t due_ms) override;
  std::vector<ProbeTarget> ClaimDue(int64_t now_ms, const std::string& owner, int64_t lease_ms,
                                    size_t limit) override;
  bool RecordProbe(const std::string& key, const std::string& owner, bool alive,
                   int64_t next_due_ms) override;
  void ReleaseLeases(const std::string& owner) override;

  // Reads the change counter that every instance moves, so that the answers kept here notice
  // other instances' changes. After a failure (a database that restarted) it connects anew;
  // false while the database cannot be reached.
  bool Sync();

  // Every room, private ones too.
  std::vector<Room> All();
  // The rooms whose last probe failed.
  std::vector<Room> Failing();
  std::optional<Room> Find(const std::string& key);

 private:
  struct Dialect {
    const char* id_column;
    const char* blob;
    const char* int64;
    // Added to the query that picks rooms to lease, so that instances never wait on each other.
    const char* skip_locked;
    // Taken before each migration, so that instances starting together migrate once.
    const char* lock_schema;
    // "the folded name holds ?"
    const char* contains;
  };

  class Transaction;
  // Ends every statement, so that no read holds a lock on the database between calls.
  void FinishQueries();
  struct Finished {
    Registry& registry;
    ~Finished() { registry.FinishQueries(); }
  };
  bool Connect();
  bool Migrate();
  bool Migration(int version);
  // Runs a statement with its values bound in order: the query holding its outcome until the
  // next run of the same statement, or nothing (with error_ set) when it fails. Statements with
  // values are prepared once; the others (schema changes among them) run as they are.
  QSqlQuery* Run(const QString& sql, const QVariantList& values = {});
  // The statement with the dialect's type names in place of {id}, {blob} and {int64}.
  QString Sql(const char* text) const;
  // Moves the shared change counter inside the open transaction. It is the first write of every
  // change, so the row lock it takes orders all changes, from all instances, one after another.
  std::optional<int64_t> BumpGeneration();
  void Changed(int64_t database_generation) {
    ++generation_;
    seen_database_generation_ = database_generation;
  }
  std::vector<Room> Select(const QString& condition, const QVariantList& values = {});
  // The secret and the registering address of the key's row, inside the open transaction.
  struct Owner {
    std::string secret;
    std::string source;
  };
  std::optional<Owner> FindOwner(const std::string& key, bool* failed);

  QString connection_;
  DatabaseUrl url_;
  const Dialect* dialect_ = nullptr;
  uint64_t generation_ = 0;
  int64_t seen_database_generation_ = -1;
  QSqlDatabase db_;
  // Prepared statements by their text; they belong to the connection.
  std::map<QString, QSqlQuery> prepared_;
  QSqlQuery once_;
  QString error_;
};

}  // namespace tracker
