// SPDX-License-Identifier: MIT
// The store on both back ends: limits that hold across instances, leases, the page's search, and
// the schema's migrations.
#include "tracker/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

// Two instances of the tracker on one database; the second opened it on the first's schema.
class TwoInstances : public OnBackend {
 protected:
  void SetUp() override { Open({&a, &b}); }

  int64_t now = 1000000;
  Registry a;
  Registry b;
};

TEST_P(TwoInstances, EveryLimitHoldsAcrossInstances) {
  // Ten ADDs a minute from one address, whichever instance they reach.
  for (int i = 0; i < RoomStore::kMaxAddsPerMinute; ++i) {
    ASSERT_EQ((i % 2 ? a : b).Add(MakeRoom("K" + std::to_string(i % 3)), now + i),
              i < 3 ? AddResult::kAdded : AddResult::kUpdated);
  }
  EXPECT_EQ(a.Add(MakeRoom("K0"), now + RoomStore::kRateWindowMs - 1), AddResult::kTooFrequent);
  EXPECT_EQ(b.Add(MakeRoom("OTHER", "192.0.2.2"), now + 100), AddResult::kAdded);
  EXPECT_EQ(b.Add(MakeRoom("K0"), now + RoomStore::kRateWindowMs), AddResult::kUpdated);

  // Twenty rooms from one address, counted in the database.
  for (int i = 3; i < RoomStore::kMaxRoomsPerSource; ++i) {
    const std::string key = "K" + std::to_string(i);
    ASSERT_EQ(
        (i % 2 ? a : b).Add(MakeRoom(key, "192.0.2.1", key), now + i * RoomStore::kRateWindowMs),
        AddResult::kAdded);
  }
  now += 100 * RoomStore::kRateWindowMs;
  EXPECT_EQ(a.Add(MakeRoom("MORE"), now), AddResult::kSourceFull);
  EXPECT_EQ(b.Add(MakeRoom("K5"), now), AddResult::kUpdated);  // refreshes still go
}

TEST_P(TwoInstances, TheListIsFullAtTwentyThousandRoomsAndANewerSchemaIsRefused) {
  for (const char* key : {"SEED0", "SEED1"})
    ASSERT_EQ(a.Add(MakeRoom(key), now), AddResult::kAdded);
  // The rest in one statement; adding them one by one is what the other tests do.
  const QString as_bytes = QString::fromLatin1(
      GetParam() == Backend::kSqlite ? "CAST(%1 AS BLOB)" : "convert_to(%1, 'UTF8')");
  ASSERT_TRUE(RawExec(
      url(), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO rooms (key, name, port, private, source) "
                            "SELECT %2, %2, 2020, 0, %2 FROM n")
                 .arg(QString::number(RoomStore::kMaxRooms - 2),
                      as_bytes.arg(QStringLiteral("'F' || i")))));
  EXPECT_EQ(b.Add(MakeRoom("LATE", "10.9.9.9"), now), AddResult::kFull);
  EXPECT_EQ(b.Add(MakeRoom("SEED0"), now), AddResult::kUpdated);
  EXPECT_EQ(a.Remove("SEED1", "", "192.0.2.1"), RoomStore::RemoveResult::kRemoved);
  EXPECT_EQ(b.Add(MakeRoom("LATE", "10.9.9.9"), now), AddResult::kAdded);

  ASSERT_TRUE(RawExec(url(), "INSERT INTO schema_version (version) VALUES (99)"));
  Registry newer;
  EXPECT_FALSE(newer.Open(url()));
  EXPECT_THAT(newer.error().toStdString(), HasSubstr("schema version 99"));
}

