// SPDX-License-Identifier: MIT
#include "client/drawing/pad_tools.h"

#include <algorithm>
#include <cmath>

namespace client {

using protocol::DrawCode;

const std::array<QColor, 24> kPalette = {
    QColor(0, 0, 0),       QColor(128, 128, 128), QColor(255, 255, 255), QColor(80, 0, 16),
    QColor(143, 64, 47),   QColor(191, 128, 79),  QColor(128, 0, 64),    QColor(224, 181, 148),
    QColor(240, 208, 192), QColor(130, 0, 70),    QColor(255, 0, 140),   QColor(255, 130, 200),
    QColor(255, 0, 0),     QColor(255, 150, 150), QColor(255, 200, 200), QColor(255, 140, 30),
    QColor(255, 200, 0),   QColor(255, 255, 0),   QColor(31, 122, 48),   QColor(0, 180, 0),
    QColor(0, 248, 0),     QColor(0, 0, 255),     QColor(61, 134, 255),  QColor(127, 192, 240),
};

namespace {

QPointF Rounded(QPointF p) {
  return QPointF(std::nearbyint(p.x()), std::nearbyint(p.y()));
}

int Component(double value) {
  return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

}  // namespace

PadTools::PadTools(protocol::DrawSink* sink, scrawlbox::Scheduler& scheduler)
    : sink_(sink), clear_timer_(scheduler.CreateTimer([this] { HideClearMessage(); })) {
  engine_.SetPenWidth(kBrushWidths[static_cast<size_t>(brush_)]);
}

uint64_t PadTools::SpraySeed(double x, double y) const {
  const auto whole = [](double v) {
    if (!(v == v)) return uint32_t{0};
    return static_cast<uint32_t>(static_cast<int64_t>(std::nearbyint(std::clamp(v, -1e9, 1e9))));
  };
  return (uint64_t{whole(x)} << 32 | whole(y)) ^ (uint64_t{sprays_} * 0xD1B54A32D192ED03u);
}

void PadTools::Spray(double x, double y) {
  engine_.SprayBurst(x, y, SpraySeed(x, y));
  ++sprays_;
}

void PadTools::UndoPoint() {
  engine_.CreateUndoBuffer();
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
        engine_.CreateUndoBuffer();
        engine_.Clear();
        Send(DrawCode::CL, {});
      }
      break;
    case Tool::kUndo:
      engine_.Undo();
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
    previews_.eraser = QPointF(-400, -400);
  } else {
    previews_.eraser.reset();
    engine_.SetFillColour(colour_);
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
  engine_.SetFillMode(solid ? PadEngine::FillMode::kSolid : PadEngine::FillMode::kTransparent);
}

void PadTools::SetWidth(int width) {
  engine_.SetPenWidth(width);
}

void PadTools::ClickBrush(int index) {
  if (index < 0 || index >= static_cast<int>(kBrushWidths.size())) return;
  brush_ = index;
  SetWidth(kBrushWidths[static_cast<size_t>(index)]);
  Send(DrawCode::DW, {static_cast<double>(index + 1),
                      static_cast<double>(kBrushWidths[static_cast<size_t>(index)])});
  Changed();
}

void PadTools::ApplyColour(QColor colour) {
  colour_ = colour;
  engine_.SetPenColour(colour);
  engine_.SetFillColour(colour);
}

void PadTools::PressSwatch(int index) {
  if (index < 0 || index >= static_cast<int>(kPalette.size())) return;
  swatch_ = index;
  ApplyColour(kPalette[static_cast<size_t>(index)]);
  Send(DrawCode::PA, {static_cast<double>(index)});
  Changed();
}

void PadTools::ChooseCustomColour(QColor colour) {
  swatch_ = -1;
  ApplyColour(colour);
  Send(DrawCode::CC, {static_cast<double>(colour.red()), static_cast<double>(colour.green()),
                      static_cast<double>(colour.blue())});
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

void PadTools::Press(int button, QPointF p) {
  if (button == kRightButton && tool_ != Tool::kEraser) {
    // Quick erase: any tool, no undo point.
    previews_.eraser = p;
    engine_.EraseDisc(p.x(), p.y());
    Send(DrawCode::ER, {p.x(), p.y()});
  } else if (button == kMiddleButton) {
    previews_.line = QLineF(p, p);
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
        previews_.line = QLineF(p, p);
        break;
      case Tool::kBox:
        press_ = Rounded(p);
        previews_.box = QRectF(press_, QSizeF(0, 0));
        break;
      case Tool::kCircle:
        press_ = Rounded(p);
        previews_.oval = QRectF(press_, QSizeF(0, 0));
        break;
      default:
        break;
    }
  }
  Changed();
}

void PadTools::Move(int buttons, QPointF p) {
  if (buttons == kMiddleButton) {
    if (previews_.line) previews_.line->setP2(p);
    Changed();
    return;
  }
  if (tool_ == Tool::kEraser || buttons == kRightButton) {
    if (previews_.eraser || tool_ == Tool::kEraser) previews_.eraser = p;
  }
  if (buttons == kRightButton && tool_ != Tool::kEraser) {
    engine_.EraseDisc(p.x(), p.y());
    Send(DrawCode::ER, {p.x(), p.y()});
  }
  if (buttons == kLeftButton) {
    switch (tool_) {
      case Tool::kFreehand:
        engine_.Line(last_.x(), last_.y(), p.x(), p.y());
        Send(DrawCode::FH, {last_.x(), last_.y(), p.x(), p.y()});
        break;
      case Tool::kEraser:
        engine_.EraseDisc(p.x(), p.y());
        Send(DrawCode::ER, {p.x(), p.y()});
        break;
      case Tool::kLine:
        if (previews_.line) previews_.line->setP2(p);
        break;
      case Tool::kBox:
      case Tool::kCircle: {
        const QRectF rect(std::min(p.x(), press_.x()), std::min(p.y(), press_.y()),
                          std::fabs(p.x() - press_.x()), std::fabs(p.y() - press_.y()));
        (tool_ == Tool::kBox ? previews_.box : previews_.oval) = rect;
        break;
      }
      case Tool::kSpray:
        Spray(p.x(), p.y());
        Send(DrawCode::SP, {p.x(), p.y()});
        break;
      default:
        break;
    }
  }
  last_ = Rounded(p);
  Changed();
}

void PadTools::Release(int button, QPointF p) {
  if (button == kRightButton && tool_ != Tool::kEraser) {
    engine_.EraseRing(p.x(), p.y());  // not sent: it lies within the last erased disc
    engine_.SetFillColour(colour_);
    previews_.eraser.reset();
  } else if (button == kMiddleButton || (button == kLeftButton && tool_ == Tool::kLine)) {
    if (previews_.line) {
      const QLineF line = *previews_.line;
      UndoPoint();
      engine_.Line(line.x1(), line.y1(), line.x2(), line.y2());
      Send(DrawCode::LI, {line.x1(), line.y1(), line.x2(), line.y2()});
      previews_.line.reset();
    }
  } else if (button == kLeftButton && tool_ == Tool::kBox && previews_.box) {
    const QRectF box = *previews_.box;
    UndoPoint();
    const double left = std::nearbyint(box.left());
    const double top = std::nearbyint(box.top());
    const double right = std::nearbyint(box.left() + box.width() - 1);
    const double bottom = std::nearbyint(box.top() + box.height() - 1);
    engine_.Box(left, top, right, bottom);
    previews_.box.reset();
    Send(DrawCode::BO, {left, top, right, bottom});
  } else if (button == kLeftButton && tool_ == Tool::kCircle && previews_.oval) {
    UndoPoint();
    engine_.Ellipse(press_.x(), press_.y(), p.x(), p.y(), true);
    previews_.oval.reset();
    Send(DrawCode::CI, {press_.x(), press_.y(), p.x(), p.y()});
  } else if (button == kLeftButton && tool_ == Tool::kFlood) {
    UndoPoint();
    const QPointF at = Rounded(p);
    engine_.FloodFill(at.x(), at.y());
    SetFillSolid(fill_solid_);  // the fill mode follows the button again
    Send(DrawCode::FL, {p.x(), p.y()});
  }
  Changed();
}

// --- Replay
// ---------------------------------------------------------------------------------------

PadTools::State PadTools::SaveState() const {
  return State{engine_, tool_, brush_, swatch_, colour_, fill_solid_, sprays_};
}

void PadTools::RestoreState(const State& state) {
  engine_ = state.engine;
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
      engine_.CreateUndoBuffer();
      sprays_ = 0;
      break;
    case DrawCode::FH:
    case DrawCode::LI:
      engine_.Line(f[0], f[1], f[2], f[3]);
      break;
    case DrawCode::ER:
      engine_.EraseDisc(f[0], f[1]);
      engine_.SetFillColour(colour_);
      break;
    case DrawCode::SP:
      Spray(f[0], f[1]);
      break;
    case DrawCode::CI:
      engine_.CreateUndoBuffer();
      engine_.Ellipse(f[0], f[1], f[2], f[3], own);
      break;
    case DrawCode::BO:
      engine_.Box(f[0], f[1], f[2], f[3]);
      break;
    case DrawCode::FL: {
      const PadEngine::FillMode kept = engine_.fill_mode();
      engine_.FloodFill(std::nearbyint(f[0]), std::nearbyint(f[1]));
      engine_.SetFillMode(kept);
      break;
    }
    case DrawCode::UN:
      engine_.Undo();
      break;
    case DrawCode::CL:
      engine_.CreateUndoBuffer();
      engine_.Clear();
      break;
    case DrawCode::FT:
      SetFillSolid(f[0] != 1);
      break;
    case DrawCode::DW:
      brush_ = -1;
      engine_.SetPenWidth(f[1]);
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
      ApplyColour(QColor(Component(f[0]), Component(f[1]), Component(f[2])));
      break;
  }
  Changed();
}

}  // namespace client
