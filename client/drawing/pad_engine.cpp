// SPDX-License-Identifier: MIT
#include "client/drawing/pad_engine.h"

namespace client {

namespace {

QImage ViewOf(const drawing::Raster& raster) {
  return QImage(reinterpret_cast<const uchar*>(raster.pixels()), PadEngine::kWidth,
                PadEngine::kHeight, PadEngine::kWidth * 4, QImage::Format_RGB32);
}

}  // namespace

PadEngine::PadEngine() : view_(ViewOf(raster_)) {}

PadEngine::PadEngine(const PadEngine& other) : raster_(other.raster_), view_(ViewOf(raster_)) {}

PadEngine& PadEngine::operator=(const PadEngine& other) {
  raster_ = other.raster_;
  return *this;
}

void PadEngine::SetPicture(const QImage& image) {
  if (image.isNull()) {
    raster_.Clear();
    return;
  }
  QImage source = image;
  if (source.width() > kWidth || source.height() > kHeight) {
    source = source.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio);
  }
  source.convertTo(QImage::Format_ARGB32);
  raster_.SetPicture(reinterpret_cast<const uint32_t*>(source.constBits()), source.width(),
                     source.height(), static_cast<int>(source.bytesPerLine() / 4));
}

}  // namespace client
