// SPDX-License-Identifier: MIT
#include "tracker/registry.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace tracker {

namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}
std::string Text(const QVariant& value) {
  return value.toByteArray().toStdString();
}

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
  return r;
}

constexpr char kColumns[] =
    "key, name, description, address, port, version, admin_name, admin_email, private, "
    "total_connections, total_games, total_rounds, total_words, total_wordlists, source, "
    "failed_probes";

}  // namespace

Registry::Registry() {
  // Each registry has its own connection, so that several can live in one process.
  static int count = 0;
  connection_ = QStringLiteral("tracker-%1").arg(++count);
}

Registry::~Registry() {
  if (!db_.isValid()) return;
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(connection_);
}

bool Registry::Open(const QString& path) {
  db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
  db_.setDatabaseName(path);
  if (!db_.open()) {
    error_ = db_.lastError().text();
    return false;
  }
  QSqlQuery q(db_);
  // Texts are kept as the bytes the servers sent (8-bit text), hence BLOB.
  if (!q.exec(QStringLiteral(
          "CREATE TABLE IF NOT EXISTS rooms ("
          " id INTEGER PRIMARY KEY AUTOINCREMENT, key BLOB UNIQUE NOT NULL, name BLOB, "
          " description BLOB, address BLOB, port INTEGER, version BLOB, admin_name BLOB, "
          " admin_email BLOB, private INTEGER, total_connections INTEGER, total_games INTEGER, "
          " total_rounds INTEGER, total_words INTEGER, total_wordlists INTEGER, source BLOB, "
          " failed_probes INTEGER DEFAULT 0)"))) {
    error_ = q.lastError().text();
    return false;
  }
  return true;
}

Registry::AddResult Registry::Add(const Room& room) {
  const auto bind_fields = [&room](QSqlQuery& q) {
    for (const QVariant& value :
         {QVariant(Bytes(room.name)), QVariant(Bytes(room.description)),
          QVariant(Bytes(room.address)), QVariant(room.port), QVariant(Bytes(room.version)),
          QVariant(Bytes(room.admin_name)), QVariant(Bytes(room.admin_email)),
          QVariant(room.is_private ? 1 : 0), QVariant(qlonglong(room.total_connections)),
          QVariant(qlonglong(room.total_games)), QVariant(qlonglong(room.total_rounds)),
          QVariant(qlonglong(room.total_words)), QVariant(qlonglong(room.total_wordlists)),
          QVariant(Bytes(room.source)), QVariant(Bytes(room.key))}) {
      q.addBindValue(value);
    }
  };
  // A known room refreshing its entry is the usual request: one statement, and no limits.
  QSqlQuery update(db_);
  update.prepare(QStringLiteral(
      "UPDATE rooms SET name=?, description=?, address=?, port=?, version=?, admin_name=?, "
      "admin_email=?, private=?, total_connections=?, total_games=?, total_rounds=?, "
      "total_words=?, total_wordlists=?, source=?, failed_probes=0 WHERE key=?"));
  bind_fields(update);
  if (update.exec() && update.numRowsAffected() > 0) {
    Changed();
    return AddResult::kUpdated;
  }

  QSqlQuery count(db_);
  count.prepare(
      QStringLiteral("SELECT COUNT(*), COUNT(CASE WHEN source = ? THEN 1 END) FROM rooms"));
  count.addBindValue(Bytes(room.source));
  if (count.exec() && count.next()) {
    if (count.value(0).toInt() >= kMaxRooms) return AddResult::kFull;
    if (count.value(1).toInt() >= kMaxRoomsPerSource) return AddResult::kSourceFull;
  }
  QSqlQuery insert(db_);
  insert.prepare(QStringLiteral(
      "INSERT INTO rooms (name, description, address, port, version, admin_name, admin_email, "
      "private, total_connections, total_games, total_rounds, total_words, total_wordlists, "
      "source, key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  bind_fields(insert);
  if (!insert.exec()) return AddResult::kFailed;
  Changed();
  return AddResult::kAdded;
}

bool Registry::Remove(const std::string& key) {
  QSqlQuery q(db_);
  q.prepare(QStringLiteral("DELETE FROM rooms WHERE key = ?"));
  q.addBindValue(Bytes(key));
  q.exec();
  if (q.numRowsAffected() <= 0) return false;
  Changed();
  return true;
}

std::vector<Room> Registry::Select(const char* condition) const {
  std::vector<Room> rooms;
  QSqlQuery q(db_);
  q.exec(QStringLiteral("SELECT %1 FROM rooms %2 ORDER BY id")
             .arg(QString::fromLatin1(kColumns), QString::fromLatin1(condition)));
  while (q.next()) rooms.push_back(FromQuery(q));
  return rooms;
}

const std::vector<Room>& Registry::Listed() const {
  if (!listed_) listed_ = Select("WHERE private = 0");
  return *listed_;
}

std::vector<Room> Registry::All() const {
  return Select("");
}

std::vector<Room> Registry::Failing() const {
  return Select("WHERE failed_probes > 0");
}

std::optional<Room> Registry::Find(const std::string& key) const {
  QSqlQuery q(db_);
  q.prepare(
      QStringLiteral("SELECT %1 FROM rooms WHERE key = ?").arg(QString::fromLatin1(kColumns)));
  q.addBindValue(Bytes(key));
  q.exec();
  if (!q.next()) return std::nullopt;
  return FromQuery(q);
}

bool Registry::RecordProbe(const std::string& key, bool alive) {
  // The count of failed probes is in no list or page, so only a drop counts as a change.
  QSqlQuery q(db_);
  if (alive) {
    q.prepare(
        QStringLiteral("UPDATE rooms SET failed_probes = 0 WHERE key = ? AND failed_probes <> 0"));
    q.addBindValue(Bytes(key));
    q.exec();
    return false;
  }
  q.prepare(QStringLiteral("UPDATE rooms SET failed_probes = failed_probes + 1 WHERE key = ?"));
  q.addBindValue(Bytes(key));
  q.exec();
  QSqlQuery drop(db_);
  drop.prepare(QStringLiteral("DELETE FROM rooms WHERE key = ? AND failed_probes >= ?"));
  drop.addBindValue(Bytes(key));
  drop.addBindValue(kMaxFailedProbes);
  drop.exec();
  if (drop.numRowsAffected() <= 0) return false;
  Changed();
  return true;
}

}  // namespace tracker
