// SPDX-License-Identifier: MIT
#include "drawing/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace drawing {

namespace {

// Coordinates far outside the pad are brought near it first, so that no product below can
// overflow into infinities and no loop runs over more than the pad.
constexpr double kReach = 100000.0;

double Near(double value) {
  return std::clamp(value, -kReach, kReach);
}

// False for NaN, infinities and values so large that the difference of two overflows, which
// would make NaN of a clipped end or a radius. No client draws anywhere near such values.
bool Finite(double value) {
  return std::fabs(value) < 1e300;
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

// The pixel range [first, last] whose centres (index + offset) lie within [lo, hi], held to
// the pad's `size`. Empty when first > last.
std::pair<int, int> Span(double lo, double hi, double offset, int size) {
  const double first = std::max(std::ceil(lo - offset), 0.0);
  const double last = std::min(std::floor(hi - offset), size - 1.0);
  if (!(first <= last)) return {1, 0};
  return {static_cast<int>(first), static_cast<int>(last)};
}

// The offset from a pixel's index to the point a pen of this width treats as its centre.
double CentreOffset(int width) {
  return width % 2 == 1 ? 0.0 : 0.5;
}

// Whether (u, v) lies inside the ellipse of semi-axes a and b round the origin.
bool InEllipse(double u, double v, double a, double b) {
  return u * u * (b * b) + v * v * (a * a) <= (a * a) * (b * b);
}

int Round(double value) {
  return static_cast<int>(std::floor(value + 0.5));
}

}  // namespace

Raster::Raster()
    : pixels_(static_cast<std::size_t>(kWidth) * kHeight, kWhite),
      undo_(static_cast<std::size_t>(kWidth) * kHeight, kWhite) {}

Raster::Raster(const Raster& other) = default;

Raster& Raster::operator=(const Raster& other) {
  std::copy(other.pixels_.begin(), other.pixels_.end(), pixels_.begin());
  std::copy(other.undo_.begin(), other.undo_.end(), undo_.begin());
  pen_colour_ = other.pen_colour_;
  fill_colour_ = other.fill_colour_;
  pen_width_ = other.pen_width_;
  fill_mode_ = other.fill_mode_;
  return *this;
}

void Raster::SetPenWidth(double width) {
  if (!(width >= 1.0)) width = 1.0;
  pen_width_ = static_cast<int>(std::min(std::round(width), double{kMaxPenWidth}));
}

void Raster::Line(double x1, double y1, double x2, double y2) {
  if (pen_width_ == 1) {
    ThinLine(x1, y1, x2, y2, pen_colour_);
  } else {
    Capsule(x1, y1, x2, y2, pen_width_, pen_colour_);
  }
}

void Raster::ThinLine(double x1, double y1, double x2, double y2, uint32_t colour) {
  if (!Finite(x1) || !Finite(y1) || !Finite(x2) || !Finite(y2)) return;
  constexpr double kMargin = 3.0;
  if (!ClipSegment(x1, y1, x2, y2, -kMargin, -kMargin, kWidth + kMargin, kHeight + kMargin)) {
    return;
  }
  // One pixel per step along the longer axis, the nearest to where the segment crosses it.
  const bool steep = std::fabs(y2 - y1) > std::fabs(x2 - x1);
  if (steep) {
    std::swap(x1, y1);
    std::swap(x2, y2);
  }
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const int major_size = steep ? kHeight : kWidth;
  const int minor_size = steep ? kWidth : kHeight;
  const int first = std::max(Round(x1), 0);
  const int last = std::min(Round(x2), major_size - 1);
  for (int i = first; i <= last; ++i) {
    const double at = std::clamp(static_cast<double>(i), x1, x2);
    const double y = x2 > x1 ? y1 + (at - x1) * (y2 - y1) / (x2 - x1) : y1;
    const int j = Round(y);
    if (j < 0 || j >= minor_size) continue;
    if (steep) {
      Put(j, i, colour);
    } else {
      Put(i, j, colour);
    }
  }
}

void Raster::Capsule(double x1, double y1, double x2, double y2, int width, uint32_t colour) {
  if (!Finite(x1) || !Finite(y1) || !Finite(x2) || !Finite(y2)) return;
  const double margin = width + 2.0;
  if (!ClipSegment(x1, y1, x2, y2, -margin, -margin, kWidth + margin, kHeight + margin)) return;
  const double r = width / 2.0;
  const double o = CentreOffset(width);
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length2 = dx * dx + dy * dy;
  const auto [left, right] = Span(std::min(x1, x2) - r, std::max(x1, x2) + r, o, kWidth);
  const auto [top, bottom] = Span(std::min(y1, y2) - r, std::max(y1, y2) + r, o, kHeight);
  for (int j = top; j <= bottom; ++j) {
    const double py = j + o - y1;
    for (int i = left; i <= right; ++i) {
      const double px = i + o - x1;
      const double t = length2 > 0.0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
      const double qx = px - t * dx;
      const double qy = py - t * dy;
      if (qx * qx + qy * qy <= r * r) Put(i, j, colour);
    }
  }
}

void Raster::DrawEllipse(double cx, double cy, double rx, double ry, int width, uint32_t pen,
                         bool filled, uint32_t fill) {
  const double r = width / 2.0;
  const double o = CentreOffset(width);
  const double outer_x = rx + r;
  const double outer_y = ry + r;
  const double inner_x = rx - r;
  const double inner_y = ry - r;
  const bool hollow = inner_x > 0.0 && inner_y > 0.0;
  const auto [left, right] = Span(cx - outer_x, cx + outer_x, o, kWidth);
  const auto [top, bottom] = Span(cy - outer_y, cy + outer_y, o, kHeight);
  for (int j = top; j <= bottom; ++j) {
    const double v = j + o - cy;
    for (int i = left; i <= right; ++i) {
      const double u = i + o - cx;
      if (!InEllipse(u, v, outer_x, outer_y)) continue;
      // The outline is the band between the ellipse grown and shrunk by half the pen.
      const bool inside = hollow && u * u * (inner_y * inner_y) + v * v * (inner_x * inner_x) <
                                        (inner_x * inner_x) * (inner_y * inner_y);
      if (!inside) {
        Put(i, j, pen);
      } else if (filled) {
        Put(i, j, fill);
      }
    }
  }
}

void Raster::EraseDisc(double x, double y) {
  fill_colour_ = kWhite;
  if (std::fabs(x) < kReach && std::fabs(y) < kReach) {
    DrawEllipse(x, y, kEraserRadius, kEraserRadius, pen_width_, kWhite, true, kWhite);
  }
}

void Raster::EraseRing(double x, double y) {
  if (!(std::fabs(x) < kReach && std::fabs(y) < kReach)) return;
  DrawEllipse(x, y, kEraserRadius, kEraserRadius, pen_width_, kWhite,
              fill_mode_ == FillMode::kSolid, fill_colour_);
}

uint64_t Raster::SplitMix64(uint64_t& state) {
  state += 0x9E3779B97F4A7C15u;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

void Raster::SprayBurst(double x, double y, uint64_t seed) {
  const int width = pen_width_ >= 2 ? pen_width_ - 1 : 1;
  uint64_t state = seed;
  const auto offset = [&state] {
    return static_cast<double>(((SplitMix64(state) >> 32) * 20) >> 32) - 10.0;
  };
  for (int i = 0; i < kSprayDots; ++i) {
    const double px = x + offset();
    const double py = y + offset();
    if (!(px >= -width && py >= -width && px <= kWidth + width && py <= kHeight + width)) {
      continue;
    }
    if (width == 1) {
      ThinLine(px, py, px, py, pen_colour_);
    } else {
      Capsule(px, py, px, py, width, pen_colour_);
    }
  }
}

void Raster::Box(double left, double top, double right, double bottom) {
  if (!Finite(left) || !Finite(top) || !Finite(right) || !Finite(bottom)) return;
  const double margin = pen_width_ + 2.0;
  auto clamp_x = [margin](double v) { return std::clamp(v, -margin, kWidth + margin); };
  auto clamp_y = [margin](double v) { return std::clamp(v, -margin, kHeight + margin); };
  const double x0 = clamp_x(std::min(left, right));
  const double x1 = clamp_x(std::max(left, right));
  const double y0 = clamp_y(std::min(top, bottom));
  const double y1 = clamp_y(std::max(top, bottom));
  if (fill_mode_ == FillMode::kSolid) {
    // Both corners inclusive: the pixels whose centres lie in [x0, x1 + 1) x [y0, y1 + 1).
    const int first_x = static_cast<int>(std::max(std::ceil(x0 - 0.5), 0.0));
    const int end_x = static_cast<int>(std::min(std::ceil(x1 + 0.5), double{kWidth}));
    const int first_y = static_cast<int>(std::max(std::ceil(y0 - 0.5), 0.0));
    const int end_y = static_cast<int>(std::min(std::ceil(y1 + 0.5), double{kHeight}));
    for (int j = first_y; j < end_y; ++j) {
      for (int i = first_x; i < end_x; ++i) Put(i, j, fill_colour_);
    }
  }
  Line(x0, y0, x1, y0);
  Line(x1, y0, x1, y1);
  Line(x1, y1, x0, y1);
  Line(x0, y1, x0, y0);
}

void Raster::Ellipse(double x1, double y1, double x2, double y2, bool round_radius) {
  if (!Finite(x1) || !Finite(y1) || !Finite(x2) || !Finite(y2)) return;
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
  const double cx = Near(x1 / 2.0 + x2 / 2.0);
  const double cy = Near(y1 / 2.0 + y2 / 2.0);
  rx = std::min(rx, 2 * kReach);
  ry = std::min(ry, 2 * kReach);
  if (ry == 0.0 || rx == 0.0) {
    // A flat ellipse is its long axis.
    Line(cx - rx, cy - ry, cx + rx, cy + ry);
    return;
  }
  DrawEllipse(cx, cy, rx, ry, pen_width_, pen_colour_, fill_mode_ == FillMode::kSolid,
              fill_colour_);
}

void Raster::FloodFill(double x, double y) {
  fill_mode_ = FillMode::kSolid;
  fill_colour_ = pen_colour_;
  if (!(x >= 0 && y >= 0 && x < kWidth && y < kHeight)) return;
  const int sx = static_cast<int>(std::nearbyint(x));
  const int sy = static_cast<int>(std::nearbyint(y));
  if (sx >= kWidth || sy >= kHeight) return;
  const uint32_t target = pixel(sx, sy);
  const uint32_t replacement = fill_colour_;
  if (target == replacement) return;
  // Scanline fill: each run of the target colour is filled once, and the rows above and below it
  // are searched for further runs. The stack holds at most one entry per pixel.
  std::vector<std::pair<int, int>> stack;
  stack.emplace_back(sx, sy);
  auto row = [this](int y_pos) {
    return pixels_.data() + static_cast<std::size_t>(y_pos) * kWidth;
  };
  while (!stack.empty()) {
    const auto [px, py] = stack.back();
    stack.pop_back();
    uint32_t* line = row(py);
    if (line[px] != target) continue;
    int left = px;
    while (left > 0 && line[left - 1] == target) --left;
    int right = px;
    while (right + 1 < kWidth && line[right + 1] == target) ++right;
    for (int i = left; i <= right; ++i) line[i] = replacement;
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= kHeight) continue;
      const uint32_t* next = row(ny);
      for (int i = left; i <= right; ++i) {
        if (next[i] == target && (i == left || next[i - 1] != target)) stack.emplace_back(i, ny);
      }
    }
  }
}

