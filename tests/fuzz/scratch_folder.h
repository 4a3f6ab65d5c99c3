// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace fuzz {

// A folder of this process for the targets' files, below the test folder (SCRAWLBOX_TEST_TMP)
// or the system's temporary folder, removed when the process ends.
const std::filesystem::path& ScratchFolder();

}  // namespace fuzz
