// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>

#include "server/connections/settings.h"
#include "tests/support/memory_ini.h"
#include "tests/support/server_harness.h"

namespace server {
namespace {

using testing_support::MemoryIni;
using testing_support::ServerHarness;

// What one setting reads as from each of the texts, each followed by a space.
std::string ReadEach(const std::string& key, std::initializer_list<const char*> texts,
                     const std::function<int64_t(const ServerSettings&)>& get) {
  std::string read;
  for (const char* text : texts) {
    read += std::to_string(get(LoadSettings(MemoryIni("[Server Details]\n" + key + "=" + text))));
    read += ' ';
  }
  return read;
}

TEST(Settings, NumbersAreReadLenientlyHeldWithinTheirBoundsAndWrittenAsTyped) {
  EXPECT_EQ(ReadEach("Ping", {"0", "120", "2.5", "-7", "soon", "1e300"},
                     [](auto& s) { return s.PingInterval; }),
            "1000 60000 2500 1000 1000 60000 ");
  EXPECT_EQ(ReadEach("Ping Timeout", {"45", "0.4", "12"}, [](auto& s) { return s.PingTimeout; }),
            "30000 1000 12000 ");
  // Any non-zero number is true.
  EXPECT_EQ(
      ReadEach("Private Server", {"1", "2", "0", "maybe"}, [](auto& s) { return s.PrivateServer; }),
      "1 1 0 0 ");
  EXPECT_EQ(ReadEach("Port", {"2121", "abc", "0", "1", "65535", "70000", "20.5"},
                     [](auto& s) { return s.PortNumber(); }),
            "2121 0 0 1 65535 0 0 ");
  // The details dialog writes what was typed and reads the ping in whole seconds.
  MemoryIni ini("[Server Details]\nPing=2.5\nPrivate Server=1\n");
  ServerDetails details = CurrentDetails(LoadSettings(ini), ini);
  EXPECT_EQ(details.Ping, "2");
  EXPECT_TRUE(details.PrivateServer);
  details.Ping = "500";
  details.Port = "3030";
  details.AutoRemoveFromTracker = true;
  ASSERT_TRUE(SaveDetails(details, ini));
  EXPECT_EQ(ini.INIRead("Server Details", "Ping", ""), "500");
  EXPECT_EQ(ini.INIRead("Server Details", "Auto-Remove From Tracker", ""), "1");
  const ServerSettings settings = LoadSettings(ini);
  EXPECT_EQ(settings.PingInterval, 60000);  // clamped when read, not when written
  EXPECT_EQ(settings.PortNumber(), 3030);
}

TEST(ServerStartUp, ListensOnTheConfiguredPortReloadsAndReportsAPortItCannotHave) {
  ServerHarness h("[Server Details]\nPort=2121\n");
  EXPECT_EQ(h.transport.listened_port, 2121);
  EXPECT_EQ(h.view.master_states, (std::vector<int>{kMasterOpening, kMasterListening}));
  const std::string ready =
      "Master socket ready and waiting for incoming connections on port 2121 ..";
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections, ready));
  EXPECT_EQ(h.view.status_text, ready);
  EXPECT_EQ(h.view.rows[0].name + "; " + h.view.rows[0].status,
            "Master Socket - testhost; Listening for connections..");
  EXPECT_EQ(h.server.statistics().Get(Stat::ServerLaunches), 1);
  // A reload takes new keep-alive times for the next ping.
  h.ini.INIWrite("Server Details", "Ping", "3");
  h.server.ReloadSettings();
  EXPECT_EQ(h.view.status_text, "Server details and settings reloaded.");
  const int slot = h.Connect();
  h.clock.Advance(2999);
  EXPECT_EQ(h.Got(slot), "");
  h.clock.Advance(1);
  EXPECT_EQ(h.Got(slot), "PING -");
  // A port in use is reported and the room keeps running.
  h.transport.listen_result = ListenResult{false, true, 98, "Address already in use"};
  EXPECT_FALSE(h.server.Relisten());
  EXPECT_EQ(h.view.status_text,
            "Error creating listening port. Port 2121 is already in-use by another application.");
  EXPECT_EQ(h.view.master_states.back(), kMasterError);
  EXPECT_TRUE(h.view.HasLog(LogKind::kConnections,
                            "InitialiseMasterSocket() Error - 98: Address already in use."));
  // A port that is no number gives the generic error without listening, and no master row.
  ServerHarness bad("[Server Details]\nPort=twenty\n");
  EXPECT_EQ(bad.transport.listen_calls, 0);
  EXPECT_EQ(bad.view.status_text,
            "Error while creating listening socket. Error: [22] - \"twenty\" is not a port number");
  EXPECT_EQ(bad.view.rows.count(0), 0u);
}

}  // namespace
}  // namespace server
