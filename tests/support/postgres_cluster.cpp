// SPDX-License-Identifier: MIT
#include "tests/support/postgres_cluster.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <optional>

namespace testing_support {
namespace {

constexpr char kUser[] = "scrawlbox";

// The newest installed PostgreSQL's programs.
QString ProgramFolder() {
  const QDir root(QStringLiteral("/usr/lib/postgresql"));
  QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  std::reverse(versions.begin(), versions.end());
  for (const QString& version : versions) {
    const QString bin = root.filePath(version + QStringLiteral("/bin"));
    if (QFile::exists(bin + QStringLiteral("/pg_ctl"))) return bin;
  }
  return {};
}

class Cluster {
 public:
  ~Cluster() {
    if (started_) Run("pg_ctl", {"-D", Data(), "-m", "immediate", "stop"});
  }

  // Empty when the cluster runs, else why it does not.
  std::string Start() {
    bin_ = ProgramFolder();
    if (bin_.isEmpty()) {
      return "PostgreSQL is not installed (initdb and pg_ctl from Debian's postgresql package; "
             "scripts/deps installs it)";
    }
    // Without Qt's driver (libqt6sql6-psql) the first database says "Driver not loaded".
    if (geteuid() == 0) {
      const passwd* user = getpwnam("postgres");
      if (!user || chown(folder_.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid)) {
        return "PostgreSQL refuses to run as root, and there is no postgres user to run it as";
      }
    }
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    port_ = probe.serverPort();
    probe.close();
    std::string error = Run("initdb", {"-D", Data(), "-U", kUser, "--auth=trust", "--no-sync", "-E",
                                       "UTF8", "--locale=C"});
    if (!error.empty()) return error;
    // Durability is of no use to a throwaway cluster; speed is.
    const QString options = QStringLiteral(
                                "-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                "-c synchronous_commit=off -c full_page_writes=off "
                                "-c max_connections=200")
                                .arg(port_)
                                .arg(folder_.path());
    error = Run("pg_ctl", {"-D", Data(), "-l", folder_.filePath(QStringLiteral("log")), "-o",
                           options, "-w", "start"});
    started_ = error.empty();
    return error;
  }

  std::string CreateDatabase(std::string* error) {
    const QString name =
        QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++databases_);
    bool ok = false;
    QString why;
    {
      QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
      admin.setHostName(QStringLiteral("127.0.0.1"));
      admin.setPort(port_);
      admin.setUserName(QLatin1String(kUser));
      admin.setDatabaseName(QStringLiteral("postgres"));
      ok = admin.open();
      why = admin.lastError().text();
      if (ok) {
        QSqlQuery q(admin);
        ok = q.exec(QStringLiteral("CREATE DATABASE ") + name);
        why = q.lastError().text();
      }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok) {
      *error = "cannot create a test database: " + why.toStdString();
      return {};
    }
    return "postgresql://" + std::string(kUser) + "@127.0.0.1:" + std::to_string(port_) + "/" +
           name.toStdString();
  }

 private:
  QString Data() const { return folder_.filePath(QStringLiteral("data")); }

  // Runs one of PostgreSQL's programs, as the postgres user under root; empty when it
  // succeeded, else what it said.
  std::string Run(const char* program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList command =
        QStringList{bin_ + QStringLiteral("/") + QLatin1String(program)} + arguments;
    if (geteuid() == 0) command = QStringList{"runuser", "-u", "postgres", "--"} + command;
    process.start(command.takeFirst(), command);
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0) {
      return {};
    }
    return std::string(program) + " failed: " + process.readAll().toStdString();
  }

  QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/scrawlbox-pg-XXXXXX")};
  QString bin_;
  quint16 port_ = 0;
  bool started_ = false;
  int databases_ = 0;
};

std::unique_ptr<Cluster> shared;
// Set once a start has failed, so that every later test says why without trying again.
std::optional<std::string> start_error;

class PostgresEnvironment : public testing::Environment {
 public:
  void TearDown() override { PostgresCluster::Stop(); }
};

}  // namespace

std::string PostgresCluster::FreshDatabase(std::string* error) {
  if (!shared && !start_error) {
    shared = std::make_unique<Cluster>();
    const std::string why = shared->Start();
    if (!why.empty()) {
      start_error = "PostgreSQL could not be started: " + why;
      shared.reset();
    }
  }
  if (start_error) {
    *error = *start_error;
    return {};
  }
  return shared->CreateDatabase(error);
}

void PostgresCluster::Stop() {
  shared.reset();
}

void AddPostgresEnvironment() {
  testing::AddGlobalTestEnvironment(new PostgresEnvironment);
}

}  // namespace testing_support
