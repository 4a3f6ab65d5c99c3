// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "client/pad/pad_tools.h"
#include "client/room/session.h"
#include "tests/support/client_fakes.h"

namespace testing_support {

// A view whose pad replays what arrives, as the main window's does. What its own tools draw
// goes to the session once one is set, so that the view can play the artist as well.
class PadView : public RecordingClientView {
 public:
  void ClearPad() override { tools.raster().Clear(); }
  void ResetTools() override { tools.Reset(); }
  void ReplayDrawing(const protocol::DrawCommand& command) override { tools.Replay(command); }

  ManualClock pad_clock;
  client::PadTools tools{nullptr, pad_clock};
};

}  // namespace testing_support
