// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/temp_dir.h"

namespace fuzz {

std::pair<std::string_view, std::string> DrawMessage(FuzzInput& in) {
  const auto code = static_cast<protocol::DrawCode>(in.Pick(protocol::kDrawCodeCount));
  std::vector<std::string> fields(protocol::DrawFieldCount(code));
  for (auto& field : fields) field = std::to_string(static_cast<int16_t>(in.Number16()));
  return {protocol::DrawCodeWord(code),
          fields.empty() ? std::string(protocol::kNoData) : protocol::JoinFields(fields)};
}

const std::filesystem::path& ScratchFolder() {
  static const testing_support::TempDir folder;
  return folder.path();
}

bool Tracing() {
  static const bool tracing = std::getenv("SCRAWLBOX_FUZZ_TRACE") != nullptr;
  return tracing;
}

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz
