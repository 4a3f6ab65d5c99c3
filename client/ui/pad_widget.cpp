// SPDX-License-Identifier: MIT
#include "client/ui/pad_widget.h"

#include <QFile>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "client/drawing/pad_image.h"
#include "client/ui/svg_picture.h"

namespace client {

namespace {

// The overlays' sizes on a pad shown at 1:1, in logical pixels.
constexpr int kClearMessageWidth = 200;
constexpr int kWinnerPictureWidth = 240;
constexpr int kWinnerPoints = 22;
constexpr int kPodiumPoints = 13;
constexpr int kPatternPoints = 16;
constexpr int kCursorSize = 32;
// The eraser indicator is 345 twips across.
constexpr double kEraserIndicatorRadius = 345.0 / 15 / 2;

bool IsWhole(double value) {
  return std::fabs(value - std::round(value)) < 1e-6;
}

// The English lettering of the overlays' pictures, which the pad writes in the player's language:
// each text's size and weight in the picture and the width it has there, in picture units.
struct Lettering {
  const char* text;
  double size;
  bool bold;
  double room;
};
constexpr Lettering kLettering[] = {
    {QT_TRANSLATE_NOOP("client::PadWidget", "Click Clear again"), 15, true, 150},
    {QT_TRANSLATE_NOOP("client::PadWidget", "to wipe the pad"), 15, false, 150},
    {QT_TRANSLATE_NOOP("client::PadWidget", "The winner"), 23, true, 158},
    {QT_TRANSLATE_NOOP("client::PadWidget", "is..."), 28, true, 92},
};

// The picture's text with its lettering translated; a translation wider than the room there is
// set smaller, so that none runs off the picture.
QByteArray Lettered(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString svg = QString::fromUtf8(file.readAll());
  for (const Lettering& lettering : kLettering) {
    const QString text = PadWidget::tr(lettering.text);
    if (text == QLatin1String(lettering.text)) continue;
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(lettering.size));
    font.setBold(lettering.bold);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    const double size =
        width > lettering.room ? lettering.size * lettering.room / width : lettering.size;
    // <text ...>English</text> in, the element's own size (if any) replaced.
    const QRegularExpression element(
        QStringLiteral("<text([^>]*)>%1</text>")
            .arg(QRegularExpression::escape(QString::fromLatin1(lettering.text))));
    QString result;
    qsizetype done = 0;
    for (auto it = element.globalMatch(svg); it.hasNext();) {
      const QRegularExpressionMatch match = it.next();
      QString attributes = match.captured(1);
      attributes.remove(QRegularExpression(QStringLiteral("\\sfont-size=\"[^\"]*\"")));
      result += svg.mid(done, match.capturedStart() - done) +
                QStringLiteral("<text%1 font-size=\"%2\">%3</text>")
                    .arg(attributes, QString::number(size, 'f', 1), text.toHtmlEscaped());
      done = match.capturedEnd();
    }
    svg = result + svg.mid(done);
  }
  return svg.toUtf8();
}

}  // namespace

PadWidget::PadWidget(PadTools* tools, QWidget* parent) : QWidget(parent), tools_(tools) {
  setObjectName(QStringLiteral("picPad"));
  setMouseTracking(true);
  // A click on the pad takes the focus from the chat, so that the tools' keys reach the menus.
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  QFile hotspots(CursorPath(QStringLiteral("hotspots.txt")));
  if (hotspots.open(QIODevice::ReadOnly | QIODevice::Text)) {
    QTextStream in(&hotspots);
    while (!in.atEnd()) {
      const QStringList parts = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
      if (parts.size() == 3) hotspots_.insert(parts[0], QPoint(parts[1].toInt(), parts[2].toInt()));
    }
  }

  tools_->AddOnChanged([this] { Refresh(); });
  Refresh();
}

QSize PadWidget::SizeAt(double scale) {
  return QSize(static_cast<int>(std::floor(drawing::Raster::kWidth * scale + 1e-6)),
               static_cast<int>(std::floor(drawing::Raster::kHeight * scale + 1e-6)));
}

QSize PadWidget::sizeHint() const {
  return SizeAt(1.0);
}

QSize PadWidget::minimumSizeHint() const {
  return SizeAt(kMinScale);
}

