// SPDX-License-Identifier: MIT
#pragma once

#include <QLayout>
#include <QPointer>

namespace client {

class DrawingArea;

// The main window's arrangement, which gives the pad its room first. The side column (the
// information panel and the user list) and the chat keep their minimum sizes; of the ways to
// place them (the chat below the user list beside the pad, the chat below the pad, or in a
// portrait window both below a pad as wide as the window) the one that leaves the larger pad
// wins, and whatever the pad cannot use goes to the chat. A hidden chat (while it floats) leaves
// its room to the others.
class RoomLayout : public QLayout {
  Q_OBJECT
 public:
  static constexpr int kGap = 6;
  // The chat is never narrower or lower than this.
  static constexpr int kMinChatWidth = 240;
  static constexpr int kMinChatHeight = 140;

  RoomLayout(DrawingArea* drawing, QWidget* side, QWidget* chat, QWidget* parent);
  ~RoomLayout() override;

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

  // Where each part goes in a rectangle; the pad is the drawing area's to size within its part.
  struct Placement {
    QRect drawing;
    QRect side;
    QRect chat;  // empty while the chat is hidden
  };
  Placement Arrange(const QRect& rect) const;

 private:
  bool ChatShown() const;
  int SideWidth() const;
  int SidePreferredHeight() const;

  QPointer<DrawingArea> drawing_;
  QPointer<QWidget> side_;
  QPointer<QWidget> chat_;
  QList<QLayoutItem*> items_;
};

}  // namespace client
