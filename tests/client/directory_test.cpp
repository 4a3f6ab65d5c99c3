// SPDX-License-Identifier: MIT
// What the programs send to the tracker and the update host and how they read the answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/languages.h"
#include "directory/tracker.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"

namespace directory {
namespace {

using testing::ElementsAre;

TEST(URLEncode, EveryCharacterOfTheTableAndNothingElsePercentFirst) {
  EXPECT_EQ(URLEncode("% !\"$#'()*+,-./\n\r\t\xA3|\xA9\xAE&:;=@<>?[]^_"),
            "%25%20%21%22%24%23%27%28%29%2A%2B%2C%2D%2E%2F%0A%0D%09%A3%A6%A9%AE%26%3A%3B%3D%40%3C"
            "%3E%3F%5B%5D%5E%5F");
  // Letters, digits, the rest of ASCII and the bytes beyond the table pass as they are; nothing
  // is encoded twice.
  EXPECT_EQ(URLEncode("AZaz09`{}~\\\x01\xE9\xFF\xA6%20"), "AZaz09`{}~\\\x01\xE9\xFF\xA6%2520");
}

// A tracker's reply is the first line of the body; the update file is read for its leading number.
TEST(Replies, TheRecordIsTheFirstLineAndTheVersionHasTwoDigitsOfMinorAndThreeOfRevision) {
  for (const char* body : {"S=OK|X=\r\nmore\r\n", "S=OK|X=\nmore", "S=OK|X="})
    EXPECT_EQ(ReplyRecord(body), "S=OK|X=") << body;
  EXPECT_EQ(VersionNumber(0, 99, 410), 99410);
  const std::pair<const char*, int64_t> files[] = {
      {"102031\r\n", 102031}, {"  102031 is out", 102031}, {"", 0}, {"<html>", 0}, {"-5", 0},
      {"1e300", INT64_MAX}};
  for (const auto& [file, version] : files) EXPECT_EQ(LatestVersion(file), version) << file;
  EXPECT_TRUE(!IsNewer(102031, 102031) && IsNewer(102031, 102032) && !IsNewer(102031, 0));
}

// A list's name says its language; a set-up that names no list plays the room's language's.
TEST(WordListLanguages, TheRoomsLanguageElseEnglishElseEveryList) {
  const std::vector<std::string> shipped = {"animals", "de-tiere",     "es-comida", "food",
                                            "de-orte", "pl-zwierzeta", "en-extra"};
  const struct {
    const char* name;
    std::vector<std::string> lists;
    const char* language;
    std::vector<std::string> chosen;
  } rows[] = {
      {"a prefix names the language", shipped, "de", {"de-tiere", "de-orte"}},
      {"English lists have none, or en-", shipped, "en", {"animals", "food", "en-extra"}},
      {"any code, known or not", shipped, "pl", {"pl-zwierzeta"}},
      {"no lists in the language: English", shipped, "fr", {"animals", "food", "en-extra"}},
      {"no language (an older room): English", shipped, "", {"animals", "food", "en-extra"}},
      {"no English either: every list", {"de-tiere", "es-comida"}, "fr", {"de-tiere", "es-comida"}},
      {"no lists", {}, "de", {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DefaultWordLists(row.lists, row.language), row.chosen) << row.name;
  }
}

// --- The client's update check -------------------------------------------------------------

TEST(ClientUpdate, ANewerVersionOffersTheDownloadPageAndAnythingElseSaysWhy) {
  testing_support::ClientHarness client{"[Directory]\r\nUpdate URL=http://up.example/v/\r\n"};
  testing_support::FakeHttpGetter http;
  client.session.CheckForUpdate(http);
  EXPECT_EQ(http.open.at(0).url + " " + http.open.at(0).user_agent,
            "http://up.example/v/client.txt Scrawlbox Client v1.1 build#0000");
  http.Answer("101001\r\n");
  EXPECT_THAT(client.view.offers, ElementsAre(testing::StartsWith("New version available.. ")));
  EXPECT_EQ(client.Look("said"), "");
  for (const char* body : {"101000", "1", "", "not a number"}) {
    client.session.CheckForUpdate(http);
    http.Answer(body);
    EXPECT_EQ(client.Look("line"),
              "Update: You are already running the latest version of the client.")
        << body;
  }
  EXPECT_EQ(client.view.offers.size(), 1u);
  client.session.CheckForUpdate(http);
  http.Fail(4, "Socket operation timed out");
  EXPECT_EQ(client.Look("line"),
            "System: There was an error checking for an update - 4: Socket operation timed out.");
}

}  // namespace
}  // namespace directory
