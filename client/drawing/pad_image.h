// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>

#include "client/pad/pad_tools.h"
#include "drawing/raster.h"

namespace client {

// The pad's raster on the desktop: the same pixels every client (the page's too) draws for the
// same codes, shown, saved and loaded as QImages.

// The raster's own pixels, read-only and not copied, for painting them: they change with every
// drawing operation. It stays valid while the raster lives, whose pixels never move.
QImage PictureView(const drawing::Raster& raster);
// A copy of the picture, which later drawing leaves as it is.
QImage PictureOf(const drawing::Raster& raster);
// A picture from outside (a file or the clipboard): laid over a white pad from the top-left,
// scaled to the pad's size when it is larger. A null image leaves the pad white.
void SetPicture(drawing::Raster& raster, const QImage& image);

inline QColor FromPadColour(PadColour colour) {
  return QColor::fromRgb(colour);
}
inline PadColour ToPadColour(const QColor& colour) {
  return colour.rgb() & 0xFFFFFFu;
}

}  // namespace client
