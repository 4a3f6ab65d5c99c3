// SPDX-License-Identifier: MIT
#include "tests/fuzz/scratch_folder.h"

#include "tests/support/temp_dir.h"

namespace fuzz {

const std::filesystem::path& ScratchFolder() {
  static const testing_support::TempDir folder;
  return folder.path();
}

}  // namespace fuzz
