// SPDX-License-Identifier: MIT
#include "server/host/room_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "protocol/commands.h"
#include "protocol/text.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using testing_support::CommandsOf;
using testing_support::Render;
namespace to_server = protocol::to_server;

// The numbers given, then ones that never repeat.
class CodeRandom : public testing_support::ScriptedRandom {
 public:
  double Next() override {
    if (!values.empty()) return ScriptedRandom::Next();
    next_ = std::fmod(next_ + 0.6180339887, 1.0);
    return next_;
  }

 private:
  double next_ = 0;
};

// A host over the fakes. Its codes come from their own chance, as the program's do.
class HostTest : public ::testing::Test {
 protected:
  explicit HostTest(std::string_view server_ini = "[Server Details]\nFlood Burst=0\n")
      : ini(server_ini), host(Ports()) {
    testing_support::WriteFile(words / "test.txt", "apple\n");
    // Players answer every ping, so that they stay as long as a test says.
    transport.on_ping = [this](int slot) {
      clock.SingleShot(0,
                       [this, slot] { host.OnData(slot, protocol::Frame(to_server::PONG, "-")); });
    };
    host.Start();
  }

  // The fakes as a host's ports: a test that needs other limits makes a host of its own.
  server::RoomHost::Ports Ports() {
    return {transport, clock,          random, code_random, view,
            ini,       {words.path()}, http,   "HOST:ANN",  testing_support::FakeHash};
  }
  int Connect(const std::string& address = "10.0.0.1") {
    return host.OnConnectionRequest(address).slot;
  }
  // The real client's login.
  static std::string LoginBytes(const std::string& nickname) {
    return protocol::Frame(to_server::SCRAWLBOX_CL13NT, "100001") +
           protocol::Frame(to_server::USER, testing_support::ProfileData(nickname)) +
           protocol::Frame(to_server::PASS, "<none>") + protocol::Frame(to_server::ULISTREQ, "-");
  }
  int Join(const std::string& code, const std::string& nickname,
           const std::string& address = "10.0.0.1") {
    const int slot = Connect(address);
    if (slot == 0) return 0;
    const std::string room = code == "-" ? "" : protocol::Frame(to_server::ROOM, code);
    host.OnData(slot, room + LoginBytes(nickname));
    return slot;
  }
  std::string Made(const std::string& name = "Ann's room",
                   const std::string& address = "10.9.9.9") {
    const server::RoomHost::Created created = host.CreateRoom({name, "", false}, address);
    EXPECT_EQ(created.refusal, "");
    return created.code;
  }
  std::string Got(int slot) { return Render(transport.Take(slot)); }

  testing_support::TempDir words;
  testing_support::MemoryIni ini;
  testing_support::ManualClock clock;
  testing_support::FakeTransport transport;
  testing_support::RecordingView view;
  testing_support::ScriptedRandom random;
  CodeRandom code_random;
  testing_support::FakeHttpGetter http;
  server::RoomHost host;
};

TEST_F(HostTest, EachConnectionReachesTheRoomItNamesAndOneThatNamesNoneTheDefaultRoom) {
  code_random.values = {0.0, 0.99};  // codes begin "a9..."
  const std::string code = Made();
  EXPECT_THAT(code, MatchesRegex("a9[a-z2-9]{8}"));
  EXPECT_EQ(code.find_first_of("ilo01"), std::string::npos);

  const int ann = Join(code, "Ann");
  EXPECT_THAT(Got(ann), HasSubstr("PASSOK"));
  // An older client sends no ROOM; its login may arrive a byte at a time.
  const int old = Connect();
  for (char byte : LoginBytes("Old")) host.OnData(old, std::string_view(&byte, 1));
  EXPECT_THAT(Got(old), HasSubstr("PASSOK"));
  // Letter case is no part of a code; an empty one is the default room.
  std::string upper = code;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const int bob = Join(upper, "Bob");
  const int cat = Join("", "Cat");
  transport.sent.clear();

  host.OnData(ann, protocol::Frame(to_server::SAY, "hi from the made room"));
  EXPECT_THAT(Got(bob), HasSubstr("hi from the made room"));
  EXPECT_EQ(Got(old), "");
  EXPECT_EQ(Got(cat), "");
  EXPECT_EQ(host.default_room().core().InRoomCount(), 2);
  EXPECT_EQ(host.Find(code)->core().InRoomCount(), 2);
}

