// SPDX-License-Identifier: MIT
#include "client/ui/drawing_area.h"

#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "client/ui/pad_widget.h"
#include "client/ui/svg_picture.h"

namespace client {

namespace {

struct ToolButton {
  Tool tool;
  const char* key;
  const char* image;
  const char* tip;
};

constexpr std::array<ToolButton, 10> kToolButtons = {{
    {Tool::kClear, "CLEAR", "tool_clear.svg", "Clear the pad (press twice)"},
    {Tool::kEraser, "ERASER", "tool_eraser.svg", "Eraser"},
    {Tool::kFreehand, "FREEHAND", "tool_freehand.svg", "Freehand"},
    {Tool::kLine, "LINE", "tool_line.svg", "Straight line"},
    {Tool::kBox, "BOX", "tool_box.svg", "Rectangle"},
    {Tool::kCircle, "CIRCLE", "tool_circle.svg", "Ellipse"},
    {Tool::kFlood, "FLOOD", "tool_flood.svg", "Flood fill"},
    {Tool::kSpray, "SPRAY", "tool_spray.svg", "Spray can"},
    {Tool::kUndo, "UNDO", "tool_undo.svg", "Undo"},
    {Tool::kFillType, "FILLTYPE", "fill_hollow.svg", "Fill closed shapes"},
}};

constexpr std::array<const char*, 4> kBrushKeys = {"SMALLBRUSH", "MEDIUMBRUSH", "LARGEBRUSH",
                                                   "HUGEBRUSH"};
constexpr std::array<const char*, 4> kBrushTips = {
    "Small brush (1 pixel width)", "Medium brush (2 pixel width)", "Large brush (4 pixel width)",
    "Huge brush (8 pixel width)"};
constexpr std::array<const char*, 4> kBrushImages = {"brush_small.svg", "brush_medium.svg",
                                                     "brush_large.svg", "brush_huge.svg"};

QIcon Icon(const QString& folder, const char* file) {
  return QIcon(RenderSvg(QDir(folder).filePath(QString::fromLatin1(file)), 48));
}

QString SwatchStyle(const QColor& colour, bool selected) {
  return QStringLiteral("background-color: %1; border: %2;")
      .arg(colour.name(),
           selected ? QStringLiteral("2px solid black") : QStringLiteral("1px solid #a0a0a0"));
}

}  // namespace

DrawingArea::DrawingArea(PadTools* tools, const QString& images_folder,
                         const QString& cursors_folder, QWidget* parent)
    : QWidget(parent), tools_(tools) {
  fill_solid_icon_ = Icon(images_folder, "fill_solid.svg");
  fill_hollow_icon_ = Icon(images_folder, "fill_hollow.svg");

  tbrTools_ = new QToolBar;
  tbrTools_->setObjectName(QStringLiteral("tbrTools"));
  tbrTools_->setIconSize(QSize(24, 24));
  for (size_t i = 0; i < kToolButtons.size(); ++i) {
    const ToolButton& b = kToolButtons[i];
    QAction* action =
        tbrTools_->addAction(Icon(images_folder, b.image), QString::fromLatin1(b.tip));
    action->setObjectName(QString::fromLatin1(b.key));
    action->setCheckable(b.tool != Tool::kClear && b.tool != Tool::kUndo);
    const Tool tool = b.tool;
    connect(action, &QAction::triggered, this, [this, tool] { tools_->ClickTool(tool); });
    tool_actions_[i] = action;
    if (b.tool == Tool::kUndo) tbrTools_->addSeparator();
  }

  tbrBrushes_ = new QToolBar;
  tbrBrushes_->setObjectName(QStringLiteral("tbrBrushes"));
  tbrBrushes_->setIconSize(QSize(24, 24));
  for (size_t i = 0; i < kBrushKeys.size(); ++i) {
    QAction* action = tbrBrushes_->addAction(Icon(images_folder, kBrushImages[i]),
                                             QString::fromLatin1(kBrushTips[i]));
    action->setObjectName(QString::fromLatin1(kBrushKeys[i]));
    action->setCheckable(true);
    const int index = static_cast<int>(i);
    connect(action, &QAction::triggered, this, [this, index] { tools_->ClickBrush(index); });
    brush_actions_[i] = action;
  }

  picPad_ = new PadWidget(tools_, images_folder, cursors_folder);

  fraPalette_ = new QFrame;
  fraPalette_->setObjectName(QStringLiteral("fraPalette"));
  auto* swatches = new QGridLayout;
  swatches->setSpacing(2);
  for (size_t i = 0; i < kPalette.size(); ++i) {
    auto* swatch = new QLabel;
    swatch->setObjectName(QStringLiteral("labPalette"));
    swatch->setProperty("index", static_cast<int>(i));
    swatch->setFixedSize(18, 18);
    swatch->setToolTip(QStringLiteral("Select this colour as the current drawing colour"));
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->installEventFilter(this);
    swatches->addWidget(swatch, static_cast<int>(i) / 12, static_cast<int>(i) % 12);
    labPalette_[i] = swatch;
  }
  labColour_ = new QLabel;
  labColour_->setObjectName(QStringLiteral("labColour"));
  labColour_->setFixedSize(38, 38);
  labColour_->setToolTip(QStringLiteral("The current colour: click to mix your own"));
  labColour_->setCursor(Qt::PointingHandCursor);
  labColour_->installEventFilter(this);
  auto* palette_row = new QHBoxLayout(fraPalette_);
  palette_row->setContentsMargins(0, 0, 0, 0);
  palette_row->addWidget(labColour_);
  palette_row->addLayout(swatches);
  palette_row->addStretch();

  auto* bars = new QHBoxLayout;
  bars->setContentsMargins(0, 0, 0, 0);
  bars->addWidget(tbrTools_);
  bars->addWidget(tbrBrushes_);
  bars->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addLayout(bars);
  layout->addWidget(picPad_, 0, Qt::AlignLeft);
  layout->addWidget(fraPalette_);

  tools_->AddOnChanged([this] { ShowToolState(); });
  ShowToolState();
}

void DrawingArea::ShowToolState() {
  for (size_t i = 0; i < kToolButtons.size(); ++i) {
    const Tool tool = kToolButtons[i].tool;
    if (tool == Tool::kFillType) {
      tool_actions_[i]->setChecked(tools_->fill_solid());
      if (shown_fill_solid_ != tools_->fill_solid()) {
        tool_actions_[i]->setIcon(tools_->fill_solid() ? fill_solid_icon_ : fill_hollow_icon_);
        shown_fill_solid_ = tools_->fill_solid();
      }
    } else if (tool_actions_[i]->isCheckable()) {
      tool_actions_[i]->setChecked(tool == tools_->tool());
    }
  }
  for (size_t i = 0; i < brush_actions_.size(); ++i) {
    brush_actions_[i]->setChecked(static_cast<int>(i) == tools_->brush());
  }
  if (shown_swatch_ != tools_->swatch()) {
    for (size_t i = 0; i < labPalette_.size(); ++i) {
      labPalette_[i]->setStyleSheet(
          SwatchStyle(kPalette[i], static_cast<int>(i) == tools_->swatch()));
    }
    shown_swatch_ = tools_->swatch();
  }
  if (shown_colour_ != tools_->colour()) {
    labColour_->setStyleSheet(SwatchStyle(tools_->colour(), false));
    shown_colour_ = tools_->colour();
  }
}

bool DrawingArea::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && fraPalette_->isEnabled()) {
    if (watched == labColour_) {
      ChooseCustomColour();
      return true;
    }
    const QVariant index = watched->property("index");
    if (index.isValid()) {
      tools_->PressSwatch(index.toInt());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void DrawingArea::ChooseCustomColour() {
  auto* dialog = new QColorDialog(tools_->colour(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QColorDialog::colorSelected, this,
          [this](const QColor& colour) { tools_->ChooseCustomColour(colour); });
  dialog->open();
}

void DrawingArea::SetDrawingEnabled(bool enabled) {
  tbrTools_->setEnabled(enabled);
  tbrBrushes_->setEnabled(enabled);
  fraPalette_->setEnabled(enabled);
  picPad_->SetDrawingAllowed(enabled);
}

void DrawingArea::SetFlatToolbars(bool flat) {
  for (QToolBar* bar : {tbrTools_, tbrBrushes_}) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) button->setAutoRaise(flat);
  }
}

}  // namespace client
