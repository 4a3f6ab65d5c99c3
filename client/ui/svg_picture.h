// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace client {

// The client's pictures are compiled in; these name them by file.
inline QString ImagePath(const QString& file) {
  return QStringLiteral(":/Images/") + file;
}
inline QString CursorPath(const QString& file) {
  return QStringLiteral(":/Cursors/") + file;
}

// The picture of an SVG file with its longer side `size` logical pixels, drawn for a screen of
// `pixel_ratio` device pixels per logical pixel; empty when the file cannot be read.
QPixmap RenderSvg(const QString& path, int size, qreal pixel_ratio = 1.0);
// The same for an SVG document's text.
QPixmap RenderSvgData(const QByteArray& svg, int size, qreal pixel_ratio = 1.0);
// An icon that stays sharp at every size and scale factor.
QIcon SvgIcon(const QString& path);

}  // namespace client
