// SPDX-License-Identifier: MIT
#include "tracker/tracker_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/records.h"
#include "directory/tracker.h"
#include "tests/tracker/backends.h"
#include "tracker/registry.h"

namespace tracker {
namespace {

using directory::GetValue;

std::vector<std::string> Lines(const std::string& body) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = body.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(body.substr(start, end - start));
  }
  EXPECT_EQ(start, body.size()) << "every line ends in CR LF";
  return lines;
}

std::string StatusOf(const std::string& reply) {
  return GetValue(directory::ReplyRecord(reply), "STATUS");
}

std::string SecretOf(const std::string& reply) {
  return GetValue(directory::ReplyRecord(reply), "SECRET");
}

// One field of each VIEW line.
std::vector<std::string> Column(const std::string& view, const char* key) {
  std::vector<std::string> values;
  for (const std::string& line : Lines(view)) values.push_back(GetValue(line, key));
  return values;
}

std::string AddQuery(const std::string& key, const std::string& name = "Room") {
  return "ACTION=ADD&KEY=" + key + "&SERVERVERSION=1%2E00%2E0001&SERVERNAME=" + name +
         "&DESC=Fun&IP=198.51.100.7&PORT=2020&ADMINNAME=Ann&ADMINEMAIL=a%40b%2Ec&ISPUBLIC=False"
         "&TOTALCONNECTIONS=5&TOTALGAMES=2&TOTALROUNDS=9&TOTALWORDS=300&TOTALWORDLISTS=3";
}

// The query with one field's value replaced.
std::string With(std::string query, const std::string& key, const std::string& value) {
  const size_t start = query.find("&" + key + "=") + key.size() + 2;
  const size_t end = query.find('&', start);
  return query.replace(start, end == std::string::npos ? std::string::npos : end - start, value);
}

class Service : public OnBackend {
 protected:
  void SetUp() override {
    MakeDatabase();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(registry.Open(url())) << registry.error().toStdString();
  }

  std::string Handle(const std::string& query, const std::string& source = "192.0.2.1") {
    return service.Handle(query, source);
  }
  std::string Status(const std::string& query, const std::string& source = "192.0.2.1") {
    return StatusOf(Handle(query, source));
  }

  // Every count that is not zero, as "action answer N, " and "refusal N, ".
  std::string Counted() const {
    std::string out;
    const auto& c = service.counters();
    for (size_t a = 0; a < kRequestActions * kRequestAnswers; ++a) {
      const uint64_t n = c.requests[a / kRequestAnswers][a % kRequestAnswers];
      if (n) out += std::string(ActionName(RequestAction(a / kRequestAnswers))) + " ";
      if (n) out += std::string(AnswerName(RequestAnswer(a % kRequestAnswers))) + " ";
      if (n) out += std::to_string(n) + ", ";
    }
    for (size_t r = 0; r < kRefusals; ++r) {
      if (c.refusals[r]) out += std::string(RefusalName(Refusal(r))) + " ";
      if (c.refusals[r]) out += std::to_string(c.refusals[r]) + ", ";
    }
    return out;
  }

  int64_t now = 1000000;
  Registry registry;
  TrackerService service{registry, [this] { return now; }};
};

TEST(Query, PercentEncodingIsUndoneBrokenEscapesStayAndFieldsHoldNoSeparators) {
  std::map<std::string, std::string> fields;
  std::string error;
  ASSERT_TRUE(ParseQuery("A=x%41%a6y\xE9&B=%4&C=%zz%&D&&E=1=2&%46=k", &fields, &error));
  EXPECT_EQ(
      fields,
      (std::map<std::string, std::string>{
          {"A", "xA\xA6y\xE9"}, {"B", "%4"}, {"C", "%zz%"}, {"D", ""}, {"E", "1=2"}, {"F", "k"}}));
  EXPECT_EQ(CleanField("a|b\r\nc\td\x7f"
                       "e\x01"
                       "caf\xE9"),
            "a\xA6"
            "bcdecaf\xE9");
  EXPECT_EQ(Reply("FAIL", "x|y\r\nz"), "STATUS=FAIL|EXTRA=x\xA6yz\r\n");
}

