// SPDX-License-Identifier: MIT
#include "client/ui/drawing_area.h"

#include <QAction>
#include <QColorDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "client/drawing/pad_image.h"
#include "client/ui/pad_widget.h"
#include "client/ui/svg_picture.h"

namespace client {

namespace {

struct ToolButton {
  Tool tool;
  const char* key;
  const char* image;
  const char* tip;
  const char* shortcut;
};

constexpr std::array<ToolButton, 10> kToolButtons = {{
    {Tool::kClear, "CLEAR", "tool_clear.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Clear the pad (press twice)"), "Delete"},
    {Tool::kEraser, "ERASER", "tool_eraser.svg", QT_TRANSLATE_NOOP("client::DrawingArea", "Eraser"),
     "E"},
    {Tool::kFreehand, "FREEHAND", "tool_freehand.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Freehand"), "F"},
    {Tool::kLine, "LINE", "tool_line.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Straight line"), "L"},
    {Tool::kBox, "BOX", "tool_box.svg", QT_TRANSLATE_NOOP("client::DrawingArea", "Rectangle"), "R"},
    {Tool::kCircle, "CIRCLE", "tool_circle.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Ellipse"), "C"},
    {Tool::kFlood, "FLOOD", "tool_flood.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Flood fill"), "G"},
    {Tool::kSpray, "SPRAY", "tool_spray.svg", QT_TRANSLATE_NOOP("client::DrawingArea", "Spray can"),
     "S"},
    {Tool::kUndo, "UNDO", "tool_undo.svg", QT_TRANSLATE_NOOP("client::DrawingArea", "Undo"),
     "Ctrl+Z"},
    {Tool::kFillType, "FILLTYPE", "fill_hollow.svg",
     QT_TRANSLATE_NOOP("client::DrawingArea", "Fill closed shapes"), "Shift+S"},
}};

constexpr std::array<const char*, 4> kBrushKeys = {"SMALLBRUSH", "MEDIUMBRUSH", "LARGEBRUSH",
                                                   "HUGEBRUSH"};
constexpr std::array<const char*, 4> kBrushTips = {
    QT_TRANSLATE_NOOP("client::DrawingArea", "Small brush (1 pixel width)"),
    QT_TRANSLATE_NOOP("client::DrawingArea", "Medium brush (2 pixel width)"),
    QT_TRANSLATE_NOOP("client::DrawingArea", "Large brush (4 pixel width)"),
    QT_TRANSLATE_NOOP("client::DrawingArea", "Huge brush (8 pixel width)")};
constexpr std::array<const char*, 4> kBrushImages = {"brush_small.svg", "brush_medium.svg",
                                                     "brush_large.svg", "brush_huge.svg"};

// Between the rows of the area and between swatches.
constexpr int kGap = 4;
constexpr int kSwatchGap = 2;
constexpr int kColumns = 24;

QIcon Icon(const char* file) {
  return SvgIcon(ImagePath(QString::fromLatin1(file)));
}

// The tip with the key that does the same, as menus write keys.
QString TipWithKey(const QString& tip, const QKeySequence& key) {
  return QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText));
}

QString SwatchStyle(const QColor& colour, bool selected) {
  // The chosen swatch gets a thick ring that stands out from its own colour.
  const QString ring = colour.lightness() < 96 ? QStringLiteral("3px solid #ffffff")
                                               : QStringLiteral("3px solid #000000");
  return QStringLiteral("background-color: %1; border: %2;")
      .arg(colour.name(), selected ? ring : QStringLiteral("1px solid #a0a0a0"));
}

}  // namespace

QKeySequence DrawingArea::Shortcut(Tool tool) {
  for (const ToolButton& b : kToolButtons) {
    if (b.tool == tool) return QKeySequence(QString::fromLatin1(b.shortcut));
  }
  return {};
}

QKeySequence DrawingArea::BrushShortcut(int index) {
  return QKeySequence(QString::number(index + 1));
}

