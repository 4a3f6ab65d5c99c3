// SPDX-License-Identifier: MIT
#include "common/ui/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "common/qt/app_identity.h"
#include "common/version.h"

namespace scrawlbox {

SplashWindow::SplashWindow(const QString& program_name) : program_name_(program_name) {
  setObjectName(QStringLiteral("wSplash"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(440, 220);
}

void SplashWindow::ShowFor(int ms) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  show();
  QTimer::singleShot(ms, this, &QWidget::close);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(255, 253, 240));
  // A scribble across the card: the game in one stroke.
  QPainterPath scribble(QPointF(30, 170));
  scribble.cubicTo(120, 120, 160, 210, 240, 160);
  scribble.cubicTo(300, 120, 340, 200, 410, 150);
  p.setPen(QPen(QColor(230, 90, 60), 6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(scribble);
  p.setPen(QPen(QColor(60, 60, 60), 2));
  p.drawRect(rect().adjusted(1, 1, -2, -2));

  QFont title = font();
  title.setPointSize(28);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(40, 40, 90));
  p.drawText(QRect(0, 30, width(), 50), Qt::AlignCenter, QStringLiteral("Scrawlbox"));
  QFont sub = font();
  sub.setPointSize(12);
  p.setFont(sub);
  p.drawText(
      QRect(0, 82, width(), 24), Qt::AlignCenter,
      tr("%1 - version %2 (build %3)").arg(program_name_, VersionLabel()).arg(kVersionRevision));
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
  close();
}

}  // namespace scrawlbox
