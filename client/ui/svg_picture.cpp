// SPDX-License-Identifier: MIT
#include "client/ui/svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace client {

QPixmap RenderSvg(const QString& path, int size) {
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QSize natural = renderer.defaultSize();
  if (natural.isEmpty()) natural = QSize(size, size);
  QPixmap pixmap(natural.scaled(size, size, Qt::KeepAspectRatio));
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

}  // namespace client