DrawingArea::DrawingArea(PadTools* tools, QWidget* parent) : QWidget(parent), tools_(tools) {
  fill_solid_icon_ = Icon("fill_solid.svg");
  fill_hollow_icon_ = Icon("fill_hollow.svg");

  tbrTools_ = new QToolBar(this);
  tbrTools_->setObjectName(QStringLiteral("tbrTools"));
  tbrTools_->setIconSize(QSize(24, 24));
  for (size_t i = 0; i < kToolButtons.size(); ++i) {
    const ToolButton& b = kToolButtons[i];
    QAction* action = tbrTools_->addAction(Icon(b.image), tr(b.tip));
    action->setObjectName(QString::fromLatin1(b.key));
    action->setToolTip(TipWithKey(tr(b.tip), Shortcut(b.tool)));
    action->setCheckable(b.tool != Tool::kClear && b.tool != Tool::kUndo);
    const Tool tool = b.tool;
    connect(action, &QAction::triggered, this, [this, tool] { tools_->ClickTool(tool); });
    tool_actions_[i] = action;
    if (b.tool == Tool::kUndo) tbrTools_->addSeparator();
  }

  tbrBrushes_ = new QToolBar(this);
  tbrBrushes_->setObjectName(QStringLiteral("tbrBrushes"));
  tbrBrushes_->setIconSize(QSize(24, 24));
  for (size_t i = 0; i < kBrushKeys.size(); ++i) {
    const int index = static_cast<int>(i);
    QAction* action = tbrBrushes_->addAction(Icon(kBrushImages[i]), tr(kBrushTips[i]));
    action->setObjectName(QString::fromLatin1(kBrushKeys[i]));
    action->setToolTip(TipWithKey(tr(kBrushTips[i]), BrushShortcut(index)));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, index] { tools_->ClickBrush(index); });
    brush_actions_[i] = action;
  }

  labStatusLine_ = new QLabel(this);
  labStatusLine_->setObjectName(QStringLiteral("labStatusLine"));
  labStatusLine_->setTextFormat(Qt::PlainText);
  status_small_font_ = labStatusLine_->font();
  status_small_font_.setBold(true);
  status_font_ = status_small_font_;
  status_font_.setPointSizeF(status_small_font_.pointSizeF() * 1.3);
  labStatusLine_->setFont(status_font_);

  picPad_ = new PadWidget(tools_, this);
  // The pad takes no clicks while it shows the winner: the display closes from its own button.
  cmdCloseWinner_ = new QToolButton(this);
  cmdCloseWinner_->setObjectName(QStringLiteral("cmdCloseWinner"));
  cmdCloseWinner_->setText(tr("Close"));
  cmdCloseWinner_->setToolTip(tr("Take the results off the pad"));
  cmdCloseWinner_->hide();
  connect(cmdCloseWinner_, &QToolButton::clicked, picPad_, [this] { picPad_->ShowWinner({}); });
  connect(picPad_, &PadWidget::winnerShownChanged, this, [this](bool shown) {
    cmdCloseWinner_->setVisible(shown);
    PlaceWinnerClose();
  });

  fraPalette_ = new QFrame(this);
  fraPalette_->setObjectName(QStringLiteral("fraPalette"));
  for (size_t i = 0; i < kPalette.size(); ++i) {
    auto* swatch = new QLabel(fraPalette_);
    swatch->setObjectName(QStringLiteral("labPalette"));
    swatch->setProperty("index", static_cast<int>(i));
    swatch->setToolTip(tr("Select this colour as the current drawing colour"));
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->installEventFilter(this);
    labPalette_[i] = swatch;
  }
  labColour_ = new QLabel(fraPalette_);
  labColour_->setObjectName(QStringLiteral("labColour"));
  labColour_->setToolTip(tr("The current colour: click to mix your own"));
  labColour_->setCursor(Qt::PointingHandCursor);
  labColour_->installEventFilter(this);

  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  tools_->AddOnChanged([this] { ShowToolState(); });
  ShowToolState();
}

// --- Sizes ---------------------------------------------------------------------------------------

int DrawingArea::SwatchSize(int pad_width) {
  return std::clamp(pad_width / 36, kMinSwatch, kMaxSwatch);
}

DrawingArea::PaletteShape DrawingArea::PaletteFor(int width, int pad_width) {
  PaletteShape shape;
  shape.swatch = SwatchSize(pad_width);
  const int step = shape.swatch + kSwatchGap;
  // The current colour is a square as tall as the swatches' rows.
  const int one_row = shape.swatch + kGap + kColumns * step;
  shape.rows = one_row <= width ? 1 : 2;
  const int height = shape.rows * step - kSwatchGap;
  const int columns = kColumns / shape.rows;
  shape.size = QSize(height + kGap + columns * step - kSwatchGap, height);
  return shape;
}

int DrawingArea::BarsHeight() const {
  return std::max(tbrTools_->sizeHint().height(), tbrBrushes_->sizeHint().height());
}

int DrawingArea::StatusHeight() const {
  // As tall as its large font whatever it says, so that a new text never moves the pad.
  return QFontMetrics(status_font_).height() + 4;
}

int DrawingArea::ChromeHeight(int width) const {
  const int status = StatusHeight();
  return BarsHeight() + status + PaletteFor(width, width).size.height() + 3 * kGap;
}

