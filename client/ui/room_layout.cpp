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
  Placement placed;
  if (!drawing_) return placed;
  const int min_drawing = drawing_->minimumSizeHint().width();
  // The drawing area as wide as its pad can use at this height, within what the right keeps.
  auto drawing_width = [&](int height, int right_min) {
    const int wanted = drawing_->WidthForHeight(height);
    return std::max(min_drawing, std::min(wanted, rect.width() - kGap - right_min));
  };
  const int side_min = side_ ? side_->minimumSizeHint().width() : 0;
  if (!ChatShown()) {
    const int width = drawing_width(rect.height(), side_min);
    placed.drawing = QRect(rect.left(), rect.top(), width, rect.height());
    placed.side = QRect(placed.drawing.right() + 1 + kGap, rect.top(),
                        rect.right() - placed.drawing.right() - kGap, rect.height());
    return placed;
  }

  // The chat under the user list.
  const int beside_width = drawing_width(rect.height(), SideWidth());
  // The chat under the pad: the pad loses the chat's height instead of the chat's width.
  const int below_height = rect.height() - kGap - kMinChatHeight;
  const int below_width = drawing_width(below_height, side_min);
  const int pad_beside = std::min(beside_width, drawing_->WidthForHeight(rect.height()));
  const int pad_below = std::min(below_width, drawing_->WidthForHeight(below_height));

  if (pad_below > pad_beside) {
    const QSize pad = PadWidget::SizeAt(double(below_width) / PadEngine::kWidth);
    const int drawing_height =
        std::min(below_height, drawing_->ChromeHeight(below_width) + pad.height());
    placed.drawing = QRect(rect.left(), rect.top(), below_width, drawing_height);
    placed.chat = QRect(rect.left(), placed.drawing.bottom() + 1 + kGap, below_width,
                        rect.bottom() - placed.drawing.bottom() - kGap);
    placed.side = QRect(placed.drawing.right() + 1 + kGap, rect.top(),
                        rect.right() - placed.drawing.right() - kGap, rect.height());
    return placed;
  }
  placed.drawing = QRect(rect.left(), rect.top(), beside_width, rect.height());
  const int right_left = placed.drawing.right() + 1 + kGap;
  const int right_width = rect.right() - right_left + 1;
  const int side_height = std::min(SidePreferredHeight(), rect.height() - kGap - kMinChatHeight);
  placed.side = QRect(right_left, rect.top(), right_width, side_height);
  placed.chat = QRect(right_left, placed.side.bottom() + 1 + kGap, right_width,
                      rect.bottom() - placed.side.bottom() - kGap);
  return placed;
}

void RoomLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const Placement placed = Arrange(contentsRect());
  if (drawing_) drawing_->setGeometry(placed.drawing);
  if (side_) side_->setGeometry(placed.side);
  if (chat_ && ChatShown()) chat_->setGeometry(placed.chat);
}

}  // namespace client
