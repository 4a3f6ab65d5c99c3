// SPDX-License-Identifier: MIT
// The store on both back ends: limits that hold across instances, leases, the page's search, the
// hosts that make rooms, and the schema's migrations; the pages the front serves.
#include "tracker/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QTcpSocket>

#include "tests/tracker/backends.h"
#include "tracker/http_front.h"
#include "tracker/tracker_service.h"
#include "tracker/web_page.h"

namespace tracker {
namespace {

using testing::AllOf;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;
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
  const RoomStore::Page all = b.ListedPage("", "", 2, 2);
  EXPECT_EQ(all.total, 6);
  EXPECT_THAT(Keys(all.rooms), ElementsAre("R3", "R2"));
  // Upper and lower case are one, letters with accents too (É \311 and é \351 in Windows-1252).
  const RoomStore::Page found = b.ListedPage("\351COLE", "", 1, 2);
  EXPECT_EQ(found.total, 3);
  EXPECT_THAT(Keys(found.rooms), ElementsAre("R2", "R0"));
  EXPECT_EQ(b.ListedPage("%", "", 0, 10).total, 0);  // no wildcards
}

// A database from before languages keeps its rooms, which say none until they register again.
TEST_P(TwoInstances, ThePageFiltersByLanguageAndRowsFromBeforeTheLanguageHaveNone) {
  ASSERT_TRUE(RawExec(url(), "ALTER TABLE rooms DROP COLUMN language"));
  ASSERT_TRUE(RawExec(url(), "DELETE FROM schema_version WHERE version = 6"));
  const char* bytes = GetParam() == Backend::kSqlite ? "CAST('OLD' AS BLOB)" : "'OLD'::bytea";
  ASSERT_TRUE(RawExec(url(), QStringLiteral("INSERT INTO rooms (key, name, port, private, source) "
                                            "VALUES (%1, %1, 2020, 0, %1)")
                                 .arg(QLatin1String(bytes))));
  Registry migrated;
  ASSERT_TRUE(migrated.Open(url())) << migrated.error().toStdString();
  EXPECT_EQ(migrated.SchemaVersion(), 6);
  for (const auto& [key, language, hidden] : {std::tuple{"DE1", "de", false},
                                              {"FR", "fr", false},
                                              {"DE2", "de", false},
                                              {"IT", "it", true}}) {
    Room room = MakeRoom(key);
    room.language = language;
    room.is_private = hidden;  // a private room's language is offered nowhere
    ASSERT_EQ(migrated.Add(room, now), AddResult::kAdded);
  }
  EXPECT_EQ(migrated.Find("OLD").value_or(Room{}).language, "");
  const RoomStore::Page german = migrated.ListedPage("", "de", 1, 10);
  EXPECT_EQ(german.total, 2);
  EXPECT_THAT(Keys(german.rooms), ElementsAre("DE2"));
  EXPECT_THAT(german.languages, ElementsAre("de", "fr"));
  EXPECT_THAT(Keys(migrated.ListedPage("de2", "de", 0, 10).rooms), ElementsAre("DE2"));
  EXPECT_EQ(migrated.ListedPage("fr", "de", 0, 10).total, 0);
  EXPECT_EQ(migrated.ListedPage("", "", 0, 10).total, 4);
}

// A host of many rooms lists them at its own address within a limit of its own, which takes
// nothing from the limits that guard everyone else.
TEST_P(TwoInstances, AHostListsItsRoomsAtItsOwnAddressWithinItsOwnLimit) {
  const std::string host_address = "192.0.2.1";
  const auto add = [&](const std::string& key, const std::string& host,
                       const std::string& source = "192.0.2.1",
                       const std::string& address = "192.0.2.1") {
    Room room = MakeRoom(key, source, address);
    room.host = host;
    now += RoomStore::kRateWindowMs;  // past the rate limit, which is tested above
    RoomStore::AddRequest request;
    request.max_per_host = 25;
    return (now / RoomStore::kRateWindowMs % 2 ? a : b).Add(room, request, now).result;
  };
  const std::string h1(64, '1'), h2(64, '2');
  // More rooms than an address may register or list, up to the host's limit; refreshes go on.
  for (int i = 0; i < 25; ++i) ASSERT_EQ(add("H" + std::to_string(i), h1), AddResult::kAdded);
  EXPECT_EQ(add("H25", h1), AddResult::kHostFull);
  EXPECT_EQ(add("H3", h1), AddResult::kUpdated);
  // The same address's single rooms still have their 20, each at an address of its own.
  for (int i = 0; i < RoomStore::kMaxRoomsPerSource; ++i) {
    const std::string key = "S" + std::to_string(i);
    ASSERT_EQ(add(key, "", host_address, key), AddResult::kAdded) << key;
  }
  EXPECT_EQ(add("S20", "", host_address, "S20"), AddResult::kSourceFull);
  // A host's listings refresh and its rooms are made at any moment: more than ten ADDs a minute.
  for (int i = 0; i < RoomStore::kMaxAddsPerMinute + 5; ++i) {
    Room room = MakeRoom("H0");
    room.host = h1;
    ASSERT_EQ(a.Add(room, RoomStore::AddRequest{}, now).result, AddResult::kUpdated) << i;
  }
  // A few hosts an address.
  for (char other : {'2', '3', '4'}) {
    ASSERT_EQ(add(std::string("O") + other, std::string(64, other)), AddResult::kAdded);
  }
  EXPECT_EQ(add("OTHER", std::string(64, '5')), AddResult::kOtherHost);
  // Others still point eight listings at the host's address, a host too, and no more.
  for (int i = 0; i < RoomStore::kMaxRoomsPerAddress; ++i) {
    const std::string source = "203.0.113." + std::to_string(i);
    ASSERT_EQ(add("P" + std::to_string(i), i == 7 ? h2 : "", source, host_address),
              AddResult::kAdded);
  }
  EXPECT_EQ(add("P8", "", "203.0.113.8", host_address), AddResult::kAddressFull);
  EXPECT_EQ(add("P9", h1, "203.0.113.9", host_address), AddResult::kAddressFull);
}

// The host that can make the most rooms now, among the listings of hosts themselves with a page.
TEST_P(TwoInstances, NewRoomsGoToTheHostWithTheMostRoomToMakeTheOldestFirst) {
  EXPECT_EQ(a.RoomyHost(), std::nullopt);
  const auto add = [&](const char* key, const char* host, int free, const char* web,
                       const char* code = "") {
    Room room = MakeRoom(key, std::string("10.0.0.") + key, std::string("10.0.0.") + key);
    room.host = host;
    room.free = free;
    room.web = web;
    room.code = code;
    room.is_private = room.key == "1";
    ASSERT_THAT(a.Add(room, now), testing::AnyOf(AddResult::kAdded, AddResult::kUpdated));
  };
  const std::string h(64, 'a');
  add("1", h.c_str(), 3, "http://one/");            // private: a host's own listing may be
  add("2", h.c_str(), 7, "http://two/r/k7", "k7");  // a made room
  add("3", "", 9, "http://three/");                 // no host
  add("4", h.c_str(), 9, "");                       // no page
  add("5", h.c_str(), 3, "http://five/");
  EXPECT_EQ(b.RoomyHost(), "http://one/");
  // Each visitor sent to a host counts until it tells its own count again: visitors who come
  // together are spread.
  EXPECT_EQ(a.RoomyHost(), "http://five/");
  EXPECT_EQ(b.RoomyHost(), "http://one/");
  add("5", h.c_str(), 4, "http://five/");
  EXPECT_EQ(b.RoomyHost(), "http://five/");
  // A host whose last probe failed may be gone.
  a.ScheduleNew(now);
  a.ClaimDue(now, "A", 1000, 10);
  a.RecordProbe("5", "A", false, now + 30000);
  EXPECT_EQ(b.RoomyHost(), "http://one/");
  add("1", h.c_str(), 0, "http://one/");
  EXPECT_EQ(b.RoomyHost(), std::nullopt);
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
  EXPECT_EQ(registry.ListedPage("\311COLE", "", 0, 10).total, 1);
  // Its probes carry on where they were: this is its third failure in a row.
  registry.ScheduleNew(0);
  registry.ClaimDue(0, "A", 1000, 10);
  EXPECT_TRUE(registry.RecordProbe("OLD", "A", false, 0));
  // Its rooms are single rooms, which no visitor is sent to for a new one.
  ASSERT_TRUE(registry.Find("HIDDEN"));
  EXPECT_EQ(registry.Find("HIDDEN")->free, kUnknownFree);
  EXPECT_EQ(registry.SchemaVersion(), Registry::kSchemaVersion);

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
  room.language = "fr";
  const Room silent = MakeRoom("S");
  // The chosen language stays offered, and in the links, when no listed room has it any more.
  const std::string page = RoomsPage({250, {room, silent}, {"fr"}},
                                     {2, QStringLiteral("a \"b\" %3 & c"), QStringLiteral("es")})
                               .toStdString();
  for (const char* part :
       {"&lt;script&gt;alert(1)&lt;/script&gt; <svg class=\"locked\" role=\"img\" "
        "aria-label=\"Password needed\"",
        "<a class=\"play\" href=\"https://play.example/?a=&lt;b&gt;&amp;c\">Play in the "
        "browser</a>",
        "Caf\xC3\xA9 &amp; friends %3",  // as UTF-8, and as typed
        "<td data-label=\"Players\">4</td>", "<td data-label=\"Players\"></td>",  // no count sent
        "<td data-label=\"Language\" lang=\"fr\">Fran\xC3\xA7"
        "ais</td>",
        "<td data-label=\"Language\"></td>",
        "<option value=\"\">Any language</option><option value=\"fr\" lang=\"fr\">Fran\xC3\xA7"
        "ais</option><option value=\"es\" selected lang=\"es\">Espa\xC3\xB1ol</option>",
        "<a id=\"create\" class=\"create\" href=\"/create\">Create a private room</a>",
        "value=\"a &quot;b&quot; %3 &amp; c\"", "Page 2 of 3",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;lang=es&amp;page=1\"",
        "href=\"/?q=a%20%22b%22%20%253%20%26%20c&amp;lang=es&amp;page=3\"", "<small>250 rooms. "}) {
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
  // A language that is no code is no filter.
  std::string languages;
  for (const char* query : {"lang=de", "lang=DE", "lang=deu", "lang=d%22"})
    languages += ReadPageRequest(QString::fromLatin1(query)).language.toStdString() + ",";
  EXPECT_EQ(languages, "de,,,,");
  EXPECT_THAT(std::vector<int>({PageCount(0), PageCount(100), PageCount(101)}),
              ElementsAre(1, 1, 2));
}

// One request and the whole answer, over loopback to the front in this process.
std::string Get(quint16 port, const std::string& path) {
  QTcpSocket socket;
  std::string read;
  QObject::connect(&socket, &QTcpSocket::connected, [&] {
    socket.write(QByteArray::fromStdString("GET " + path + " HTTP/1.1\r\n\r\n"));
  });
  QObject::connect(&socket, &QTcpSocket::readyRead,
                   [&] { read += socket.readAll().toStdString(); });
  socket.connectToHost(QHostAddress::LocalHost, port);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, 10000));
  return read;
}