TEST_F(HostTest, AConnectionThatNamesNoKnownRoomIsToldAndClosed) {
  const int unknown = Connect();
  host.OnData(unknown, protocol::Frame(to_server::ROOM, "nosuchroom") + LoginBytes("Ann"));
  EXPECT_EQ(Got(unknown), "NOTICE There is no room with that code here; it may have closed.");
  EXPECT_TRUE(transport.IsClosed(unknown));

  // A ROOM message without an end within its bound is no client's.
  const int endless = Connect();
  host.OnData(endless, "ROOM\x02" + std::string(100, 'a'));
  EXPECT_TRUE(transport.IsAborted(endless));

  // Nothing at all: closed as a silent login is.
  const int silent = Connect();
  clock.Advance(10000);
  EXPECT_TRUE(transport.IsClosed(silent));
  EXPECT_THAT(host.MetricsText(),
              HasSubstr("scrawlbox_host_refused_connections_total{reason=\"unknown_room\"} 1"));
  EXPECT_THAT(host.MetricsText(),
              HasSubstr("scrawlbox_host_refused_connections_total{reason=\"no_room_message\"} 2"));
  EXPECT_THAT(host.MetricsText(), HasSubstr("scrawlbox_host_connections 0"));
}

TEST_F(HostTest, AMadeRoomTakesTheMakersChoicesTheHostsDefaultsAndTheHostsOwnLimits) {
  ini.INIWriteAll(server::kRoomDefaultsSection, {{"Word Choices", "1"}, {"Flood Burst", "9"}});
  ini.INIWrite(server::kHostSection, "Players Per Room", "2");
  const server::RoomHost::Created created =
      host.CreateRoom({"Friends\x03", "secret", true, "de"}, "10.9.9.9");
  // Read again: the defaults are read when a room is made.
  server::Room& room = *host.Find(created.code);
  const server::ServerSettings& settings = room.core().settings();
  EXPECT_EQ(settings.Name, "Friends");
  EXPECT_EQ(settings.ServerPassword, "secret");
  EXPECT_FALSE(settings.PrivateServer);
  EXPECT_EQ(settings.WordChoices, 1);
  EXPECT_EQ(settings.Language, "de");
  EXPECT_EQ(settings.FloodBurst, 0) << "the host's own flood limit holds";

  const int wrong = Join(created.code, "Ann");
  EXPECT_THAT(Got(wrong), HasSubstr("BADPASS"));
}

TEST_F(HostTest, PlayersPerRoomAndTheHostsLimitsPerAddressHoldAcrossRooms) {
  ini.INIWrite(server::kHostSection, "Players Per Room", "2");
  ini.INIWrite(server::kServerDetailsSection, "Max Connections Per Address", "3");
  server::RoomHost small(Ports());
  small.Start();
  const std::string code = small.CreateRoom({"Two", "", false}, "10.9.9.9").code;
  int players = 0;
  const auto join = [&](const std::string& room, const std::string& address) {
    const int slot = small.OnConnectionRequest(address).slot;
    const std::string nickname = "P" + std::to_string(++players);
    if (slot) small.OnData(slot, protocol::Frame(to_server::ROOM, room) + LoginBytes(nickname));
    return slot;
  };
  EXPECT_NE(join(code, "10.0.0.1"), 0);
  EXPECT_NE(join(code, "10.0.0.2"), 0);
  const int third = join(code, "10.0.0.3");
  EXPECT_EQ(Render(transport.Take(third)), "NOTICE The room is full.");

  EXPECT_NE(join("", "10.0.0.1"), 0);
  EXPECT_NE(join("", "10.0.0.1"), 0);
  const server::ConnectionSink::Admission fourth = small.OnConnectionRequest("10.0.0.1");
  EXPECT_EQ(fourth.slot, 0);
  EXPECT_EQ(Render(testing_support::CutMessages(fourth.refusal)),
            "NOTICE Too many connections from your address.");
}