// The rooms' addresses come with them: the prober's tests see them asked there.
TEST_P(TwoInstances, EachDueRoomIsLeasedToOneInstanceUntilItsLeaseRunsOut) {
  const auto claim = [](Registry& r, int64_t at, const char* owner, int lease_ms, int most) {
    std::string keys;
    for (const auto& due : r.ClaimDue(at, owner, lease_ms, most)) keys += due.key + " ";
    return keys;
  };
  const auto synced = [this] { return b.Sync() ? b.generation() : 0; };
  const uint64_t before = synced();
  for (const char* key : {"R1", "R2", "R3"})
    ASSERT_EQ(a.Add(MakeRoom(key), now), AddResult::kAdded);
  // A change at one instance reaches the other's kept answers on its next sync, and only then.
  EXPECT_EQ(b.generation(), before);
  const uint64_t after = synced();
  EXPECT_NE(after, before);
  EXPECT_EQ(synced(), after);
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
    if (step == 'r' && b.Add(MakeRoom("FLAKY"), now) == AddResult::kUpdated) continue;
    now += 60000;
    Registry& either = dropped.size() % 2 ? a : b;
    const std::string owner = dropped.size() % 2 ? "A" : "B";
    either.ClaimDue(now, owner, 5000, 10);
    dropped += either.RecordProbe("FLAKY", owner, step == 'a', now) ? 'D' : '.';
  }
  EXPECT_EQ(dropped, ".......D");
  EXPECT_FALSE(b.RecordProbe("FLAKY", "B", false, now));  // a late outcome finds no room
}

TEST_P(TwoInstances, ThePageSearchesFoldedNamesAndPagesInListingOrder) {
  for (int i = 0; i < 7; ++i) {
    const std::string ip = "10.0.0." + std::to_string(i);
    Room room = MakeRoom("R" + std::to_string(i), ip, ip);
    room.name = (i % 2 ? "Room " : "\311cole ") + std::to_string(i);
    room.players = i;
    room.is_private = i == 6;  // never found
    ASSERT_EQ(a.Add(room, now), AddResult::kAdded);
  }
  const RoomStore::Page all = b.ListedPage("", 2, 2);
  EXPECT_EQ(all.total, 6);
  EXPECT_THAT(Keys(all.rooms), ElementsAre("R3", "R2"));
  // Upper and lower case are one, letters with accents too (É \311 and é \351 in Windows-1252).
  const RoomStore::Page found = b.ListedPage("\351COLE", 1, 2);
  EXPECT_EQ(found.total, 3);
  EXPECT_THAT(Keys(found.rooms), ElementsAre("R2", "R0"));
  EXPECT_EQ(b.ListedPage("%", 0, 10).total, 0);  // no wildcards
}

SCRAWLBOX_ON_BACKENDS(TwoInstances);

// A tracker.sqlite as the trackers before the schema version kept it.
TEST(SchemaFromTheFirstFile, KeepsItsRoomsAndFindsThemByName) {
  testing_support::TempDir dir;
  DatabaseUrl url;
  url.path = (dir / "tracker.sqlite").string();
  ASSERT_TRUE(
      RawExec(url,
              "CREATE TABLE rooms ("
              " id INTEGER PRIMARY KEY AUTOINCREMENT, key BLOB UNIQUE NOT NULL, name BLOB, "
              " description BLOB, address BLOB, port INTEGER, version BLOB, admin_name BLOB, "
              " admin_email BLOB, private INTEGER, total_connections INTEGER, total_games INTEGER, "
              " total_rounds INTEGER, total_words INTEGER, total_wordlists INTEGER, source BLOB, "
              " failed_probes INTEGER DEFAULT 0)"));
  ASSERT_TRUE(RawExec(
      url,
      "INSERT INTO rooms (key, name, address, port, private, total_games, source, failed_probes) "
      "VALUES (X'4F4C44', X'C9636F6C65', '198.51.100.7', 2021, 0, 12, '192.0.2.1', 2), "
      "(X'48494444454E', 'Hidden', '198.51.100.7', 2022, 1, 0, '192.0.2.1', 0)"));

  Registry registry;
  ASSERT_TRUE(registry.Open(url)) << registry.error().toStdString();
  TrackerService service(registry, [] { return 0; });
  EXPECT_EQ(service.Handle("ACTION=VIEW", "192.0.2.9"),  // no players count, not locked
            "SERVERNAME=\xC9"
            "cole|SERVERDESC=|SERVERIP=198.51.100.7|PORT=2021|SERVERVERSION=|ADMINNAME=|"
            "TOTALWORDLISTS=0|TOTALWORDS=0|TOTALCONNECTIONS=0|TOTALGAMES=12|TOTALROUNDS=0\r\n");
  EXPECT_EQ(registry.ListedPage("\311COLE", 0, 10).total, 1);
  // Its probes carry on where they were: this is its third failure in a row.
  registry.ScheduleNew(0);
  registry.ClaimDue(0, "A", 1000, 10);
  EXPECT_TRUE(registry.RecordProbe("OLD", "A", false, 0));

  Registry unusable;
  EXPECT_FALSE(unusable.Open(QString::fromStdString((dir / "no/such/dir/x.sqlite").string())));
  EXPECT_FALSE(unusable.error().isEmpty());
}

