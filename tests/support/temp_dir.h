// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

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

// The files are bytes, as the programs read and write them: no line ends are translated.
void WriteFile(const std::filesystem::path& path, const std::string& text);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testing_support
