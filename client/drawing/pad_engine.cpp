// SPDX-License-Identifier: MIT
#include "client/drawing/pad_engine.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace client {

namespace {

// Coordinates far outside the pad are brought near it before they reach the painter, whose
// fixed-point arithmetic would overflow on them. Values within this reach are drawn exactly.
constexpr double kReach = 100000.0;

double Near(double value) {
  return std::clamp(value, -kReach, kReach);
}

// Clips the segment to the rectangle [lo, hi] on both axes (Liang-Barsky), keeping its slope.
// False when nothing of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double lo_x, double lo_y,
                 double hi_x, double hi_y) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lo_x, hi_x - x1, y1 - lo_y, hi_y - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ox = x1;
  const double oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

QPen RoundPen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

PadEngine::PadEngine()
    : picture_(kWidth, kHeight, QImage::Format_RGB32),
      undo_(kWidth, kHeight, QImage::Format_RGB32) {
  picture_.fill(Qt::white);
  undo_.fill(Qt::white);
}

void PadEngine::SetPenWidth(double width) {
  pen_width_ = static_cast<int>(std::clamp(std::round(width), 1.0, double{kMaxPenWidth}));
}

void PadEngine::Line(double x1, double y1, double x2, double y2) {
  const double margin = pen_width_ + 2.0;
  if (!ClipSegment(x1, y1, x2, y2, -margin, -margin, kWidth + margin, kHeight + margin)) return;
  QPainter p(&picture_);
  p.setPen(RoundPen(pen_colour_, pen_width_));
  if (x1 == x2 && y1 == y2) {
    // A segment of no length is a dot of the pen's width: a click leaves a mark.
    p.drawPoint(QPointF(x1, y1));
  } else {
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }
}

void PadEngine::EraseDisc(double x, double y) {
  fill_colour_ = Qt::white;
  if (std::fabs(x) < kReach && std::fabs(y) < kReach) {
    QPainter p(&picture_);
    p.setPen(RoundPen(Qt::white, pen_width_));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x, y), kEraserRadius, kEraserRadius);
  }
}

void PadEngine::EraseRing(double x, double y) {
  if (std::fabs(x) >= kReach || std::fabs(y) >= kReach) return;
  QPainter p(&picture_);
  p.setPen(RoundPen(Qt::white, pen_width_));
  if (fill_mode_ == FillMode::kSolid) {
    p.setBrush(fill_colour_);
  } else {
    p.setBrush(Qt::NoBrush);
  }
  p.drawEllipse(QPointF(x, y), kEraserRadius, kEraserRadius);
}

void PadEngine::SprayBurst(double x, double y, const std::function<double()>& next_random) {
  const int width = pen_width_ >= 2 ? pen_width_ - 1 : 1;
  QPainter p(&picture_);
  p.setPen(RoundPen(pen_colour_, width));
  for (int i = 0; i < kSprayDots; ++i) {
    // Both numbers are drawn for every dot, so the sequence stays in step off the pad too.
    const double dx = std::floor(next_random() * 20.0) - 10.0;
    const double dy = std::floor(next_random() * 20.0) - 10.0;
    const double px = x + dx;
    const double py = y + dy;
    if (px < -width || py < -width || px > kWidth + width || py > kHeight + width) continue;
    p.drawPoint(QPointF(px, py));
  }
}

void PadEngine::Box(double left, double top, double right, double bottom) {
  const double margin = pen_width_ + 2.0;
  auto clamp_x = [margin](double v) { return std::clamp(v, -margin, kWidth + margin); };
  auto clamp_y = [margin](double v) { return std::clamp(v, -margin, kHeight + margin); };
  const double x0 = clamp_x(std::min(left, right));
  const double x1 = clamp_x(std::max(left, right));
  const double y0 = clamp_y(std::min(top, bottom));
  const double y1 = clamp_y(std::max(top, bottom));
  QPainter p(&picture_);
  if (fill_mode_ == FillMode::kSolid) {
    p.fillRect(QRectF(x0, y0, x1 - x0 + 1, y1 - y0 + 1), fill_colour_);
  }
  p.setPen(RoundPen(pen_colour_, pen_width_));
  p.setBrush(Qt::NoBrush);
  if (pen_width_ == 1) {
    // A one-pixel outline covers both corner pixels.
    p.drawRect(QRectF(x0, y0, x1 - x0, y1 - y0));
  } else {
    QPainterPath outline;
    outline.addRect(QRectF(x0, y0, x1 - x0, y1 - y0));
    p.drawPath(outline);
  }
}