// --- The web page -----------------------------------------------------------------------------

TEST(RoomsPage, ListsRoomsAsEscapedTextWithCountsLocksAndPages) {
  Room room = MakeRoom("K");
  room.name = "<script>alert(1)</script>";
  room.description = "Caf\xE9 & friends %3";
  room.players = 4;
  room.locked = true;
  room.web = "https://play.example/?a=<b>&c";
  const Room silent = MakeRoom("S");
  const std::string page =
      RoomsPage({250, {room, silent}}, {2, QStringLiteral("a \"b\" %3 & c")}).toStdString();
  for (const char* part :
       {"&lt;script&gt;alert(1)&lt;/script&gt; <svg class=\"locked\" role=\"img\" "
        "aria-label=\"Password needed\"",
        "<a class=\"play\" href=\"https://play.example/?a=&lt;b&gt;&amp;c\">Play in the "
        "browser</a>",
        "Caf\xC3\xA9 &amp; friends %3",  // as UTF-8, and as typed
        "<td data-label=\"Players\">4</td>", "<td data-label=\"Players\"></td>",  // no count sent
        "value=\"a &quot;b&quot; %3 &amp; c\"", "Page 2 of 3",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;page=1\"",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;page=3\"", "<small>250 rooms. "}) {
    EXPECT_THAT(page, HasSubstr(part));
  }
  EXPECT_THAT(RoomsPage({250, {room}}, {3, QString()}).toStdString(),
              AllOf(HasSubstr("rel=\"prev\""), Not(HasSubstr("rel=\"next\""))));
  EXPECT_THAT(RoomsPage({1, {silent}}, {}).toStdString(),
              AllOf(HasSubstr("<small>1 room. "), Not(HasSubstr("class=\"play\""))));
  EXPECT_THAT(RoomsPage({}, {}).toStdString(), HasSubstr("No rooms are open right now."));
  EXPECT_THAT(RoomsPage({}, {1, QStringLiteral("zzz")}).toStdString(),
              HasSubstr("No open room's name holds \xE2\x80\x9Czzz\xE2\x80\x9D."));
}

TEST(RoomsPage, TheRequestIsReadWithinBounds) {
  const auto read = [](const QString& query) {
    const PageRequest request = ReadPageRequest(query);
    return (QString::number(request.page) + QLatin1Char(' ') + request.search).toStdString();
  };
  EXPECT_EQ(read(QStringLiteral("page=3&q=Doodle+%C3%89cole%20%20x")),
            "3 Doodle \xC3\x89"
            "cole x");
  for (const char* query : {"page=0", "page=-4", "page=x", "page=99999999999", ""})
    EXPECT_EQ(read(QString::fromLatin1(query)), "1 ") << query;
  EXPECT_EQ(read(QStringLiteral("q=") + QString(500, QLatin1Char('a'))),
            "1 " + std::string(40, 'a'));
  EXPECT_THAT(std::vector<int>({PageCount(0), PageCount(100), PageCount(101)}),
              ElementsAre(1, 1, 2));
}

}  // namespace
}  // namespace tracker
