// SPDX-License-Identifier: MIT
#include "server/admin/tracker_registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "protocol/commands.h"
#include "tests/support/game_harness.h"
#include "tests/support/server_harness.h"

namespace server {
namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing_support::FakeHash;
using testing_support::RoomHarness;
using Reg = TrackerRegistration;

constexpr char kRoomDetails[] =
    "Name=Pens|Ink 100%\r\nDescription=Come & draw: it's fun!\r\nAdmin Name=Ann_Op\r\n"
    "Admin Email=ann@example.org\r\nIP Address=203.0.113.9\r\nPort=2021\r\nLanguage=DE\r\n";
constexpr char kDirectory[] =
    "[Directory]\r\nTracker URL=http://tracker.example/misc/scrawlbox/tracker.php\r\n"
    "Update URL=http://updates.example/version/\r\n";

// A room with its directory settings; extra: more lines for the "Server Details" section.
struct Listed {
  explicit Listed(const std::string& extra = "")
      : room("[Server Details]\r\n" + std::string(kRoomDetails) + extra + kDirectory) {
    // Players stay: their pings are answered.
    room.transport.on_ping = [this](int slot) {
      room.clock.SingleShot(0, [this, slot] { room.Send(slot, protocol::to_server::PONG, "-"); });
    };
  }

  // Submits and has the tracker accept the room.
  void SubmitAccepted() {
    registration.Submit();
    http.Answer("STATUS=SUBMITOK|EXTRA=\r\n");
    ASSERT_TRUE(registration.Submitted());
  }

