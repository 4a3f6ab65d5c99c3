// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QTimer>
#include <QWidget>

#include "client/drawing/pad_tools.h"

class QLabel;

namespace client {

// The drawing pad on screen (picPad): the engine's picture at a whole multiple of its size, the
// tool previews over it, the two-step clear's message and the winner display. Mouse positions
// become pad pixels before they reach the tools, so the wire always carries pad pixels.
class PadWidget : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWinnerMs = 4500;

  PadWidget(PadTools* tools, const QString& images_folder, const QString& cursors_folder,
            QWidget* parent = nullptr);

  // The pad's cursor: one of the six drawing cursors, or the tool's own when tool cursors are on.
  void SetCursorChoice(int drawing_cursor, bool tool_cursor);
  // Shows the winner over a cleared pad for kWinnerMs; an empty name hides the display.
  // The winner and, below, the top of the final standings (one line each); an empty nickname
  // takes the display down.
  void ShowWinner(const QString& nickname, const QStringList& podium = {});
  bool winner_shown() const { return tmrDisplayWinner_.isActive(); }
  // Whether the pad accepts drawing (the artist, or practice) apart from the winner display.
  void SetDrawingAllowed(bool allowed);
  // Pixels of the screen per pad pixel.
  int Scale() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPointF PadPoint(const QPointF& position) const;
  static int ButtonNumber(Qt::MouseButton button);
  static int ButtonsNumber(Qt::MouseButtons buttons);
  void UpdateLayout();
  void Refresh();
  QCursor CursorFor(const QString& file) const;

  PadTools* tools_;
  QString cursors_folder_;
  QHash<QString, QPoint> hotspots_;
  int drawing_cursor_ = 0;
  bool tool_cursor_ = true;
  bool drawing_allowed_ = true;
  bool watching_screen_ = false;
  QLabel* imgClearMessage_;
  QLabel* imgTheWinnerIs_;
  QLabel* labWinner_[2];
  QLabel* labPodium_;
  QTimer tmrDisplayWinner_;
};

}  // namespace client