TEST_P(Service, RefusedRequestsGetTheirReasonAndListNothing) {
  const std::string kNoAction = "STATUS=ERROR|EXTRA=No ACTION was given.\r\n";
  for (const auto& [query, reply] : std::vector<std::pair<std::string, std::string>>{
           {"", kNoAction},
           {"KEY=x", kNoAction},
           {"ACTION=DROPTABLES", "STATUS=ERROR|EXTRA=Unknown ACTION DROPTABLES.\r\n"},
           {"ACTION=VIEW&ACTION=ADD", "STATUS=ERROR|EXTRA=ACTION was given more than once.\r\n"},
           {"ACTION=VIEW&X=" + std::string(1 << 20, 'a'),
            "STATUS=ERROR|EXTRA=The request is too long.\r\n"},
           {AddQuery("K", "%20%20"),
            "STATUS=FAIL|EXTRA=Your room needs a name before it can be listed.\r\n"},
           {AddQuery("K", std::string(directory::kMaxRoomName + 1, 'n')),
            "STATUS=FAIL|EXTRA=SERVERNAME is longer than 20 characters.\r\n"},
           {With(AddQuery("K"), "PORT", "99999999999999"),
            "STATUS=FAIL|EXTRA=PORT is longer than 5 characters.\r\n"}}) {
    EXPECT_EQ(Handle(query), reply) << query.substr(0, 100);
  }
  for (const std::string port : {"0", "65536", "abc", "", "20.5", "-1"}) {
    EXPECT_EQ(Handle(With(AddQuery("K"), "PORT", port)),
              "STATUS=FAIL|EXTRA=PORT must be a port number from 1 to 65535.\r\n")
        << port;
  }
  for (const std::string players : {"x", "-1", "1.5", "10000", "007a"}) {
    EXPECT_EQ(Handle(AddQuery("K") + "&PLAYERS=" + players),
              "STATUS=FAIL|EXTRA=PLAYERS must be a number from 0 to 9999.\r\n")
        << players;
  }
  EXPECT_EQ(Handle("ACTION=VIEW"), "");
  // Just within every bound; escapes count once undone: 20 encoded bars are 20 characters.
  std::string bars;
  for (size_t i = 0; i < directory::kMaxRoomName; ++i) bars += "%A6";
  for (const std::string& query :
       {AddQuery("A", std::string(directory::kMaxRoomName, 'n')), AddQuery("B", bars),
        With(AddQuery("C"), "PORT", "65535"), AddQuery("D") + "&PLAYERS=9999"}) {
    EXPECT_EQ(Status(query), "SUBMITOK") << query;
  }
  EXPECT_EQ(Lines(Handle("ACTION=VIEW")).size(), 4u);
}

