// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "client/drawing/pad_tools.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QToolBar;

namespace client {

class PadWidget;

// The drawing side of the main window: the tools bar (tbrTools), the brushes (tbrBrushes), the
// pad (picPad), the palette (labPalette) and the current colour (labColour).
class DrawingArea : public QWidget {
  Q_OBJECT
 public:
  DrawingArea(PadTools* tools, const QString& images_folder, const QString& cursors_folder,
              QWidget* parent = nullptr);

  PadWidget* pad() const { return picPad_; }
  // The action of a tool button, for the menus that act as its click.
  QAction* ToolAction(Tool tool) const { return tool_actions_[static_cast<size_t>(tool)]; }
  // The pad, both tool bars and the palette are usable only by the artist (or for practice).
  void SetDrawingEnabled(bool enabled);
  void SetFlatToolbars(bool flat);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowToolState();
  void ChooseCustomColour();

  PadTools* tools_;
  QToolBar* tbrTools_;
  QToolBar* tbrBrushes_;
  PadWidget* picPad_;
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
  std::optional<QColor> shown_colour_;
  std::optional<bool> shown_fill_solid_;
};

}  // namespace client