// Asked at each visit: the host with room for a new one, else a page that says there is none.
TEST(CreatePage, SendsTheVisitorToAHostWithRoomOrSaysThereIsNone) {
  Registry registry;
  ASSERT_TRUE(registry.Open(QStringLiteral(":memory:")));
  TrackerService service(registry, [] { return 0; });
  HttpFront front(service, registry, {}, QStringLiteral("/tracker"));
  ASSERT_TRUE(front.Listen(QHostAddress::LocalHost, 0));
  EXPECT_THAT(Get(front.port(), "/create"),
              AllOf(StartsWith("HTTP/1.1 503 Service Unavailable\r\n"),
                    HasSubstr("No room host has space for a new room right now. Please try again "
                              "in a few minutes."),
                    HasSubstr("<a href=\"/\">")));
  Room host = MakeRoom("HOST");
  host.host = std::string(64, 'a');
  host.free = 2;
  host.web = "http://198.51.100.7:8080/";
  ASSERT_EQ(registry.Add(host, 0), AddResult::kAdded);
  EXPECT_THAT(Get(front.port(), "/create"),
              AllOf(StartsWith("HTTP/1.1 303 See Other\r\n"),
                    HasSubstr("\r\nLocation: http://198.51.100.7:8080/#new\r\n")));
}

}  // namespace
}  // namespace tracker
