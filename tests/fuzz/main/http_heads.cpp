// SPDX-License-Identifier: MIT
// The libFuzzer entry point of the http_heads target.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzz::FuzzHttpHeads(data, size);
}
