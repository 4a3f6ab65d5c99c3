// SPDX-License-Identifier: MIT
#include "tests/tracker/backends.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "tests/support/postgres_cluster.h"

namespace tracker {

void OnBackend::Open(std::initializer_list<Registry*> registries) {
  std::string text =
      "sqlite:" + (registries.size() == 1 ? ":memory:" : (dir_ / "tracker.sqlite").string());
  if (GetParam() == Backend::kPostgresql) SCRAWLBOX_POSTGRES_DATABASE(text);
  std::string error;
  const auto parsed = ParseDatabaseUrl(text, &error);
  ASSERT_TRUE(parsed) << error;
  url_ = *parsed;
  for (Registry* registry : registries) {
    ASSERT_TRUE(registry->Open(url_)) << registry->error().toStdString();
  }
}

bool RawExec(const DatabaseUrl& url, const QString& sql) {
  bool ok = false;
  {
    const bool sqlite = url.kind == DatabaseUrl::Kind::kSqlite;
    QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", "raw");
    db.setDatabaseName(QString::fromStdString(sqlite ? url.path : url.database));
    db.setHostName(QString::fromStdString(url.host));
    db.setPort(url.port);
    db.setUserName(QString::fromStdString(url.user));
    if (db.open()) {
      QSqlQuery q(db);
      ok = q.exec(sql);
      if (!ok) ADD_FAILURE() << q.lastError().text().toStdString();
    }
  }
  QSqlDatabase::removeDatabase("raw");
  return ok;
}

Room MakeRoom(const std::string& key, const std::string& source, const std::string& address) {
  Room room;
  room.key = room.name = key;
  room.address = address;
  room.port = 2020;
  room.source = source;
  return room;
}

std::vector<std::string> Keys(const std::vector<Room>& rooms) {
  std::vector<std::string> keys;
  for (const Room& room : rooms) keys.push_back(room.key);
  return keys;
}

}  // namespace tracker
