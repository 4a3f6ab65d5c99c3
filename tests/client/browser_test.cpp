// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "client/settings/client_settings.h"
#include "directory/records.h"
#include "directory/server_browser.h"
#include "tests/support/memory_ini.h"

namespace directory {
namespace {

using testing::ElementsAre;
using testing::Field;

TEST(Records, GetValueFindsExactKeys) {
  const std::string record = "SERVERNAME=Den|SERVERIP=1.2.3.4|PORT=2121|STATUS=OK";
  // The last field matches too; keys are matched exactly.
  EXPECT_EQ(GetValue(record, "SERVERIP") + " " + GetValue(record, "STATUS"), "1.2.3.4 OK");
  EXPECT_EQ(GetValue(record, "serverip") + GetValue(record, "NOPE") + GetValue("", "A") +
                GetValue("no equals here|A=1", "A"),
            "");
  EXPECT_EQ(GetValue("A=1=2", "A"), "1=2");
}

class Browser : public testing::Test {
 protected:
  testing_support::MemoryIni ini;
  client::ClientSettings store{ini};
  ServerBrowser browser{store};
};

TEST_F(Browser, OpensOnTheNewestRecentRoom) {
  EXPECT_FALSE(browser.Open().section.has_value());
  store.AddToHistory({"old.example", "Old", "first"});
  store.AddToHistory({"new.example", "New", "second"});
  const auto opening = browser.Open();
  EXPECT_EQ(std::tuple(*opening.section, opening.rows.size(), opening.highlighted),
            std::tuple(Section::kRecent, 2u, 1u));
}

TEST(RoomAddresses, HostsPortsAndIpv6ReadAndAreStoredWithThePortOnlyOffTheDefault) {
  struct Case {
    const char* text;
    RoomAddress expected;
    const char* stored;
  };
  for (const Case& c :
       {Case{"example.org", {"example.org", 2020}, "example.org"},
        Case{"  example.org:2021 ", {"example.org", 2021}, "example.org:2021"},
        Case{"10.0.0.5:65535", {"10.0.0.5", 65535}, "10.0.0.5:65535"},
        Case{"[::1]:2021", {"::1", 2021}, "[::1]:2021"},
        Case{"[fe80::1%eth0]", {"fe80::1%eth0", 2020}, "fe80::1%eth0"},
        Case{"::1", {"::1", 2020}, "::1"},
        Case{"2001:db8::7", {"2001:db8::7", 2020}, "2001:db8::7"},
        // A host's room, typed or as a link the desktop hands over.
        Case{"play.example/AbC23", {"play.example", 2020, "abc23"}, "play.example/abc23"},
        Case{"scrawlbox://play.example:2021/abc23/",
             {"play.example", 2021, "abc23"},
             "play.example:2021/abc23"},
        Case{"[::1]/abc23", {"::1", 2020, "abc23"}, "[::1]:2020/abc23"}}) {
    SCOPED_TRACE(c.text);
    const auto address = ParseRoomAddress(c.text);
    EXPECT_EQ(address, c.expected);
    EXPECT_EQ(AddressText(c.expected), c.stored);
    EXPECT_EQ(ParseRoomAddress(c.stored), address);  // the stored form reads back as the same
  }
}

TEST(RoomAddresses, BadInputSaysWhatIsWrong) {
  std::vector<std::string> whys;
  for (const char* text : {"host:99999", "host:", ":2020", "host:abc", "host:0", "host:+21",
                           "host:20 21", "host:-1", "[::1", "[::1]2021", "[]:2020", "", "  ",
                           "two words", "a/b:2020", "host/a-b", "scrawlbox:///abc"}) {
    std::string why;
    EXPECT_FALSE(ParseRoomAddress(text, &why).has_value()) << text;
    whys.push_back(why);
  }
  EXPECT_THAT(whys, testing::Each(testing::Not(testing::IsEmpty())));
  EXPECT_THAT(
      std::vector(whys.begin(), whys.begin() + 3),
      ElementsAre("the port must be a number from 1 to 65535",
                  "the port is missing after the \":\"", "the host is missing before the port"));
}

TEST_F(Browser, ConnectGoesWhereTheAddressBoxSaysAndRemembersThePort) {
  EXPECT_EQ(browser.Connect({"typed.example:2121", "Typed", "by hand"}, nullptr),
            (RoomAddress{"typed.example", 2121}));
  // Written as host:port only off the default port, so older files keep their entries.
  browser.Connect({"plain.example:2020", "Plain", ""}, nullptr);
  EXPECT_THAT(store.History(), ElementsAre(ServerEntry{"typed.example:2121", "Typed", "by hand"},
                                           ServerEntry{"plain.example", "Plain", ""}));
  const auto rows = browser.Load(Section::kRecent);
  EXPECT_EQ(std::pair(ServerBrowser::PortFor(&rows[0]), ServerBrowser::PortFor(&rows[1])),
            std::pair(2121, 2020));

  std::string why;
  EXPECT_FALSE(browser.Connect({"typed.example:", "Broken", ""}, &why).has_value());
  EXPECT_FALSE(browser.Connect({"", "Name", "desc"}, &why).has_value());
  EXPECT_EQ(store.History().size(), 2u);

  const BrowserRow public_row{.name = "Den", .tag = "SERVERNAME=Den|SERVERIP=fe80::5|PORT=2131"};
  EXPECT_EQ(ServerBrowser::AddressBoxText(public_row), "[fe80::5]:2131");
}

TEST_F(Browser, EmptySectionsSayHowTheyFillAndPlaceholdersAreNoRooms) {
  for (const Section section : {Section::kRecent, Section::kFavourites}) {
    const auto rows = browser.Load(section);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].placeholder);
    EXPECT_FALSE(ServerBrowser::RoomOf(rows[0]).has_value());
  }
  EXPECT_THAT(browser.Load(Section::kFavourites)[0].description,
              testing::HasSubstr("Add server to favourites"));
  browser.AddFavourite({"a", "A", "1"}, true);
  browser.AddFavourite({"b", "B", "2"}, true);
  browser.Remove(Section::kFavourites, browser.Load(Section::kFavourites), 0);
  EXPECT_THAT(browser.Load(Section::kFavourites), ElementsAre(Field(&BrowserRow::name, "B")));
  browser.Remove(Section::kFavourites, browser.Load(Section::kFavourites), 0);
  // The list shown after the last removal is the placeholder again; it is never stored.
  browser.Remove(Section::kFavourites, browser.Load(Section::kFavourites), 5);
  EXPECT_TRUE(store.Favourites().empty());
  EXPECT_EQ(ini.INIRead("Server Favourites", "Server Favourites Count", ""), "0");
  EXPECT_TRUE(ServerBrowser::UnreachableRow("Connection refused").placeholder);
}

