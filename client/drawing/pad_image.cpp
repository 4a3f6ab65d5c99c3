// SPDX-License-Identifier: MIT
#include "client/drawing/pad_image.h"

namespace client {

using drawing::Raster;

QImage PictureView(const Raster& raster) {
  // From const bits, so that no copy or painter ever writes into the raster.
  return QImage(reinterpret_cast<const uchar*>(raster.pixels()), Raster::kWidth, Raster::kHeight,
                Raster::kWidth * 4, QImage::Format_RGB32);
}

QImage PictureOf(const Raster& raster) {
  return PictureView(raster).copy();
}

void SetPicture(Raster& raster, const QImage& image) {
  if (image.isNull()) {
    raster.Clear();
    return;
  }
  QImage source = image;
  if (source.width() > Raster::kWidth || source.height() > Raster::kHeight) {
    source = source.scaled(Raster::kWidth, Raster::kHeight, Qt::IgnoreAspectRatio);
  }
  source.convertTo(QImage::Format_ARGB32);
  raster.SetPicture(reinterpret_cast<const uint32_t*>(source.constBits()), source.width(),
                    source.height(), static_cast<int>(source.bytesPerLine() / 4));
}

}  // namespace client