TEST_P(Service, AddThenUpdateThenRemoveAndPrivateRoomsAreNeverListed) {
  const std::string added = Handle(AddQuery("HOST:ANN"));
  EXPECT_THAT(added, testing::MatchesRegex("STATUS=SUBMITOK\\|EXTRA=\\|SECRET=[0-9a-f]{32}\r\n"));
  // An older room, which keeps no secret, is told it again with every update.
  EXPECT_EQ(Handle(AddQuery("HOST:ANN", "Renamed")),
            "STATUS=UPDATEOK|EXTRA=|SECRET=" + SecretOf(added) + "\r\n");
  EXPECT_EQ(Handle("ACTION=VIEW"),
            "SERVERNAME=Renamed|SERVERDESC=Fun|SERVERIP=192.0.2.1|PORT=2020"
            "|SERVERVERSION=1.00.0001|ADMINNAME=Ann|TOTALWORDLISTS=3|TOTALWORDS=300"
            "|TOTALCONNECTIONS=5|TOTALGAMES=2|TOTALROUNDS=9\r\n");
  EXPECT_EQ(Handle("ACTION=REMOVE&KEY=HOST:ANN&SERVERNAME=Renamed&ADMINNAME=Ann"),
            "STATUS=REMOVEOK|EXTRA=\r\n");
  EXPECT_EQ(Handle("ACTION=REMOVE&KEY=HOST:ANN"), "STATUS=NOTFOUND|EXTRA=\r\n");
  EXPECT_EQ(Status("ACTION=REMOVE"), "FAIL");
  EXPECT_EQ(Status(With(AddQuery("P"), "ISPUBLIC", "True")), "SUBMITOK");
  EXPECT_EQ(Handle("ACTION=VIEW"), "");
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=P"), "REMOVEOK");
  // One room's fields cannot break another room's record.
  Handle(AddQuery("EVIL", "a%7CPORT=1%0D%0AX"));
  Handle(AddQuery("GOOD", "Nice"));
  EXPECT_THAT(Column(Handle("ACTION=VIEW"), "SERVERNAME"),
              testing::ElementsAre("a\xA6PORT=1X", "Nice"));
  EXPECT_THAT(Column(Handle("ACTION=VIEW"), "PORT"), testing::ElementsAre("2020", "2020"));
}