TEST_F(HostTest, TheHostsBansHoldInEveryRoom) {
  host.default_room().bans().AddBan("10.6.6.*", "griefing");
  const int banned = Join(Made(), "Eve", "10.6.6.6");
  EXPECT_THAT(Got(banned), HasSubstr("BANNED"));
}

TEST_F(HostTest, RoomsAreMadeWithinTheHostsLimitsAndTheMakersHourlyShare) {
  ini.INIWriteAll(server::kHostSection, {{"Max Rooms", "3"}, {"Creations Per Hour", "2"}});
  server::RoomHost limited(Ports());
  limited.Start();
  // The first two rooms draw the same code: the second gets another.
  code_random.values = std::deque<double>(20, 0.1);
  EXPECT_NE(limited.CreateRoom({"a", "", false}, "10.0.0.1").code, "");
  EXPECT_NE(limited.CreateRoom({"b", "", false}, "10.0.0.1").code, "");
  EXPECT_THAT(limited.CreateRoom({"c", "", false}, "10.0.0.1").refusal,
              HasSubstr("2 rooms within the hour"));
  EXPECT_NE(limited.CreateRoom({"d", "", false}, "10.0.0.2").code, "");
  EXPECT_THAT(limited.CreateRoom({"e", "", false}, "10.0.0.3").refusal,
              HasSubstr("all the rooms it can hold"));
  EXPECT_EQ(limited.RoomCount(), 3u);
  const std::string metrics = limited.MetricsText();
  EXPECT_THAT(metrics, HasSubstr("scrawlbox_host_refused_rooms_total{reason=\"max_rooms\"} 1"));
  EXPECT_THAT(metrics,
              HasSubstr("scrawlbox_host_refused_rooms_total{reason=\"creations_per_hour\"} 1"));
}

// The desktop client makes its room on the connection it then plays on.
TEST_F(HostTest, AMakeRoomMessageMakesTheRoomAndTheConnectionEntersItOrIsToldWhyNot) {
  host.SetWebPort(2030);
  const int ann = Connect("10.0.0.7");
  host.OnData(ann, protocol::Frame(to_server::MAKEROOM,
                                   "  \x03\x03"
                                   "0\x03"
                                   "fr") +
                       LoginBytes("Ann"));
  ASSERT_EQ(host.RoomCount(), 1u);
  const std::string code = host.Codes().front();
  const std::string got = Got(ann);
  EXPECT_THAT(got, testing::StartsWith("ROOMMADE " + code + "|http://:2030/r/" + code + ", "));
  // Its players are told its language.
  EXPECT_THAT(got, HasSubstr("PASSOK |Private room|-|1|10|fr, "));
  EXPECT_EQ(host.Find(code)->core().settings().Name, "Private room");
  EXPECT_EQ(host.Find(code)->core().InRoomCount(), 1);
  // A language the host does not know makes the room in its default one.
  ini.INIWrite(server::kRoomDefaultsSection, "Language", "es");
  host.OnData(Connect("10.0.0.8"), protocol::Frame(to_server::MAKEROOM, "Mia's\x03\x030\x03xx"));
  ASSERT_EQ(host.RoomCount(), 2u);
  const std::vector<std::string> codes = host.Codes();
  const std::string& other = codes.front() == code ? codes.back() : codes.front();
  EXPECT_EQ(host.Find(other)->core().settings().Language, "es");

  ini.INIWrite(server::kHostSection, "Creations Per Hour", "0");
  server::RoomHost none(Ports());
  const int bob = none.OnConnectionRequest("10.0.0.8").slot;
  none.OnData(bob, protocol::Frame(to_server::MAKEROOM,
                                   "Bob's\x03\x03"
                                   "1"));
  EXPECT_THAT(Got(bob), HasSubstr("NOTICE No room was made: You have made 0 rooms"));
  EXPECT_TRUE(transport.IsClosed(bob));
}