  RoomHarness room;
  testing_support::FakeHttpGetter& http = room.http;
  TrackerRegistration& registration = room.room().registration();
};

class Registration : public testing::Test, public Listed {};

// Once the tracker has given a secret, it proves every request instead of the old key.
TEST_F(Registration, SubmitAndRemoveSendEveryFieldWithFreeTextEncodedAndTheSecretIsKept) {
  for (Stat stat :
       {Stat::EstablishedConnections, Stat::EstablishedConnections, Stat::GamesCompleted}) {
    room.server.statistics().Increment(stat);
  }
  room.room().Execute("submit");  // the console's commands are the operator's
  EXPECT_THAT(room.room().Execute("submit now"), ElementsAre("Usage: submit"));
  ASSERT_EQ(http.open.size(), 1u);
  EXPECT_EQ(http.open.front().url,
            "http://tracker.example/misc/scrawlbox/tracker.php?ACTION=ADD&KEY=hash(HOST:ANN:2021)"
            "&SERVERVERSION=1%2E01%2E0000&SERVERNAME=Pens%A6Ink%20100%25"
            "&DESC=Come%20%26%20draw%3A%20it%27s%20fun%21&IP=203.0.113.9&PORT=2021"
            "&ADMINNAME=Ann%5FOp&ADMINEMAIL=ann%40example%2Eorg&ISPUBLIC=False"
            "&TOTALCONNECTIONS=2&TOTALGAMES=1&TOTALROUNDS=0&TOTALWORDS=0&TOTALWORDLISTS=0"
            "&LOCKED=False&LANG=de&PLAYERS=0&OLDKEY=HOST:ANN:2021");
  EXPECT_EQ(http.open.front().user_agent, "Scrawlbox Server v1.1 build#0000");
  EXPECT_FALSE(registration.Submitted());  // only the tracker's answer counts
  http.Answer("STATUS=SUBMITOK|EXTRA=|SECRET=00ff\r\n");
  EXPECT_EQ(room.ini.INIRead("Directory", "Tracker Secret", ""), "00ff");
  room.room().Execute("remove");
  EXPECT_FALSE(registration.Submitted());  // at once, whatever the answer
  EXPECT_EQ(http.open.front().url,
            "http://tracker.example/misc/scrawlbox/tracker.php?ACTION=REMOVE"
            "&KEY=hash(HOST:ANN:2021)&SERVERNAME=Pens%A6Ink%20100%25&ADMINNAME=Ann%5FOp"
            "&SECRET=00ff");
  http.Answer("STATUS=REMOVEOK\r\n");
  // Only hex digits are a secret; an answer without one leaves the kept one.
  for (const std::string& reply : std::vector<std::string>{
           "STATUS=UPDATEOK|SECRET=a&b", "STATUS=UPDATEOK", "STATUS=FAIL|SECRET=abcd",
           "STATUS=UPDATEOK|SECRET=" + std::string(65, 'a')}) {
    registration.Submit();
    http.Answer(reply + "\r\n");
  }
  EXPECT_THAT(registration.SubmitQuery(), EndsWith("&PLAYERS=0&SECRET=00ff"));
  // The next start finds it.
  Reg restarted(room.server, http, room.clock, nullptr, "HOST:ANN", FakeHash, room.ini);
  EXPECT_THAT(restarted.SubmitQuery(), EndsWith("&SECRET=00ff"));
}

TEST(RegistrationQuery, APrivateRoomSaysTrueInThePublicFieldAndWordsComeFromTheLoadedLists) {
  RoomHarness room("[Server Details]\r\nPrivate Server=1\r\n");
  testing_support::WriteFile(room.dir / "Animals.txt", "cat\r\ndog\r\ncow\r\n");
  testing_support::WriteFile(room.dir / "Food.txt", "pie\r\n");
  ASSERT_FALSE(room.room().word_lists().ScanWordlist());
  EXPECT_THAT(room.room().registration().SubmitQuery(),
              HasSubstr("&ISPUBLIC=True&TOTALCONNECTIONS=0&TOTALGAMES=0&TOTALROUNDS=0"
                        "&TOTALWORDS=4&TOTALWORDLISTS=2"));
}

// Browsers are pointed at the room's page only while they may play there; without an IP Address
// the tracker fills in the host.
TEST(RegistrationQuery, WebNamesTheRoomsPageWhileBrowsersMayPlay) {
  for (const auto& [settings, web] :
       {std::pair{"Web Port=8080\r\nIP Address=203.0.113.9",
                  "&WEB=http%3A%2F%2F203%2E0%2E113%2E9%3A8080%2F"},
        {"Web Port=8080", "&WEB=http%3A%2F%2F%3A8080%2F"},
        {"Web Port=8443\r\nIP Address=2001:db8::1\r\nTLS Certificate=c.pem\r\nTLS Key=k.pem",
         "&WEB=https%3A%2F%2F%5B2001%3Adb8%3A%3A1%5D%3A8443%2F"},
        {"Web Port=8080\r\nWeb Address=https://play.example.org/rooms",
         "&WEB=https%3A%2F%2Fplay%2Eexample%2Eorg%2Frooms"},
        {"Web Port=8080\r\nBrowser Players=0", ""},
        {"Web Port=0\r\nWeb Address=https://play.example.org/", ""}}) {
    RoomHarness room(std::string("[Server Details]\r\n") + settings + "\r\n");
    const std::string query = room.room().registration().SubmitQuery();
    const size_t after_players = query.find("&PLAYERS=0") + 10;
    EXPECT_EQ(query.substr(after_players, query.find("&OLDKEY=") - after_players), web) << settings;
  }
}

TEST(RegistrationKey, TwoRoomsOfOneMachineAndAccountKeepAnEntryEachPort2020ItsOldOneProbesHearIt) {
  for (const auto& [port, key] :
       {std::pair{"2020", "STUDIO-PC:ANN"}, {"2021", "STUDIO-PC:ANN:2021"}}) {
    SCOPED_TRACE(port);
    testing_support::ServerHarness room(std::string("[Server Details]\r\nPort=") + port + "\r\n");
    Reg registration(room.server, room.http, room.clock, nullptr,
                     RegistrationKey("studio-pc", "ann"), FakeHash, room.ini);
    // The tracker sees the text only as the old key, and only until it has given a secret.
    for (const std::string& query : {registration.SubmitQuery(), registration.RemoveQuery()}) {
      EXPECT_THAT(query, HasSubstr("&KEY=" + FakeHash(key) + "&"));
      EXPECT_THAT(query, EndsWith(std::string("&OLDKEY=") + key));
    }
    // The tracker's probe checks that the room it reached is the one listed.
    const int probe = room.Connect();
    room.Send(probe, protocol::to_server::ISALIVE, "-");
    EXPECT_EQ(room.Got(probe), "ISALIVE YES|" + FakeHash(key));
  }
}

// A reply's status bar text (after "+" when the room counts as listed after it, else "-") and
// its message box; a socket error changes nothing, and "Connected" is said only once the tracker
// is reached.
TEST_F(Registration, EveryStatusHasItsTextAndEffect) {
  for (const auto& [reply, shown] :
       {std::pair{"NOTFOUND|EXTRA=", "-Your server was not found in the listings database."},
        {"OUTOFDATE|EXTRA=",
         "+It seems your client is out of date. Please download the new version."},
        {"MSG|EXTRA=Hello", "+Hello [Message from server..: Hello]"},
        {"BANNED|EXTRA=Go away", "+Go away [Banned: Go away]"},
        {"FAIL|EXTRA=Disk full", "+General failure: Disk full"},
        {"ERROR|EXTRA=Bad query", "+Server returned error: Bad query"},
        {"HUH|EXTRA=x", "+Unknown status returned: STATUS=HUH|EXTRA=x"}}) {
    SubmitAccepted();
    room.view.messages.clear();
    registration.Submit();
    http.Answer("STATUS=" + std::string(reply) + "\r\nSECOND LINE IGNORED\r\n");
    const auto& boxes = room.view.messages;
    EXPECT_EQ((registration.Submitted() ? "+" : "-") + room.view.status_text +
                  (boxes.empty() ? "" : " [" + boxes[0] + "]"),
              shown);
    EXPECT_EQ(room.view.status_icon, kIconInfo);
  }
  const int shown = room.view.status_messages;
  registration.Submit();
  http.Fail(3, "Host not found");  // one line: nothing said before the tracker was reached
  EXPECT_EQ(std::tuple(room.view.status_messages, room.view.status_text, registration.Submitted()),
            std::tuple(shown + 1, "Tracker Socket Error: [3] - Host not found", true));
  registration.Remove();
  http.Connect();
  EXPECT_EQ(room.view.status_text, "Connected, sending details..");
}

// --- The player count -----------------------------------------------------------------------

// A listed room sends a changed player count at most once a minute and quietly; a refresh never
// replaces a request on its way, nor follows a room no longer listed.
TEST_F(Registration, AListedRoomSendsAChangedPlayerCount) {
  SubmitAccepted();
  EXPECT_THAT(http.urls.back(), HasSubstr("&PLAYERS=0&"));
  room.clock.Advance(Reg::kRefreshIntervalMs);
  EXPECT_THAT(http.open, IsEmpty());  // nothing changed, nothing sent
  room.Join("Bob");
  const int statuses = room.view.status_messages;
  room.clock.Advance(Reg::kPlayersCheckMs);
  EXPECT_THAT(http.urls.back(), HasSubstr("&PLAYERS=1&"));
  http.Answer("STATUS=UPDATEOK|EXTRA=\r\n");
  // One line for this refresh: how it went, without "Connected, sending details..".
  EXPECT_EQ(room.view.status_messages, statuses + 1);
  EXPECT_EQ(room.view.status_text, "Your server details have been updated in the public database.");
  room.Join("Cy");
  room.clock.Advance(Reg::kRefreshIntervalMs - 1);
  EXPECT_THAT(http.open, IsEmpty());
  room.clock.Advance(1);
  EXPECT_THAT(http.urls.back(), HasSubstr("&PLAYERS=2&"));
  http.Fail(1, "Connection refused");
  room.Join("Di");
  room.clock.Advance(Reg::kRefreshIntervalMs);
  http.Answer("STATUS=MSG|EXTRA=Hello\r\n");
  // Within ten minutes of the last line, refreshes say nothing, even when they fail.
  EXPECT_EQ(
      std::tuple(room.view.status_messages, room.view.messages.size(), registration.Submitted()),
      std::tuple(statuses + 1, size_t{0}, true));

  room.Join("Ed");
  room.clock.Advance(Reg::kRefreshLogMs);
  http.Answer("STATUS=SUBMITOK|EXTRA=\r\n");  // the tracker had dropped it: listed anew
  EXPECT_EQ(room.view.status_messages, statuses + 2);
  EXPECT_EQ(room.server.statistics().Get(Stat::TrackerSubmissions), 2);
  room.Join("Flo");
  registration.Submit();  // the operator's, not answered yet
  room.clock.Advance(3 * Reg::kRefreshIntervalMs);
  EXPECT_EQ(http.open.size(), 1u);
  http.Answer("STATUS=UPDATEOK|EXTRA=\r\n");
  registration.Remove();
  http.Answer("STATUS=REMOVEOK|EXTRA=\r\n");
  const size_t asked = http.urls.size();
  room.Join("Gus");
  room.clock.Advance(3 * Reg::kRefreshIntervalMs);
  EXPECT_EQ(http.urls.size(), asked);
}

// --- Quitting with a listed room ------------------------------------------------------------

TEST_F(Registration, WithoutAutoRemoveTheOperatorMustRemoveFirst) {
  SubmitAccepted();
  const int slot = room.Join("Bob");
  room.server.Quit(false);
  EXPECT_EQ(room.view.status_text + room.Got(slot) + std::to_string(room.view.quit_finished),
            "You need to perform a Remove Server before shutting down the server.0");
  EXPECT_EQ(room.view.status_icon, kIconWarning);

  // After a remove the room is unlisted: the next close goes through without asking the tracker.
  registration.Remove();
  http.Answer("STATUS=REMOVEOK\r\n");
  room.server.Quit(false);
  EXPECT_EQ(std::pair(room.view.quit_finished, http.urls.size()), std::pair(1, size_t{2}));
}

// A listed room is removed before it ends, the players told once when the quit begins: on the
// operator's close with Auto-Remove it waits for the answer, and a socket error leaves the window
// open for the operator to read until the next close; a termination signal removes even without
// Auto-Remove, waits at most five seconds and ends at once on a socket error.
TEST(RegistrationQuit, AListedRoomIsRemovedFirst) {
  // wait: time past the signal's deadline less one; "" fails; ended: quit_finished after each.
  const struct {
    const char* name;
    bool signal;
    int64_t wait;
    std::string reply;
    int ended_waiting, ended_answered;
  } rows[] = {{"close, answered", false, 0, "STATUS=NOTFOUND|EXTRA=", 0, 1},
              {"close, socket error", false, 0, "", 0, 0},
              {"signal, answered too late", true, 1, "STATUS=REMOVEOK", 1, 1},
              {"signal, socket error", true, 0, "", 0, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Listed r(row.signal ? "" : "Auto-Remove From Tracker=1\r\n");
    r.registration.SetRemoveOnQuit(row.signal);
    r.SubmitAccepted();
    const int slot = r.room.Join("Bob");
    // The room is finished once the connections were closed after everything else.
    bool closed_first = false;
    r.room.room().OnFinished([&] { closed_first = r.room.transport.closed_all; });
    r.room.server.Quit(row.signal);
    EXPECT_EQ(r.room.Got(slot), "SERVERQUIT The server has been shutdown.");
    EXPECT_THAT(r.http.urls.back(), HasSubstr("ACTION=REMOVE"));
    r.room.clock.Advance(Reg::kQuitWaitMs - 1 + row.wait);
    EXPECT_EQ(r.room.view.quit_finished, row.ended_waiting);
    row.reply.empty() ? r.http.Fail(1, "Connection refused") : r.http.Answer(row.reply + "\r\n");
    EXPECT_EQ(r.room.view.quit_finished, row.ended_answered);
    r.room.server.Quit(row.signal);  // the next close ends it without asking again
    r.room.clock.Advance(Reg::kQuitWaitMs);
    EXPECT_EQ(
        std::tuple(r.room.view.quit_finished, closed_first, r.http.urls.size(), r.room.Got(slot)),
        std::tuple(1, true, size_t{2}, ""));
  }
}

// --- Update check ---------------------------------------------------------------------------

TEST_F(Registration, UpdateCheckOffersOnlyAStrictlyNewerVersionAndReportsErrors) {
  room.room().Execute("update");
  EXPECT_EQ(http.open.front().url, "http://updates.example/version/server.txt");
  http.Answer("101001\r\n");
  EXPECT_THAT(room.view.offers, ElementsAre(HasSubstr("New version available..")));
  for (const std::string body : {"101000\r\n", "100001", "", "garbage", "  99999 "}) {
    registration.CheckForUpdate();
    http.Answer(body);
    EXPECT_EQ(room.view.status_text,
              "Check done. You are already running the latest version of the server.")
        << body;
    room.view.status_text.clear();
  }
  EXPECT_EQ(room.view.offers.size(), 1u);
  // Errors go to the status bar and the log.
  registration.CheckForUpdate();
  http.Fail(4, "Socket operation timed out");
  EXPECT_EQ(room.view.status_text, "Error checking for update! Please check the logs!");
  EXPECT_TRUE(room.view.HasLog(LogKind::kGeneral,
                               "There was an error checking for a newer version of the server - "
                               "4: Socket operation timed out."));
}

}  // namespace
}  // namespace server
