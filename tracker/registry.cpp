// SPDX-License-Identifier: MIT
#include "tracker/registry.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <tuple>

#include "protocol/text.h"

namespace tracker {

namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}
std::string Text(const QVariant& value) {
  return value.toByteArray().toStdString();
}
QVariant Number(int64_t value) {
  return QVariant(qlonglong(value));
}

constexpr char kColumns[] =
    "key, name, description, address, port, version, admin_name, admin_email, private, "
    "total_connections, total_games, total_rounds, total_words, total_wordlists, source, "
    "failed_probes, players, locked, web, code, host_key, free_rooms, language";

Room FromQuery(const QSqlQuery& q) {
  Room r;
  r.key = Text(q.value(0));
  r.name = Text(q.value(1));
  r.description = Text(q.value(2));
  r.address = Text(q.value(3));
  r.port = q.value(4).toInt();
  r.version = Text(q.value(5));
  r.admin_name = Text(q.value(6));
  r.admin_email = Text(q.value(7));
  r.is_private = q.value(8).toInt() != 0;
  r.total_connections = q.value(9).toLongLong();
  r.total_games = q.value(10).toLongLong();
  r.total_rounds = q.value(11).toLongLong();
  r.total_words = q.value(12).toLongLong();
  r.total_wordlists = q.value(13).toLongLong();
  r.source = Text(q.value(14));
  r.failed_probes = q.value(15).toInt();
  r.players = q.value(16).toInt();
  r.locked = q.value(17).toInt() != 0;
  r.web = Text(q.value(18));
  r.code = Text(q.value(19));
  r.host = Text(q.value(20));
  r.free = q.value(21).toInt();
  r.language = Text(q.value(22));
  return r;
}

// The listing order: the fullest rooms first, then the oldest registrations.
constexpr char kListingOrder[] = "ORDER BY players DESC, id";

// Each migration runs whole or not at all. The first is the table that trackers kept before
// there was a schema version, so that their files carry on with their rooms.
const char* const kMigration1[] = {
    "CREATE TABLE IF NOT EXISTS rooms ("
    " id {id}, key {blob} UNIQUE NOT NULL, name {blob}, "
    " description {blob}, address {blob}, port INTEGER, version {blob}, admin_name {blob}, "
    " admin_email {blob}, private INTEGER, total_connections {int64}, total_games {int64}, "
    " total_rounds {int64}, total_words {int64}, total_wordlists {int64}, source {blob}, "
    " failed_probes INTEGER DEFAULT 0)",
};
const char* const kMigration2[] = {
    "ALTER TABLE rooms ADD COLUMN players INTEGER NOT NULL DEFAULT -1",
    "ALTER TABLE rooms ADD COLUMN locked INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE rooms ADD COLUMN name_folded {blob}",
    "ALTER TABLE rooms ADD COLUMN probe_due {int64}",
    "ALTER TABLE rooms ADD COLUMN lease_owner {blob}",
    "ALTER TABLE rooms ADD COLUMN lease_until {int64}",
    "CREATE INDEX rooms_listing ON rooms (private, players DESC, id)",
    "CREATE INDEX rooms_probe_due ON rooms (probe_due)",
    "CREATE INDEX rooms_source ON rooms (source)",
    "CREATE TABLE add_attempts (source {blob} NOT NULL, at {int64} NOT NULL)",
    "CREATE INDEX add_attempts_source ON add_attempts (source, at)",
    "CREATE INDEX add_attempts_at ON add_attempts (at)",
    "CREATE TABLE directory_state (id INTEGER PRIMARY KEY, generation {int64} NOT NULL)",
    "INSERT INTO directory_state (id, generation) VALUES (1, 0)",
};
// Rows from before have no secret: their rooms prove themselves by their address until their
// next ADD gives them one.
const char* const kMigration3[] = {
    "ALTER TABLE rooms ADD COLUMN secret {blob}",
    "CREATE INDEX rooms_address ON rooms (address)",
};
// Rows from before list no page until their room's next ADD.
const char* const kMigration4[] = {
    "ALTER TABLE rooms ADD COLUMN web {blob}",
};
// Rows from before are single rooms: no code, no host, no count of rooms to make.
const char* const kMigration5[] = {
    "ALTER TABLE rooms ADD COLUMN code {blob}",
    "ALTER TABLE rooms ADD COLUMN host_key {blob}",
    "ALTER TABLE rooms ADD COLUMN free_rooms INTEGER NOT NULL DEFAULT -1",
    "CREATE INDEX rooms_host ON rooms (host_key)",
};

