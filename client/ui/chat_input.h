// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace client {

// The one-line chat input. Enter hands the line over and empties the input; the up arrow swaps
// the text with the line remembered from the last Enter, so a second press brings back what was
// being typed. It takes no more than a room relays, and says so when that is reached.
class ChatInput : public QLineEdit {
  Q_OBJECT
 public:
  static constexpr char kLimitText[] =
      QT_TR_NOOP("A chat line holds at most 512 characters: rooms pass on no more.");

  explicit ChatInput(QWidget* parent = nullptr);

  bool limit_shown() const { return limit_shown_; }

 signals:
  void lineEntered(const QString& text);
  void keyDown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CheckLimit();

  QString remembered_;
  bool limit_shown_ = false;
};

}  // namespace client
