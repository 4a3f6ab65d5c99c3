// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

bool Tracing() {
  static const bool tracing = std::getenv("SCRAWLBOX_FUZZ_TRACE") != nullptr;
  return tracing;
}

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz
