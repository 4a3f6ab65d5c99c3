// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
  EXPECT_EQ(GetValue(record, "SERVERIP"), "1.2.3.4");
  EXPECT_EQ(GetValue(record, "STATUS"), "OK");  // the last field matches too
  EXPECT_EQ(GetValue(record, "serverip"), "");
  EXPECT_EQ(GetValue(record, "NOPE"), "");
  EXPECT_EQ(GetValue("", "A"), "");
  EXPECT_EQ(GetValue("no equals here|A=1", "A"), "");
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
  EXPECT_EQ(opening.section, Section::kRecent);
  EXPECT_EQ(opening.rows.size(), 2u);
  EXPECT_EQ(opening.boxes, (ServerEntry{"new.example", "New", "second"}));
}

TEST_F(Browser, ConnectRemembersTheRoomOnceAndUsesTheSelectedRowsPort) {
  const BrowserRow public_row{"Den", "cosy", "SERVERNAME=Den|SERVERIP=5.6.7.8|PORT=2121"};
  const auto target = browser.Connect({"typed.example", "Typed", "by hand"}, &public_row);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->address, "typed.example");
  EXPECT_EQ(target->port, 2121);
  const BrowserRow recent_row{"Typed", "by hand", "typed.example"};
  EXPECT_EQ(browser.Connect({"typed.example", "Typed", "by hand"}, &recent_row)->port, 2020);
  EXPECT_EQ(browser.Connect({"x", "", ""}, nullptr)->port, 2020);
  EXPECT_EQ(store.History().size(), 1u);
  EXPECT_FALSE(browser.Connect({"", "Name", "desc"}, nullptr).has_value());
  EXPECT_EQ(ServerBrowser::AddressOf(public_row), "5.6.7.8");
  EXPECT_EQ(ServerBrowser::AddressOf(recent_row), "typed.example");
}

TEST_F(Browser, FavouritesNeedAllThreeBoxesFromTheButton) {
  using R = ServerBrowser::FavouriteResult;
  EXPECT_EQ(browser.AddFavourite({"", "n", "d"}, true), R::kMissingAddress);
  EXPECT_EQ(browser.AddFavourite({"a", "", "d"}, true), R::kMissingName);
  EXPECT_EQ(browser.AddFavourite({"a", "n", ""}, true), R::kMissingDescription);
  EXPECT_EQ(browser.AddFavourite({"a", "n", ""}, false), R::kAdded);
  EXPECT_EQ(browser.AddFavourite({"a", "n", ""}, false), R::kAlreadyExists);
}

TEST_F(Browser, RemovingWritesTheListBack) {
  browser.AddFavourite({"a", "A", "1"}, true);
  browser.AddFavourite({"b", "B", "2"}, true);
  browser.Remove(Section::kFavourites, browser.Load(Section::kFavourites), 0);
  EXPECT_THAT(browser.Load(Section::kFavourites), ElementsAre(Field(&BrowserRow::name, "B")));
}

TEST(PublicList, RowsComeFromRecordLinesAndAnEmptyReplyMeansNoServers) {
  EXPECT_THAT(ServerBrowser::PublicRows("0\r\n\r\n"),
              ElementsAre(Field(&BrowserRow::name, "No servers online.")));
  const auto rows = ServerBrowser::PublicRows(
      "SERVERNAME=One|SERVERDESC=first|SERVERIP=1.1.1.1|PORT=2020\r\n"
      "short\r\n"
      "SERVERNAME=Two|SERVERDESC=second|SERVERIP=2.2.2.2|PORT=2021\r\n0\r\n\r\n");
  EXPECT_THAT(rows, ElementsAre(Field(&BrowserRow::name, "One"), Field(&BrowserRow::name, "Two")));
  EXPECT_EQ(ServerBrowser::PortFor(&rows[1]), 2021);
}

TEST(Probe, OnlyALongEnoughYesMeansOnline) {
  EXPECT_TRUE(IsAliveAnswer("ISALIVE\x02YES\x01"));
  EXPECT_FALSE(IsAliveAnswer("YES"));
  EXPECT_FALSE(IsAliveAnswer("ISALIVE\x02NO\x01"));
}

}  // namespace
}  // namespace directory
