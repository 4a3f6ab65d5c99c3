// SPDX-License-Identifier: MIT
#include "client/ui/svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace client {

namespace {

QPixmap Render(QSvgRenderer& renderer, int size, qreal pixel_ratio) {
  if (!renderer.isValid() || size <= 0) return {};
  QSize natural = renderer.defaultSize();
  if (natural.isEmpty()) natural = QSize(size, size);
  const int device_size = static_cast<int>(std::lround(size * pixel_ratio));
  QPixmap pixmap(natural.scaled(device_size, device_size, Qt::KeepAspectRatio));
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(pixel_ratio);
  return pixmap;
}

}  // namespace

QPixmap RenderSvg(const QString& path, int size, qreal pixel_ratio) {
  QSvgRenderer renderer(path);
  return Render(renderer, size, pixel_ratio);
}

QPixmap RenderSvgData(const QByteArray& svg, int size, qreal pixel_ratio) {
  QSvgRenderer renderer(svg);
  return Render(renderer, size, pixel_ratio);
}

QIcon SvgIcon(const QString& path) {
  QIcon icon;
  // Drawn at every size a tool bar, menu or list asks for on screens up to three times as dense.
  for (const int size : {16, 24, 32, 48, 64, 96}) {
    const QPixmap pixmap = RenderSvg(path, size);
    if (!pixmap.isNull()) icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace client
