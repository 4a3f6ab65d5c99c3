// SPDX-License-Identifier: MIT
#include "common/ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

namespace scrawlbox {

namespace {

// What a window manager's frame usually takes around a window before it says so itself.
constexpr QSize kFrameAllowance(16, 48);

class FittingScrollArea : public QScrollArea {
 public:
  QSize sizeHint() const override {
    if (!widget()) return QScrollArea::sizeHint();
    // Room for a vertical bar, so that one that appears after all hides nothing on the right.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return widget()->sizeHint() + QSize(bar, 0);
  }
  QSize minimumSizeHint() const override {
    const int line = fontMetrics().height();
    return QSize(8 * line, 4 * line);
  }
};

}  // namespace

QSize ScreenRoom(const QWidget* window) {
  const QWidget* parent = window->parentWidget();
  const QScreen* screen = parent ? parent->screen() : window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() - kFrameAllowance : QSize(1280, 1024);
}

bool TooWideForScreen(const QWidget* window, const QWidget* content) {
  const QStyle* style = window->style();
  const int around = style->pixelMetric(QStyle::PM_LayoutLeftMargin) +
                     style->pixelMetric(QStyle::PM_LayoutRightMargin) +
                     style->pixelMetric(QStyle::PM_ScrollBarExtent);
  return content->sizeHint().width() + around > ScreenRoom(window).width();
}

void ResizeWithinScreen(QWidget* window, QSize wanted) {
  window->resize(wanted.boundedTo(ScreenRoom(window)).expandedTo(window->minimumSizeHint()));
}

QScrollArea* ScrollingIfNeeded(QWidget* content) {
  auto* area = new FittingScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setWidget(content);
  return area;
}

}  // namespace scrawlbox
