// SPDX-License-Identifier: MIT
#include "client/pad/pad_tools.h"

#include <algorithm>
#include <cmath>

namespace client {

using protocol::DrawCode;

const std::array<PadColour, 24> kPalette = {
    0x000000, 0x808080, 0xFFFFFF, 0x500010, 0x8F402F, 0xBF804F, 0x800040, 0xE0B594,
    0xF0D0C0, 0x820046, 0xFF008C, 0xFF82C8, 0xFF0000, 0xFF9696, 0xFFC8C8, 0xFF8C1E,
    0xFFC800, 0xFFFF00, 0x1F7A30, 0x00B400, 0x00F800, 0x0000FF, 0x3D86FF, 0x7FC0F0,
};

namespace {

PadPoint Rounded(PadPoint p) {
  return {std::nearbyint(p.x), std::nearbyint(p.y)};
}

int Component(double value) {
  return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

}  // namespace

PadTools::PadTools(protocol::DrawSink* sink, scrawlbox::Scheduler& scheduler)
    : sink_(sink), clear_timer_(scheduler.CreateTimer([this] { HideClearMessage(); })) {
  raster_.SetPenWidth(kBrushWidths[static_cast<size_t>(brush_)]);
}

uint64_t PadTools::SpraySeed(double x, double y) const {
  const auto whole = [](double v) {
    if (!(v == v)) return uint32_t{0};
    return static_cast<uint32_t>(static_cast<int64_t>(std::nearbyint(std::clamp(v, -1e9, 1e9))));
  };
  return (uint64_t{whole(x)} << 32 | whole(y)) ^ (uint64_t{sprays_} * 0xD1B54A32D192ED03u);
}

void PadTools::Spray(double x, double y) {
  raster_.SprayBurst(x, y, SpraySeed(x, y));
  ++sprays_;
}

void PadTools::UndoPoint() {
  raster_.CreateUndoBuffer();
  sprays_ = 0;
  Send(DrawCode::CU, {});
}

void PadTools::Send(DrawCode code, std::initializer_list<double> fields) {
  protocol::DrawCommand command;
  command.code = code;
  size_t i = 0;
  for (double field : fields) command.fields[i++] = field;
  if (sink_) sink_->SendDrawCommand(protocol::DrawCodeWord(code), protocol::BuildDrawData(command));
}

void PadTools::Changed() {
  for (const auto& listener : on_changed_) listener();
}

// --- Toolbars, palette, menus -------------------------------------------------------------------

void PadTools::ClickTool(Tool tool) {
  switch (tool) {
    case Tool::kClear:
      if (!clear_timer_->IsActive()) {
        // The first press only asks for a second one.
        clear_timer_->Start(kClearConfirmMs);
      } else {
        clear_timer_->Stop();
        raster_.CreateUndoBuffer();
        raster_.Clear();
        Send(DrawCode::CL, {});
      }
      break;
    case Tool::kUndo:
      raster_.Undo();
      Send(DrawCode::UN, {});
      break;
    case Tool::kFillType:
      ToggleFillType();
      return;
    default:
      SelectTool(tool);
      break;
  }
  Changed();
}

void PadTools::SelectTool(Tool tool) {
  cursor_tool_ = tool;
  if (tool == Tool::kEraser) {
    previews_.eraser = PadPoint{-400, -400};
  } else {
    previews_.eraser.reset();
    raster_.SetFillColour(colour_);
  }
  if (tool != Tool::kFillType) tool_ = tool;
}

void PadTools::ToggleFillType() {
  SelectTool(Tool::kFillType);
  SetFillSolid(!fill_solid_);
  Send(DrawCode::FT, {fill_solid_ ? 0.0 : 1.0});
  Changed();
}

void PadTools::SetFillSolid(bool solid) {
  fill_solid_ = solid;
  raster_.SetFillMode(solid ? drawing::Raster::FillMode::kSolid
                            : drawing::Raster::FillMode::kTransparent);
}

void PadTools::SetWidth(int width) {
  raster_.SetPenWidth(width);
}

void PadTools::ClickBrush(int index) {
  if (index < 0 || index >= static_cast<int>(kBrushWidths.size())) return;
  brush_ = index;
  SetWidth(kBrushWidths[static_cast<size_t>(index)]);
  Send(DrawCode::DW, {static_cast<double>(index + 1),
                      static_cast<double>(kBrushWidths[static_cast<size_t>(index)])});
  Changed();
}

void PadTools::ApplyColour(PadColour colour) {
  colour_ = colour & 0xFFFFFFu;
  raster_.SetPenColour(colour_);
  raster_.SetFillColour(colour_);
}

void PadTools::PressSwatch(int index) {
  if (index < 0 || index >= static_cast<int>(kPalette.size())) return;
  swatch_ = index;
  ApplyColour(kPalette[static_cast<size_t>(index)]);
  Send(DrawCode::PA, {static_cast<double>(index)});
  Changed();
}

void PadTools::ChooseCustomColour(PadColour colour) {
  swatch_ = -1;
  ApplyColour(colour);
  Send(DrawCode::CC, {static_cast<double>(colour_ >> 16), static_cast<double>(colour_ >> 8 & 255),
                      static_cast<double>(colour_ & 255)});
  Changed();
}

void PadTools::Reset() {
  PressSwatch(0);
  tool_ = Tool::kFreehand;
  brush_ = 1;
  SetWidth(kBrushWidths[1]);
  Changed();
}

void PadTools::HideClearMessage() {
  clear_timer_->Stop();
  Changed();
}

// --- Mouse --------------------------------------------------------------------------------------

void PadTools::Press(int button, PadPoint p) {
  if (button == kRightButton && tool_ != Tool::kEraser) {
    // Quick erase: any tool, no undo point.
    previews_.eraser = p;
    raster_.EraseDisc(p.x, p.y);
    Send(DrawCode::ER, {p.x, p.y});
  } else if (button == kMiddleButton) {
    previews_.line = std::pair(p, p);
  } else if (button == kLeftButton) {
    switch (tool_) {
      case Tool::kFreehand:
      case Tool::kSpray:
      case Tool::kEraser:
        UndoPoint();
        // The stroke starts where the button went down, also when no hover came before it
        // (a pen or a touch screen): otherwise it would join the end of the last stroke.
        last_ = Rounded(p);
        Move(kLeftButton, p);
        return;
      case Tool::kLine:
        previews_.line = std::pair(p, p);
        break;
      case Tool::kBox:
        press_ = Rounded(p);
        previews_.box = PadRect{press_.x, press_.y, 0, 0};
        break;
      case Tool::kCircle:
        press_ = Rounded(p);
        previews_.oval = PadRect{press_.x, press_.y, 0, 0};
        break;
      default:
        break;
    }
  }
  Changed();
}

void PadTools::Move(int buttons, PadPoint p) {
  if (buttons == kMiddleButton) {
    if (previews_.line) previews_.line->second = p;
    Changed();
    return;
  }
  if (tool_ == Tool::kEraser || buttons == kRightButton) {
    if (previews_.eraser || tool_ == Tool::kEraser) previews_.eraser = p;
  }
  if (buttons == kRightButton && tool_ != Tool::kEraser) {
    raster_.EraseDisc(p.x, p.y);
    Send(DrawCode::ER, {p.x, p.y});
  }
  if (buttons == kLeftButton) {
    switch (tool_) {
      case Tool::kFreehand:
        raster_.Line(last_.x, last_.y, p.x, p.y);
        Send(DrawCode::FH, {last_.x, last_.y, p.x, p.y});
        break;
      case Tool::kEraser:
        raster_.EraseDisc(p.x, p.y);
        Send(DrawCode::ER, {p.x, p.y});
        break;
      case Tool::kLine:
        if (previews_.line) previews_.line->second = p;
        break;
      case Tool::kBox:
      case Tool::kCircle: {
        const PadRect rect{std::min(p.x, press_.x), std::min(p.y, press_.y),
                           std::fabs(p.x - press_.x), std::fabs(p.y - press_.y)};
        (tool_ == Tool::kBox ? previews_.box : previews_.oval) = rect;
        break;
      }
      case Tool::kSpray:
        Spray(p.x, p.y);
        Send(DrawCode::SP, {p.x, p.y});
        break;
      default:
        break;
    }
  }
  last_ = Rounded(p);
  Changed();
}

void PadTools::Release(int button, PadPoint p) {
  if (button == kRightButton && tool_ != Tool::kEraser) {
    raster_.EraseRing(p.x, p.y);  // not sent: it lies within the last erased disc
    raster_.SetFillColour(colour_);
    previews_.eraser.reset();
  } else if (button == kMiddleButton || (button == kLeftButton && tool_ == Tool::kLine)) {
    if (previews_.line) {
      const auto [from, to] = *previews_.line;
      UndoPoint();
      raster_.Line(from.x, from.y, to.x, to.y);
      Send(DrawCode::LI, {from.x, from.y, to.x, to.y});
      previews_.line.reset();
    }
  } else if (button == kLeftButton && tool_ == Tool::kBox && previews_.box) {
    const PadRect box = *previews_.box;
    UndoPoint();
    const double left = std::nearbyint(box.x);
    const double top = std::nearbyint(box.y);
    const double right = std::nearbyint(box.x + box.width - 1);
    const double bottom = std::nearbyint(box.y + box.height - 1);
    raster_.Box(left, top, right, bottom);
    previews_.box.reset();
    Send(DrawCode::BO, {left, top, right, bottom});
  } else if (button == kLeftButton && tool_ == Tool::kCircle && previews_.oval) {
    UndoPoint();
    raster_.Ellipse(press_.x, press_.y, p.x, p.y, true);
    previews_.oval.reset();
    Send(DrawCode::CI, {press_.x, press_.y, p.x, p.y});
  } else if (button == kLeftButton && tool_ == Tool::kFlood) {
    UndoPoint();
    const PadPoint at = Rounded(p);
    raster_.FloodFill(at.x, at.y);
    SetFillSolid(fill_solid_);  // the fill mode follows the button again
    Send(DrawCode::FL, {p.x, p.y});
  }
  Changed();
}

// --- Replay -------------------------------------------------------------------------------------

PadTools::State PadTools::SaveState() const {
  return State{raster_, tool_, brush_, swatch_, colour_, fill_solid_, sprays_};
}

void PadTools::RestoreState(const State& state) {
  raster_ = state.raster;
  tool_ = cursor_tool_ = state.tool;
  brush_ = state.brush;
  swatch_ = state.swatch;
  colour_ = state.colour;
  fill_solid_ = state.fill_solid;
  sprays_ = state.sprays;
  previews_ = Previews{};
  clear_timer_->Stop();
  Changed();
}

void PadTools::Replay(const protocol::DrawCommand& c, bool own) {
  const auto& f = c.fields;
  switch (c.code) {
    case DrawCode::CU:
      raster_.CreateUndoBuffer();
      sprays_ = 0;
      break;
    case DrawCode::FH:
    case DrawCode::LI:
      raster_.Line(f[0], f[1], f[2], f[3]);
      break;
    case DrawCode::ER:
      raster_.EraseDisc(f[0], f[1]);
      raster_.SetFillColour(colour_);
      break;
    case DrawCode::SP:
      Spray(f[0], f[1]);
      break;
    case DrawCode::CI:
      raster_.CreateUndoBuffer();
      raster_.Ellipse(f[0], f[1], f[2], f[3], own);
      break;
    case DrawCode::BO:
      raster_.Box(f[0], f[1], f[2], f[3]);
      break;
    case DrawCode::FL: {
      const drawing::Raster::FillMode kept = raster_.fill_mode();
      raster_.FloodFill(std::nearbyint(f[0]), std::nearbyint(f[1]));
      raster_.SetFillMode(kept);
      break;
    }
    case DrawCode::UN:
      raster_.Undo();
      break;
    case DrawCode::CL:
      raster_.CreateUndoBuffer();
      raster_.Clear();
      break;
    case DrawCode::FT:
      SetFillSolid(f[0] != 1);
      break;
    case DrawCode::DW:
      brush_ = -1;
      raster_.SetPenWidth(f[1]);
      break;
    case DrawCode::PA: {
      const double index = std::nearbyint(f[0]);
      if (index >= 0 && index < static_cast<double>(kPalette.size())) {
        swatch_ = static_cast<int>(index);
        ApplyColour(kPalette[static_cast<size_t>(index)]);
      }
      break;
    }
    case DrawCode::CC:
      swatch_ = -1;
      ApplyColour(
          static_cast<PadColour>(Component(f[0]) << 16 | Component(f[1]) << 8 | Component(f[2])));
      break;
  }
  Changed();
}

}  // namespace client