// Rows from before say no language until their room's next ADD.
const char* const kMigration6[] = {
    "ALTER TABLE rooms ADD COLUMN language {blob}",
};

// Qt binds an empty value as NULL, so a column that may hold nothing holds either.
constexpr char kNoHost[] = "COALESCE(length(host_key), 0) = 0";

// Whether a request may change a row: its secret, or the address the row was registered from.
bool MayChange(const std::string& row_secret, const std::string& row_source,
               const std::string& secret, const std::string& source) {
  if (!row_secret.empty() && row_secret.size() == secret.size()) {
    // Every byte compared, so that the time taken tells nothing of how much matched.
    unsigned char difference = 0;
    for (size_t i = 0; i < secret.size(); ++i) difference |= row_secret[i] ^ secret[i];
    if (difference == 0) return true;
  }
  return row_source == source;
}

}  // namespace

// Rolls back whatever it has not been told to commit.
class Registry::Transaction {
 public:
  explicit Transaction(Registry& registry)
      : registry_(registry), open_(registry.db_.transaction()) {}
  ~Transaction() {
    if (!open_) return;
    registry_.FinishQueries();
    registry_.db_.rollback();
  }
  bool open() const { return open_; }
  bool Commit() {
    open_ = false;
    registry_.FinishQueries();
    if (registry_.db_.commit()) return true;
    registry_.error_ = registry_.db_.lastError().text();
    registry_.db_.rollback();
    return false;
  }

 private:
  Registry& registry_;
  bool open_;
};

void Registry::FinishQueries() {
  // SQLite will not end a transaction while a statement still has rows to give.
  for (auto& [sql, query] : prepared_) query.finish();
  once_.finish();
}

Registry::Registry() {
  // Each registry has its own connection, so that several can live in one process.
  static int count = 0;
  connection_ = QStringLiteral("tracker-%1").arg(++count);
}

Registry::~Registry() {
  if (!db_.isValid()) return;
  prepared_.clear();
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(connection_);
}

bool Registry::Open(const QString& sqlite_path) {
  DatabaseUrl url;
  url.path = sqlite_path.toStdString();
  return Open(url);
}

bool Registry::Open(const DatabaseUrl& url) {
  static constexpr Dialect kSqlite{"INTEGER PRIMARY KEY AUTOINCREMENT", "BLOB", "INTEGER", "", "",
                                   "instr(name_folded, ?) > 0"};
  static constexpr Dialect kPostgresql{"BIGSERIAL PRIMARY KEY",
                                       "BYTEA",
                                       "BIGINT",
                                       " FOR UPDATE SKIP LOCKED",
                                       "LOCK TABLE schema_version IN ACCESS EXCLUSIVE MODE",
                                       "position(? in name_folded) > 0"};
  url_ = url;
  const bool sqlite = url.kind == DatabaseUrl::Kind::kSqlite;
  dialect_ = sqlite ? &kSqlite : &kPostgresql;
  const QString driver = sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
  if (!QSqlDatabase::isDriverAvailable(driver)) {
    error_ = sqlite ? QStringLiteral("Qt's SQLite driver is missing (Debian: libqt6sql6-sqlite)")
                    : QStringLiteral("Qt's PostgreSQL driver is missing (Debian: libqt6sql6-psql)");
    return false;
  }
  db_ = QSqlDatabase::addDatabase(driver, connection_);
  if (sqlite) {
    db_.setDatabaseName(QString::fromStdString(url.path));
  } else {
    db_.setHostName(QString::fromStdString(url.host));
    db_.setPort(url.port);
    db_.setDatabaseName(QString::fromStdString(url.database));
    db_.setUserName(QString::fromStdString(url.user));
    db_.setPassword(QString::fromStdString(url.password));
    // PostgreSQL's notices ("already exists, skipping") are no news for the operator.
    db_.setConnectOptions(
        QStringLiteral("connect_timeout=5;options='-c client_min_messages=warning'"));
  }
  return Connect() && Migrate();
}

bool Registry::Connect() {
  if (db_.open()) return true;
  error_ = db_.lastError().text();
  return false;
}

QString Registry::Sql(const char* text) const {
  return QString::fromLatin1(text)
      .replace(QStringLiteral("{id}"), QLatin1String(dialect_->id_column))
      .replace(QStringLiteral("{blob}"), QLatin1String(dialect_->blob))
      .replace(QStringLiteral("{int64}"), QLatin1String(dialect_->int64));
}

QSqlQuery* Registry::Run(const QString& sql, const QVariantList& values) {
  QSqlQuery* query = &once_;
  bool ok = false;
  if (values.size() == 0) {
    once_ = QSqlQuery(db_);
    ok = once_.exec(sql);
  } else {
    // Prepared once per statement text: PostgreSQL then plans it once, and each use is one
    // round trip instead of three.
    auto kept = prepared_.find(sql);
    if (kept == prepared_.end()) {
      QSqlQuery statement(db_);
      statement.setForwardOnly(true);
      if (!statement.prepare(sql)) {
        error_ = statement.lastError().text();
        return nullptr;
      }
      kept = prepared_.emplace(sql, std::move(statement)).first;
    }
    query = &kept->second;
    for (const QVariant& value : values) query->addBindValue(value);
    ok = query->exec();
  }
  if (ok) return query;
  error_ = query->lastError().text();
  return nullptr;
}

int Registry::SchemaVersion() {
  const Finished finished{*this};
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("SELECT MAX(version) FROM schema_version"))) || !q->next())
    return -1;
  return q->value(0).isNull() ? 0 : q->value(0).toInt();
}

bool Registry::Migrate() {
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT "
                               "NULL)")))) {
    return false;
  }
  for (int version = 1; version <= kSchemaVersion; ++version) {
    if (!Migration(version)) return false;
  }
  const int found = SchemaVersion();
  if (found > kSchemaVersion) {
    error_ = QStringLiteral(
                 "the database is at schema version %1, newer than this tracker's %2: run the "
                 "newer tracker")
                 .arg(found)
                 .arg(kSchemaVersion);
    return false;
  }
  return true;
}

bool Registry::Migration(int version) {
  Transaction transaction(*this);
  QSqlQuery* q = nullptr;
  if (!transaction.open()) {
    error_ = db_.lastError().text();
    return false;
  }
  if (*dialect_->lock_schema && !(q = Run(QString::fromLatin1(dialect_->lock_schema))))
    return false;
  const int current = SchemaVersion();
  if (current < 0) return false;
  if (current >= version) return true;
  const auto run = [&](const auto& statements) {
    return std::all_of(std::begin(statements), std::end(statements),
                       [&](const char* statement) { return (q = Run(Sql(statement))); });
  };
  if (version == 1 && !run(kMigration1)) return false;
  if (version == 3 && !run(kMigration3)) return false;
  if (version == 4 && !run(kMigration4)) return false;
  if (version == 5 && !run(kMigration5)) return false;
  if (version == 6 && !run(kMigration6)) return false;
  if (version == 2) {
    if (!run(kMigration2)) return false;
    // Names registered before the search existed get their folded form here.
    std::vector<std::pair<qlonglong, std::string>> names;
    if (!(q = Run(QStringLiteral("SELECT id, name FROM rooms")))) return false;
    while (q->next()) names.emplace_back(q->value(0).toLongLong(), Text(q->value(1)));
    for (const auto& [id, name] : names) {
      if (!(q = Run(QStringLiteral("UPDATE rooms SET name_folded = ? WHERE id = ?"),
                    {Bytes(protocol::LowerCase(name)), id}))) {
        return false;
      }
    }
  }
  if (!(q = Run(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {version}))) {
    return false;
  }
  if (transaction.Commit()) return true;
  error_ = db_.lastError().text();
  return false;
}

