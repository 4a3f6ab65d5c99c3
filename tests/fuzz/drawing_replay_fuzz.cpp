// SPDX-License-Identifier: MIT
// The pad replaying relayed drawing messages, with some of the artist's own tool use.
#include <algorithm>

#include "client/pad/pad_tools.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/manual_clock.h"

namespace fuzz {

namespace {

// A number as it may arrive in a relayed field: on the pad, far off it, or no number a client
// would send at all.
std::string FieldText(FuzzInput& in) {
  static constexpr std::string_view kOdd[] = {
      "1e308", "-1e308", "nan",  "inf",   "-inf", "2147483648", "-2147483649", "0.5",
      "-0.5",  "1e9",    "1e-9", "255.5", "",     "0x10",       "1,5",         "9999999999999999"};
  std::string text;
  Choose(
      in, [&] { text = std::to_string(static_cast<int16_t>(in.Number16())); },
      [&] { text = std::to_string(in.Byte() % 40); },
      [&] { text = kOdd[in.Pick(std::size(kOdd))]; });
  return text;
}

// Relayed data: the sender's user id first, then the fields, or fuzzed text.
std::string RelayedData(protocol::DrawCode code, FuzzInput& in) {
  if (in.Pick(4) == 0) return in.Text();
  std::vector<std::string> fields;
  if (code != protocol::DrawCode::CL) fields.push_back("100001");
  const size_t count = protocol::DrawFieldCount(code) + (in.Pick(8) == 0 ? 1 : 0);
  for (size_t i = 0; i < count; ++i) fields.push_back(FieldText(in));
  return fields.empty() ? std::string("-") : protocol::JoinFields(fields);
}

// Mostly on the pad, sometimes well off it, as a drag out of the window gives.
client::PadPoint Point(FuzzInput& in) {
  const int scale = in.Flag() ? 1 : 8;
  const int x = static_cast<int16_t>(in.Number16()) % 600 * scale;
  const int y = static_cast<int16_t>(in.Number16()) % 400 * scale;
  return {static_cast<double>(x), static_cast<double>(y)};
}

}  // namespace

int FuzzDrawingReplay(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  testing_support::ManualClock clock;
  struct : protocol::DrawSink {
    void SendDrawCommand(std::string_view, std::string_view) override {}
  } sink;
  client::PadTools tools(&sink, clock);
  const auto relayed = [&] {  // a relayed drawing message, read as the session reads it
    const auto code = static_cast<protocol::DrawCode>(in.Pick(protocol::kDrawCodeCount));
    tools.Replay(protocol::ParseRelayedDrawData(code, RelayedData(code, in)));
  };
  for (int steps = 0; steps < 200 && !in.empty(); ++steps) {
    Choose(
        in, relayed, relayed, relayed,
        [&] { tools.ClickTool(static_cast<client::Tool>(in.Pick(10))); },
        [&] {
          Choose(
              in, [&] { tools.ClickBrush(in.Pick(4)); }, [&] { tools.PressSwatch(in.Pick(24)); },
              [&] {
                const int red = in.Byte();
                const int green = in.Byte();
                tools.ChooseCustomColour(
                    static_cast<client::PadColour>(red << 16 | green << 8 | in.Byte()));
              },
              [&] { tools.ToggleFillType(); });
        },
        [&] {  // the artist's own mouse: press, drag, release
          static constexpr int kButtons[] = {client::kLeftButton, client::kRightButton,
                                             client::kMiddleButton, 0};
          const int button = kButtons[in.Pick(std::size(kButtons))];
          tools.Press(button, Point(in));
          for (size_t i = in.Pick(4); i > 0; --i) tools.Move(button, Point(in));
          tools.Release(button, Point(in));
        },
        [&] { clock.Advance(in.Byte() * 20); },
        [&] { in.Flag() ? tools.Reset() : tools.HideClearMessage(); });
  }
  // Every pixel is still opaque, whatever was drawn on the pad.
  const drawing::Raster& pad = tools.raster();
  FUZZ_CHECK(std::all_of(pad.pixels(), pad.pixels() + pad.kWidth * pad.kHeight,
                         [](uint32_t pixel) { return pixel >> 24 == 0xFF; }));
  return 0;
}

}  // namespace fuzz
