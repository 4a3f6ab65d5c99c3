// SPDX-License-Identifier: MIT
// Replays every kept fuzz input (the seed corpus and the regressions that findings left) through
// the same bodies the libFuzzer programs run, so that a fixed finding stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/temp_dir.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> KeptInputs(std::string_view target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(SCRAWLBOX_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
        files.push_back(entry.path());
      }
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

void ReplayAll(std::string_view name) {
  const auto target = std::find_if(kTargets.begin(), kTargets.end(),
                                   [name](const Target& t) { return t.name == name; });
  ASSERT_NE(target, kTargets.end());
  const std::vector<fs::path> files = KeptInputs(name);
  // Every target has a seed corpus; an empty list means the folder moved.
  ASSERT_FALSE(files.empty()) << "no inputs for " << name;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = testing_support::ReadFile(file);
    EXPECT_EQ(target->body(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
  }
}

TEST(FuzzReplay, ServerCore) {
  ReplayAll("server_core");
}
TEST(FuzzReplay, ClientSession) {
  ReplayAll("client_session");
}
TEST(FuzzReplay, DrawingReplay) {
  ReplayAll("drawing_replay");
}
TEST(FuzzReplay, Ini) {
  ReplayAll("ini");
}
TEST(FuzzReplay, WordLists) {
  ReplayAll("word_lists");
}
TEST(FuzzReplay, BanPatterns) {
  ReplayAll("ban_patterns");
}
TEST(FuzzReplay, TrackerRequests) {
  ReplayAll("tracker_requests");
}
TEST(FuzzReplay, HttpHeads) {
  ReplayAll("http_heads");
}

}  // namespace
}  // namespace fuzz
