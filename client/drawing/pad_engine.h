// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <functional>

namespace client {

// The drawing pad's picture and its drawing state, with every drawing operation the tools and
// the replay of received codes use. Rendering is exact: no antialiasing, round pen ends, and a
// flood fill that matches colours exactly, so that every client that replays the same codes
// ends with the same pixels (the spray's random dots aside).
class PadEngine {
 public:
  static constexpr int kWidth = 511;
  static constexpr int kHeight = 322;
  static constexpr int kEraserRadius = 10;
  static constexpr int kSprayDots = 40;
  // Pen widths beyond this are drawn at this width: wider strokes show nothing more on the pad.
  static constexpr int kMaxPenWidth = 100;

  enum class FillMode { kSolid, kTransparent };

  PadEngine();

  const QImage& picture() const { return picture_; }

  // Drawing state.
  QColor pen_colour() const { return pen_colour_; }
  QColor fill_colour() const { return fill_colour_; }
  int pen_width() const { return pen_width_; }
  FillMode fill_mode() const { return fill_mode_; }
  void SetPenColour(QColor colour) { pen_colour_ = colour; }
  void SetFillColour(QColor colour) { fill_colour_ = colour; }
  // Held within 1 and kMaxPenWidth.
  void SetPenWidth(double width);
  void SetFillMode(FillMode mode) { fill_mode_ = mode; }

  // Operations. Coordinates are pad pixels and may lie far outside the pad.
  void Line(double x1, double y1, double x2, double y2);
  // A white disc of radius 10; the fill colour is white afterwards.
  void EraseDisc(double x, double y);
  // The white ring a quick erase leaves where the button is released: outlined in white at the
  // pen width, filled with the fill colour when the fill mode is solid.
  void EraseRing(double x, double y);
  // kSprayDots dots at offsets -10 to 9 from (x, y), drawn one pixel thinner than the pen.
  // next_random gives numbers in [0, 1).
  void SprayBurst(double x, double y, const std::function<double()>& next_random);
  // A rectangle with both corners inclusive; filled when the fill mode is solid.
  void Box(double left, double top, double right, double bottom);
  // The ellipse inscribed in the rectangle of two corners; nothing when x1 equals x2. With
  // round_radius (the drawing client's own copy) the larger semi-axis is rounded to a whole
  // pixel, half to even, and the other follows from the aspect.
  void Ellipse(double x1, double y1, double x2, double y2, bool round_radius);
  // Replaces the area of exactly the colour at (x, y), connected to it through its four
  // neighbours, with the fill colour. Nothing happens outside the pad.
  void FloodFill(double x, double y);
  void Clear();
  void CreateUndoBuffer() { undo_ = picture_; }
  void Undo() { picture_ = undo_; }
  // A picture from outside (a file or the clipboard): drawn over a white pad from the top-left,
  // at the pad's size when it is larger.
  void SetPicture(const QImage& image);

 private:
  QImage picture_;
  QImage undo_;
  QColor pen_colour_ = Qt::black;
  QColor fill_colour_ = Qt::black;
  int pen_width_ = 2;
  FillMode fill_mode_ = FillMode::kTransparent;
};

}  // namespace client
