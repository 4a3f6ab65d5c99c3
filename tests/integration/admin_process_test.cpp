// SPDX-License-Identifier: MIT
// The operator's console of the headless server, with real sockets.
#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "tests/integration/raw_client.h"
#include "tests/integration/server_process.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::RawClient;
using testing_support::ServerProcess;
namespace to_server = protocol::to_server;

// The states themselves are the core's (admin_test); this is the real listening socket closing.
TEST(AdminProcess, OfflineClosesTheListeningSocketAndAcceptReopensIt) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  server.Command("listen offline");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Listen state: offline.")));
  RawClient refused;
  EXPECT_FALSE(refused.Connect(server.port()));
  server.Command("listen accept");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Listen state: accept.")));
  RawClient welcome;
  ASSERT_TRUE(welcome.Connect(server.port()));
  EXPECT_FALSE(welcome.Login("welcome").empty());
}

TEST(AdminProcess, KickAndBanSurviveARestart) {
  ServerProcess server;
  ASSERT_TRUE(server.Start());
  RawClient troll;
  ASSERT_TRUE(troll.Connect(server.port()));
  const std::string id = troll.Login("troll");
  ASSERT_FALSE(id.empty());
  troll.answer_pings = true;

  // The ban removes the player the way a kick does, with the ban's reason.
  server.Command("ban " + id + " trolling");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Banned 127.0.0.1.")));
  const auto kicked = troll.WaitFor("KICKOP");
  ASSERT_TRUE(kicked);
  EXPECT_EQ(kicked->data, "trolling");

  // This client does not close by itself; the server does, a moment later.
  EXPECT_TRUE(troll.WaitClosed(5000));
  server.Terminate();
  ASSERT_EQ(server.WaitForExit(), 0);

  const std::string text = testing_support::ReadFile(server.dir() / "Server.ini");
  EXPECT_NE(text.find("Banned IP[1]=IP=127.0.0.1\xACREASON=trolling"), std::string::npos);
  EXPECT_NE(text.find("Total Users Kicked=1"), std::string::npos);
}

}  // namespace