std::optional<int64_t> Registry::BumpGeneration() {
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("UPDATE directory_state SET generation = generation + 1 "
                               "WHERE id = 1 RETURNING generation"))) ||
      !q->next()) {
    return std::nullopt;
  }
  return q->value(0).toLongLong();
}

std::optional<Registry::Owner> Registry::FindOwner(const std::string& key, bool* failed) {
  QSqlQuery* q =
      Run(QStringLiteral("SELECT secret, source FROM rooms WHERE key = ?"), {Bytes(key)});
  *failed = q == nullptr;
  if (!q || !q->next()) return std::nullopt;
  return Owner{Text(q->value(0)), Text(q->value(1))};
}

RoomStore::AddOutcome Registry::Add(const Room& room, const AddRequest& request, int64_t now_ms) {
  const Finished finished{*this};
  Transaction transaction(*this);
  if (!transaction.open()) return {};
  const std::optional<int64_t> generation = BumpGeneration();
  if (!generation) return {};

  QSqlQuery* q = nullptr;
  const QVariant source = Bytes(room.source);
  if (!(q = Run(QStringLiteral("DELETE FROM add_attempts WHERE at <= ?"),
                {Number(now_ms - kRateWindowMs)})) ||
      !(q = Run(QStringLiteral("SELECT COUNT(*) FROM add_attempts WHERE source = ?"), {source})) ||
      !q->next()) {
    return {};
  }
  if (q->value(0).toInt() >= MaxAddsPerMinute(room, request)) return {AddResult::kTooFrequent, {}};
  if (!(q = Run(QStringLiteral("INSERT INTO add_attempts (source, at) VALUES (?, ?)"),
                {source, Number(now_ms)}))) {
    return {};
  }
  // The attempt counts even when the room is refused below, so that is committed too.
  const auto commit = [&](AddResult result, std::string secret = {}) -> AddOutcome {
    if (!transaction.Commit()) return {};
    Changed(*generation);
    return {result, std::move(secret)};
  };

  bool failed = false;
  std::optional<Owner> owner = FindOwner(room.key, &failed);
  if (failed) return {};
  if (!owner && !request.old_key.empty() && request.old_key != room.key) {
    // A room listed under its old key moves to the new one, if it may change the old row.
    std::optional<Owner> old = FindOwner(request.old_key, &failed);
    if (failed) return {};
    if (old && MayChange(old->secret, old->source, request.secret, room.source)) {
      if (!(q = Run(QStringLiteral("UPDATE rooms SET key = ? WHERE key = ?"),
                    {Bytes(room.key), Bytes(request.old_key)}))) {
        return {};
      }
      owner = std::move(old);
    }
  }
  if (owner && !MayChange(owner->secret, owner->source, request.secret, room.source)) {
    return commit(AddResult::kNotYours);
  }
  // The secret the row keeps, and the one the answer carries when the request lacked it.
  std::string secret = owner && !owner->secret.empty() ? owner->secret : request.new_secret;
  std::string answered = secret == request.secret ? std::string() : secret;

  const bool of_host = !room.host.empty();
  const QVariant host = Bytes(room.host);
  // One host an address: its rooms are exempt from the limits by address below, so a second
  // host there would be a way round them.
  if (of_host) {
    if (!(q = Run(QStringLiteral("SELECT COUNT(DISTINCT host_key) FROM rooms WHERE source = ? AND "
                                 "key <> ? AND NOT %1 AND host_key <> ?")
                      .arg(QLatin1String(kNoHost)),
                  {source, Bytes(room.key), host})) ||
        !q->next()) {
      return {};
    }
    if (q->value(0).toInt() >= kMaxHostsPerSource) return commit(AddResult::kOtherHost);
  }
  // A host's rooms at its own address are bounded by the limit per host, and count for nobody
  // else's: they point at no third party. Every other listing counts as ever.
  if (request.max_per_address > 0 && !(of_host && room.address == room.source)) {
    if (!(q = Run(QStringLiteral("SELECT COUNT(*) FROM rooms WHERE address = ? AND key <> ? AND "
                                 "(%1 OR address <> source)")
                      .arg(QLatin1String(kNoHost)),
                  {Bytes(room.address), Bytes(room.key)})) ||
        !q->next()) {
      return {};
    }
    if (q->value(0).toInt() >= request.max_per_address) return commit(AddResult::kAddressFull);
  }

  const QVariantList fields = {Bytes(room.name),
                               Bytes(room.description),
                               Bytes(room.address),
                               room.port,
                               Bytes(room.version),
                               Bytes(room.admin_name),
                               Bytes(room.admin_email),
                               room.is_private ? 1 : 0,
                               Number(room.total_connections),
                               Number(room.total_games),
                               Number(room.total_rounds),
                               Number(room.total_words),
                               Number(room.total_wordlists),
                               source,
                               room.players,
                               room.locked ? 1 : 0,
                               Bytes(protocol::LowerCase(room.name)),
                               Bytes(secret),
                               Bytes(room.web),
                               Bytes(room.code),
                               host,
                               room.free,
                               Bytes(room.language),
                               Bytes(room.key)};
  // A known room refreshing its entry is the usual request, and no room limit applies to it.
  if (owner) {
    if (!(q = Run(QStringLiteral(
                      "UPDATE rooms SET name=?, description=?, address=?, port=?, version=?, "
                      "admin_name=?, admin_email=?, private=?, total_connections=?, "
                      "total_games=?, total_rounds=?, total_words=?, total_wordlists=?, source=?, "
                      "players=?, locked=?, name_folded=?, secret=?, web=?, code=?, host_key=?, "
                      "free_rooms=?, language=?, failed_probes=0 WHERE key=?"),
                  fields))) {
      return {};
    }
    return commit(AddResult::kUpdated, std::move(answered));
  }

  // A host's rooms count against its own limit, not its address's: a host lists hundreds.
  if (!(q = Run(QStringLiteral("SELECT COUNT(*), COUNT(CASE WHEN source = ? AND %1 THEN 1 END), "
                               "COUNT(CASE WHEN host_key = ? THEN 1 END) FROM rooms")
                    .arg(QLatin1String(kNoHost)),
                {source, host})) ||
      !q->next()) {
    return {};
  }
  if (q->value(0).toInt() >= kMaxRooms) return commit(AddResult::kFull);
  if (!of_host && q->value(1).toInt() >= kMaxRoomsPerSource) {
    return commit(AddResult::kSourceFull);
  }
  if (of_host && request.max_per_host > 0 && q->value(2).toInt() >= request.max_per_host) {
    return commit(AddResult::kHostFull);
  }
  if (!(q = Run(QStringLiteral(
                    "INSERT INTO rooms (name, description, address, port, version, admin_name, "
                    "admin_email, private, total_connections, total_games, total_rounds, "
                    "total_words, total_wordlists, source, players, locked, name_folded, secret, "
                    "web, code, host_key, free_rooms, language, key) VALUES (?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, "
                    "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                fields))) {
    return {};
  }
  return commit(AddResult::kAdded, std::move(answered));
}

RoomStore::RemoveResult Registry::Remove(const std::string& key, const std::string& secret,
                                         const std::string& source) {
  const Finished finished{*this};
  Transaction transaction(*this);
  // First, so that no other instance changes the row between the check and the removal.
  const std::optional<int64_t> generation = BumpGeneration();
  if (!generation) return RemoveResult::kFailed;
  bool failed = false;
  const std::optional<Owner> owner = FindOwner(key, &failed);
  if (failed) return RemoveResult::kFailed;
  if (!owner) return RemoveResult::kNotFound;
  if (!MayChange(owner->secret, owner->source, secret, source)) return RemoveResult::kNotYours;
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("DELETE FROM rooms WHERE key = ?"), {Bytes(key)})) ||
      q->numRowsAffected() <= 0 || !transaction.Commit()) {
    return RemoveResult::kFailed;
  }
  Changed(*generation);
  return RemoveResult::kRemoved;
}

