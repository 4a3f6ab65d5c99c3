// SPDX-License-Identifier: MIT
// The store on both back ends: limits that hold across instances, leases, the page's search, and
// the schema's migrations.
#include "tracker/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include "tests/tracker/backends.h"
#include "tracker/tracker_service.h"
#include "tracker/web_page.h"

namespace tracker {
namespace {

using testing::AllOf;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using AddResult = RoomStore::AddResult;

Room MakeRoom(const std::string& key, const std::string& source = "192.0.2.1",
              const std::string& address = "198.51.100.7") {
  Room room;
  room.key = key;
  room.name = key;
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

// Two instances of the tracker on one database.
class TwoInstances : public OnBackend {
 protected:
  void SetUp() override {
    MakeDatabase(true);
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(a.Open(url())) << a.error().toStdString();
    ASSERT_TRUE(b.Open(url())) << b.error().toStdString();
  }

  int64_t now = 1000000;
  Registry a;
  Registry b;
};

TEST_P(TwoInstances, EveryLimitHoldsAcrossInstances) {
  // Ten ADDs a minute from one address, whichever instance they reach.
  for (int i = 0; i < RoomStore::kMaxAddsPerMinute; ++i) {
    Registry& either = i % 2 ? a : b;
    ASSERT_EQ(either.Add(MakeRoom("K" + std::to_string(i % 3)), now + i),
              i < 3 ? AddResult::kAdded : AddResult::kUpdated);
  }
  EXPECT_EQ(a.Add(MakeRoom("K0"), now + 100), AddResult::kTooFrequent);
  EXPECT_EQ(b.Add(MakeRoom("K0"), now + 100), AddResult::kTooFrequent);
  EXPECT_EQ(b.Add(MakeRoom("OTHER", "192.0.2.2"), now + 100), AddResult::kAdded);
  EXPECT_EQ(a.Add(MakeRoom("K0"), now + RoomStore::kRateWindowMs), AddResult::kUpdated);

  // Twenty rooms from one address, counted in the database.
  for (int i = 3; i < RoomStore::kMaxRoomsPerSource; ++i) {
    Registry& either = i % 2 ? a : b;
    const std::string key = "K" + std::to_string(i);
    ASSERT_EQ(either.Add(MakeRoom(key, "192.0.2.1", "198.51.100." + std::to_string(i)),
                         now + i * RoomStore::kRateWindowMs),
              AddResult::kAdded);
  }
  now += 100 * RoomStore::kRateWindowMs;
  EXPECT_EQ(a.Add(MakeRoom("MORE"), now), AddResult::kSourceFull);
  EXPECT_EQ(b.Add(MakeRoom("MORE"), now), AddResult::kSourceFull);
  EXPECT_EQ(b.Add(MakeRoom("K5"), now), AddResult::kUpdated);  // refreshes still go
  EXPECT_EQ(a.Listed(100).size(), 21u);
}

TEST_P(TwoInstances, TheListIsFullAtTwentyThousandRooms) {
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(a.Add(MakeRoom("SEED" + std::to_string(i)), now), AddResult::kAdded);
  }
  // The rest in one statement; adding them one by one is what the other tests do.
  const char* bytes =
      GetParam() == Backend::kSqlite ? "CAST(%1 AS BLOB)" : "convert_to(%1, 'UTF8')";
  const QString as_bytes = QString::fromLatin1(bytes);
  ASSERT_TRUE(RawExec(
      url(),
      QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO rooms (key, name, port, private, source) "
                     "SELECT %2, %2, 2020, 0, %3 FROM n")
          .arg(QString::number(RoomStore::kMaxRooms - 2), as_bytes.arg(QStringLiteral("'F' || i")),
               as_bytes.arg(QStringLiteral("'S' || (i / 20)")))));
  EXPECT_EQ(b.Add(MakeRoom("LATE", "10.9.9.9"), now), AddResult::kFull);
  EXPECT_EQ(b.Add(MakeRoom("SEED0"), now), AddResult::kUpdated);
  EXPECT_EQ(a.Remove("SEED1", "", "192.0.2.1"), RoomStore::RemoveResult::kRemoved);
  EXPECT_EQ(b.Add(MakeRoom("LATE", "10.9.9.9"), now), AddResult::kAdded);
}

TEST_P(TwoInstances, AChangeAtOneInstanceReachesTheOthersKeptAnswersOnItsNextSync) {
  ASSERT_TRUE(b.Sync());
  const uint64_t before = b.generation();
  ASSERT_EQ(a.Add(MakeRoom("NEW"), now), AddResult::kAdded);
  EXPECT_EQ(b.generation(), before);
  ASSERT_TRUE(b.Sync());
  EXPECT_NE(b.generation(), before);
  const uint64_t synced = b.generation();
  ASSERT_TRUE(b.Sync());
  EXPECT_EQ(b.generation(), synced);  // nothing changed since
  EXPECT_THAT(Keys(b.Listed(10)), ElementsAre("NEW"));
}

// The rooms' addresses come with them: the prober's tests see them asked there.
TEST_P(TwoInstances, EachDueRoomIsLeasedToOneInstanceUntilItsLeaseRunsOut) {
  const auto claim = [](Registry& r, int64_t at, const char* owner, int lease_ms, int most) {
    std::string keys;
    for (const auto& due : r.ClaimDue(at, owner, lease_ms, most)) keys += due.key + " ";
    return keys;
  };
  for (const char* key : {"R1", "R2", "R3"})
    ASSERT_EQ(a.Add(MakeRoom(key), now), AddResult::kAdded);
  a.ScheduleNew(now + 60000);
  b.ScheduleNew(now);  // already scheduled: changes nothing
  EXPECT_EQ(claim(a, now + 59999, "A", 5000, 10), "");
  EXPECT_EQ(claim(a, now + 60000, "A", 5000, 2), "R1 R2 ");
  EXPECT_EQ(claim(b, now + 60000, "B", 10000, 10), "R3 ");
  // A's lease runs out unused (A died): B takes those rooms.
  EXPECT_EQ(claim(b, now + 64999, "B", 5000, 10), "");
  EXPECT_EQ(claim(b, now + 65000, "B", 5000, 10), "R1 R2 ");
  // A's late outcome counts for nothing; B's does.
  EXPECT_FALSE(a.RecordProbe("R1", "A", false, now + 90000));
  EXPECT_THAT(a.Failing(), IsEmpty());
  EXPECT_FALSE(b.RecordProbe("R1", "B", false, now + 90000));
  EXPECT_THAT(Keys(a.Failing()), ElementsAre("R1"));
  // Given back, a lease is free at once.
  b.ReleaseLeases("B");
  EXPECT_EQ(claim(a, now + 65000, "A", 5000, 10), "R2 R3 ");  // R1 is due again later
}

// Either instance may probe; an answer or a refresh starts the failure count again.
TEST_P(TwoInstances, ADeadRoomIsDroppedOnceAtTheThirdFailureInARow) {
  ASSERT_EQ(a.Add(MakeRoom("FLAKY"), now), AddResult::kAdded);
  a.ScheduleNew(now);
  std::string dropped;
  for (const char step : std::string("ffaffrfff")) {
    if (step == 'r') {
      ASSERT_EQ(b.Add(MakeRoom("FLAKY"), now), AddResult::kUpdated);
      continue;
    }
    now += 60000;
    Registry& either = dropped.size() % 2 ? a : b;
    const std::string owner = dropped.size() % 2 ? "A" : "B";
    ASSERT_EQ(either.ClaimDue(now, owner, 5000, 10).size(), 1u);
    dropped += either.RecordProbe("FLAKY", owner, step == 'a', now) ? 'D' : '.';
  }
  EXPECT_EQ(dropped, ".......D");
  EXPECT_FALSE(a.Find("FLAKY"));
  EXPECT_FALSE(b.RecordProbe("FLAKY", "B", false, now));  // a late outcome finds no room
}

TEST_P(TwoInstances, ThePageSearchesFoldedNamesAndPagesInListingOrder) {
  int64_t at = now;
  for (int i = 0; i < 25; ++i) {
    Room room = MakeRoom("R" + std::to_string(i), "10.0.0." + std::to_string(i),
                         "10.0.0." + std::to_string(i));
    room.name = i % 5 == 0 ? "\311cole " + std::to_string(i) : "Room " + std::to_string(i);
    room.players = i;
    ASSERT_EQ(a.Add(room, at += 1), AddResult::kAdded);
  }
  Room hidden = MakeRoom("HIDDEN");
  hidden.name = "\311cole secret";
  hidden.is_private = true;
  ASSERT_EQ(a.Add(hidden, at), AddResult::kAdded);

  const RoomStore::Page all = b.ListedPage("", 10, 10);
  EXPECT_EQ(all.total, 25);
  EXPECT_THAT(Keys(all.rooms), testing::ElementsAre("R14", "R13", "R12", "R11", "R10", "R9", "R8",
                                                    "R7", "R6", "R5"));
  // Upper and lower case are one, letters with accents too (É \311 and é \351 in Windows-1252).
  const RoomStore::Page found = b.ListedPage("\351COLE", 0, 3);
  EXPECT_EQ(found.total, 5);
  EXPECT_THAT(Keys(found.rooms), ElementsAre("R20", "R15", "R10"));
  EXPECT_EQ(b.ListedPage("%", 0, 10).total, 0);  // no wildcards
  EXPECT_EQ(b.ListedPage("secret", 0, 10).total, 0);
}

SCRAWLBOX_ON_BACKENDS(TwoInstances);

// --- Schema -----------------------------------------------------------------------------------

class Schema : public OnBackend {
 protected:
  void SetUp() override { MakeDatabase(true); }
};

TEST_P(Schema, AnEmptyDatabaseGetsTheWholeSchemaASecondOpenChangesNothingANewerIsRefused) {
  if (IsSkipped() || HasFatalFailure()) return;
  {
    Registry registry;
    ASSERT_TRUE(registry.Open(url())) << registry.error().toStdString();
    EXPECT_EQ(registry.SchemaVersion(), Registry::kSchemaVersion);
    ASSERT_EQ(registry.Add(MakeRoom("KEEP"), 0), AddResult::kAdded);
  }
  {
    Registry again;
    ASSERT_TRUE(again.Open(url())) << again.error().toStdString();
    EXPECT_EQ(again.SchemaVersion(), Registry::kSchemaVersion);
    EXPECT_THAT(Keys(again.Listed(10)), ElementsAre("KEEP"));
  }
  ASSERT_TRUE(RawExec(url(), QStringLiteral("INSERT INTO schema_version (version) VALUES (99)")));
  Registry newer;
  EXPECT_FALSE(newer.Open(url()));
  EXPECT_THAT(newer.error().toStdString(), HasSubstr("schema version 99"));
}

SCRAWLBOX_ON_BACKENDS(Schema);

// A tracker.sqlite as the trackers before the schema version kept it.
TEST(SchemaFromTheFirstFile, KeepsItsRoomsAndFindsThemByName) {
  testing_support::TempDir dir;
  const QString path = QString::fromStdString((dir / "tracker.sqlite").string());
  {
    QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
    old.setDatabaseName(path);
    ASSERT_TRUE(old.open());
    QSqlQuery q(old);
    ASSERT_TRUE(q.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS rooms ("
        " id INTEGER PRIMARY KEY AUTOINCREMENT, key BLOB UNIQUE NOT NULL, name BLOB, "
        " description BLOB, address BLOB, port INTEGER, version BLOB, admin_name BLOB, "
        " admin_email BLOB, private INTEGER, total_connections INTEGER, total_games INTEGER, "
        " total_rounds INTEGER, total_words INTEGER, total_wordlists INTEGER, source BLOB, "
        " failed_probes INTEGER DEFAULT 0)")));
    ASSERT_TRUE(q.exec(QStringLiteral(
        "INSERT INTO rooms (key, name, address, port, private, total_games, source, failed_probes) "
        "VALUES (X'4F4C44', X'C9636F6C65', '198.51.100.7', 2021, 0, 12, '192.0.2.1', 2), "
        "(X'48494444454E', 'Hidden', '198.51.100.7', 2022, 1, 0, '192.0.2.1', 0)")));
    old.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("old"));

