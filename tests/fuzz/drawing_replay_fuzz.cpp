// SPDX-License-Identifier: MIT
#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "client/drawing/pad_engine.h"
#include "client/drawing/pad_tools.h"
#include "protocol/drawing.h"
#include "protocol/framing.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/manual_clock.h"

namespace fuzz {

namespace {

// A number as it may arrive in a relayed field: on the pad, far off it, or no number a client
// would send at all.
std::string FieldText(FuzzInput& in) {
  static constexpr std::string_view kOdd[] = {
      "1e308", "-1e308", "nan",  "inf",   "-inf", "2147483648", "-2147483649", "0.5",
      "-0.5",  "1e9",    "1e-9", "255.5", "",     "0x10",       "1,5",         "9999999999999999"};
  switch (in.Pick(3)) {
    case 0:
      return std::to_string(static_cast<int16_t>(in.Number16()));
    case 1:
      return std::to_string(in.Byte() % 40);
    default:
      return std::string(kOdd[in.Pick(std::size(kOdd))]);
  }
}

// Relayed data: the sender's user id first, then the fields, or fuzzed text.
std::string RelayedData(protocol::DrawCode code, FuzzInput& in) {
  if (in.Pick(4) == 0) return in.Text();
  std::vector<std::string> fields{"100001"};
  if (code == protocol::DrawCode::CL) fields.clear();
  const size_t count = protocol::DrawFieldCount(code) + (in.Pick(8) == 0 ? 1 : 0);
  for (size_t i = 0; i < count; ++i) fields.push_back(FieldText(in));
  return fields.empty() ? std::string("-") : protocol::JoinFields(fields);
}

QPointF Point(FuzzInput& in) {
  // Mostly on the pad, sometimes well off it, as a drag out of the window gives.
  const int scale = in.Flag() ? 1 : 8;
  const int x = static_cast<int16_t>(in.Number16()) % 600 * scale;
  const int y = static_cast<int16_t>(in.Number16()) % 400 * scale;
  return QPointF(x, y);
}

}  // namespace

int FuzzDrawingReplay(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  testing_support::ManualClock clock;
  struct Counter : protocol::DrawSink {
    void SendDrawCommand(std::string_view, std::string_view) override { ++sent; }
    size_t sent = 0;
  } counter;
  client::PadTools tools(&counter, clock);
  for (int steps = 0; steps < 200 && !in.empty(); ++steps) {
    switch (in.Pick(8)) {
      case 0:
      case 1:
      case 2: {  // a relayed drawing message, read as the session reads it
        const auto code = static_cast<protocol::DrawCode>(in.Pick(protocol::kDrawCodeCount));
        tools.Replay(protocol::ParseRelayedDrawData(code, RelayedData(code, in)));
        break;
      }
      case 3:
        tools.ClickTool(static_cast<client::Tool>(in.Pick(10)));
        break;
      case 4:
        switch (in.Pick(4)) {
          case 0:
            tools.ClickBrush(in.Pick(4));
            break;
          case 1:
            tools.PressSwatch(in.Pick(24));
            break;
          case 2: {
            const int red = in.Byte();
            const int green = in.Byte();
            tools.ChooseCustomColour(QColor(red, green, in.Byte()));
            break;
          }
          default:
            tools.ToggleFillType();
            break;
        }
        break;
      case 5: {  // the artist's own mouse: press, drag, release
        static constexpr int kButtons[] = {client::kLeftButton, client::kRightButton,
                                           client::kMiddleButton, 0};
        const int button = kButtons[in.Pick(std::size(kButtons))];
        tools.Press(button, Point(in));
        for (size_t i = in.Pick(4); i > 0; --i) tools.Move(button, Point(in));
        tools.Release(button, Point(in));
        break;
      }
      case 6:
        clock.Advance(in.Byte() * 20);
        break;
      default:
        if (in.Flag()) {
          tools.Reset();
        } else {
          tools.HideClearMessage();
        }
        break;
    }
  }
  // The pad is still the pad's size, whatever was drawn on it.
  const QImage& picture = tools.engine().picture();
  FUZZ_CHECK(picture.width() == client::PadEngine::kWidth);
  FUZZ_CHECK(picture.height() == client::PadEngine::kHeight);
  return 0;
}

}  // namespace fuzz
