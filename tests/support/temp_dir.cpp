// SPDX-License-Identifier: MIT
#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace testing_support {

TempDir::TempDir() {
  const char* base = std::getenv("SCRAWLBOX_TEST_TMP");
  std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
  std::filesystem::create_directories(root);
  std::string pattern = (root / "t.XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support
