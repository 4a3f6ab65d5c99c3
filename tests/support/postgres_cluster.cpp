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
#include <memory>
#include <optional>

namespace testing_support {

namespace {

constexpr char kUser[] = "scrawlbox";
constexpr int kCommandMs = 60000;

// The newest installed PostgreSQL's programs.
QString ProgramFolder() {
  const QDir root(QStringLiteral("/usr/lib/postgresql"));
  const QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (auto it = versions.rbegin(); it != versions.rend(); ++it) {
    const QString bin = root.filePath(*it + QStringLiteral("/bin"));
    if (QFile::exists(bin + QStringLiteral("/pg_ctl"))) return bin;
  }
  return {};
}

class Cluster {
 public:
  // Nothing, with *error set, when a step fails.
  static std::unique_ptr<Cluster> Start(std::string* error) {
    auto cluster = std::unique_ptr<Cluster>(new Cluster);
    if (!cluster->Init(error)) return nullptr;
    return cluster;
  }

  ~Cluster() {
    if (started_)
      Run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), Data(), QStringLiteral("-m"),
                                     QStringLiteral("immediate"), QStringLiteral("stop")});
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
      admin.close();
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
  Cluster() : folder_(QDir::tempPath() + QStringLiteral("/scrawlbox-pg-XXXXXX")) {}

  QString Data() const { return folder_.filePath(QStringLiteral("data")); }

  bool Init(std::string* error) {
    bin_ = ProgramFolder();
    if (bin_.isEmpty()) {
      *error =
          "PostgreSQL is not installed (initdb and pg_ctl from Debian's postgresql package; "
          "scripts/deps installs it)";
      return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
      *error =
          "Qt's PostgreSQL driver is not installed (libqt6sql6-psql; scripts/deps installs it)";
      return false;
    }
    if (!folder_.isValid()) {
      *error = "cannot make a folder for the PostgreSQL cluster";
      return false;
    }
    if (geteuid() == 0) {
      const passwd* user = getpwnam("postgres");
      if (!user ||
          chown(folder_.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
        *error = "PostgreSQL refuses to run as root, and there is no postgres user to run it as";
        return false;
      }
    }
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    port_ = probe.serverPort();
    probe.close();
    if (!Run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), Data(), QStringLiteral("-U"), QLatin1String(kUser),
              QStringLiteral("--auth=trust"), QStringLiteral("--no-sync"), QStringLiteral("-E"),
              QStringLiteral("UTF8"), QStringLiteral("--locale=C")},
             error)) {
      return false;
    }
    // Durability is of no use to a throwaway cluster; speed is.
    const QString options =
        QStringLiteral(
            "-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
            "-c synchronous_commit=off -c full_page_writes=off -c max_connections=200")
            .arg(port_)
            .arg(folder_.path());
    started_ = Run(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), Data(), QStringLiteral("-l"),
                    folder_.filePath(QStringLiteral("log")), QStringLiteral("-o"), options,
                    QStringLiteral("-w"), QStringLiteral("start")},
                   error);
    return started_;
  }

  // Runs one of PostgreSQL's programs, as the postgres user under root.
  bool Run(const QString& program, const QStringList& arguments, std::string* error = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString path = bin_ + QStringLiteral("/") + program;
    if (geteuid() == 0) {
      process.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                QStringLiteral("--"), path} +
                        arguments);
    } else {
      process.start(path, arguments);
    }
    const bool ok = process.waitForFinished(kCommandMs) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok && error) {
      *error = program.toStdString() + " failed: " + process.readAll().toStdString();
    }
    return ok;
  }

  QTemporaryDir folder_;
  QString bin_;
  quint16 port_ = 0;
  bool started_ = false;
  int databases_ = 0;
};

std::unique_ptr<Cluster>& Shared() {
  static std::unique_ptr<Cluster> cluster;
  return cluster;
}

// Set once a start has failed, so that every later test says why without trying again.
std::optional<std::string>& StartError() {
  static std::optional<std::string> error;
  return error;
}

class PostgresEnvironment : public testing::Environment {
 public:
  void TearDown() override { PostgresCluster::Stop(); }
};

}  // namespace

std::string PostgresCluster::FreshDatabase(std::string* error) {
  if (StartError()) {
    *error = *StartError();
    return {};
  }
  if (!Shared()) {
    std::string why;
    Shared() = Cluster::Start(&why);
    if (!Shared()) {
      StartError() = "PostgreSQL could not be started: " + why;
      *error = *StartError();
      return {};
    }
  }
  return Shared()->CreateDatabase(error);
}

void PostgresCluster::Stop() {
  Shared().reset();
}

void AddPostgresEnvironment() {
  testing::AddGlobalTestEnvironment(new PostgresEnvironment);
}

}  // namespace testing_support