TEST_F(HostTest, AMadeRoomClosesAfterItsEmptyMinutesAndItsCodeIsUnknownThen) {
  const std::string unused = Made("unused");
  const std::string played = Made("played");
  const int ann = Join(played, "Ann");
  clock.Advance(10 * 60 * 1000 - 1);
  EXPECT_NE(host.Find(unused), nullptr);
  clock.Advance(1);
  EXPECT_EQ(host.Find(unused), nullptr);
  EXPECT_NE(host.Find(played), nullptr) << "a room with a player stays";

  host.OnClosed(ann);
  clock.Advance(5 * 60 * 1000);
  // Someone came back in time: the first ten minutes no longer count.
  const int back = Join(played, "Ann");
  host.OnClosed(back);
  clock.Advance(9 * 60 * 1000);
  EXPECT_NE(host.Find(played), nullptr);
  clock.Advance(60 * 1000);
  EXPECT_EQ(host.Find(played), nullptr);
  EXPECT_EQ(host.RoomCount(), 0u);
  EXPECT_TRUE(view.HasLog(server::LogKind::kGeneral, "Room " + played + " has closed."));
  EXPECT_THAT(host.MetricsText(), HasSubstr("scrawlbox_host_rooms_closed_total 2"));
}

// A public room is listed as one of the host's rooms while it is open; the host's own listing
// says how many more it can make.
TEST_F(HostTest, PublicRoomsAreListedUnderTheHostAndTakenOffAsTheyClose) {
  host.SetWebPort(2030);
  Made("Private");
  EXPECT_TRUE(http.urls.empty()) << "a private room is never listed";
  const std::string code = host.CreateRoom({"Quiz", "", true}, "10.9.9.9").code;
  ASSERT_EQ(http.open.size(), 1u);
  const std::string& add = http.open.front().url;
  EXPECT_THAT(add, HasSubstr("ACTION=ADD&KEY=hash(HOST:ANN/" + code + ")&"));
  EXPECT_THAT(add, HasSubstr("&SERVERNAME=Quiz&"));
  EXPECT_THAT(add, HasSubstr("&WEB=http%3A%2F%2F%3A2030%2Fr%2F" + code + "&CODE=" + code +
                             "&HOST=hash(HOST:ANN)"));
  EXPECT_THAT(add, Not(HasSubstr("OLDKEY"))) << "the key's text names the machine";
  http.Answer("STATUS=SUBMITOK|EXTRA=\r\n");

  host.default_room().Execute("submit");
  EXPECT_THAT(http.open.front().url, HasSubstr("&HOST=hash(HOST:ANN)&FREE=498&"));
  http.Answer("STATUS=SUBMITOK|EXTRA=\r\n");

  // Closing waits for the tracker to take the room off.
  host.CloseRoom(code);
  clock.Advance(0);
  ASSERT_EQ(http.open.size(), 1u);
  EXPECT_THAT(http.open.front().url, HasSubstr("ACTION=REMOVE&KEY=hash(HOST:ANN/" + code + ")"));
  EXPECT_EQ(host.RoomCount(), 2u);
  http.Answer("STATUS=REMOVEOK|EXTRA=\r\n");
  clock.Advance(0);
  EXPECT_EQ(host.RoomCount(), 1u);

  // A room gone before the tracker answered: the late answer reaches nothing.
  const std::string brief = host.CreateRoom({"Brief", "", true}, "10.9.9.9").code;
  host.CloseRoom(brief);
  clock.Advance(0);
  EXPECT_EQ(host.RoomCount(), 1u);
  http.Answer("STATUS=SUBMITOK|EXTRA=\r\n");

  ini.INIWrite(server::kHostSection, "List Public Rooms", "0");
  server::RoomHost unlisted(Ports());
  unlisted.CreateRoom({"Quiet", "", true}, "10.9.9.9");
  EXPECT_TRUE(http.open.empty());
}