TEST_P(Service, ARoomIsListedAtTheRequestsAddressUnlessAllowedAndAtMostEightAtOneAddress) {
  TrackerService open(registry, [this] { return now; }, {.any_address = true});
  struct Case {
    const char* name;
    TrackerService* service;
    std::string ip;
    std::string listed;
  };
  for (const Case& c : {Case{"another host", &service, "198.51.100.7", "203.0.113.50"},
                        Case{"empty", &service, "", "203.0.113.50"},
                        Case{"allowed", &open, "198.51.100.7", "198.51.100.7"},
                        Case{"allowed, empty", &open, "", "203.0.113.50"}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(StatusOf(c.service->Handle(With(AddQuery(c.name), "IP", c.ip), "203.0.113.50")),
              "SUBMITOK");
    EXPECT_EQ(registry.Find(c.name)->address, c.listed);
    now += RoomStore::kRateWindowMs;
  }
  const auto add = [&](const std::string& key, int source) {
    return open.Handle(AddQuery(key), "192.0.2." + std::to_string(source));
  };
  for (int i = 1; i < RoomStore::kMaxRoomsPerAddress; ++i) {  // "allowed" is the first
    ASSERT_EQ(StatusOf(add("R" + std::to_string(i), i)), "SUBMITOK");
  }
  EXPECT_EQ(add("LATE", 50),
            "STATUS=FAIL|EXTRA=As many rooms as may are listed at 198.51.100.7.\r\n");
  EXPECT_EQ(StatusOf(add("R3", 3)), "UPDATEOK");  // refreshes still go
  TrackerService unlimited(registry, [this] { return now; },
                           {.any_address = true, .rooms_per_address = 0});
  EXPECT_EQ(StatusOf(unlimited.Handle(AddQuery("LATE"), "192.0.2.50")), "SUBMITOK");
}

// A registered room changes with its secret from anywhere (its address may change), without it
// only from the address that registered it: that is all an older room, which keeps none, has.
TEST_P(Service, OnlyTheRoomItselfChangesItsRegistration) {
  constexpr char kOwner[] = "192.0.2.1";
  constexpr char kOther[] = "203.0.113.9";
  // Each action from elsewhere (0), from elsewhere with the secret (1), from its address (2);
  // "+secret" when the reply tells the secret again.
  std::string outcomes;
  for (const std::string action : {"ADD", "REMOVE"}) {
    for (int how = 0; how < 3; ++how) {
      const std::string key = action + std::to_string(how);
      now += RoomStore::kRateWindowMs;
      const std::string secret = SecretOf(Handle(AddQuery(key), kOwner));
      ASSERT_FALSE(secret.empty());
      const std::string reply =
          Handle("ACTION=" + action + "&SERVERNAME=Moved&PORT=2020&KEY=" + key +
                     (how == 1 ? "&SECRET=" + secret : ""),
                 how == 2 ? kOwner : kOther);
      const std::optional<Room> room = registry.Find(key);
      outcomes += StatusOf(reply) + (SecretOf(reply) == secret ? "+secret" : "") +
                  (!room                   ? " gone"
                   : room->name == "Moved" ? " moved"
                                           : "") +
                  ", ";
    }
  }
  EXPECT_EQ(outcomes,
            "FAIL, UPDATEOK moved, UPDATEOK+secret moved, FAIL, REMOVEOK gone, REMOVEOK gone, ");
  EXPECT_THAT(Handle(AddQuery("ADD0"), kOther),
              testing::HasSubstr("EXTRA=This room is registered from another address; only its "
                                 "own server may change it."));
  EXPECT_EQ(Counted(),
            "add submitok 6, add updateok 2, add fail 2, remove removeok 2, "
            "remove fail 1, not_yours 3, ");
}

// A room that was listed under its key in clear sends it once as OLDKEY with the hashed one.
TEST_P(Service, AListedRoomMovesToItsHashedKeyFromItsOwnAddressOnly) {
  Room old;
  old.key = "HOST:ANN";
  old.name = "Old";
  old.port = 2020;
  old.address = old.source = "192.0.2.1";
  for (const auto& [source, moved] : {std::pair{"192.0.2.1", true}, {"203.0.113.9", false}}) {
    SCOPED_TRACE(source);
    ASSERT_EQ(registry.Add(old, now += RoomStore::kRateWindowMs), RoomStore::AddResult::kAdded);
    const std::string reply = Handle(AddQuery("0abc") + "&OLDKEY=HOST%3AANN", source);
    EXPECT_EQ(StatusOf(reply), moved ? "UPDATEOK" : "SUBMITOK");
    EXPECT_FALSE(SecretOf(reply).empty());
    EXPECT_EQ(registry.Find("HOST:ANN").has_value(), !moved);
    EXPECT_EQ(registry.Find("0abc")->name, "Room");
    EXPECT_EQ(Status("ACTION=REMOVE&KEY=0abc&SECRET=" + SecretOf(reply), source), "REMOVEOK");
    if (!moved) {
      ASSERT_EQ(registry.Remove("HOST:ANN", "", "192.0.2.1"), RoomStore::RemoveResult::kRemoved);
    }
  }
  // A room not yet listed under its hashed key is removed under the old one.
  ASSERT_EQ(registry.Add(old, now += RoomStore::kRateWindowMs), RoomStore::AddResult::kAdded);
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=0abc&OLDKEY=HOST:ANN", "203.0.113.9"), "FAIL");
  EXPECT_EQ(Status("ACTION=REMOVE&KEY=0abc&OLDKEY=HOST:ANN", "192.0.2.1"), "REMOVEOK");
}

TEST_P(Service, TenAddsAMinuteFromOneAddressAndEveryRequestIsCounted) {
  for (int i = 0; i < 10; ++i)
    EXPECT_THAT(Status(AddQuery("K")), testing::AnyOf("SUBMITOK", "UPDATEOK"));
  EXPECT_EQ(Handle(AddQuery("K")),
            "STATUS=FAIL|EXTRA=Too many submissions from your address; try again in a minute.\r\n");
  EXPECT_EQ(Status(AddQuery("K2"), "192.0.2.2"), "SUBMITOK");
  EXPECT_EQ(Lines(Handle("ACTION=VIEW")).size(), 2u);  // other actions still answer
  now += 59999;
  EXPECT_EQ(Status(AddQuery("K")), "FAIL");
  now += 1;
  EXPECT_EQ(Status(AddQuery("K")), "UPDATEOK");
  Handle(With(AddQuery("K3"), "PORT", "99999"));
  Handle("ACTION=VIEW&MAX=0");
  Handle("ACTION=REMOVE&KEY=K");
  Handle("ACTION=REMOVE&KEY=K");
  Handle("ACTION=DANCE");
  Handle("ACTION=VIEW&ACTION=VIEW");
  // Eight rooms listed at the address of the ADDs, the ninth and tenth not.
  for (int i = 0; i < 10; ++i) Handle(AddQuery("R" + std::to_string(i)), "192.0.2.9");
  // An unknown action and a query that cannot be read count under "other".
  EXPECT_EQ(Counted(),
            "add submitok 10, add updateok 10, add fail 5, remove removeok 1, remove notfound 1, "
            "view error 1, view rooms 1, other error 2, rate_limit 2, bad_field 1, "
            "bad_request 3, address_full 2, ");
}

TEST_P(Service, ViewListsTheFullestFirstAndMaxCutsTheList) {
  Handle(AddQuery("OLD") + "&PLAYERS=2");
  Handle(AddQuery("SILENT"));  // sends no count: shown without one, after every counted room
  Handle(AddQuery("BUSY") + "&PLAYERS=7&LOCKED=True");
  Handle(AddQuery("EMPTY") + "&PLAYERS=0&LOCKED=False");
  Handle(AddQuery("TIED") + "&PLAYERS=2");
  const std::string all = Handle("ACTION=VIEW");
  EXPECT_THAT(Column(all, "PLAYERS"), testing::ElementsAre("7", "2", "2", "0", ""));
  const auto lines = Lines(all);
  EXPECT_THAT(lines[0], testing::EndsWith("|TOTALROUNDS=9|PLAYERS=7|LOCKED=True"));
  EXPECT_THAT(lines[1], testing::EndsWith("|TOTALROUNDS=9|PLAYERS=2"));  // first registered
  EXPECT_THAT(lines[4], testing::EndsWith("|TOTALROUNDS=9"));
  EXPECT_EQ(Handle("ACTION=VIEW&MAX=2"), lines[0] + "\r\n" + lines[1] + "\r\n");
  EXPECT_EQ(Handle("ACTION=VIEW&MAX=500"), all);
  EXPECT_EQ(Handle("ACTION=VIEW&MAX="), all);  // an empty MAX is no MAX
  for (const std::string max : {"0", "-1", "x"})
    EXPECT_EQ(Status("ACTION=VIEW&MAX=" + max), "ERROR");
  // A refresh moves the room at once.
  Handle(AddQuery("SILENT") + "&PLAYERS=9");
  EXPECT_THAT(Column(Handle("ACTION=VIEW&MAX=1"), "PLAYERS"), testing::ElementsAre("9"));
}

TEST_P(Service, ViewAnswersAtMostTwoThousandRoomsLeavingOutTheEmptiest) {
  // Straight into the store: the rate limit is not what this is about.
  for (int i = 0; i < static_cast<int>(TrackerService::kMaxView) + 5; ++i) {
    Room room;
    room.key = room.name = "R" + std::to_string(i);
    room.port = 2020;
    room.source = "10.0." + std::to_string(i / 20) + ".1";
    room.address = "10.1." + std::to_string(i / 200) + "." + std::to_string(i % 200);
    room.players = i % 7;
    ASSERT_EQ(registry.Add(room, now + i * RoomStore::kRateWindowMs), RoomStore::AddResult::kAdded);
  }
  EXPECT_EQ(Lines(Handle("ACTION=VIEW")).size(), TrackerService::kMaxView);
  const auto players = Column(Handle("ACTION=VIEW&MAX=99999"), "PLAYERS");
  EXPECT_EQ(players.size(), TrackerService::kMaxView);
  EXPECT_EQ(players.back(), "0");
  EXPECT_EQ(players.front(), "6");
}

SCRAWLBOX_ON_BACKENDS(Service);

}  // namespace
}  // namespace tracker
