// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/scheduling.h"
#include "drawing/raster.h"
#include "protocol/draw_sink.h"
#include "protocol/drawing.h"

namespace client {

// A point in pad pixels.
struct PadPoint {
  double x = 0;
  double y = 0;
};

// A rectangle in pad pixels: its top-left corner and its size.
struct PadRect {
  double x = 0, y = 0, width = 0, height = 0;
};

// 0xRRGGBB, red in the high byte, as drawing::Raster takes it; the top byte is ignored.
using PadColour = uint32_t;

// The tools of the tools bar, in the order of their buttons.
enum class Tool {
  kClear,
  kEraser,
  kFreehand,
  kLine,
  kBox,
  kCircle,
  kFlood,
  kSpray,
  kUndo,
  kFillType
};

// Mouse buttons as the pad sees them: 1 left, 2 right, 4 middle, 0 none.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// The 24 colours of the palette.
extern const std::array<PadColour, 24> kPalette;
// Pen widths of the four brushes.
inline constexpr std::array<int, 4> kBrushWidths = {1, 2, 4, 8};

// The artist's tools and the state every client keeps for the pad: the current tool, brush,
// colour and fill type, the previews shown while dragging, the two-step clear, and the replay
// of drawing codes received from the artist. Each action is drawn at once and handed to the
// sink as a drawing code. Standard C++, so that the desktop and the page run the same rules.
class PadTools {
 public:
  static constexpr int kClearConfirmMs = 2000;

  // What is drawn over the pad and not part of its picture.
  struct Previews {
    std::optional<std::pair<PadPoint, PadPoint>> line;
    std::optional<PadRect> box;
    std::optional<PadRect> oval;
    std::optional<PadPoint> eraser;  // centre of the eraser indicator
  };

  // The scheduler times the two-step clear. Codes drawn while no sink is set are not sent.
  PadTools(protocol::DrawSink* sink, scrawlbox::Scheduler& scheduler);
  void SetSink(protocol::DrawSink* sink) { sink_ = sink; }

  drawing::Raster& raster() { return raster_; }
  const drawing::Raster& raster() const { return raster_; }

  // --- The toolbars, the palette and the menus ---------------------------------------------
  void ClickTool(Tool tool);
  // The fill-type button as the menu flips it: pressed means solid.
  void ToggleFillType();
  void ClickBrush(int index);
  void PressSwatch(int index);
  void ChooseCustomColour(PadColour colour);
  // Back to black, freehand and the medium brush, as at every new round.
  void Reset();
  void HideClearMessage();

  // --- The pad's mouse events, in pad pixels --------------------------------------------------
  void Press(int button, PadPoint point);
  void Move(int buttons, PadPoint point);
  void Release(int button, PadPoint point);

  // --- Codes from the artist --------------------------------------------------------------------
  // `own`: the artist's own action as this pad drew it (its ellipses have whole radii).
  void Replay(const protocol::DrawCommand& command, bool own = false);

  // Everything that decides what the next actions draw: the picture, the undo buffer, the
  // drawing state and the count of spray bursts since the last undo point. Restoring it and
  // replaying the same actions draws the same pixels.
  struct State {
    drawing::Raster raster;
    Tool tool = Tool::kFreehand;
    int brush = 1;
    int swatch = 0;
    PadColour colour = 0;
    bool fill_solid = false;
    uint32_t sprays = 0;
  };
  State SaveState() const;
  void RestoreState(const State& state);

  // --- What the widgets show --------------------------------------------------------------------
  Tool tool() const { return tool_; }
  int brush() const { return brush_; }    // 0-3, or -1 when a received width released them all
  int swatch() const { return swatch_; }  // 0-23, or -1 for a custom colour
  PadColour colour() const { return colour_; }
  bool fill_solid() const { return fill_solid_; }
  bool clear_message_shown() const { return clear_timer_->IsActive(); }
  const Previews& previews() const { return previews_; }
  // The cursor the pad should use: the tool's own when tool cursors are on.
  Tool cursor_tool() const { return cursor_tool_; }

  // Called after anything the widgets show has changed.
  void AddOnChanged(std::function<void()> on_changed) {
    on_changed_.push_back(std::move(on_changed));
  }

  // The seed of a spray burst at (x, y). Drawing codes reach the pad without their sender, so
  // it follows from the burst's fields and the number of bursts since the last CU code. Every
  // stroke starts with CU, so every pad that replays a stroke, the artist's own included, draws
  // the same dots for it.
  uint64_t SpraySeed(double x, double y) const;

 private:
  void Send(protocol::DrawCode code, std::initializer_list<double> fields);
  // Takes an undo point and sends CU.
  void UndoPoint();
  void Spray(double x, double y);
  void SelectTool(Tool tool);
  void ApplyColour(PadColour colour);
  void SetFillSolid(bool solid);
  void SetWidth(int width);
  void Changed();

  drawing::Raster raster_;
  protocol::DrawSink* sink_;
  std::vector<std::function<void()>> on_changed_;
  Tool tool_ = Tool::kFreehand;
  Tool cursor_tool_ = Tool::kFreehand;
  int brush_ = 1;
  int swatch_ = 0;
  PadColour colour_ = 0;
  bool fill_solid_ = false;
  Previews previews_;
  PadPoint press_;
  PadPoint last_;
  // Runs while the clear message waits for the second press.
  std::unique_ptr<scrawlbox::Timer> clear_timer_;
  uint32_t sprays_ = 0;
};

}  // namespace client
