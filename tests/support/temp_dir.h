// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace testing_support {

// A fresh folder for one test, below the folder the test registration provides, removed again
// when the test ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
