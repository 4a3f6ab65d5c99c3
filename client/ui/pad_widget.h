// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include "client/pad/pad_tools.h"

namespace client {

// The drawing pad on screen (picPad): the raster's picture at the largest size that fits the
// widget with the pad's shape kept, the tool previews over it, the word's blanks along its top,
// the two-step clear's message and the winner display, all scaled alike. Whole multiples are drawn
// pixel for pixel and the sizes between them smoothly. Mouse positions become pad pixels before
// they reach the tools, so the wire always carries pad pixels, whatever the scale.
class PadWidget : public QWidget {
  Q_OBJECT
 public:
  // The smallest scale the pad is shown at (logical pixels per pad pixel).
  static constexpr double kMinScale = 0.5;

  explicit PadWidget(PadTools* tools, QWidget* parent = nullptr);

  // The pad's cursor: one of the six drawing cursors, or the tool's own when tool cursors are on.
  void SetCursorChoice(int drawing_cursor, bool tool_cursor);
  // Shows the winner and, below, the top of the final standings (one line each) over a cleared
  // pad until it is taken down: by an empty nickname.
  void ShowWinner(const QString& nickname, const QStringList& podium = {});
  bool winner_shown() const { return !winner_.isEmpty(); }
  // The lines of the final standings shown below the winner (none while no winner is shown).
  const QStringList& podium() const { return podium_; }
  // Where the two-step clear's message (imgClearMessage) lies; empty while it is not shown.
  QRect ClearMessageRect() const;
  // Where the winner's picture (imgTheWinnerIs) lies; empty while it is not shown.
  QRect WinnerRect() const;
  // The word's blanks (or the word) shown large along the top of the picture; empty: none.
  void SetWordPattern(const QString& pattern);
  const QString& word_pattern() const { return pattern_; }
  // Where the pattern lies; empty while there is none.
  QRect PatternRect() const;
  // Whether the pad accepts drawing (the artist, or practice) apart from the winner display.
  void SetDrawingAllowed(bool allowed);

  // Device pixels per pad pixel.
  double Scale() const;
  // Where the picture lies, in the widget's coordinates.
  QRectF PictureRect() const;
  // A point of the widget as the pad pixel under it (outside the pad when the point is).
  PadPoint PadPointAt(const QPointF& position) const;
  // The size of the pad's picture at `scale` logical pixels per pad pixel.
  static QSize SizeAt(double scale);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  static int ButtonNumber(Qt::MouseButton button);
  static int ButtonsNumber(Qt::MouseButtons buttons);
  // Logical pixels per pad pixel.
  double LogicalScale() const { return Scale() / devicePixelRatioF(); }
  // A picture drawn over the pad, rendered again only when the pad's scale changes.
  const QPixmap& Overlay(QPixmap& cache, const QString& file, int width) const;
  QFont WinnerFont() const;
  QFont PatternFont() const;
  void PaintWinner(QPainter& painter);
  void Refresh();
  QCursor CursorFor(const QString& file) const;

  PadTools* tools_;
  QHash<QString, QPoint> hotspots_;
  int drawing_cursor_ = 0;
  bool tool_cursor_ = true;
  bool drawing_allowed_ = true;
  bool watching_screen_ = false;
  QString cursor_file_;
  double cursor_scale_ = 0;
  // The overlays are painted with the pad, so that they look the same whether or not this
  // player may draw.
  mutable QPixmap clear_message_;
  mutable QPixmap winner_picture_;
  QString winner_;
  QStringList podium_;
  QString pattern_;

 signals:
  void winnerShownChanged(bool shown);
};

}  // namespace client
