// SPDX-License-Identifier: MIT
#include "client/ui/pad_widget.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTextStream>
#include <QWindow>
#include <cmath>

#include "client/ui/svg_picture.h"

namespace client {

PadWidget::PadWidget(PadTools* tools, const QString& images_folder, const QString& cursors_folder,
                     QWidget* parent)
    : QWidget(parent), tools_(tools), cursors_folder_(cursors_folder) {
  setObjectName(QStringLiteral("picPad"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);

  QFile hotspots(QDir(cursors_folder).filePath(QStringLiteral("hotspots.txt")));
  if (hotspots.open(QIODevice::ReadOnly | QIODevice::Text)) {
    QTextStream in(&hotspots);
    while (!in.atEnd()) {
      const QStringList parts = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
      if (parts.size() == 3) hotspots_.insert(parts[0], QPoint(parts[1].toInt(), parts[2].toInt()));
    }
  }

  imgClearMessage_ = new QLabel(this);
  imgClearMessage_->setObjectName(QStringLiteral("imgClearMessage"));
  imgClearMessage_->setPixmap(
      RenderSvg(QDir(images_folder).filePath(QStringLiteral("clear_confirm.svg")), 200));
  imgClearMessage_->setFixedSize(200, 60);
  imgClearMessage_->setCursor(Qt::PointingHandCursor);
  imgClearMessage_->installEventFilter(this);
  imgClearMessage_->hide();

  imgTheWinnerIs_ = new QLabel(this);
  imgTheWinnerIs_->setObjectName(QStringLiteral("imgTheWinnerIs"));
  imgTheWinnerIs_->setPixmap(
      RenderSvg(QDir(images_folder).filePath(QStringLiteral("winner.svg")), 240));
  imgTheWinnerIs_->hide();
  for (int i = 0; i < 2; ++i) {
    labWinner_[i] = new QLabel(this);
    labWinner_[i]->setObjectName(QStringLiteral("labWinner"));
    labWinner_[i]->setTextFormat(Qt::PlainText);
    labWinner_[i]->setAlignment(Qt::AlignCenter);
    QFont big = labWinner_[i]->font();
    big.setPointSize(22);
    big.setBold(true);
    labWinner_[i]->setFont(big);
    // The first label is the shadow of the second.
    labWinner_[i]->setStyleSheet(i == 0 ? QStringLiteral("color: #c8c8c8;")
                                        : QStringLiteral("color: #d03020;"));
    labWinner_[i]->hide();
  }
  labPodium_ = new QLabel(this);
  labPodium_->setObjectName(QStringLiteral("labPodium"));
  labPodium_->setTextFormat(Qt::PlainText);
  labPodium_->setAlignment(Qt::AlignCenter);
  QFont podium_font = labPodium_->font();
  podium_font.setPointSize(13);
  podium_font.setBold(true);
  labPodium_->setFont(podium_font);
  labPodium_->setStyleSheet(QStringLiteral("color: #404040;"));
  labPodium_->hide();
  tmrDisplayWinner_.setSingleShot(true);
  tmrDisplayWinner_.setInterval(kWinnerMs);
  connect(&tmrDisplayWinner_, &QTimer::timeout, this, [this] { ShowWinner(QString()); });

  tools_->AddOnChanged([this] { Refresh(); });
  UpdateLayout();
  Refresh();
}

int PadWidget::Scale() const {
  return std::max(1, static_cast<int>(std::floor(devicePixelRatioF() + 0.01)));
}

void PadWidget::UpdateLayout() {
  const double dpr = devicePixelRatioF();
  const int k = Scale();
  setFixedSize(static_cast<int>(std::ceil(PadEngine::kWidth * k / dpr)),
               static_cast<int>(std::ceil(PadEngine::kHeight * k / dpr)));
  imgClearMessage_->move((width() - imgClearMessage_->width()) / 2,
                         (height() - imgClearMessage_->height()) / 2);
}

void PadWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Moving the window to a screen with another pixel ratio changes the whole multiple.
  if (QWindow* handle = window()->windowHandle(); handle && !watching_screen_) {
    watching_screen_ = true;
    connect(handle, &QWindow::screenChanged, this, [this] { UpdateLayout(); });
  }
  UpdateLayout();
}

QPointF PadWidget::PadPoint(const QPointF& position) const {
  const double factor = devicePixelRatioF() / Scale();
  return QPointF(std::floor(position.x() * factor), std::floor(position.y() * factor));
}

void PadWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const double to_screen = static_cast<double>(Scale()) / devicePixelRatioF();
  p.drawImage(QRectF(0, 0, PadEngine::kWidth * to_screen, PadEngine::kHeight * to_screen),
              tools_->engine().picture());
  p.fillRect(QRectF(PadEngine::kWidth * to_screen, 0, width(), height()), palette().window());
  p.fillRect(QRectF(0, PadEngine::kHeight * to_screen, width(), height()), palette().window());

