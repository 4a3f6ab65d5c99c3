// SPDX-License-Identifier: MIT
// The libFuzzer entry point of the tracker_requests target.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzz::FuzzTrackerRequests(data, size);
}