  Registry registry;
  ASSERT_TRUE(registry.Open(path)) << registry.error().toStdString();
  EXPECT_EQ(registry.SchemaVersion(), Registry::kSchemaVersion);
  const auto rooms = registry.Listed(10);
  ASSERT_EQ(rooms.size(), 1u);
  EXPECT_EQ(
      TrackerService::RoomRecord(rooms[0]),  // no players count, not locked
      "SERVERNAME=\xC9"
      "cole|SERVERDESC=|SERVERIP=198.51.100.7|PORT=2021|SERVERVERSION=|"
      "ADMINNAME=|TOTALWORDLISTS=0|TOTALWORDS=0|TOTALCONNECTIONS=0|TOTALGAMES=12|TOTALROUNDS=0");
  EXPECT_EQ(rooms[0].failed_probes, 2);
  EXPECT_EQ(registry.ListedPage("\311COLE", 0, 10).total, 1);
  // Its probes carry on where they were.
  registry.ScheduleNew(0);
  ASSERT_EQ(registry.ClaimDue(0, "A", 1000, 10).size(), 2u);
  EXPECT_TRUE(registry.RecordProbe("OLD", "A", false, 0));
  // Rows from before have no secret: their address may change them, and the change gives one.
  Room refreshed = MakeRoom("HIDDEN", "192.0.2.2");
  EXPECT_EQ(registry.Add(refreshed, {.new_secret = "5ec"}, 0).result, AddResult::kNotYours);
  refreshed.source = "192.0.2.1";
  const RoomStore::AddOutcome outcome = registry.Add(refreshed, {.new_secret = "5ec"}, 0);
  EXPECT_EQ(outcome.result, AddResult::kUpdated);
  EXPECT_EQ(outcome.secret, "5ec");
  refreshed.source = "192.0.2.3";
  EXPECT_EQ(registry.Add(refreshed, {.secret = "5ec", .new_secret = "other"}, 0).secret, "");
}