std::vector<Room> Registry::Select(const QString& condition, const QVariantList& values) {
  const Finished finished{*this};
  std::vector<Room> rooms;
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("SELECT %1 FROM rooms %2").arg(QLatin1String(kColumns), condition),
                values))) {
    return rooms;
  }
  while (q->next()) rooms.push_back(FromQuery(*q));
  return rooms;
}

std::vector<Room> Registry::Listed(size_t limit) {
  return Select(QStringLiteral("WHERE private = 0 %1 LIMIT ?").arg(QLatin1String(kListingOrder)),
                {qulonglong(limit)});
}

RoomStore::Page Registry::ListedPage(std::string_view search, std::string_view language,
                                     size_t offset, size_t limit) {
  const Finished finished{*this};
  Page page;
  QString condition = QStringLiteral("WHERE private = 0");
  QVariantList values;
  if (!search.empty()) {
    condition += QStringLiteral(" AND ") + QLatin1String(dialect_->contains);
    values << Bytes(protocol::LowerCase(search));
  }
  if (!language.empty()) {
    condition += QStringLiteral(" AND language = ?");
    values << Bytes(std::string(language));
  }
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("SELECT COUNT(*) FROM rooms ") + condition, values)) || !q->next())
    return page;
  page.total = q->value(0).toLongLong();
  // Every language of the list, so that the choice of one still offers the others.
  if (!(q = Run(QStringLiteral("SELECT DISTINCT language FROM rooms WHERE private = 0 AND "
                               "COALESCE(length(language), 0) > 0 ORDER BY language")))) {
    return page;
  }
  while (q->next()) page.languages.push_back(Text(q->value(0)));
  values << qulonglong(limit) << qulonglong(offset);
  page.rooms = Select(
      condition + QStringLiteral(" %1 LIMIT ? OFFSET ?").arg(QLatin1String(kListingOrder)), values);
  return page;
}

