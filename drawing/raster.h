// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace drawing {

// The drawing pad's picture and drawing state with every operation the pad's tools and the
// replay of received codes use. Standard C++ alone, and the same bytes on every machine and in
// WebAssembly for the same calls: only IEEE basic operations, sqrt and exact roundings, no
// uninitialised memory, no order that depends on a hash.
//
// Pixels are 0xFFRRGGBB in rows of kWidth, the top row first (QImage's RGB32 layout). Pixel
// (i, j) covers [i, i + 1) x [j, j + 1) and its centre is (i + 0.5, j + 0.5). A pen of odd
// width is centred on the pixel its whole coordinates name, so that a 1-pixel line at y = 10
// is row 10; a pen of even width is centred on the pixel corner.
class Raster {
 public:
  static constexpr int kWidth = 511;
  static constexpr int kHeight = 322;
  static constexpr int kEraserRadius = 10;
  static constexpr int kSprayDots = 40;
  // Pen widths beyond this are drawn at this width: wider strokes show nothing more on the pad.
  static constexpr int kMaxPenWidth = 100;
  static constexpr uint32_t kWhite = 0xFFFFFFFFu;
  static constexpr uint32_t kBlack = 0xFF000000u;

  enum class FillMode { kSolid, kTransparent };

  Raster();
  Raster(const Raster& other);
  // Copies into this raster's own buffers, which keep their address.
  Raster& operator=(const Raster& other);

  const uint32_t* pixels() const { return pixels_.data(); }
  // The address never changes for the raster's lifetime: undo and SetPicture copy into it.
  uint32_t* pixels() { return pixels_.data(); }
  uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * kWidth + x]; }

  // Drawing state. Colours are 0xRRGGBB; the top byte is ignored.
  uint32_t pen_colour() const { return pen_colour_; }
  uint32_t fill_colour() const { return fill_colour_; }
  int pen_width() const { return pen_width_; }
  FillMode fill_mode() const { return fill_mode_; }
  void SetPenColour(uint32_t colour) { pen_colour_ = colour | 0xFF000000u; }
  void SetFillColour(uint32_t colour) { fill_colour_ = colour | 0xFF000000u; }
  // Rounded half away from zero and held within 1 and kMaxPenWidth.
  void SetPenWidth(double width);
  void SetFillMode(FillMode mode) { fill_mode_ = mode; }

  // Operations. Coordinates are pad pixels and may lie far outside the pad.
  // A capsule: the pixels whose centres lie within half the pen width of the segment; at width
  // 1 the one pixel per column (or row, for steep lines) that the segment crosses.
  void Line(double x1, double y1, double x2, double y2);
  // A white disc of radius 10 plus half the pen; the fill colour is white afterwards.
  void EraseDisc(double x, double y);
  // The ring a quick erase leaves where the button is released: outlined in white at the pen
  // width, filled with the fill colour when the fill mode is solid.
  void EraseRing(double x, double y);
  // kSprayDots dots at offsets -10 to 9 from (x, y), drawn one pixel thinner than the pen, at
  // offsets that follow from the seed alone (see SprayOffset).
  void SprayBurst(double x, double y, uint64_t seed);
  // A rectangle with both corners inclusive, outlined at the pen width; filled when solid.
  void Box(double left, double top, double right, double bottom);
  // The ellipse inscribed in the rectangle of two corners; nothing when x1 equals x2. With
  // round_radius (the drawing client's own copy) the larger semi-axis is rounded to a whole
  // pixel, half to even, and the other follows from the aspect.
  void Ellipse(double x1, double y1, double x2, double y2, bool round_radius);
  // Replaces the area of exactly the colour at (x, y) (rounded), connected to it through its
  // four neighbours, with the pen colour, which becomes the fill colour; the fill mode becomes
  // solid. Nothing is filled outside the pad.
  void FloodFill(double x, double y);
  void Clear();
  void CreateUndoBuffer() { undo_ = pixels_; }
  void Undo();
  // A picture from outside, 0xAARRGGBB (not premultiplied), `stride` pixels a row: laid over a
  // white pad from the top-left, cut at the pad's size.
  void SetPicture(const uint32_t* pixels, int width, int height, int stride);

  // The spray's generator: splitmix64, whose state advances by a fixed odd constant and whose
  // output is two xor-shift-multiply rounds of it. Dot i takes outputs 2i and 2i+1 for its x and
  // y offsets, each (output >> 32) * 20 >> 32, minus 10.
  static uint64_t SplitMix64(uint64_t& state);

 private:
  void Capsule(double x1, double y1, double x2, double y2, int width, uint32_t colour);
  void ThinLine(double x1, double y1, double x2, double y2, uint32_t colour);
  // The ellipse of centre and semi-axes in pad coordinates, its centre line stroked at `width`
  // in `pen` over its inside filled with `fill` when `filled`.
  void DrawEllipse(double cx, double cy, double rx, double ry, int width, uint32_t pen, bool filled,
                   uint32_t fill);
  void Put(int x, int y, uint32_t colour) {
    pixels_[static_cast<std::size_t>(y) * kWidth + x] = colour;
  }

  std::vector<uint32_t> pixels_;
  std::vector<uint32_t> undo_;
  uint32_t pen_colour_ = kBlack;
  uint32_t fill_colour_ = kBlack;
  int pen_width_ = 2;
  FillMode fill_mode_ = FillMode::kTransparent;
};

// FNV-1a (64 bits) over the pixels as little-endian bytes, the top row first: how the tests and
// the page compare pictures across builds.
uint64_t PixelHash(const Raster& raster);

}  // namespace drawing