double PadWidget::Scale() const {
  const double ratio = devicePixelRatioF();
  const double fit = std::min(width() * ratio / drawing::Raster::kWidth,
                              height() * ratio / drawing::Raster::kHeight);
  return std::max(fit, 0.01);
}

QRectF PadWidget::PictureRect() const {
  const double ratio = devicePixelRatioF();
  const double scale = Scale();
  // Whole device pixels: a picture that ended within a pixel would leave that pixel's row or
  // column half drawn, a dark line along its edge once smoothed.
  const double device_width = std::floor(drawing::Raster::kWidth * scale + 1e-6);
  const double device_height = std::floor(drawing::Raster::kHeight * scale + 1e-6);
  // Whole device pixels at the corner keep whole multiples exact.
  const double left = std::floor((width() * ratio - device_width) / 2);
  const double top = std::floor((height() * ratio - device_height) / 2);
  return QRectF(std::max(0.0, left) / ratio, std::max(0.0, top) / ratio, device_width / ratio,
                device_height / ratio);
}

PadPoint PadWidget::PadPointAt(const QPointF& position) const {
  const QRectF picture = PictureRect();
  const double to_pad = devicePixelRatioF() / Scale();
  return {std::floor((position.x() - picture.left()) * to_pad + 1e-9),
          std::floor((position.y() - picture.top()) * to_pad + 1e-9)};
}

void PadWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Refresh();
}

void PadWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Moving the window to a screen with another pixel ratio changes every size in pixels.
  if (QWindow* handle = window()->windowHandle(); handle && !watching_screen_) {
    watching_screen_ = true;
    connect(handle, &QWindow::screenChanged, this, [this] { Refresh(); });
  }
  Refresh();
}

const QPixmap& PadWidget::Overlay(QPixmap& cache, const QString& file, int width) const {
  const double ratio = devicePixelRatioF();
  if (cache.isNull() || cache.deviceIndependentSize().width() != width ||
      cache.devicePixelRatio() != ratio) {
    cache = RenderSvgData(Lettered(ImagePath(file)), width, ratio);
  }
  return cache;
}

QRect PadWidget::ClearMessageRect() const {
  if (!tools_->clear_message_shown()) return {};
  const int width =
      std::max(60, static_cast<int>(std::lround(kClearMessageWidth * LogicalScale())));
  const QSize size = Overlay(clear_message_, QStringLiteral("clear_confirm.svg"), width)
                         .deviceIndependentSize()
                         .toSize();
  QRect placed(QPoint(0, 0), size);
  placed.moveCenter(PictureRect().center().toPoint());
  return placed;
}

QRect PadWidget::WinnerRect() const {
  if (!winner_shown()) return {};
  const int width = std::max(80, static_cast<int>(kWinnerPictureWidth * LogicalScale()));
  const QSize size = Overlay(winner_picture_, QStringLiteral("winner.svg"), width)
                         .deviceIndependentSize()
                         .toSize();
  const QPointF centre = PictureRect().center();
  return QRect(static_cast<int>(centre.x() - size.width() / 2.0),
               static_cast<int>(centre.y()) - size.height() - 4, size.width(), size.height());
}

QFont PadWidget::WinnerFont() const {
  QFont big = font();
  big.setPointSizeF(std::max(12.0, kWinnerPoints * LogicalScale()));
  big.setBold(true);
  return big;
}

QFont PadWidget::PatternFont() const {
  QFont big = font();
  big.setPointSizeF(std::max(12.0, kPatternPoints * LogicalScale()));
  big.setBold(true);
  // Blanks side by side run together; apart, they can be counted.
  big.setLetterSpacing(QFont::AbsoluteSpacing, std::round(2 * LogicalScale()));
  return big;
}

QRect PadWidget::PatternRect() const {
  if (pattern_.isEmpty()) return {};
  const QFontMetrics metrics(PatternFont());
  const int pad = static_cast<int>(std::lround(std::max(3.0, 6 * LogicalScale())));
  const QRectF picture = PictureRect();
  const int width =
      std::min(metrics.horizontalAdvance(pattern_) + 2 * pad, static_cast<int>(picture.width()));
  const int height = metrics.height() + pad;
  return QRect(static_cast<int>(picture.center().x() - width / 2.0),
               static_cast<int>(picture.top()) + pad, width, height);
}

void PadWidget::SetWordPattern(const QString& pattern) {
  if (pattern == pattern_) return;
  pattern_ = pattern;
  update();
}