  // The previews, in pad pixels.
  p.scale(to_screen, to_screen);
  const PadTools::Previews& previews = tools_->previews();
  const QColor colour = tools_->colour();
  QPen pen(colour, tools_->engine().pen_width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  if (previews.line) p.drawLine(*previews.line);
  p.setBrush(tools_->fill_solid() ? QBrush(colour) : QBrush(Qt::NoBrush));
  if (previews.box) p.drawRect(*previews.box);
  if (previews.oval) p.drawEllipse(*previews.oval);
  if (previews.eraser) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    const double radius = 345.0 / 15 / 2;  // the indicator is 345 twips across
    p.drawEllipse(*previews.eraser, radius, radius);
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
  const int button = ButtonsNumber(event->buttons());
  if (button > 0) tools_->Press(button, PadPoint(event->position()));
}

void PadWidget::mouseMoveEvent(QMouseEvent* event) {
  const int buttons = ButtonsNumber(event->buttons());
  if (buttons >= 0) tools_->Move(buttons, PadPoint(event->position()));
}

void PadWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int button = ButtonNumber(event->button());
  if (button > 0 && event->buttons() == Qt::NoButton) {
    tools_->Release(button, PadPoint(event->position()));
  }
}

bool PadWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgClearMessage_ && event->type() == QEvent::MouseButtonPress) {
    tools_->HideClearMessage();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QCursor PadWidget::CursorFor(const QString& file) const {
  const QPixmap pixmap = RenderSvg(QDir(cursors_folder_).filePath(file), 32);
  if (pixmap.isNull()) return QCursor(Qt::CrossCursor);
  const QPoint hot = hotspots_.value(file, QPoint(16, 16));
  return QCursor(pixmap, hot.x(), hot.y());
}

void PadWidget::SetCursorChoice(int drawing_cursor, bool tool_cursor) {
  drawing_cursor_ = drawing_cursor;
  tool_cursor_ = tool_cursor;
  Refresh();
}

void PadWidget::SetDrawingAllowed(bool allowed) {
  drawing_allowed_ = allowed;
  setEnabled(allowed && !winner_shown());
}

void PadWidget::ShowWinner(const QString& nickname, const QStringList& podium) {
  if (nickname.isEmpty()) {
    tmrDisplayWinner_.stop();
    imgTheWinnerIs_->hide();
    for (QLabel* label : labWinner_) label->hide();
    labPodium_->hide();
    setEnabled(drawing_allowed_);
    return;
  }
  tools_->engine().Clear();
  setEnabled(false);
  tmrDisplayWinner_.start();
  imgTheWinnerIs_->adjustSize();
  imgTheWinnerIs_->move((width() - imgTheWinnerIs_->width()) / 2, height() / 2 - 110);
  for (int i = 0; i < 2; ++i) {
    labWinner_[i]->setText(nickname);
    labWinner_[i]->setFixedWidth(width());
    labWinner_[i]->adjustSize();
    labWinner_[i]->move(i == 0 ? 2 : 0, height() / 2 + (i == 0 ? 2 : 0));
    labWinner_[i]->show();
  }
  labWinner_[1]->raise();
  labPodium_->setText(podium.join(QLatin1Char('\n')));
  labPodium_->setFixedWidth(width());
  labPodium_->adjustSize();
  labPodium_->move(0, labWinner_[1]->y() + labWinner_[1]->height() + 8);
  labPodium_->setVisible(!podium.isEmpty());
  imgTheWinnerIs_->show();
  update();
}

void PadWidget::Refresh() {
  imgClearMessage_->setVisible(tools_->clear_message_shown());
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
  if (property("cursorFile").toString() != file) {
    setCursor(CursorFor(file));
    setProperty("cursorFile", file);
  }
  update();
}

}  // namespace client