std::optional<std::string> Registry::RoomyHost() {
  const Finished finished{*this};
  // The visitor sent there takes one room off the host's count until the host next tells its
  // own, so that visitors who come together are spread over the hosts rather than all sent to
  // the one that was roomiest when they came.
  QSqlQuery* q = Run(QStringLiteral("UPDATE rooms SET free_rooms = free_rooms - 1 WHERE id IN ("
                                    "SELECT id FROM rooms WHERE free_rooms > 0 AND NOT %1 AND "
                                    "COALESCE(length(code), 0) = 0 AND "
                                    "COALESCE(length(web), 0) > 0 AND failed_probes = 0 "
                                    "ORDER BY free_rooms DESC, id LIMIT 1%2) RETURNING web")
                         .arg(QLatin1String(kNoHost), QLatin1String(dialect_->skip_locked)));
  if (!q || !q->next()) return std::nullopt;
  return Text(q->value(0));
}

RoomStore::Counts Registry::CountRooms() {
  const Finished finished{*this};
  Counts counts;
  QSqlQuery* q = Run(QStringLiteral("SELECT private, COUNT(*) FROM rooms GROUP BY private"));
  while (q && q->next()) {
    (q->value(0).toInt() != 0 ? counts.private_rooms : counts.listed) = q->value(1).toLongLong();
  }
  return counts;
}

void Registry::ScheduleNew(int64_t due_ms) {
  const Finished finished{*this};
  Run(QStringLiteral("UPDATE rooms SET probe_due = ? WHERE probe_due IS NULL"), {Number(due_ms)});
}

