// SPDX-License-Identifier: MIT
#include "client/ui/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace client {

namespace {

// Enough of a window on a screen to grab its title and move it.
constexpr QSize kGrabbable(100, 50);

QList<QRect> AvailableScreens() {
  QList<QRect> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) areas << primary->availableGeometry();
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) areas << screen->availableGeometry();
  }
  return areas;
}

QMargins FrameOf(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle && window->isVisible() ? handle->frameMargins() : QMargins();
}

// Fits the window again once its frame is known: at its first expose, after the window manager
// has framed it.
class FrameWatch : public QObject {
 public:
  explicit FrameWatch(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
      window_->removeEventFilter(this);
      window_->windowHandle()->installEventFilter(this);
    } else if (window_ && watched == window_->windowHandle() && event->type() == QEvent::Expose &&
               window_->windowHandle()->isExposed()) {
      watched->removeEventFilter(this);
      const QMargins frame = FrameOf(window_);
      if (!frame.isNull()) {
        const WindowPlace place = FitOntoScreens(
            window_->pos(), window_->size(), window_->minimumSizeHint(), frame, AvailableScreens());
        if (place.size != window_->size()) window_->resize(place.size);
        if (place.at != window_->pos()) window_->move(place.at);
      }
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<QWidget> window_;
};

}  // namespace

WindowPlace FitOntoScreens(std::optional<QPoint> at, QSize size, QSize minimum, QMargins frame,
                           const QList<QRect>& screens) {
  const QSize frame_size(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QRect fallback = screens.isEmpty() ? QRect(QPoint(0, 0), size + frame_size) : screens[0];
  // The screen that shows most of the window, if it shows enough of it.
  const QRect* area = nullptr;
  if (at) {
    const QRect outer(*at, size + frame_size);
    int shown = 0;
    for (const QRect& screen : screens) {
      const QRect overlap = screen & outer;
      const int overlap_area = overlap.width() * overlap.height();
      if (overlap.width() >= kGrabbable.width() && overlap.height() >= kGrabbable.height() &&
          overlap_area > shown) {
        area = &screen;
        shown = overlap_area;
      }
    }
  }
  const QRect screen = area ? *area : fallback;
  const QSize inner = size.boundedTo(screen.size() - frame_size).expandedTo(minimum);
  QRect outer(QPoint(0, 0), inner + frame_size);
  if (area) {
    outer.moveTopLeft(*at);
  } else {
    outer.moveCenter(screen.center());
  }
  // Wholly on the screen; the top left corner wins when the window is larger than it.
  outer.moveLeft(
      std::max(screen.left(), std::min(outer.left(), screen.right() + 1 - outer.width())));
  outer.moveTop(
      std::max(screen.top(), std::min(outer.top(), screen.bottom() + 1 - outer.height())));
  return {outer.topLeft(), inner};
}

void PlaceOnScreen(QWidget* window, std::optional<QPoint> at, QSize size) {
  const WindowPlace place =
      FitOntoScreens(at, size, window->minimumSizeHint(), FrameOf(window), AvailableScreens());
  window->resize(place.size);
  window->move(place.at);
  if (!window->isVisible()) new FrameWatch(window);
}

}  // namespace client