TEST_F(HostTest, MetricsAnnounceEachFamilyOnceWithTheSamplesOfEveryRoomLabelled) {
  const std::string code = Made();
  Join(code, "Ann");
  const std::string text = host.MetricsText();
  // The default room's samples keep the names of a single room's.
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_players 0\n"));
  EXPECT_THAT(text, HasSubstr("\nscrawlbox_room_players{room=\"" + code + "\"} 1\n"));
  EXPECT_THAT(text,
              HasSubstr("scrawlbox_room_connections{room=\"" + code + "\",state=\"in_room\"} 1"));
  size_t announced = 0;
  for (size_t at = text.find("# TYPE scrawlbox_room_players "); at != std::string::npos;
       at = text.find("# TYPE scrawlbox_room_players ", at + 1)) {
    ++announced;
  }
  EXPECT_EQ(announced, 1u);
}

TEST_F(HostTest, QuittingTheHostTellsTheRoomsPlayersAndClosesEveryConnection) {
  const int ann = Join(Made(), "Ann");
  const int old = Join("-", "Old");
  const int waiting = Connect();
  bool finished = false;
  host.Quit([&] { finished = true; });
  clock.Advance(0);
  EXPECT_THAT(Got(ann), HasSubstr("SERVERQUIT"));
  EXPECT_THAT(Got(old), HasSubstr("SERVERQUIT"));
  EXPECT_TRUE(transport.IsClosed(waiting));
  EXPECT_TRUE(finished);
  EXPECT_TRUE(transport.closed_all);
  // Until the program ends, the host takes nobody and makes nothing.
  EXPECT_EQ(host.OnConnectionRequest("10.0.0.1").slot, 0);
  EXPECT_EQ(host.CreateRoom({"late", "", false}, "10.0.0.1").code, "");
}

TEST_F(HostTest, TheOperatorMakesListsAndClosesRoomsFromTheConsole) {
  EXPECT_THAT(host.Execute("create public Quiz night"),
              testing::ElementsAre(MatchesRegex("Room [a-z2-9]{10} made.")));
  const std::string code = host.Codes().front();
  EXPECT_THAT(host.Execute("rooms")[1], HasSubstr(code + "  0 players  public  Quiz night"));
  EXPECT_THAT(host.Execute("help"),
              testing::Contains(HasSubstr("create [public] NAME [lang=CODE]")));
  EXPECT_EQ(host.Execute("close nosuch"), std::vector<std::string>{"There is no room nosuch."});
  host.Execute("close " + code);
  // Closing, it lets nobody in: a connection that came now would outlive the room.
  const int late = Join(code, "Late");
  EXPECT_THAT(Got(late), HasSubstr("There is no room with that code here"));
  clock.Advance(0);
  EXPECT_EQ(host.RoomCount(), 0u);
  // A language last, after the name.
  EXPECT_THAT(host.Execute("create Club lang=DE"), testing::ElementsAre(HasSubstr(" made.")));
  EXPECT_EQ(host.Execute("create Club lang=xx"),
            std::vector<std::string>{"The language is to be one of en, de, fr, es."});
  EXPECT_THAT(host.Execute("create lang=de"), testing::ElementsAre(HasSubstr("Usage: create")));
  ASSERT_EQ(host.RoomCount(), 1u);
  EXPECT_EQ(host.Find(host.Codes().front())->core().settings().Language, "de");
}

}  // namespace