TEST(SchemaFromTheFirstFile, AnUnusableFileIsReported) {
  testing_support::TempDir dir;
  Registry registry;
  EXPECT_FALSE(registry.Open(QString::fromStdString((dir / "no/such/dir/x.sqlite").string())));
  EXPECT_FALSE(registry.error().isEmpty());
}

// --- The web page -----------------------------------------------------------------------------

TEST(RoomsPage, ListsRoomsAsEscapedTextWithCountsLocksAndPages) {
  Room room = MakeRoom("K");
  room.name = "<script>alert(1)</script>";
  room.description = "Caf\xE9 & friends %3";
  room.version = "1.00.0001";
  room.players = 4;
  room.locked = true;
  Room silent = MakeRoom("S");
  const std::string page =
      RoomsPage({250, {room, silent}}, {2, QStringLiteral("a \"b\" %3 & c")}).toStdString();
  EXPECT_THAT(page, Not(HasSubstr("<script")));
  for (const char* part :
       {"<meta http-equiv=\"refresh\" content=\"30\">",
        "&lt;script&gt;alert(1)&lt;/script&gt; <svg class=\"locked\" role=\"img\" "
        "aria-label=\"Password needed\"",
        "Caf\xC3\xA9 &amp; friends %3",  // as UTF-8, and as typed
        "<td data-label=\"Players\">4</td>", "<td data-label=\"Players\"></td>",  // no count sent
        "value=\"a &quot;b&quot; %3 &amp; c\"", "Page 2 of 3",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;page=1\"",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;page=3\"", "<small>250 rooms. "}) {
    EXPECT_THAT(page, HasSubstr(part));
  }
  const std::string last = RoomsPage({250, {room}}, {3, QString()}).toStdString();
  EXPECT_THAT(last, HasSubstr("rel=\"prev\""));
  EXPECT_THAT(last, Not(HasSubstr("rel=\"next\"")));
  EXPECT_THAT(RoomsPage({1, {silent}}, {}).toStdString(), HasSubstr("<small>1 room. "));
  EXPECT_THAT(RoomsPage({}, {}).toStdString(),
              AllOf(HasSubstr("No rooms are open right now."), HasSubstr("<small>0 rooms. ")));
  EXPECT_THAT(RoomsPage({}, {1, QStringLiteral("zzz")}).toStdString(),
              HasSubstr("No open room's name holds \xE2\x80\x9Czzz\xE2\x80\x9D."));
}

TEST(RoomsPage, TheRequestIsReadWithinBounds) {
  const PageRequest doodle = ReadPageRequest(QStringLiteral("page=3&q=Doodle+Den"));
  EXPECT_EQ(doodle.page, 3);
  EXPECT_EQ(doodle.search, QStringLiteral("Doodle Den"));
  EXPECT_EQ(ReadPageRequest(QStringLiteral("q=%C3%89cole%20%20x")).search,
            QStringLiteral("\u00C9cole x"));
  for (const char* query : {"page=0", "page=-4", "page=x", "page=99999999999", ""}) {
    EXPECT_EQ(ReadPageRequest(QString::fromLatin1(query)).page, 1) << query;
  }
  EXPECT_EQ(ReadPageRequest(QStringLiteral("q=") + QString(500, QLatin1Char('a'))).search.size(),
            kMaxSearchLength);
  EXPECT_EQ(std::vector<int>({PageCount(0), PageCount(100), PageCount(101)}),
            std::vector<int>({1, 1, 2}));
}

}  // namespace
}  // namespace tracker
