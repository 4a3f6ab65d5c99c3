// SPDX-License-Identifier: MIT
#include "protocol/drawing.h"

#include <charconv>

#include "protocol/framing.h"
#include "protocol/numbers.h"

namespace protocol {

namespace {

struct DrawCodeInfo {
  DrawCode code;
  std::string_view word;
  size_t fields;
};

constexpr std::array<DrawCodeInfo, kDrawCodeCount> kDrawCodes = {{
    {DrawCode::CU, "CU", 0},
    {DrawCode::FH, "FH", 4},
    {DrawCode::ER, "ER", 2},
    {DrawCode::SP, "SP", 2},
    {DrawCode::LI, "LI", 4},
    {DrawCode::CI, "CI", 4},
    {DrawCode::BO, "BO", 4},
    {DrawCode::FL, "FL", 2},
    {DrawCode::UN, "UN", 0},
    {DrawCode::CL, "CL", 0},
    {DrawCode::FT, "FT", 1},
    {DrawCode::DW, "DW", 2},
    {DrawCode::PA, "PA", 1},
    {DrawCode::CC, "CC", 3},
}};

// Info() indexes the table by the code's value.
constexpr bool TableInCodeOrder() {
  for (size_t i = 0; i < kDrawCodes.size(); ++i) {
    if (static_cast<size_t>(kDrawCodes[i].code) != i) return false;
  }
  return true;
}
static_assert(TableInCodeOrder(), "kDrawCodes must list the codes in the order of DrawCode");
static_assert(static_cast<size_t>(DrawCode::CC) + 1 == kDrawCodeCount);

const DrawCodeInfo& Info(DrawCode code) {
  return kDrawCodes[static_cast<size_t>(code)];
}

}  // namespace

std::string_view DrawCodeWord(DrawCode code) {
  return Info(code).word;
}

std::optional<DrawCode> DrawCodeFromWord(std::string_view word) {
  for (const auto& info : kDrawCodes) {
    if (info.word == word) return info.code;
  }
  return std::nullopt;
}

size_t DrawFieldCount(DrawCode code) {
  return Info(code).fields;
}

std::string BuildDrawData(const DrawCommand& command) {
  const size_t count = DrawFieldCount(command.code);
  if (count == 0) return std::string(kNoData);
  std::string data;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) data.push_back(kFieldSep);
    data.append(NumberText(command.fields[i]));
  }
  return data;
}

namespace {

void AppendRelayDrawData(std::string& out, DrawCode code, int32_t sender_id,
                         std::string_view data) {
  if (code == DrawCode::CL) {
    out.append(kNoData);
    return;
  }
  char digits[16];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, sender_id).ptr);
  out.push_back(kFieldSep);
  out.append(code == DrawCode::CU || code == DrawCode::UN ? kNoData : data);
}

}  // namespace

std::string RelayDrawData(DrawCode code, int32_t sender_id, std::string_view data) {
  std::string relayed;
  AppendRelayDrawData(relayed, code, sender_id, data);
  return relayed;
}

void FrameRelayedDrawing(std::string& framed, DrawCode code, int32_t sender_id,
                         std::string_view data) {
  const std::string_view word = DrawCodeWord(code);
  framed.clear();
  framed.reserve(word.size() + data.size() + 16);
  framed.append(word);
  framed.push_back(kCommandSep);
  AppendRelayDrawData(framed, code, sender_id, data);
  framed.push_back(kMessageEnd);
}

namespace {

// The code's fields, read from the fields of the data that start at `first`.
DrawCommand ReadFields(DrawCode code, std::string_view data, size_t first) {
  DrawCommand command;
  command.code = code;
  const size_t count = DrawFieldCount(code);
  if (count == 0) return command;
  const auto fields = SplitFields(data);
  for (size_t i = 0; i < count; ++i) {
    command.fields[i] = LeadingNumber(FieldOr(fields, first + i));
  }
  return command;
}

}  // namespace

DrawCommand ParseDrawData(DrawCode code, std::string_view data) {
  return ReadFields(code, data, 0);
}

DrawCommand ParseRelayedDrawData(DrawCode code, std::string_view data) {
  return ReadFields(code, data, 1);
}

ColourFields SplitColour(uint32_t colour) {
  return ColourFields{static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
                      static_cast<int>((colour >> 16) & 255)};
}

uint32_t JoinColour(int red, int green, int blue) {
  auto clamp = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
  return clamp(red) + 256 * clamp(green) + 65536 * clamp(blue);
}

}  // namespace protocol
