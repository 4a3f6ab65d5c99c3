// SPDX-License-Identifier: MIT
#include "tracker/tracker_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "directory/records.h"
#include "directory/server_browser.h"
#include "directory/tracker.h"
#include "tests/tracker/backends.h"
#include "tracker/registry.h"

namespace tracker {
namespace {

using directory::GetValue;
using testing::ElementsAre;

// One field of a reply.
std::string Field(const std::string& reply, const char* key) {
  return GetValue(directory::ReplyRecord(reply), key);
}

// One field of each VIEW line.
std::vector<std::string> Column(const std::string& view, const char* key) {
  std::vector<std::string> values;
  size_t start = 0;
  for (size_t end; (end = view.find("\r\n", start)) != std::string::npos; start = end + 2)
    values.push_back(GetValue(view.substr(start, end - start), key));
  EXPECT_EQ(start, view.size()) << "every line ends in CR LF";
  return values;
}

std::string AddQuery(const std::string& key, const std::string& name = "Room") {
  return "ACTION=ADD&KEY=" + key + "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + name +
         "&DESC=Fun&IP=198.51.100.7&PORT=2020&ADMINNAME=Ann&ADMINEMAIL=a%40b%2Ec&ISPUBLIC=False"
         "&TOTALCONNECTIONS=5&TOTALGAMES=2&TOTALROUNDS=9&TOTALWORDS=300&TOTALWORDLISTS=3";
}

// The query with one field's value replaced.
std::string With(const std::string& query, const std::string& key, const std::string& value) {
  return std::regex_replace(query, std::regex("&" + key + "=[^&]*"), "&" + key + "=" + value);
}

class Service : public OnBackend {
 protected:
  void SetUp() override { Open({&registry}); }

  std::string Handle(const std::string& query, const std::string& source = "192.0.2.1") {
    return service.Handle(query, source);
  }
  std::string Status(const std::string& query, const std::string& source = "192.0.2.1") {
    return Field(Handle(query, source), "STATUS");
  }

  // Every count that is not zero, as "action answer N, " and "refusal N, ".
  std::string Counted() const {
    std::string out;
    const auto count = [&out](uint64_t n, std::string_view name, std::string_view answer = {}) {
      if (n) out.append(name).append(answer.empty() ? "" : " ").append(answer);
      if (n) out += " " + std::to_string(n) + ", ";
    };
    const auto& c = service.counters();
    for (size_t a = 0; a < kRequestActions; ++a)
      for (size_t r = 0; r < kRequestAnswers; ++r)
        count(c.requests[a][r], ActionName(RequestAction(a)), AnswerName(RequestAnswer(r)));
    for (size_t r = 0; r < kRefusals; ++r) count(c.refusals[r], RefusalName(Refusal(r)));
    return out;
  }

