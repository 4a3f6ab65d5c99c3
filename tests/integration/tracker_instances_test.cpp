// SPDX-License-Identifier: MIT
// Two scrawlbox-tracker processes on one PostgreSQL database serve one directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <memory>

#include "directory/records.h"
#include "directory/tracker.h"
#include "tests/integration/server_process.h"
#include "tests/integration/tracker_process.h"
#include "tests/support/postgres_cluster.h"
#include "tests/tracker/backends.h"

namespace testing_support {
namespace {

using directory::ReplyRecord;
using testing::ElementsAre;
using testing::StartsWith;
using testing::UnorderedElementsAreArray;

// How often each key was reported dropped, over every instance's log.
int DropsOf(const std::string& key, std::initializer_list<const TrackerProcess*> trackers) {
  int drops = 0;
  for (const TrackerProcess* tracker : trackers) {
    drops += tracker->output().count(QString::fromStdString("Dropped " + key + ":"));
  }
  return drops;
}

class TwoTrackers : public testing::TestWithParam<tracker::Backend> {
 protected:
  void SetUp() override {
    SCRAWLBOX_POSTGRES_DATABASE(database_);
    a = Instance("A");
    b = Instance("B");
    ASSERT_TRUE(a->Start()) << a->output().toStdString();
    ASSERT_TRUE(b->Start()) << b->output().toStdString();
  }

  std::unique_ptr<TrackerProcess> Instance(const std::string& name) {
    return std::make_unique<TrackerProcess>(
        TrackerOptions{.probe_seconds = probe_seconds, .database = database_, .instance = name});
  }

  // Rows of the rooms table that hold a lease of the instance.
  int LeasesOf(const std::string& instance) {
    std::string error;
    const auto url = tracker::ParseDatabaseUrl(database_, &error);
    int leases = 0;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("look"));
      db.setHostName(QString::fromStdString(url->host));
      db.setPort(url->port);
      db.setUserName(QString::fromStdString(url->user));
      db.setDatabaseName(QString::fromStdString(url->database));
      if (db.open()) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT COUNT(*) FROM rooms WHERE lease_owner = '%1'::bytea")
                   .arg(QString::fromStdString(instance)));
        if (q.next()) leases = q.value(0).toInt();
      }
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    return leases;
  }

  int probe_seconds = 600;
  std::string database_;
  std::unique_ptr<TrackerProcess> a;
  std::unique_ptr<TrackerProcess> b;
};

// The limits across instances are the registry's test; here the kept answers of two processes.
TEST_P(TwoTrackers, AnAddThroughOneIsListedByTheOtherAndUpdatedThroughIt) {
  EXPECT_THAT(RoomNames(*b), ElementsAre());
  EXPECT_THAT(ReplyRecord(Ask(*a, AddQuery("ONE", 2020))), StartsWith("STATUS=SUBMITOK|EXTRA=|"));
  // b answered VIEW before, so its kept answer must be invalidated through the database.
  EXPECT_TRUE(WaitUntil([&] { return RoomNames(*b) == std::vector<std::string>{"ONE"}; }, 2000));
  EXPECT_THAT(ReplyRecord(Ask(*b, AddQuery("ONE", 2021))), StartsWith("STATUS=UPDATEOK|EXTRA=|"));
}

class ProbingTrackers : public TwoTrackers {
 protected:
  ProbingTrackers() { probe_seconds = 1; }
};

// That each room is probed and dropped once by one of several instances is the prober's and the
// registry's test; here the leases of a killed process.
TEST_P(ProbingTrackers, KillingOneInstanceLeavesTheOtherProbingEveryRoom) {
  ServerProcess live("Name=Alive\n");
  ASSERT_TRUE(live.Start());
  // Whichever instance ticks first claims every due room, so with both running A may never
  // hold a lease. B stays away until A holds some.
  b->Kill();
  // Rooms that take the connection and never answer: each probe runs to its time-out, so an
  // instance holds leases for a while.
  QTcpServer silent_rooms[4];
  std::vector<std::string> silent_keys;
  for (QTcpServer& room : silent_rooms) {
    ASSERT_TRUE(room.listen(QHostAddress::LocalHost, 0));
    silent_keys.push_back("SILENT" + std::to_string(room.serverPort()));
    Ask(*a, AddQuery(silent_keys.back(), room.serverPort()));
  }
  const std::string live_key = live.ListingKey();
  Ask(*a, AddQuery(live_key, live.port(), "LIVE"));
  // The waits end as soon as what they wait for happens; their bounds only have to hold on a
  // machine busy with other builds.
  ASSERT_TRUE(WaitUntil([&] { return LeasesOf("A") > 0; }, 30000));
  b = Instance("B");
  ASSERT_TRUE(b->Start()) << b->output().toStdString();
  a->Kill();

  // B takes A's rooms once their leases run out, and drops every silent one, each once.
  for (const std::string& key : silent_keys) {
    EXPECT_TRUE(b->WaitForOutput(QString::fromStdString("Dropped " + key + ":"), 30000)) << key;
    EXPECT_EQ(DropsOf(key, {a.get(), b.get()}), 1) << key;
  }
  EXPECT_THAT(RoomNames(*b), ElementsAre("LIVE"));
  EXPECT_EQ(LeasesOf("A"), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, TwoTrackers, testing::Values(tracker::Backend::kPostgresql),
                         tracker::BackendName);
INSTANTIATE_TEST_SUITE_P(Backends, ProbingTrackers, testing::Values(tracker::Backend::kPostgresql),
                         tracker::BackendName);

}  // namespace
}  // namespace testing_support
