// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QKeySequence>
#include <QWidget>
#include <array>
#include <optional>

#include "client/pad/pad_tools.h"

class QAction;
class QFrame;
class QLabel;
class QToolBar;
class QToolButton;

namespace client {

class PadWidget;

// The drawing side of the main window: the tools bar (tbrTools) and the brushes (tbrBrushes),
// the line that says what is happening (labStatusLine), the pad (picPad), the palette
// (labPalette) and the current colour (labColour). The pad takes every pixel the area can give
// it; the rest is sized for the pad: the palette's swatches grow with it.
class DrawingArea : public QWidget {
  Q_OBJECT
 public:
  // Swatches are never smaller than this (logical pixels) and never larger than kMaxSwatch.
  static constexpr int kMinSwatch = 20;
  static constexpr int kMaxSwatch = 44;

  explicit DrawingArea(PadTools* tools, QWidget* parent = nullptr);

  PadWidget* pad() const { return picPad_; }
  QLabel* status_line() const { return labStatusLine_; }
  // What the line over the pad says; in smaller type when the line is too narrow for the large
  // one, and shortened with "…" only when even that does not fit (the whole text is its
  // tooltip).
  void SetStatus(const QString& text);
  // The action of a tool button, for the menus that act as its click.
  QAction* ToolAction(Tool tool) const { return tool_actions_[static_cast<size_t>(tool)]; }
  // The key that picks a tool or a brush (index 0-3), as the menus and tooltips show it.
  static QKeySequence Shortcut(Tool tool);
  static QKeySequence BrushShortcut(int index);
  // The pad, both tool bars and the palette are usable only by the artist (or for practice).
  void SetDrawingEnabled(bool enabled);
  void SetFlatToolbars(bool flat);

  // The width at which the pad, shown whole, fills exactly this height.
  int WidthForHeight(int height) const;
  // The height everything but the pad takes in an area this wide.
  int ChromeHeight(int width) const;
  // The side of one palette swatch next to a pad this wide.
  static int SwatchSize(int pad_width);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Where the palette's pieces go in a row this wide: one row of 24 when it fits, else two.
  struct PaletteShape {
    int swatch = kMinSwatch;
    int rows = 2;
    QSize size;
  };
  static PaletteShape PaletteFor(int width, int pad_width);
  int BarsHeight() const;
  int StatusHeight() const;
  void ShowStatus();
  void Arrange();
  // The winner display's close button sits in the pad's top right corner while it is shown.
  void PlaceWinnerClose();
  void ShowToolState();
  void ChooseCustomColour();

  PadTools* tools_;
  QToolBar* tbrTools_;
  QToolBar* tbrBrushes_;
  QLabel* labStatusLine_;
  QString status_;
  QFont status_font_;
  QFont status_small_font_;
  PadWidget* picPad_;
  QToolButton* cmdCloseWinner_;
  QFrame* fraPalette_;
  std::array<QAction*, 10> tool_actions_{};
  std::array<QAction*, 4> brush_actions_{};
  std::array<QLabel*, 24> labPalette_{};
  QLabel* labColour_;
  QIcon fill_solid_icon_;
  QIcon fill_hollow_icon_;
  // What the palette and the fill button show, so that a change of tool state restyles only
  // what changed: the state changes with every drawing segment, the palette seldom.
  std::optional<int> shown_swatch_;
  std::optional<PadColour> shown_colour_;
  std::optional<bool> shown_fill_solid_;
};

}  // namespace client