  int64_t now = 1000000;
  Registry registry;
  TrackerService service{registry, [this] { return now; }};
};

TEST_P(Service, RefusedRequestsGetTheirReasonListNothingAndEveryRequestIsCounted) {
  std::vector<std::pair<std::string, std::string>> rows = {
      {"KEY=x", "ERROR|EXTRA=No ACTION was given."},
      {"ACTION=DROP%7CTABLES%0D%0A", "ERROR|EXTRA=Unknown ACTION DROP\xA6TABLES."},
      {"ACTION=VIEW&ACTION=ADD", "ERROR|EXTRA=ACTION was given more than once."},
      {"ACTION=VIEW&X=" + std::string(1 << 20, 'a'), "ERROR|EXTRA=The request is too long."},
      {AddQuery("K", "%20%20"), "FAIL|EXTRA=Your room needs a name before it can be listed."},
      {AddQuery("K", std::string(21, 'n')), "FAIL|EXTRA=SERVERNAME is longer than 20 characters."},
      {With(AddQuery("K"), "PORT", "99999999999999"),
       "FAIL|EXTRA=PORT is longer than 5 characters."}};
  for (const std::string port : {"0", "65536", "", "2e3"})
    rows.emplace_back(With(AddQuery("K"), "PORT", port),
                      "FAIL|EXTRA=PORT must be a port number from 1 to 65535.");
  for (const std::string players : {"-1", "10000"})
    rows.emplace_back(AddQuery("K") + "&PLAYERS=" + players,
                      "FAIL|EXTRA=PLAYERS must be a number from 0 to 9999.");
  for (const std::string code : {"K7M2Q", "k7-m2", "k7%00", "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"})
    rows.emplace_back(AddQuery("K") + "&CODE=" + code,
                      "FAIL|EXTRA=CODE must be 1 to 32 lower-case letters and digits.");
  const std::string hex(64, 'a'), host = "&HOST=" + hex;
  for (const std::string& bad : {hex.substr(1), hex + "0", hex.substr(1) + "g"})
    rows.emplace_back(AddQuery("K") + "&HOST=" + bad,
                      "FAIL|EXTRA=HOST must be 64 hexadecimal digits.");
  for (const std::string free : {"-1", "100001", "1e3"})
    rows.emplace_back(AddQuery("K") + host + "&FREE=" + free,
                      "FAIL|EXTRA=FREE must be a number from 0 to 100000.");
  for (const std::string lang : {"EN", "eng", "e1"})
    rows.emplace_back(AddQuery("K") + "&LANG=" + lang,
                      "FAIL|EXTRA=LANG must be a language code of two lower-case letters, such "
                      "as en.");
  for (const auto& [query, reply] : rows)
    EXPECT_EQ(Handle(query), "STATUS=" + reply + "\r\n") << query.substr(0, 100);
  EXPECT_EQ(Handle("ACTION=VIEW"), "");
  // Just within every bound; escapes count once undone: 20 encoded bars are 20 characters.
  std::string bars;
  for (size_t i = 0; i < directory::kMaxRoomName; ++i) bars += "%A6";
  for (const std::string& query :
       {AddQuery("B", bars), With(AddQuery("C"), "PORT", "65535"), AddQuery("D") + "&PLAYERS=9999"})
    EXPECT_EQ(Status(query), "SUBMITOK") << query;
  // Ten ADDs a minute from one address, refreshes included.
  for (int i = 0; i < 7; ++i) Handle(AddQuery("B", bars));
  EXPECT_EQ(Handle(AddQuery("K")),
            "STATUS=FAIL|EXTRA=Too many submissions from your address; try again in a minute.\r\n");
  Handle("ACTION=REMOVE&KEY=B", "192.0.2.2");  // not its address
  Handle("ACTION=REMOVE&KEY=B");
  Handle("ACTION=REMOVE&KEY=B");
  // Eight rooms listed at the address of the ADDs, the ninth and tenth not.
  for (int i = 0; i < 10; ++i) Handle(AddQuery("R" + std::to_string(i)), "192.0.2.9");
  // An unknown action and a query that cannot be read count under "other".
  EXPECT_EQ(Counted(),
            "add submitok 11, add updateok 7, add fail 25, remove removeok 1, remove notfound 1, "
            "remove fail 1, view rooms 1, other error 4, rate_limit 1, bad_field 22, "
            "bad_request 4, not_yours 1, address_full 2, ");
}

TEST_P(Service, AddThenUpdateThenRemoveAndPrivateRoomsAreNeverListed) {
  const std::string added = Handle(AddQuery("HOST:ANN"));
  EXPECT_THAT(added, testing::MatchesRegex("STATUS=SUBMITOK\\|EXTRA=\\|SECRET=[0-9a-f]{32}\r\n"));
  // An older room, which keeps no secret, is told it again with every update. The new name
  // holds a bar, line ends, control characters, 8-bit text and broken escapes; a value holds
  // "="; a field name is escaped, a pair is empty and a field has no value.
  EXPECT_EQ(Handle(With(AddQuery("HOST:ANN", "R%7cP=1%0D%0A%09%7F%01\xE9%zz%4"), "DESC", "a=b") +
                   "&&%50LAYERS=3&X"),
            "STATUS=UPDATEOK|EXTRA=|SECRET=" + Field(added, "SECRET") + "\r\n");
  EXPECT_EQ(Handle("ACTION=VIEW"),
            "SERVERNAME=R\xA6P=1\xE9%zz%4|SERVERDESC=a=b|SERVERIP=192.0.2.1|PORT=2020"
            "|SERVERVERSION=1.00.0001|ADMINNAME=Ann|TOTALWORDLISTS=3|TOTALWORDS=300"
            "|TOTALCONNECTIONS=5|TOTALGAMES=2|TOTALROUNDS=9|PLAYERS=3\r\n");
  EXPECT_EQ(Handle("ACTION=REMOVE&KEY=HOST:ANN&SERVERNAME=Renamed&ADMINNAME=Ann"),
            "STATUS=REMOVEOK|EXTRA=\r\n");
  EXPECT_EQ(Handle("ACTION=REMOVE&KEY=HOST:ANN"), "STATUS=NOTFOUND|EXTRA=\r\n");
  EXPECT_EQ(Status("ACTION=REMOVE"), "FAIL");
  EXPECT_EQ(Status(With(AddQuery("P"), "ISPUBLIC", "True")), "SUBMITOK");
  EXPECT_EQ(Handle("ACTION=VIEW"), "");
}

TEST_P(Service, ARoomIsListedAtTheRequestsAddressUnlessAllowedAndAtMostEightAtOneAddress) {
  TrackerService open(registry, [this] { return now; }, {.any_address = true});
  for (const auto& [name, on, ip, listed] :
       {std::tuple{"another host", &service, "198.51.100.7", "203.0.113.50"},
        {"allowed", &open, "198.51.100.7", "198.51.100.7"},
        {"allowed, empty", &open, "", "203.0.113.50"}}) {
    on->Handle(With(AddQuery(name), "IP", ip), "203.0.113.50");
    EXPECT_EQ(registry.Find(name).value_or(Room{}).address, listed) << name;
  }
  for (int i = 1; i < RoomStore::kMaxRoomsPerAddress; ++i)  // "allowed" is the first
    open.Handle(AddQuery("R" + std::to_string(i)), "192.0.2." + std::to_string(i));
  EXPECT_EQ(open.Handle(AddQuery("LATE"), "192.0.2.50"),
            "STATUS=FAIL|EXTRA=As many rooms as may are listed at 198.51.100.7.\r\n");
  EXPECT_EQ(Field(open.Handle(AddQuery("R3"), "192.0.2.3"), "STATUS"), "UPDATEOK");  // a refresh
  TrackerService unlimited(registry, [this] { return now; },
                           {.any_address = true, .rooms_per_address = 0});
  EXPECT_EQ(Field(unlimited.Handle(AddQuery("LATE"), "192.0.2.50"), "STATUS"), "SUBMITOK");
}

// A registered room changes with its secret from anywhere (its address may change), without it
// only from the address that registered it: that is all an older room, which keeps none, has.
TEST_P(Service, OnlyTheRoomItselfChangesItsRegistrationOrMovesItToItsHashedKey) {
  // Each action from elsewhere (0), from elsewhere with the secret (1), from its address (2);
  // "+secret" when the reply tells the secret again; then the room's name, "gone" when it is.
  std::string outcomes;
  for (const std::string action : {"ADD", "REMOVE"}) {
    for (int how = 0; how < 3; ++how) {
      const std::string key = action + std::to_string(how);
      const std::string secret = Field(Handle(AddQuery(key)), "SECRET");
      const std::string reply =
          Handle("ACTION=" + action + "&SERVERNAME=Moved&PORT=2020&KEY=" + key +
                     (how == 1 ? "&SECRET=" + secret : ""),
                 how == 2 ? "192.0.2.1" : "203.0.113.9");
      outcomes += Field(reply, "STATUS") + (Field(reply, "SECRET") == secret ? "+secret " : " ") +
                  registry.Find(key).value_or(MakeRoom("gone")).name + ", ";
    }
  }
  EXPECT_EQ(outcomes,
            "FAIL Room, UPDATEOK Moved, UPDATEOK+secret Moved, FAIL Room, REMOVEOK gone, "
            "REMOVEOK gone, ");
  EXPECT_EQ(Handle(AddQuery("ADD0"), "203.0.113.9"),
            "STATUS=FAIL|EXTRA=This room is registered from another address; only its own "
            "server may change it.\r\n");
  // A room that was listed under its key in clear sends it once as OLDKEY with the hashed one;
  // its row moves to the new key from its own address only.
  const Room old = MakeRoom("HOST:ANN", "192.0.2.7", "192.0.2.7");
  const std::string move = AddQuery("0abc") + "&OLDKEY=HOST%3AANN";
  ASSERT_EQ(registry.Add(old, now), RoomStore::AddResult::kAdded);
  const std::string moved = Handle(move, "192.0.2.7");  // and gets a secret, which it had none
  EXPECT_THAT(moved, testing::MatchesRegex("STATUS=UPDATEOK\\|EXTRA=\\|SECRET=[0-9a-f]{32}\r\n"));
  EXPECT_THAT(Keys(registry.All()), ElementsAre("ADD0", "ADD1", "ADD2", "REMOVE0", "0abc"));
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=0abc&SECRET=" + Field(moved, "SECRET"), "203.0.113.9"),
            "REMOVEOK");
  // From elsewhere the old row stays and the new key is a room of its own.
  ASSERT_EQ(registry.Add(old, now), RoomStore::AddResult::kAdded);
  EXPECT_EQ(Status(move, "203.0.113.9"), "SUBMITOK");
  // A room not yet listed under its hashed key is removed under the old one, by the same rule.
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=NEW&OLDKEY=HOST:ANN", "203.0.113.9"), "FAIL");
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=NEW&OLDKEY=HOST:ANN", "192.0.2.7"), "REMOVEOK");
}

// A room's page is listed only as a plain web address, an empty host standing for the request's
// address; the room is listed whatever its page.
TEST_P(Service, ARoomsPageIsListedOnlyAsASaneWebAddress) {
  const std::vector<std::tuple<std::string, std::string, std::string>> rows = {
      {"https%3A%2F%2FPlay%2Eexample%2Eorg%3A443%2Fr%2Fpens%2D1%2520", "192.0.2.1",
       "https://Play.example.org:443/r/pens-1%20"},
      {"HTTP://:8080", "192.0.2.2", "http://192.0.2.2:8080/"},
      {"http://:8080/", "2001:db8::5", "http://[2001:db8::5]:8080/"},
      {"http://[2001:db8::7]/", "192.0.2.3", "http://[2001:db8::7]/"},
      {"javascript:alert(1)//", "192.0.2.4", ""},
      {"http://x/%22%3E%3Cscript%3E", "192.0.2.5", ""},
      {"http://user%40host/", "192.0.2.6", ""},
      {"ftp://host/", "192.0.2.7", ""},
      {"http://host:0/", "192.0.2.8", ""},
      {"http://host/%3Fq%3D1", "192.0.2.9", ""},
      {"http://h/" + std::string(192, 'a'), "192.0.2.10", ""}};
  std::vector<std::string> names;
  for (const auto& [web, source, listed] : rows) {
    names.push_back(source);
    ASSERT_EQ(Status(AddQuery(source, source) + "&WEB=" + web, source), "SUBMITOK") << web;
  }
  const std::string view = Handle("ACTION=VIEW");
  EXPECT_EQ(Column(view, "SERVERNAME"), names);
  const std::vector<std::string> pages = Column(view, "WEB");
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(pages[i], std::get<2>(rows[i])) << i;
  EXPECT_THAT(view, testing::HasSubstr("|TOTALROUNDS=9|WEB=http://192.0.2.2:8080/\r\n"));
}

// A made room's record ends in its code and its language, and the server browser joins the room
// by the code.
TEST_P(Service, AMadeRoomIsListedWithItsCodeAndJoinedByIt) {
  const std::string hex = "&HOST=" + std::string(64, 'F');
  ASSERT_EQ(
      Status(AddQuery("MADE") + hex + "&CODE=k7m2q&WEB=http%3A%2F%2F%3A8080%2Fr%2Fk7m2q&LANG=de"),
      "SUBMITOK");
  // Just within the bounds; FREE belongs to a host, and without one it is no count.
  ASSERT_EQ(Status(AddQuery("EDGE") + hex + "&CODE=" + std::string(32, 'z') + "&FREE=100000"),
            "SUBMITOK");
  ASSERT_EQ(Status(AddQuery("PLAIN") + "&CODE=&FREE=5", "192.0.2.2"), "SUBMITOK");
  const auto host_of = [this](const char* key) {
    const Room room = registry.Find(key).value_or(Room{});
    return room.host.substr(0, 2) + " " + std::to_string(room.free);
  };
  EXPECT_EQ(host_of("EDGE") + ", " + host_of("PLAIN"), "ff 100000,  -1");
  const std::string view = Handle("ACTION=VIEW");
  EXPECT_THAT(Column(view, "CODE"), ElementsAre("k7m2q", std::string(32, 'z'), ""));
  EXPECT_THAT(view,
              testing::HasSubstr("|WEB=http://192.0.2.1:8080/r/k7m2q|CODE=k7m2q|LANG=de\r\n"));
  EXPECT_THAT(Column(view, "LANG"), ElementsAre("de", "", ""));
  const auto rows = directory::ServerBrowser::PublicRows(view);
  EXPECT_EQ(directory::ServerBrowser::AddressBoxText(rows.at(0)), "192.0.2.1/k7m2q");
  EXPECT_EQ(directory::ServerBrowser::RoomOf(rows.at(2)),
            (directory::RoomAddress{"192.0.2.2", 2020, ""}));
}

// The limits themselves are the registry's tests; here the setting and what the host is told.
TEST_P(Service, AHostIsToldWhenItHasAllTheRoomsItMayOrItsAddressListsAsManyHostsAsItMay) {
  TrackerService small(registry, [this] { return now; }, {.rooms_per_host = 1});
  const std::string host = "&HOST=" + std::string(64, 'a');
  ASSERT_EQ(Field(small.Handle(AddQuery("LISTING") + host + "&FREE=3", "192.0.2.1"), "STATUS"),
            "SUBMITOK");
  EXPECT_EQ(small.Handle(AddQuery("MADE") + host + "&CODE=k7", "192.0.2.1"),
            "STATUS=FAIL|EXTRA=This host has as many rooms listed as the directory allows (1); its "
            "other rooms stay unlisted until some close.\r\n");
  // A machine may run a few hosts, one a core.
  for (char other : {'b', 'c', 'd'}) {
    ASSERT_EQ(
        Field(small.Handle(AddQuery(std::string("H") + other) + "&HOST=" + std::string(64, other),
                           "192.0.2.1"),
              "STATUS"),
        "SUBMITOK");
  }
  EXPECT_EQ(small.Handle(AddQuery("OTHER") + "&HOST=" + std::string(64, 'e'), "192.0.2.1"),
            "STATUS=FAIL|EXTRA=Your address already lists the rooms of 4 other hosts, as many as "
            "the directory lists from one address.\r\n");
  EXPECT_EQ(small.counters().refusals[static_cast<size_t>(Refusal::kHostFull)], 1u);
  EXPECT_EQ(small.counters().refusals[static_cast<size_t>(Refusal::kTooManyRooms)], 1u);
}

TEST_P(Service, ViewListsTheFullestFirstAtMostTwoThousandAndMaxCutsTheList) {
  Handle(AddQuery("OLD", "OLD") + "&PLAYERS=2");
  Handle(AddQuery("SILENT", "SILENT"));  // sends no count: shown without one, after the others
  Handle(AddQuery("BUSY", "BUSY") + "&PLAYERS=7&LOCKED=True");
  Handle(AddQuery("EMPTY", "EMPTY") + "&PLAYERS=0&LOCKED=False");
  Handle(AddQuery("TIED", "TIED") + "&PLAYERS=2");  // after the one registered first
  const std::string all = Handle("ACTION=VIEW");
  EXPECT_THAT(Column(all, "SERVERNAME"), ElementsAre("BUSY", "OLD", "TIED", "EMPTY", "SILENT"));
  EXPECT_THAT(Column(all, "PLAYERS"), ElementsAre("7", "2", "2", "0", ""));
  EXPECT_THAT(Column(all, "LOCKED"), ElementsAre("True", "", "", "", ""));
  EXPECT_THAT(Handle("ACTION=VIEW&MAX=1"),
              testing::EndsWith("|TOTALROUNDS=9|PLAYERS=7|LOCKED=True\r\n"));
  EXPECT_EQ(Handle("ACTION=VIEW&MAX="), all);  // an empty MAX is no MAX
  for (const std::string max : {"0", "x"}) EXPECT_EQ(Status("ACTION=VIEW&MAX=" + max), "ERROR");
  // A refresh moves the room at once.
  Handle(AddQuery("SILENT", "SILENT") + "&PLAYERS=9");
  EXPECT_THAT(Column(Handle("ACTION=VIEW&MAX=1"), "PLAYERS"), ElementsAre("9"));
  // Straight into the store, past the rate limit: the emptiest rooms are left out.
  for (int i = 0; i < static_cast<int>(TrackerService::kMaxView); ++i) {
    const std::string ip = "10.0." + std::to_string(i / 200) + "." + std::to_string(i % 200);
    Room room = MakeRoom(ip, ip, ip);
    room.players = 1;
    ASSERT_EQ(registry.Add(room, now), RoomStore::AddResult::kAdded);
  }
  const auto players = Column(Handle("ACTION=VIEW&MAX=99999"), "PLAYERS");
  EXPECT_EQ(players.size(), TrackerService::kMaxView);
  EXPECT_EQ(players.back(), "1");
}

SCRAWLBOX_ON_BACKENDS(Service);

}  // namespace
}  // namespace tracker