void PadEngine::Ellipse(double x1, double y1, double x2, double y2, bool round_radius) {
  if (x1 == x2) return;
  const double dx = std::fabs(x2 - x1);
  const double dy = std::fabs(y2 - y1);
  double rx = dx / 2.0;
  double ry = dy / 2.0;
  if (round_radius) {
    // The larger semi-axis is the drawing's radius; the aspect gives the other.
    const double aspect = dy / dx;
    if (aspect <= 1.0) {
      rx = std::nearbyint(rx);
      ry = rx * aspect;
    } else {
      ry = std::nearbyint(ry);
      rx = ry / aspect;
    }
  }
  const double cx = Near((x1 + x2) / 2.0);
  const double cy = Near((y1 + y2) / 2.0);
  rx = std::min(rx, 2 * kReach);
  ry = std::min(ry, 2 * kReach);
  QPainter p(&picture_);
  p.setPen(RoundPen(pen_colour_, pen_width_));
  if (fill_mode_ == FillMode::kSolid) {
    p.setBrush(fill_colour_);
  } else {
    p.setBrush(Qt::NoBrush);
  }
  if (ry == 0.0) {
    // A flat ellipse is its long axis.
    p.drawLine(QPointF(cx - rx, cy), QPointF(cx + rx, cy));
    return;
  }
  p.drawEllipse(QPointF(cx, cy), rx, ry);
}

void PadEngine::FloodFill(double x, double y) {
  fill_mode_ = FillMode::kSolid;
  fill_colour_ = pen_colour_;
  if (!(x >= 0 && y >= 0 && x < kWidth && y < kHeight)) return;
  const int sx = static_cast<int>(std::nearbyint(x));
  const int sy = static_cast<int>(std::nearbyint(y));
  if (sx >= kWidth || sy >= kHeight) return;
  const QRgb target = picture_.pixel(sx, sy);
  const QRgb replacement = fill_colour_.rgb() | 0xFF000000u;
  if (target == replacement) return;
  // Scanline fill: each run of the target colour is filled once, and the rows above and below it
  // are searched for further runs.
  std::vector<std::pair<int, int>> stack;
  stack.emplace_back(sx, sy);
  auto row = [this](int y_pos) { return reinterpret_cast<QRgb*>(picture_.scanLine(y_pos)); };
  while (!stack.empty()) {
    const auto [px, py] = stack.back();
    stack.pop_back();
    QRgb* line = row(py);
    if (line[px] != target) continue;
    int left = px;
    while (left > 0 && line[left - 1] == target) --left;
    int right = px;
    while (right + 1 < kWidth && line[right + 1] == target) ++right;
    for (int i = left; i <= right; ++i) line[i] = replacement;
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= kHeight) continue;
      const QRgb* next = row(ny);
      for (int i = left; i <= right; ++i) {
        if (next[i] == target && (i == left || next[i - 1] != target)) stack.emplace_back(i, ny);
      }
    }
  }
}

void PadEngine::Clear() {
  picture_.fill(Qt::white);
}

void PadEngine::SetPicture(const QImage& image) {
  picture_.fill(Qt::white);
  if (image.isNull()) return;
  QPainter p(&picture_);
  if (image.width() > kWidth || image.height() > kHeight) {
    p.drawImage(QRect(0, 0, kWidth, kHeight), image);
  } else {
    p.drawImage(QPoint(0, 0), image);
  }
}

}  // namespace client
