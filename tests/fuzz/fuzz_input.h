// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/support/temp_dir.h"

// The fuzz targets' bodies and what their scripts share. Each body is a plain function returning
// 0, so that the libFuzzer programs and the unit test that replays the kept inputs run exactly
// the same code; each says at its definition what it drives.
namespace fuzz {

using Body = int(const uint8_t* data, size_t size);
Body FuzzServerCore, FuzzClientSession, FuzzDrawingReplay, FuzzIni, FuzzWordLists, FuzzBanPatterns,
    FuzzTrackerRequests, FuzzHttpHeads, FuzzWebEntry, FuzzHostEntry;

struct Target {
  std::string_view name;  // the folder name under tests/fuzz/corpus and tests/fuzz/regressions
  Body* body;
};
inline constexpr Target kTargets[] = {{"server_core", FuzzServerCore},
                                      {"client_session", FuzzClientSession},
                                      {"drawing_replay", FuzzDrawingReplay},
                                      {"ini", FuzzIni},
                                      {"word_lists", FuzzWordLists},
                                      {"ban_patterns", FuzzBanPatterns},
                                      {"tracker_requests", FuzzTrackerRequests},
                                      {"http_heads", FuzzHttpHeads},
                                      {"web_entry", FuzzWebEntry},
                                      {"host_entry", FuzzHostEntry}};

// Reads a fuzz input as a little script: numbers and length-prefixed byte strings taken from
// the front. Past the end every number reads as 0 and every string as empty, so any input is a
// whole script and a short one simply stops early.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data), size) {}

  bool empty() const { return data_.empty(); }
  uint8_t Byte() { return data_.empty() ? 0 : static_cast<uint8_t>(Take(1)[0]); }
  // Numbers are little-endian. Every read is its own statement: the order of reads inside one
  // expression is up to the compiler, and a kept input must replay the same under g++ and clang.
  uint16_t Number16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
  }
  uint32_t Number32() {
    const uint32_t low = Number16();
    return low | (uint32_t{Number16()} << 16);
  }
  // A number in [0, count); 0 when count is 0.
  size_t Pick(size_t count) { return count == 0 ? 0 : Byte() % count; }
  bool Flag() { return (Byte() & 1) != 0; }
  // One length byte, then that many bytes (fewer at the end of the input).
  std::string Text() { return std::string(Take(Byte())); }
  // Two length bytes, then that many bytes, at most max_length.
  std::string LongText(size_t max_length) {
    return std::string(Take(Number16() % (max_length + 1)));
  }
  std::string Rest() { return std::string(Take(data_.size())); }

 private:
  std::string_view Take(size_t length) {
    const std::string_view taken = data_.substr(0, length);
    data_.remove_prefix(taken.size());
    return taken;
  }

  std::string_view data_;
};

// The unit as many times as fit in max_bytes, at most `times`: one message of a peer can carry
// the same field thousands of times, which short inputs could not spell out.
inline std::string Repeated(std::string_view unit, size_t times, size_t max_bytes) {
  std::string text;
  for (; times > 0 && !unit.empty() && text.size() + unit.size() <= max_bytes; --times)
    text += unit;
  return text;
}

// One of the options, or as often any text.
template <typename Options>
std::string OptionOrText(FuzzInput& in, const Options& options) {
  return in.Flag() ? std::string(options[in.Pick(std::size(options))]) : in.Text();
}

// One of the operations, picked by the next byte: a step of a script. With SCRAWLBOX_FUZZ_TRACE
// set every step is printed, so that a kept input can be read as the script it is.
template <typename... Operations>
void Choose(FuzzInput& in, Operations&&... operations) {
  static const bool tracing = std::getenv("SCRAWLBOX_FUZZ_TRACE") != nullptr;
  const size_t picked = in.Pick(sizeof...(operations));
  if (tracing) std::fprintf(stderr, "step %zu of %zu\n", picked, sizeof...(operations));
  size_t index = 0;
  ((index++ == picked ? operations() : void()), ...);
}

// Time for the clock to advance: a little, a round's worth, or minutes.
inline int64_t Duration(FuzzInput& in) {
  static constexpr int64_t kScale[] = {1, 100, 1000, 10000};
  const int64_t steps = in.Byte();
  return steps * kScale[in.Pick(std::size(kScale))];
}

// A drawing code's word and its fields as 16-bit numbers, as a pad sends them.
inline std::pair<std::string_view, std::string> DrawMessage(FuzzInput& in) {
  const auto code = static_cast<protocol::DrawCode>(in.Pick(protocol::kDrawCodeCount));
  std::vector<std::string> fields(protocol::DrawFieldCount(code));
  for (auto& field : fields) field = std::to_string(static_cast<int16_t>(in.Number16()));
  return {protocol::DrawCodeWord(code),
          fields.empty() ? std::string(protocol::kNoData) : protocol::JoinFields(fields)};
}

// A folder of this process for the targets' files, below the test folder (SCRAWLBOX_TEST_TMP)
// or the system's temporary folder, removed when the process ends.
inline const std::filesystem::path& ScratchFolder() {
  static const testing_support::TempDir folder;
  return folder.path();
}

// Stops the run when a property the code promises does not hold: libFuzzer keeps the input,
// and the unit tests that replay it fail.
[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::Fail(#condition, __FILE__, __LINE__))
