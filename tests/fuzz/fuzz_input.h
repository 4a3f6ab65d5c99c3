// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Reads a fuzz input as a little script: numbers and length-prefixed byte strings taken from
// the front. Past the end every number reads as 0 and every string as empty, so any input is a
// whole script and a short one simply stops early.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data), size) {}

  bool empty() const { return data_.empty(); }
  size_t remaining() const { return data_.size(); }

  uint8_t Byte() {
    if (data_.empty()) return 0;
    const auto value = static_cast<uint8_t>(data_.front());
    data_.remove_prefix(1);
    return value;
  }
  // Numbers are little-endian. Every read is its own statement: the order of reads inside one
  // expression is up to the compiler, and a kept input must replay the same under g++ and clang.
  uint16_t Number16() {
    const uint16_t low = Byte();
    const uint16_t high = Byte();
    return static_cast<uint16_t>(low | (high << 8));
  }
  uint32_t Number32() {
    const uint32_t low = Number16();
    const uint32_t high = Number16();
    return low | (high << 16);
  }
  // A number in [0, count); 0 when count is 0.
  size_t Pick(size_t count) { return count == 0 ? 0 : Byte() % count; }
  bool Flag() { return (Byte() & 1) != 0; }

  // One length byte, then that many bytes (fewer at the end of the input).
  std::string Text() { return Take(Byte()); }
  // Two length bytes, then that many bytes, at most max_length.
  std::string LongText(size_t max_length) { return Take(Number16() % (max_length + 1)); }
  std::string Rest() { return Take(data_.size()); }

 private:
  std::string Take(size_t length) {
    const std::string_view taken = data_.substr(0, length);
    data_.remove_prefix(taken.size());
    return std::string(taken);
  }

  std::string_view data_;
};

// The unit as many times as fit in max_bytes, at most `times`: one message of a peer can carry
// the same field thousands of times, which short inputs could not spell out.
inline std::string Repeated(std::string_view unit, size_t times, size_t max_bytes) {
  std::string text;
  for (; times > 0 && !unit.empty() && text.size() + unit.size() <= max_bytes; --times) {
    text += unit;
  }
  return text;
}

// Stops the run when a property the code promises does not hold: libFuzzer keeps the input,
// and the unit tests that replay it fail.
[[noreturn]] void Fail(const char* what, const char* file, int line);

// With SCRAWLBOX_FUZZ_TRACE set, the script targets print each step, so that a kept input can be
// read as the script it is.
bool Tracing();

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::Fail(#condition, __FILE__, __LINE__))
