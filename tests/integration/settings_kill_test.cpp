// SPDX-License-Identifier: MIT
// The real server killed with SIGKILL while it writes Server.ini, and started again.
#include <gtest/gtest.h>

#include "inifile/ini_document.h"
#include "protocol/numbers.h"
#include "tests/integration/processes.h"

namespace testing_support {
namespace {

constexpr int kKills = 50;
constexpr int kWritesPerRun = 12;
// Long enough that a write takes a while and a torn one could not pass for whole.
constexpr size_t kDenyLength = 1500;

std::vector<std::string> TemporaryFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with("Server.ini."))
      names.push_back(entry.path().filename());
  return names;
}

// Server.ini must be one whole version: the port it was given, a whole deny message (once one
// was written) and the launch count, which is written last in the file and never goes back.
void ExpectWhole(const ServerProcess& server, int starts, double* launches) {
  const std::string text = ReadFile(server.dir() / "Server.ini");
  EXPECT_TRUE(text.ends_with('\n'));
  const inifile::IniDocument ini(text);
  EXPECT_EQ(ini.Read("Server Details", "Port", ""), std::to_string(server.port()));
  const size_t deny = ini.Read("Server Details", "Deny Message", "").size();
  EXPECT_TRUE(deny == 0 || deny == kDenyLength) << deny;
  const double now =
      protocol::LeadingNumber(ini.Read("Server Statistics", "Total Server Launches", "0"));
  EXPECT_TRUE(now >= *launches && now <= starts) << now;
  *launches = now;
}

TEST(ServerProcessKilled, WhileWritingServerIniLeavesItWholeAndNoTemporaryFileAfterTheNextStart) {
  ServerProcess server;
  double launches = 0;
  std::vector<std::string> left_behind;
  for (int run = 0; run <= kKills; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ASSERT_TRUE(server.Start()) << server.output().toStdString();
    // The new run may be writing already (its launch count); only what the kill left must go.
    for (const std::string& name : left_behind) EXPECT_FALSE(exists(server.dir() / name)) << name;
    ExpectWhole(server, run + 1, &launches);
    if (run == kKills) break;

    // An unknown command's answer names it: a mark of how far the console has got.
    std::string commands;
    for (int write = 0; write < kWritesPerRun; ++write) {
      std::string deny = "run " + std::to_string(run) + " write " + std::to_string(write) + " ";
      deny.resize(kDenyLength, 'x');
      commands += (write > 0 ? "\ndeny " : "deny ") + deny + "\nmark" + std::to_string(write);
    }
    server.Command(commands);
    // Killed after a varied number of whole writes: in the launch count or in a deny write.
    const int writes_done = run % (kWritesPerRun - 2);
    if (writes_done > 0) {
      ASSERT_TRUE(server.WaitForOutput(QString("\"mark%1\"").arg(writes_done - 1)));
    }
    server.Kill();
    ExpectWhole(server, run + 1, &launches);
    left_behind = TemporaryFiles(server.dir().path());
  }
  server.Command("idle");
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("\"idle\"")));
  EXPECT_EQ(TemporaryFiles(server.dir().path()), std::vector<std::string>());
}

}  // namespace
}  // namespace testing_support
