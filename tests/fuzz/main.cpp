// SPDX-License-Identifier: MIT
// The libFuzzer entry point of one target, named by the build (SCRAWLBOX_FUZZ_TARGET).
#include <algorithm>

#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto* target =
      std::find_if(std::begin(fuzz::kTargets), std::end(fuzz::kTargets),
                   [](const fuzz::Target& t) { return t.name == SCRAWLBOX_FUZZ_TARGET; });
  return target->body(data, size);
}
