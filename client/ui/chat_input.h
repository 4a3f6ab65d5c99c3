// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace client {

// The one-line chat input. Enter hands the line over and empties the input; the up arrow swaps
// the text with the line remembered from the last Enter, so a second press brings back what was
// being typed.
class ChatInput : public QLineEdit {
  Q_OBJECT
 public:
  explicit ChatInput(QWidget* parent = nullptr);

 signals:
  void lineEntered(const QString& text);
  void keyDown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString remembered_;
};

}  // namespace client