TEST_F(Browser, FavouritesNeedAllThreeBoxesFromTheButton) {
  using R = ServerBrowser::FavouriteResult;
  EXPECT_EQ(browser.AddFavourite({"", "n", "d"}, true), R::kMissingAddress);
  EXPECT_EQ(browser.AddFavourite({"a", "", "d"}, true), R::kMissingName);
  EXPECT_EQ(browser.AddFavourite({"a", "n", ""}, true), R::kMissingDescription);
  EXPECT_EQ(browser.AddFavourite({"a:x", "n", "d"}, true), R::kBadAddress);
  EXPECT_EQ(browser.AddFavourite({"a", "n", ""}, false), R::kAdded);
  // The same room written another way is the same favourite.
  EXPECT_EQ(browser.AddFavourite({"a:2020", "n", ""}, false), R::kAlreadyExists);
}

TEST(PublicList, RowsComeFromRecordLinesAndAnEmptyReplyMeansNoServers) {
  EXPECT_THAT(ServerBrowser::PublicRows("0\r\n\r\n"),
              ElementsAre(Field(&BrowserRow::name, "No servers online.")));
  EXPECT_TRUE(ServerBrowser::IsPlaceholder(ServerBrowser::PublicRows("")));
  std::string rows;
  for (const BrowserRow& row : ServerBrowser::PublicRows(
           "SERVERNAME=One|SERVERDESC=first|SERVERIP=1.1.1.1|PORT=2020|PLAYERS=3"
           "|WEB=https://play.example/|LANG=de\r\n"
           "short\r\n"
           "SERVERNAME=Two|SERVERDESC=second|SERVERIP=2.2.2.2|PORT=2021|LOCKED=True\r\n"
           "SERVERNAME=Odd|SERVERIP=3.3.3.3|PORT=99999|PLAYERS=-4|LOCKED=yes"
           "|WEB=javascript:alert(1)|LANG=DE\r\n0\r\n\r\n")) {
    rows += row.name + " " + (row.players ? std::to_string(*row.players) : "?") +
            (row.locked ? " locked " : " ") + std::to_string(ServerBrowser::PortFor(&row)) + " " +
            row.web_address + " " + row.language + ", ";
  }
  // A record without the fields shows no count, no lock, no page and no language, and neither
  // does nonsense.
  EXPECT_EQ(rows, "One 3 2020 https://play.example/ de, Two ? locked 2021  , Odd ? 2020  , ");
}

TEST(Probe, OnlyALongEnoughYesMeansOnline) {
  EXPECT_TRUE(IsAliveAnswer("ISALIVE\x02YES\x01"));
  EXPECT_FALSE(IsAliveAnswer("YES") || IsAliveAnswer("ISALIVE\x02NO\x01"));
}

}  // namespace
}  // namespace directory
