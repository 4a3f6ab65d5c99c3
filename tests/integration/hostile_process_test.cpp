// SPDX-License-Identifier: MIT
// The real headless server against peers that flood it or crowd it from one address.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "protocol/commands.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace {

using testing_support::RawClient;
using testing_support::ServerProcess;
namespace to_server = protocol::to_server;

TEST(HostilePeers, AFloodOfChatDoesNotHoldUpTheOthers) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  RawClient flooder, player;
  ASSERT_TRUE(player.Connect(server.port()));
  ASSERT_FALSE(player.Login("player").empty());
  ASSERT_TRUE(flooder.Connect(server.port()));
  ASSERT_FALSE(flooder.Login("flooder").empty());

  std::string flood;
  for (int i = 0; i < 5000; ++i)
    flood += protocol::Frame(to_server::SAY, "flood line " + std::to_string(i));
  flooder.SendRaw(flood);
  player.Send(to_server::NOP, "-");
  std::vector<protocol::Message> seen;
  while (auto message = player.Next()) {
    seen.push_back(*message);
    if (message->command == "NOP") break;
  }
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().command, "NOP");

  // The flooder is closed; the room relayed no more than the burst the limit allows.
  auto is_part = [](const protocol::Message& m) { return m.command == "PART"; };
  while (std::none_of(seen.begin(), seen.end(), is_part)) {
    auto message = player.Next();
    ASSERT_TRUE(message);
    seen.push_back(*message);
  }
  EXPECT_EQ(std::find_if(seen.begin(), seen.end(), is_part)->data, Wire("100001|Flooding"));

  EXPECT_LE(
      std::count_if(seen.begin(), seen.end(), [](const auto& m) { return m.command == "SAY"; }), 5);
  EXPECT_TRUE(flooder.WaitClosed());

  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("connection has been closed: Flooding.")));
  player.Send(to_server::NOP, "-");
  EXPECT_TRUE(player.WaitFor("NOP"));
}

}  // namespace
