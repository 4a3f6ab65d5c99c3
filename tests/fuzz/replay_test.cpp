// SPDX-License-Identifier: MIT
// Replays every kept fuzz input (the seed corpus and the regressions that findings left) through
// the same bodies the libFuzzer programs run, so that a fixed finding stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/fuzz/fuzz_input.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

class FuzzReplay : public testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, EveryKeptInputKeepsTheTargetsProperties) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(SCRAWLBOX_FUZZ_DIR) / kind / GetParam().name;
    if (fs::is_directory(folder))
      for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  }
  // Every target has a seed corpus; an empty list means the folder moved.
  ASSERT_FALSE(files.empty());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = testing_support::ReadFile(file);
    EXPECT_EQ(GetParam().body(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fuzz
