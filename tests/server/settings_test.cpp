// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "server/connections/settings.h"
#include "tests/support/memory_ini.h"
#include "tests/support/server_harness.h"

namespace server {
namespace {

using testing_support::MemoryIni;
using testing_support::ServerHarness;

ServerSettings Load(const std::string& details) {
  return LoadSettings(MemoryIni("[Server Details]\n" + details));
}

TEST(Settings, KeepAliveTimesAreHeldWithinTheirBounds) {
  EXPECT_EQ(Load("Ping=0").PingInterval, 1000);
  EXPECT_EQ(Load("Ping=120").PingInterval, 60000);
  EXPECT_EQ(Load("Ping=2.5").PingInterval, 2500);
  EXPECT_EQ(Load("Ping=-7").PingInterval, 1000);
  EXPECT_EQ(Load("Ping=soon").PingInterval, 1000);
  EXPECT_EQ(Load("Ping=1e300").PingInterval, 60000);
  EXPECT_EQ(Load("Ping Timeout=45").PingTimeout, 30000);
  EXPECT_EQ(Load("Ping Timeout=0.4").PingTimeout, 1000);
  EXPECT_EQ(Load("Ping Timeout=12").PingTimeout, 12000);
}

TEST(Settings, BooleansAreTrueForAnyNonZeroNumber) {
  EXPECT_TRUE(Load("Private Server=1").PrivateServer);
  EXPECT_TRUE(Load("Private Server=2").PrivateServer);
  EXPECT_FALSE(Load("Private Server=0").PrivateServer);
  EXPECT_FALSE(Load("Private Server=maybe").PrivateServer);
}

TEST(Settings, PortTextThatIsNoPortGivesNoPortNumber) {
  EXPECT_EQ(Load("Port=2121").PortNumber(), 2121);
  EXPECT_EQ(Load("Port=abc").PortNumber(), 0);
  EXPECT_EQ(Load("Port=0").PortNumber(), 0);
  EXPECT_EQ(Load("Port=1").PortNumber(), 1);
  EXPECT_EQ(Load("Port=65535").PortNumber(), 65535);
  EXPECT_EQ(Load("Port=70000").PortNumber(), 0);
  EXPECT_EQ(Load("Port=20.5").PortNumber(), 0);
}

TEST(Settings, DetailsDialogWritesWhatWasTypedAndReadsPingInWholeSeconds) {
  MemoryIni ini("[Server Details]\nPing=2.5\nPrivate Server=1\n");
  ServerSettings settings = LoadSettings(ini);
  ServerDetails details = CurrentDetails(settings, ini);
  EXPECT_EQ(details.Ping, "2");
  EXPECT_TRUE(details.PrivateServer);
  details.Name = "Doodle Den";
  details.Ping = "500";
  details.Port = "3030";
  details.AutoRemoveFromTracker = true;
  ASSERT_TRUE(SaveDetails(details, ini));
  EXPECT_EQ(ini.INIRead("Server Details", "Ping", ""), "500");
  EXPECT_EQ(ini.INIRead("Server Details", "Auto-Remove From Tracker", ""), "1");
  settings = LoadSettings(ini);
  EXPECT_EQ(settings.Name, "Doodle Den");
  EXPECT_EQ(settings.PingInterval, 60000);  // clamped when read, not when written
  EXPECT_EQ(settings.PortNumber(), 3030);
}

TEST(ServerStartUp, ListensOnTheConfiguredPortAndCountsALaunch) {
  ServerHarness h("[Server Details]\nPort=2121\n");
  EXPECT_EQ(h.transport.listened_port, 2121);
  EXPECT_EQ(h.view.master_states, (std::vector<int>{kMasterOpening, kMasterListening}));
  const std::string ready =
      "Master socket ready and waiting for incoming connections on port 2121 ..";
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, ready));
  EXPECT_EQ(h.view.status_text, ready);
  ASSERT_EQ(h.view.rows.count(0), 1u);
  EXPECT_EQ(h.view.rows[0].name, "Master Socket - testhost");
  EXPECT_EQ(h.view.rows[0].status, "Listening for connections..");
  EXPECT_EQ(h.server.statistics().Get(Stat::ServerLaunches), 1);
}

TEST(ServerStartUp, PortInUseIsReportedAndTheServerKeepsRunning) {
  testing_support::FakeTransport transport;
  transport.listen_result = ListenResult{false, true, 98, "Address already in use"};
  testing_support::ManualClock clock;
  testing_support::RecordingView view;
  MemoryIni ini;
  RoomServer server(RoomServer::Ports{transport, clock, view, ini});
  server.Start();
  EXPECT_EQ(view.status_text,
            "Error creating listening port. Port 2020 is already in-use by another application.");
  EXPECT_EQ(view.master_states.back(), kMasterError);
  EXPECT_TRUE(view.HasLog(LogKind::kConnections,
                          "InitialiseMasterSocket() Error - 98: Address already in use."));
  EXPECT_EQ(view.rows.count(0), 0u);
}

TEST(ServerStartUp, PortThatIsNoNumberGivesTheGenericErrorWithoutListening) {
  ServerHarness h("[Server Details]\nPort=twenty\n");
  EXPECT_EQ(h.transport.listen_calls, 0);
  EXPECT_EQ(h.view.master_states.back(), kMasterError);
  EXPECT_EQ(h.view.status_text.rfind("Error while creating listening socket. Error: [", 0), 0u);
}

TEST(ServerStartUp, ReloadTakesNewKeepAliveTimesForTheNextPing) {
  ServerHarness h;
  h.ini.INIWrite("Server Details", "Ping", "3");
  h.server.ReloadSettings();
  EXPECT_EQ(h.view.status_text, "Server details and settings reloaded.");
  EXPECT_EQ(h.view.status_icon, kIconInfo);
  const int slot = h.Connect();
  h.clock.Advance(2999);
  EXPECT_TRUE(h.Take(slot).empty());
  h.clock.Advance(1);
  EXPECT_EQ(h.TakeCommands(slot), std::vector<std::string>{"PING"});
}

}  // namespace
}  // namespace server
