// SPDX-License-Identifier: MIT
// A whole game of three short rounds, played by three raw clients against the headless server
// with the word lists that ship with it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/support/fake_transport.h"
#include "tests/support/matchers.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace {

using protocol::Message;
using testing::ElementsAre;
using testing_support::CommandsOf;
using testing_support::Msg;
using testing_support::RawClient;
using testing_support::ServerProcess;
namespace to_server = protocol::to_server;

// Everything the client receives up to and including the first message with this command.
std::vector<Message> Until(RawClient& client, std::string_view command) {
  std::vector<Message> messages;
  while (auto message = client.Next(8000)) {
    if (message->command == "PING") continue;
    messages.push_back(*message);
    if (message->command == command) break;
  }
  return messages;
}

std::string FirstAlternative(const std::string& word) {
  return std::string(protocol::LeftOf(word, ','));
}

TEST(GameProcess, ThreePlayersPlayAGameOfThreeRounds) {
  ServerProcess server("Ping=60\n");
  server.CopyWordLists(SCRAWLBOX_SOURCE_DIR "/data/Wordlists");
  ASSERT_TRUE(server.Start()) << server.output().toStdString();
  RawClient players[3];
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(players[i].Connect(server.port()));
    ASSERT_EQ(players[i].Login("p" + std::to_string(i)), std::to_string(100000 + i));
  }
  RawClient& a = players[0];
  RawClient& b = players[1];
  RawClient& c = players[2];
  std::map<std::string, int> points;
  auto note_points = [&points](const std::vector<Message>& messages) {
    for (const auto& m : messages) {
      if (m.command == "POINTSCHG") {
        points[std::string(protocol::LeftOf(m.data, protocol::kFieldSep))] =
            std::stoi(std::string(protocol::RightOf(m.data, protocol::kFieldSep)));
      }
    }
  };

  // The shortest game a room allows: rounds of 10 s and a countdown of 5 s.
  a.Send(to_server::STARTGAME, protocol::JoinFields({"Room", "Quick game", "8", "3", "10000",
                                                     "5000", Wire("^animals^food")}));
  // Round 1: a draws; b and c both find the word, which ends the round at once.
  EXPECT_THAT(CommandsOf(Until(a, "JOIN")), ElementsAre("JOIN"));
  EXPECT_THAT(CommandsOf(Until(a, "JOIN")), ElementsAre("JOIN"));
  const auto a_start = Until(a, "NEWWORD");
  ASSERT_THAT(a_start, ElementsAre(Msg("SETGAMETIMER", "10000"), Msg("TOTALROUNDS", "3"),
                                   Msg("START_GAME", Wire("animals^food")),
                                   Msg("NEWARTIST", "100000"), testing::_));
  const std::string word1 = a_start.back().data;
  EXPECT_FALSE(word1.empty());
  EXPECT_THAT(CommandsOf(Until(b, "NEWARTIST")),
              ElementsAre("JOIN", "SETGAMETIMER", "TOTALROUNDS", "START_GAME", "NEWARTIST"));
  Until(c, "NEWARTIST");
  b.Send(to_server::SAY, FirstAlternative(word1));
  const auto b_found = Until(b, "STARTGAMETIMER");
  ASSERT_THAT(CommandsOf(b_found),
              ElementsAre("WORDPATTERN", "WORDFOUND", "POINTSCHG", "STARTGAMETIMER"));
  // The blanks of the first spelling, spaces kept.
  EXPECT_EQ(b_found[0].data.size(), FirstAlternative(word1).size());
  EXPECT_EQ(b_found[0].data.find_first_not_of("_ "), std::string::npos);
  c.Send(to_server::SAY, FirstAlternative(word1));
  const auto a_round1 = Until(a, "STOPGAMETIMER");
  EXPECT_THAT(CommandsOf(a_round1), ElementsAre("WORDFOUND", "POINTSCHG", "STARTGAMETIMER",
                                                "WORDFOUND", "POINTSCHG", "STOPGAMETIMER"));
  EXPECT_EQ(a_round1[0].data, Wire("2|100001"));
  note_points(a_round1);
  EXPECT_EQ(Until(c, "STOPGAMETIMER").back().command, "STOPGAMETIMER");
  Until(b, "STOPGAMETIMER");

  // Round 2: b draws; a and c both find the word, which ends the round at once.
  const auto b_round2 = Until(b, "NEWWORD");
  EXPECT_THAT(b_round2,
              ElementsAre(Msg("ROUNDWORD", FirstAlternative(word1)), Msg("SETGAMETIMER", "10000"),
                          Msg("NEWROUND", "2"), Msg("NEWARTIST", "100001"), testing::_));
  const std::string word2 = b_round2.back().data;
  Until(a, "NEWARTIST");
  Until(c, "NEWARTIST");
  a.Send(to_server::SAY, FirstAlternative(word2));
  c.Send(to_server::SAY, FirstAlternative(word2));
  const auto b_round2_end = Until(b, "STOPGAMETIMER");
  note_points(b_round2_end);
  Until(a, "STOPGAMETIMER");
  Until(c, "STOPGAMETIMER");

  // Round 3: c draws; a finds the word, b does not before the countdown runs out, and the game
  // ends.
  const auto c_round3 = Until(c, "NEWWORD");
  EXPECT_THAT(CommandsOf(c_round3),
              ElementsAre("ROUNDWORD", "SETGAMETIMER", "NEWROUND", "NEWARTIST", "NEWWORD"));
  const std::string word3 = c_round3.back().data;
  Until(a, "NEWARTIST");
  a.Send(to_server::SAY, FirstAlternative(word3));
  const auto b_end = Until(b, "RESETSCORES");
  EXPECT_THAT(CommandsOf(b_end),
              ElementsAre("ROUNDWORD", "SETGAMETIMER", "NEWROUND", "NEWARTIST", "WORDPATTERN",
                          "WORDFOUND", "POINTSCHG", "STARTGAMETIMER", "ENDOFROUND", "ROUNDWORD",
                          "WINNER", "RESETSCORES"));
  note_points(b_end);
  EXPECT_EQ(b_end[8].data, word3);
  EXPECT_EQ(b_end[9].data, FirstAlternative(word3));
  // The most points win; those who share them share first place, the earliest player first.
  int best = 0;
  std::vector<std::string> winners;
  for (const auto& [id, score] : points) best = std::max(best, score);
  for (const auto& [id, score] : points) {
    if (score == best) winners.push_back(id);
  }
  EXPECT_EQ(b_end[10].data, protocol::JoinFields(winners));
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("word lists found")));
}

}  // namespace
