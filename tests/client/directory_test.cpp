// SPDX-License-Identifier: MIT
// What the programs send to the tracker and the update host and how they read the answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/tracker.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"

namespace directory {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

TEST(URLEncode, EveryCharacterOfTheTableAndNothingElse) {
  const std::pair<std::string, std::string> table[] = {
      {"%", "%25"},    {" ", "%20"}, {"!", "%21"},    {"\"", "%22"},   {"$", "%24"},  {"#", "%23"},
      {"'", "%27"},    {"(", "%28"}, {")", "%29"},    {"*", "%2A"},    {"+", "%2B"},  {",", "%2C"},
      {"-", "%2D"},    {".", "%2E"}, {"/", "%2F"},    {"\n", "%0A"},   {"\r", "%0D"}, {"\t", "%09"},
      {"\xA3", "%A3"}, {"|", "%A6"}, {"\xA9", "%A9"}, {"\xAE", "%AE"}, {"&", "%26"},  {":", "%3A"},
      {";", "%3B"},    {"=", "%3D"}, {"@", "%40"},    {"<", "%3C"},    {">", "%3E"},  {"?", "%3F"},
      {"[", "%5B"},    {"]", "%5D"}, {"^", "%5E"},    {"_", "%5F"},
  };
  for (const auto& [plain, encoded] : table) {
    SCOPED_TRACE(plain);
    EXPECT_EQ(URLEncode(plain), encoded);
  }
  // Letters, digits, the rest of ASCII and the bytes beyond the table pass as they are.
  const std::string untouched = "AZaz09`{}~\\\x01\xE9\xFF\xA6";
  EXPECT_EQ(URLEncode(untouched), untouched);
}

TEST(URLEncode, PercentGoesFirstSoNothingIsEncodedTwice) {
  EXPECT_EQ(URLEncode("100% a|b"), "100%25%20a%A6b");
  EXPECT_EQ(URLEncode("%20"), "%2520");
  EXPECT_EQ(URLEncode(""), "");
}

TEST(ReplyRecord, IsTheFirstLineOfTheBodyWithoutItsBreak) {
  EXPECT_EQ(ReplyRecord("STATUS=SUBMITOK|EXTRA=\r\nmore\r\n"), "STATUS=SUBMITOK|EXTRA=");
  EXPECT_EQ(ReplyRecord("STATUS=OK\nmore"), "STATUS=OK");
  EXPECT_EQ(ReplyRecord("STATUS=OK"), "STATUS=OK");
  EXPECT_EQ(ReplyRecord(""), "");
}

TEST(VersionNumbers, MinorHasTwoDigitsAndRevisionThree) {
  EXPECT_EQ(VersionNumber(1, 2, 31), 102031);
  EXPECT_EQ(VersionNumber(0, 99, 410), 99410);
  EXPECT_EQ(VersionNumber(1, 0, 1), 100001);
}

TEST(VersionNumbers, TheFileIsReadForItsLeadingNumber) {
  EXPECT_EQ(LatestVersion("102031\r\n"), 102031);
  EXPECT_EQ(LatestVersion("  102031 is out"), 102031);
  EXPECT_EQ(LatestVersion(""), 0);
  EXPECT_EQ(LatestVersion("<html>"), 0);
  EXPECT_EQ(LatestVersion("-5"), 0);
  EXPECT_EQ(LatestVersion("1e300"), INT64_MAX);
  EXPECT_FALSE(IsNewer(102031, 102031));
  EXPECT_TRUE(IsNewer(102031, 102032));
  EXPECT_FALSE(IsNewer(102031, 0));
}

// --- The client's update check -------------------------------------------------------------

class ClientUpdate : public testing::Test {
 protected:
  testing_support::ClientHarness client{"[Directory]\r\nUpdate URL=http://up.example/v/\r\n"};
  testing_support::FakeHttpGetter http;
};

TEST_F(ClientUpdate, ANewerVersionOffersTheDownloadPage) {
  client.session.CheckForUpdate(http);
  ASSERT_EQ(http.open.size(), 1u);
  EXPECT_EQ(http.open.front().url, "http://up.example/v/client.txt");
  EXPECT_EQ(http.open.front().user_agent, "Scrawlbox Client v1.0 build#0001");
  http.Answer("100002\r\n");
  EXPECT_THAT(client.view.offers, ElementsAre(testing::StartsWith("New version available.. ")));
  EXPECT_THAT(client.view.TakeTexts(), IsEmpty());
}

TEST_F(ClientUpdate, TheSameOrAnOlderVersionIsUpToDate) {
  for (const char* body : {"100001", "1", "", "not a number"}) {
    SCOPED_TRACE(body);
    client.session.CheckForUpdate(http);
    http.Answer(body);
    EXPECT_EQ(client.view.last().sender, "Update");
    EXPECT_THAT(client.view.TakeTexts(),
                ElementsAre("You are already running the latest version of the client."));
  }
  EXPECT_THAT(client.view.offers, IsEmpty());
}

TEST_F(ClientUpdate, AnErrorIsASystemLine) {
  client.session.CheckForUpdate(http);
  http.Fail(4, "Socket operation timed out");
  EXPECT_EQ(client.view.last().sender, "System");
  EXPECT_THAT(client.view.TakeTexts(),
              ElementsAre("There was an error checking for an update - 4: Socket operation "
                          "timed out."));
}

}  // namespace
}  // namespace directory
