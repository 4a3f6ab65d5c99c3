// SPDX-License-Identifier: MIT
// A late joiner's whole picture: the room's largest picture log, every drawing code among it,
// read from the wire and replayed by the pad's tools. The same hash must come out natively and in
// the browser, where this test runs too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "client/pad/pad_tools.h"
#include "protocol/drawing.h"
#include "tests/support/manual_clock.h"
#include "tests/support/raster_scenes.h"

namespace drawing {
namespace {

// What a busy round sends, drawn from a fixed generator: mostly freehand, every other code
// among it, coordinates on the pad and a little off it. Each message as the room relays it.
std::vector<std::pair<protocol::DrawCode, std::string>> BusyRound(size_t bytes) {
  using protocol::DrawCode;
  uint64_t state = 26;
  const auto next = [&state](int below) {
    return static_cast<int>((Raster::SplitMix64(state) >> 33) % static_cast<uint64_t>(below));
  };
  std::vector<std::pair<DrawCode, std::string>> messages;
  size_t total = 0;
  double x = 200, y = 150;
  while (total < bytes) {
    protocol::DrawCommand command;
    const int pick = next(1000);
    const auto point = [&](size_t at) {
      command.fields[at] = next(560) - 20;
      command.fields[at + 1] = next(370) - 20;
    };
    if (pick < 950) {
      command.code = DrawCode::FH;
      command.fields = {x, y, x + next(21) - 10, y + next(21) - 10};
      x = std::clamp(command.fields[2], -10.0, 520.0);
      y = std::clamp(command.fields[3], -10.0, 330.0);
    } else if (pick < 952) {
      command.code = DrawCode::FL;  // a fill may cover the whole pad: rare, as in a drawing
      point(0);
    } else {
      static constexpr DrawCode kOthers[] = {DrawCode::CU, DrawCode::ER, DrawCode::SP, DrawCode::LI,
                                             DrawCode::CI, DrawCode::BO, DrawCode::UN, DrawCode::FT,
                                             DrawCode::DW, DrawCode::PA, DrawCode::CC};
      command.code = kOthers[next(std::size(kOthers))];
      switch (command.code) {
        case DrawCode::ER:
        case DrawCode::SP:
          point(0);
          break;
        case DrawCode::LI:
        case DrawCode::CI:
        case DrawCode::BO:
          point(0);
          point(2);
          break;
        case DrawCode::FT:
          command.fields[0] = next(2);
          break;
        case DrawCode::DW:
          command.fields = {1.0 + next(4), static_cast<double>(
                                               client::kBrushWidths[static_cast<size_t>(next(4))])};
          break;
        case DrawCode::PA:
          command.fields[0] = next(24);
          break;
        case DrawCode::CC:
          command.fields = {double(next(256)), double(next(256)), double(next(256))};
          break;
        default:
          break;
      }
    }
    std::string data =
        protocol::RelayDrawData(command.code, 100002, protocol::BuildDrawData(command));
    total += protocol::DrawCodeWord(command.code).size() + data.size() + 2;
    messages.emplace_back(command.code, std::move(data));
  }
  return messages;
}

TEST(LateJoin, TheLargestPictureLogGivesItsRecordedPixels) {
  testing_support::ManualClock clock;
  client::PadTools tools(nullptr, clock);
  const auto messages = BusyRound(4u << 20);
  for (const auto& [code, data] : messages)
    tools.Replay(protocol::ParseRelayedDrawData(code, data));
  char hash[32];
  std::snprintf(hash, sizeof hash, "0x%016llX",
                static_cast<unsigned long long>(PixelHash(tools.raster())));
  EXPECT_EQ(PixelHash(tools.raster()), 0xE0F85E7F07AC22ADull)
      << messages.size() << " messages: " << hash;
}

}  // namespace
}  // namespace drawing