std::vector<ProbeTarget> Registry::ClaimDue(int64_t now_ms, const std::string& owner,
                                            int64_t lease_ms, size_t limit) {
  const Finished finished{*this};
  QSqlQuery* q = nullptr;
  const QString sql =
      QStringLiteral(
          "UPDATE rooms SET lease_owner = ?, lease_until = ? WHERE id IN (SELECT id FROM rooms "
          "WHERE probe_due <= ? AND (lease_until IS NULL OR lease_until <= ?) "
          "ORDER BY probe_due, id LIMIT ?%1) RETURNING key, address, port, probe_due, id, code")
          .arg(QLatin1String(dialect_->skip_locked));
  std::vector<std::tuple<int64_t, int64_t, ProbeTarget>> claimed;
  if (!(q = Run(sql, {Bytes(owner), Number(now_ms + lease_ms), Number(now_ms), Number(now_ms),
                      qulonglong(limit)}))) {
    return {};
  }
  while (q->next()) {
    claimed.emplace_back(
        q->value(3).toLongLong(), q->value(4).toLongLong(),
        ProbeTarget{Text(q->value(0)), Text(q->value(1)), q->value(2).toInt(), Text(q->value(5))});
  }
  // RETURNING keeps no order; the earliest due go first.
  std::sort(claimed.begin(), claimed.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  std::vector<ProbeTarget> targets;
  for (auto& entry : claimed) targets.push_back(std::move(std::get<2>(entry)));
  return targets;
}

bool Registry::RecordProbe(const std::string& key, const std::string& owner, bool alive,
                           int64_t next_due_ms) {
  const Finished finished{*this};
  QSqlQuery* q = nullptr;
  const QString release = QStringLiteral(
      "probe_due = ?, lease_owner = NULL, lease_until = NULL WHERE key = ? AND lease_owner = ?");
  if (alive) {
    Run(QStringLiteral("UPDATE rooms SET failed_probes = 0, ") + release,
        {Number(next_due_ms), Bytes(key), Bytes(owner)});
    return false;
  }
  // Only the instance holding the lease may count this failure, so a room is dropped once.
  if (!(q = Run(QStringLiteral("UPDATE rooms SET failed_probes = failed_probes + 1, ") + release +
                    QStringLiteral(" AND failed_probes + 1 < ?"),
                {Number(next_due_ms), Bytes(key), Bytes(owner), kMaxFailedProbes})) ||
      q->numRowsAffected() > 0) {
    return false;
  }
  Transaction transaction(*this);
  const std::optional<int64_t> generation = BumpGeneration();
  if (!generation ||
      !(q = Run(QStringLiteral("DELETE FROM rooms WHERE key = ? AND lease_owner = ? AND "
                               "failed_probes + 1 >= ?"),
                {Bytes(key), Bytes(owner), kMaxFailedProbes})) ||
      q->numRowsAffected() <= 0 || !transaction.Commit()) {
    return false;
  }
  Changed(*generation);
  return true;
}

void Registry::ReleaseLeases(const std::string& owner) {
  const Finished finished{*this};
  Run(QStringLiteral(
          "UPDATE rooms SET lease_owner = NULL, lease_until = NULL WHERE lease_owner = ?"),
      {Bytes(owner)});
}

bool Registry::Sync() {
  const Finished finished{*this};
  QSqlQuery* q = nullptr;
  if (!(q = Run(QStringLiteral("SELECT generation FROM directory_state WHERE id = 1"))) ||
      !q->next()) {
    // A PostgreSQL server that restarted dropped this connection: the next tick has a new one.
    prepared_.clear();
    db_.close();
    Connect();
    return false;
  }
  const int64_t seen = q->value(0).toLongLong();
  if (seen != seen_database_generation_) {
    ++generation_;
    seen_database_generation_ = seen;
  }
  return true;
}

std::vector<Room> Registry::All() {
  return Select(QStringLiteral("ORDER BY id"));
}

std::vector<Room> Registry::Failing() {
  return Select(QStringLiteral("WHERE failed_probes > 0 ORDER BY id"));
}

std::optional<Room> Registry::Find(const std::string& key) {
  std::vector<Room> rooms = Select(QStringLiteral("WHERE key = ?"), {Bytes(key)});
  if (rooms.empty()) return std::nullopt;
  return std::move(rooms.front());
}

}  // namespace tracker
