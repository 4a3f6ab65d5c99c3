// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

#include "drawing/raster.h"

namespace client {

// The drawing pad's picture and drawing state for the desktop: the raster engine, which every
// client (the page's too) runs the same way for the same codes, with its pixels shown as a
// QImage and its colours as QColors.
class PadEngine {
 public:
  static constexpr int kWidth = drawing::Raster::kWidth;
  static constexpr int kHeight = drawing::Raster::kHeight;
  static constexpr int kEraserRadius = drawing::Raster::kEraserRadius;
  static constexpr int kSprayDots = drawing::Raster::kSprayDots;
  static constexpr int kMaxPenWidth = drawing::Raster::kMaxPenWidth;

  using FillMode = drawing::Raster::FillMode;

  PadEngine();
  PadEngine(const PadEngine& other);
  PadEngine& operator=(const PadEngine& other);

  // A copy of the picture, which later drawing leaves as it is.
  QImage picture() const { return view_.copy(); }
  // The picture itself, read-only, for painting it: it changes with every drawing operation.
  const QImage& view() const { return view_; }
  const drawing::Raster& raster() const { return raster_; }

  // Drawing state.
  QColor pen_colour() const { return QColor::fromRgb(raster_.pen_colour()); }
  QColor fill_colour() const { return QColor::fromRgb(raster_.fill_colour()); }
  int pen_width() const { return raster_.pen_width(); }
  FillMode fill_mode() const { return raster_.fill_mode(); }
  void SetPenColour(QColor colour) { raster_.SetPenColour(colour.rgb()); }
  void SetFillColour(QColor colour) { raster_.SetFillColour(colour.rgb()); }
  void SetPenWidth(double width) { raster_.SetPenWidth(width); }
  void SetFillMode(FillMode mode) { raster_.SetFillMode(mode); }

  // Operations: see drawing::Raster.
  void Line(double x1, double y1, double x2, double y2) { raster_.Line(x1, y1, x2, y2); }
  void EraseDisc(double x, double y) { raster_.EraseDisc(x, y); }
  void EraseRing(double x, double y) { raster_.EraseRing(x, y); }
  void SprayBurst(double x, double y, uint64_t seed) { raster_.SprayBurst(x, y, seed); }
  void Box(double left, double top, double right, double bottom) {
    raster_.Box(left, top, right, bottom);
  }
  void Ellipse(double x1, double y1, double x2, double y2, bool round_radius) {
    raster_.Ellipse(x1, y1, x2, y2, round_radius);
  }
  void FloodFill(double x, double y) { raster_.FloodFill(x, y); }
  void Clear() { raster_.Clear(); }
  void CreateUndoBuffer() { raster_.CreateUndoBuffer(); }
  void Undo() { raster_.Undo(); }
  // A picture from outside (a file or the clipboard): laid over a white pad from the top-left,
  // scaled to the pad's size when it is larger.
  void SetPicture(const QImage& image);

 private:
  drawing::Raster raster_;
  // Over raster_'s pixels, whose address stays put; read-only, so that no copy writes into it.
  QImage view_;
};

}  // namespace client