void Raster::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), kWhite);
}

void Raster::Undo() {
  std::copy(undo_.begin(), undo_.end(), pixels_.begin());
}

void Raster::SetPicture(const uint32_t* pixels, int width, int height, int stride) {
  Clear();
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
  const int w = std::min(width, kWidth);
  const int h = std::min(height, kHeight);
  for (int j = 0; j < h; ++j) {
    const uint32_t* source =
        pixels + static_cast<std::size_t>(j) * static_cast<std::size_t>(stride);
    for (int i = 0; i < w; ++i) {
      // Laid over white: each channel c becomes (c * alpha + 255 * (255 - alpha)) / 255.
      const uint32_t s = source[i];
      const uint32_t alpha = s >> 24;
      uint32_t out = 0xFF000000u;
      for (int shift : {16, 8, 0}) {
        const uint32_t c = (s >> shift) & 255u;
        out |= ((c * alpha + 255u * (255u - alpha) + 127u) / 255u) << shift;
      }
      Put(i, j, out);
    }
  }
}

uint64_t PixelHash(const Raster& raster) {
  uint64_t hash = 0xCBF29CE484222325u;
  for (int i = 0; i < Raster::kWidth * Raster::kHeight; ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash = (hash ^ ((raster.pixels()[i] >> shift) & 255u)) * 0x100000001B3u;
    }
  }
  return hash;
}

}  // namespace drawing
