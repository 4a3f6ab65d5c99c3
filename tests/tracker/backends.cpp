// SPDX-License-Identifier: MIT
#include "tests/tracker/backends.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "tests/support/postgres_cluster.h"

namespace tracker {

std::string BackendName(const testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::kSqlite ? "Sqlite" : "Postgres";
}

void OnBackend::MakeDatabase(bool shared) {
  std::string text = "sqlite:" + (shared ? (dir_ / "tracker.sqlite").string() : ":memory:");
  if (GetParam() == Backend::kPostgresql) SCRAWLBOX_POSTGRES_DATABASE(text);
  std::string error;
  const auto parsed = ParseDatabaseUrl(text, &error);
  ASSERT_TRUE(parsed) << error;
  url_ = *parsed;
}

bool RawExec(const DatabaseUrl& url, const QString& sql) {
  const QString name = QStringLiteral("raw");
  bool ok = false;
  {
    const bool sqlite = url.kind == DatabaseUrl::Kind::kSqlite;
    QSqlDatabase db = QSqlDatabase::addDatabase(
        sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
    db.setDatabaseName(QString::fromStdString(sqlite ? url.path : url.database));
    db.setHostName(QString::fromStdString(url.host));
    db.setPort(url.port);
    db.setUserName(QString::fromStdString(url.user));
    if (db.open()) {
      QSqlQuery q(db);
      ok = q.exec(sql);
      if (!ok) ADD_FAILURE() << q.lastError().text().toStdString();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return ok;
}

}  // namespace tracker
