// SPDX-License-Identifier: MIT
#include "client/ui/room_layout.h"

#include <QWidgetItem>
#include <algorithm>

#include "client/ui/drawing_area.h"
#include "client/ui/pad_widget.h"

namespace client {

RoomLayout::RoomLayout(DrawingArea* drawing, QWidget* side, QWidget* chat, QWidget* parent)
    : QLayout(parent), drawing_(drawing), side_(side), chat_(chat) {
  setContentsMargins(kGap, kGap, kGap, kGap);
  for (QWidget* widget : {static_cast<QWidget*>(drawing), side, chat}) addWidget(widget);
}

RoomLayout::~RoomLayout() {
  qDeleteAll(items_);
}

void RoomLayout::addItem(QLayoutItem* item) {
  items_.append(item);
}

QLayoutItem* RoomLayout::itemAt(int index) const {
  return items_.value(index);
}

QLayoutItem* RoomLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int RoomLayout::count() const {
  return static_cast<int>(items_.size());
}

bool RoomLayout::ChatShown() const {
  return chat_ && !chat_->isHidden();
}

int RoomLayout::SideWidth() const {
  const int side = side_ ? side_->minimumSizeHint().width() : 0;
  return std::max(side, ChatShown() ? kMinChatWidth : 0);
}

int RoomLayout::SidePreferredHeight() const {
  return side_ ? side_->sizeHint().height() : 0;
}

QSize RoomLayout::sizeHint() const {
  const QSize drawing = drawing_ ? drawing_->sizeHint() : QSize();
  const QMargins m = contentsMargins();
  return QSize(drawing.width() + kGap + SideWidth() + m.left() + m.right(),
               drawing.height() + m.top() + m.bottom());
}

QSize RoomLayout::minimumSize() const {
  const QSize drawing = drawing_ ? drawing_->minimumSizeHint() : QSize();
  const QSize side = side_ ? side_->minimumSizeHint() : QSize();
  const int right_height = side.height() + (ChatShown() ? kGap + kMinChatHeight : 0);
  const QMargins m = contentsMargins();
  return QSize(drawing.width() + kGap + SideWidth() + m.left() + m.right(),
               std::max(drawing.height(), right_height) + m.top() + m.bottom());
}

RoomLayout::Placement RoomLayout::Arrange(const QRect& rect) const {
  if (!drawing_) return {};
  const int min_drawing = drawing_->minimumSizeHint().width();
  const QSize side_min = side_ ? side_->minimumSizeHint() : QSize(0, 0);
  const bool chat = ChatShown();
  // The pad in a drawing area this wide that may be this high, and the height it then uses.
  auto pad_in = [&](int width, int height) {
    return std::min(width, drawing_->WidthForHeight(height));
  };
  auto used_height = [&](int width, int pad) {
    return drawing_->ChromeHeight(width) +
           PadWidget::SizeAt(double(pad) / drawing::Raster::kWidth).height();
  };
  struct Way {
    Placement placed;
    int pad = 0;
    int strip = 0;  // empty height under the drawing area's palette
    bool fits = false;
  };

  // The chat under the user list, beside the pad.
  Way beside;
  {
    const int right_min = SideWidth();
    const int width = std::max(min_drawing, std::min(drawing_->WidthForHeight(rect.height()),
                                                     rect.width() - kGap - right_min));
    beside.pad = pad_in(width, rect.height());
    beside.strip = rect.height() - used_height(width, beside.pad);
    beside.fits = width + kGap + right_min <= rect.width();
    Placement& p = beside.placed;
    p.drawing = QRect(rect.left(), rect.top(), width, rect.height());
    const int right_left = p.drawing.right() + 1 + kGap;
    const int right_width = rect.right() - right_left + 1;
    if (chat) {
      const int side_height =
          std::min(SidePreferredHeight(), rect.height() - kGap - kMinChatHeight);
      beside.fits = beside.fits && side_height >= side_min.height();
      p.side = QRect(right_left, rect.top(), right_width, side_height);
      p.chat = QRect(right_left, p.side.bottom() + 1 + kGap, right_width,
                     rect.bottom() - p.side.bottom() - kGap);
    } else {
      p.side = QRect(right_left, rect.top(), right_width, rect.height());
    }
  }

  // The chat under the pad, the user list beside both: the pad loses the chat's height instead
  // of its width.
  Way below;
  if (chat) {
    const int height = rect.height() - kGap - kMinChatHeight;
    const int width = std::max(min_drawing, std::min(drawing_->WidthForHeight(height),
                                                     rect.width() - kGap - side_min.width()));
    below.pad = pad_in(width, height);
    below.fits = width + kGap + side_min.width() <= rect.width() &&
                 used_height(width, below.pad) <= height && side_min.height() <= rect.height();
    Placement& p = below.placed;
    p.drawing =
        QRect(rect.left(), rect.top(), width, std::min(height, used_height(width, below.pad)));
    p.chat = QRect(rect.left(), p.drawing.bottom() + 1 + kGap, width,
                   rect.bottom() - p.drawing.bottom() - kGap);
    p.side = QRect(p.drawing.right() + 1 + kGap, rect.top(),
                   rect.right() - p.drawing.right() - kGap, rect.height());
  }

  // A portrait window: the pad across the whole width, the chat and the user list side by side
  // under it. Only when the pad fills that width: else the pad is as large beside the list.
  Way stacked;
  {
    const int row_min = std::max(side_min.height(), chat ? kMinChatHeight : 0);
    const int height = rect.height() - kGap - row_min;
    const int width = rect.width();
    stacked.pad = pad_in(width, height);
    const int side_width = chat ? side_min.width() : width;
    stacked.fits = stacked.pad >= width && used_height(width, stacked.pad) <= height &&
                   (!chat || width - kGap - side_width >= kMinChatWidth);
    Placement& p = stacked.placed;
    p.drawing = QRect(rect.left(), rect.top(), width, used_height(width, stacked.pad));
    const int row_top = p.drawing.bottom() + 1 + kGap;
    const int row_height = rect.bottom() - row_top + 1;
    p.side = QRect(rect.right() + 1 - side_width, row_top, side_width, row_height);
    if (chat) p.chat = QRect(rect.left(), row_top, width - kGap - side_width, row_height);
  }

  // The largest pad wins. One that would leave an empty strip under the palette with room for
  // half a chat gives way to the chat under a pad at most a sixth smaller (and no smaller than
  // its own size when the other was not).
  const Way* best = &beside;
  for (const Way* way : {&below, &stacked}) {
    if (way->fits && (!best->fits || way->pad > best->pad)) best = way;
  }
  if (best == &beside && below.fits && beside.strip >= kMinChatHeight / 2 &&
      below.pad * 6 >= beside.pad * 5 &&
      below.pad >= std::min(beside.pad, drawing::Raster::kWidth)) {
    best = &below;
  }
  return best->placed;
}

void RoomLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const Placement placed = Arrange(contentsRect());
  if (drawing_) drawing_->setGeometry(placed.drawing);
  if (side_) side_->setGeometry(placed.side);
  if (chat_ && ChatShown()) chat_->setGeometry(placed.chat);
}

}  // namespace client
