// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QString>

namespace client {

// The picture of an SVG file (the client's images and cursors) with its longer side `size`
// pixels; empty when the file cannot be read.
QPixmap RenderSvg(const QString& path, int size);

}  // namespace client
