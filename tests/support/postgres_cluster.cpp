// SPDX-License-Identifier: MIT
#include "tests/support/postgres_cluster.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace testing_support {

std::string PostgresCluster::FreshDatabase(std::string* error) {
  const QString host = qEnvironmentVariable("PGHOST");
  if (host.isEmpty()) {
    *error =
        "no PostgreSQL cluster: PGHOST is not set (ctest runs these tests under "
        "pg_virtualenv from Debian's postgresql-common, which scripts/deps installs)";
    return {};
  }
  static int databases = 0;
  const QString name =
      QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++databases);
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setHost(host);
  url.setPort(qEnvironmentVariableIntValue("PGPORT"));
  url.setUserName(qEnvironmentVariable("PGUSER"));
  url.setPassword(qEnvironmentVariable("PGPASSWORD"));
  url.setPath(QStringLiteral("/") + name);
  QString why;
  {
    // Without Qt's driver (libqt6sql6-psql) this says "Driver not loaded".
    QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    admin.setHostName(host);
    admin.setPort(url.port());
    admin.setUserName(url.userName());
    admin.setPassword(url.password());
    admin.setDatabaseName(QStringLiteral("postgres"));
    if (!admin.open()) {
      why = admin.lastError().text();
    } else if (QSqlQuery create(admin); !create.exec(QStringLiteral("CREATE DATABASE ") + name)) {
      why = create.lastError().text();
    }
  }
  QSqlDatabase::removeDatabase(name);
  if (!why.isEmpty()) {
    *error = "cannot create a test database: " + why.toStdString();
    return {};
  }
  return url.toString().toStdString();
}

}  // namespace testing_support
