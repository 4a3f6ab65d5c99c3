// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace scrawlbox {

// The start-up picture: the program's name and version, closed by its own timer or a click.
class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMs = 2500;

  explicit SplashWindow(const QString& program_name);
  // Shows the window and starts the timer that closes it.
  void ShowFor(int ms = kShowMs);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString program_name_;
};

}  // namespace scrawlbox