int DrawingArea::WidthForHeight(int height) const {
  // The palette grows with the pad, so the chrome depends a little on the width it is for.
  double width = drawing::Raster::kWidth;
  for (int i = 0; i < 3; ++i) {
    const int chrome = ChromeHeight(static_cast<int>(width));
    width =
        std::max(0, height - chrome) * double{drawing::Raster::kWidth} / drawing::Raster::kHeight;
  }
  return std::max(minimumSizeHint().width(), static_cast<int>(std::floor(width)));
}

QSize DrawingArea::sizeHint() const {
  const QSize pad = PadWidget::SizeAt(1.0);
  return QSize(std::max(pad.width(), minimumSizeHint().width()),
               ChromeHeight(pad.width()) + pad.height());
}

QSize DrawingArea::minimumSizeHint() const {
  const QSize pad = PadWidget::SizeAt(PadWidget::kMinScale);
  const int bars = tbrTools_->sizeHint().width() + tbrBrushes_->sizeHint().width();
  const int palette = PaletteFor(0, pad.width()).size.width();
  const int width = std::max({bars, palette, pad.width()});
  return QSize(width, ChromeHeight(width) + pad.height());
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void DrawingArea::Arrange() {
  const int w = width();
  const int bars = BarsHeight();
  const int tools_width = std::min(w, tbrTools_->sizeHint().width());
  tbrTools_->setGeometry(0, 0, tools_width, bars);
  tbrBrushes_->setGeometry(tools_width, 0, std::max(0, w - tools_width), bars);
  int y = bars + kGap;
  const int status = StatusHeight();
  labStatusLine_->setGeometry(0, y, w, status);
  ShowStatus();
  y += status + kGap;

  // The pad as large as the rest allows; the palette below it follows the pad's width.
  int pad_width = w;
  PaletteShape palette;
  QSize pad;
  for (int i = 0; i < 3; ++i) {
    palette = PaletteFor(w, pad_width);
    const int room = std::max(1, height() - y - kGap - palette.size.height());
    pad = PadWidget::SizeAt(
        std::min(double(w) / drawing::Raster::kWidth, double(room) / drawing::Raster::kHeight));
    pad_width = pad.width();
  }
  picPad_->setGeometry(0, y, pad.width(), pad.height());
  PlaceWinnerClose();
  y += pad.height() + kGap;

  fraPalette_->setGeometry(0, y, palette.size.width(), palette.size.height());
  const int s = palette.swatch;
  const int step = s + kSwatchGap;
  const int colour_side = palette.size.height();
  labColour_->setGeometry(0, 0, colour_side, colour_side);
  const int columns = kColumns / palette.rows;
  for (size_t i = 0; i < labPalette_.size(); ++i) {
    const int column = static_cast<int>(i) % columns;
    const int row = static_cast<int>(i) / columns;
    labPalette_[i]->setGeometry(colour_side + kGap + column * step, row * step, s, s);
  }
}

void DrawingArea::PlaceWinnerClose() {
  const QRect picture = picPad_->PictureRect().toAlignedRect().translated(picPad_->pos());
  cmdCloseWinner_->adjustSize();
  cmdCloseWinner_->move(picture.right() - cmdCloseWinner_->width() - kGap, picture.top() + kGap);
  cmdCloseWinner_->raise();
}

// --- Tool state ----------------------------------------------------------------------------------

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
          SwatchStyle(FromPadColour(kPalette[i]), static_cast<int>(i) == tools_->swatch()));
    }
    shown_swatch_ = tools_->swatch();
  }
  if (shown_colour_ != tools_->colour()) {
    labColour_->setStyleSheet(SwatchStyle(FromPadColour(tools_->colour()), false));
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
  auto* dialog = new QColorDialog(FromPadColour(tools_->colour()), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QColorDialog::colorSelected, this,
          [this](const QColor& colour) { tools_->ChooseCustomColour(ToPadColour(colour)); });
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

void DrawingArea::SetStatus(const QString& text) {
  status_ = text;
  labStatusLine_->setToolTip(text);
  ShowStatus();
}

void DrawingArea::ShowStatus() {
  // A narrow window (a large scale, a small screen) would otherwise cut off the end of a long
  // line, which is often what it asks the player to do: smaller type keeps it whole.
  const int room = std::max(0, labStatusLine_->width());
  const bool fits = QFontMetrics(status_font_).horizontalAdvance(status_) <= room;
  const QFont& font = fits ? status_font_ : status_small_font_;
  labStatusLine_->setFont(font);
  labStatusLine_->setText(QFontMetrics(font).elidedText(status_, Qt::ElideRight, room));
}

}  // namespace client
