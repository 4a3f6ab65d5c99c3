// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace client {

// Where a top-level window goes, as move() and resize() take it: its frame's corner and its
// inner size. `at` is where it was, nothing for a first start; `frame` is what the window
// manager's frame adds around the inner size; `screens` are the screens' available areas, the
// primary first. A window that shows enough of its title on a screen stays there, brought
// wholly onto it, frame included; any other is centred on the primary screen. It is never made
// smaller than `minimum`; when even that is too large, its top left corner stays on the screen.
struct WindowPlace {
  QPoint at;
  QSize size;
  bool operator==(const WindowPlace&) const = default;
};
WindowPlace FitOntoScreens(std::optional<QPoint> at, QSize size, QSize minimum, QMargins frame,
                           const QList<QRect>& screens);

// Places the window so, on the screens there are, and once more when it is first shown: only
// then does the window manager tell how large its frame is.
void PlaceOnScreen(QWidget* window, std::optional<QPoint> at, QSize size);

}  // namespace client