void PadWidget::PaintWinner(QPainter& p) {
  const QRect picture_rect = WinnerRect();
  p.drawPixmap(picture_rect.topLeft(), winner_picture_);
  const QRectF pad = PictureRect();
  p.setFont(WinnerFont());
  const QRectF line(pad.left(), pad.center().y(), pad.width(), p.fontMetrics().height() * 1.2);
  const double shadow = std::max(1.0, std::round(2 * LogicalScale()));
  p.setPen(QColor(0xc8, 0xc8, 0xc8));
  p.drawText(line.translated(shadow, shadow), Qt::AlignHCenter | Qt::AlignTop, winner_);
  p.setPen(QColor(0xd0, 0x30, 0x20));
  p.drawText(line, Qt::AlignHCenter | Qt::AlignTop, winner_);
  if (podium_.isEmpty()) return;
  // The top of the final standings below the name, one line each.
  QFont small = font();
  small.setPointSizeF(std::max(9.0, kPodiumPoints * LogicalScale()));
  small.setBold(true);
  p.setFont(small);
  const double top = line.bottom() + std::round(8 * LogicalScale());
  const QRectF lines(pad.left(), top, pad.width(), std::max(0.0, pad.bottom() - top));
  p.setPen(QColor(0x40, 0x40, 0x40));
  p.drawText(lines, Qt::AlignHCenter | Qt::AlignTop, podium_.join(QLatin1Char('\n')));
}

void PadWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRectF picture = PictureRect();
  // The picture may end inside a logical pixel (an odd number of device pixels on a screen at
  // 2x): only the whole logical pixels it covers are left out of the background, so that no
  // part of a pixel stays unpainted.
  const QRect inside(QPoint(static_cast<int>(std::ceil(picture.left())),
                            static_cast<int>(std::ceil(picture.top()))),
                     QPoint(static_cast<int>(std::floor(picture.right())) - 1,
                            static_cast<int>(std::floor(picture.bottom())) - 1));
  const QRegion outside = QRegion(rect()) - QRegion(inside);
  for (const QRect& part : outside & event->region()) p.fillRect(part, palette().window());
  p.setClipRect(picture);
  // Whole multiples stay pixel for pixel; anything between is smoothed.
  p.setRenderHint(QPainter::SmoothPixmapTransform, !IsWhole(Scale()));
  p.drawImage(picture, PictureView(tools_->raster()));

  // The previews, in pad pixels.
  p.translate(picture.topLeft());
  p.scale(LogicalScale(), LogicalScale());
  const PadTools::Previews& previews = tools_->previews();
  const QColor colour = FromPadColour(tools_->colour());
  p.setPen(QPen(colour, tools_->raster().pen_width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (const auto& line = previews.line) {
    p.drawLine(QLineF(line->first.x, line->first.y, line->second.x, line->second.y));
  }
  p.setBrush(tools_->fill_solid() ? QBrush(colour) : QBrush(Qt::NoBrush));
  const auto rect = [](const PadRect& r) { return QRectF(r.x, r.y, r.width, r.height); };
  if (previews.box) p.drawRect(rect(*previews.box));
  if (previews.oval) p.drawEllipse(rect(*previews.oval));
  if (previews.eraser) {
    p.setBrush(Qt::NoBrush);
    QPen dashed(Qt::black, 1, Qt::DashLine);
    dashed.setCosmetic(true);
    p.setPen(dashed);
    p.drawEllipse(QPointF(previews.eraser->x, previews.eraser->y), kEraserIndicatorRadius,
                  kEraserIndicatorRadius);
  }

  p.resetTransform();
  if (const QRect message = ClearMessageRect(); !message.isEmpty()) {
    p.drawPixmap(message.topLeft(), clear_message_);
  }
  if (winner_shown()) PaintWinner(p);
  if (const QRect word = PatternRect(); !word.isEmpty()) {
    // Light enough to let the drawing under it show through.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80, 0xa0), 1));
    p.setBrush(QColor(0xff, 0xff, 0xf0, 0xc8));
    const double radius = word.height() / 4.0;
    p.drawRoundedRect(QRectF(word).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setFont(PatternFont());
    p.setPen(QColor(0x10, 0x20, 0x60));
    // A little above the middle: blanks sit low, on the line below the letters.
    p.drawText(word.translated(0, -word.height() / 12), Qt::AlignCenter,
               QFontMetrics(p.font()).elidedText(pattern_, Qt::ElideRight, word.width()));
  }
}

int PadWidget::ButtonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

int PadWidget::ButtonsNumber(Qt::MouseButtons buttons) {
  // Only one button at a time means anything to the tools; other combinations draw nothing.
  if (buttons == Qt::LeftButton) return kLeftButton;
  if (buttons == Qt::RightButton) return kRightButton;
  if (buttons == Qt::MiddleButton) return kMiddleButton;
  return buttons == Qt::NoButton ? 0 : -1;
}

void PadWidget::mousePressEvent(QMouseEvent* event) {
  // A click on the clear's message only takes the message away.
  if (ClearMessageRect().contains(event->position().toPoint())) {
    tools_->HideClearMessage();
    return;
  }
  const int button = ButtonsNumber(event->buttons());
  if (button > 0) tools_->Press(button, PadPointAt(event->position()));
}

void PadWidget::mouseMoveEvent(QMouseEvent* event) {
  const int buttons = ButtonsNumber(event->buttons());
  if (buttons >= 0) tools_->Move(buttons, PadPointAt(event->position()));
}

void PadWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int button = ButtonNumber(event->button());
  if (button > 0 && event->buttons() == Qt::NoButton) {
    tools_->Release(button, PadPointAt(event->position()));
  }
}

QCursor PadWidget::CursorFor(const QString& file) const {
  // Cursors grow with the pad, in quarter steps, from their own size up to three times it.
  const double scale = std::clamp(std::round(LogicalScale() * 4) / 4, 1.0, 3.0);
  const int size = static_cast<int>(std::lround(kCursorSize * scale));
  const QPixmap pixmap = RenderSvg(CursorPath(file), size, devicePixelRatioF());
  if (pixmap.isNull()) return QCursor(Qt::CrossCursor);
  const QPoint hot = hotspots_.value(file, QPoint(kCursorSize / 2, kCursorSize / 2));
  // The hotspot is the centre of its pixel in the cursor's own 32-pixel grid.
  return QCursor(pixmap, static_cast<int>((hot.x() + 0.5) * scale),
                 static_cast<int>((hot.y() + 0.5) * scale));
}

void PadWidget::SetCursorChoice(int drawing_cursor, bool tool_cursor) {
  drawing_cursor_ = drawing_cursor;
  tool_cursor_ = tool_cursor;
  Refresh();
}

void PadWidget::SetDrawingAllowed(bool allowed) {
  drawing_allowed_ = allowed;
  // A clear asked for by a player who may no longer draw is not waiting any more.
  if (!allowed && tools_->clear_message_shown()) tools_->HideClearMessage();
  setEnabled(allowed && !winner_shown());
}

void PadWidget::ShowWinner(const QString& nickname, const QStringList& podium) {
  const bool was_shown = winner_shown();
  winner_ = nickname;
  podium_ = nickname.isEmpty() ? QStringList() : podium;
  if (nickname.isEmpty()) {
    setEnabled(drawing_allowed_);
  } else {
    tools_->raster().Clear();
    if (tools_->clear_message_shown()) tools_->HideClearMessage();
    setEnabled(false);
  }
  update();
  if (was_shown != winner_shown()) emit winnerShownChanged(winner_shown());
}

void PadWidget::Refresh() {
  QString file = QStringLiteral("draw_%1.svg").arg(drawing_cursor_);
  if (tool_cursor_) {
    switch (tools_->cursor_tool()) {
      case Tool::kLine:
        file = QStringLiteral("line.svg");
        break;
      case Tool::kBox:
        file = QStringLiteral("box.svg");
        break;
      case Tool::kCircle:
        file = QStringLiteral("circle.svg");
        break;
      case Tool::kSpray:
        file = QStringLiteral("spray.svg");
        break;
      case Tool::kFlood:
        file = QStringLiteral("fill.svg");
        break;
      default:
        break;
    }
  }
  const double cursor_scale = std::round(LogicalScale() * 4) * devicePixelRatioF();
  if (cursor_file_ != file || cursor_scale_ != cursor_scale) {
    setCursor(CursorFor(file));
    cursor_file_ = file;
    cursor_scale_ = cursor_scale;
  }
  update();
}

}  // namespace client
