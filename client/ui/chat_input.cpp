// SPDX-License-Identifier: MIT
#include "client/ui/chat_input.h"

#include <QKeyEvent>

namespace client {

ChatInput::ChatInput(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("txtChat"));
  // Anything longer would be cut when sent anyway.
  setMaxLength(1024);
}

void ChatInput::keyPressEvent(QKeyEvent* event) {
  emit keyDown();
  if (event->key() == Qt::Key_Up) {
    const QString typed = text();
    setText(remembered_);
    remembered_ = typed;
    end(false);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QString line = text();
    if (line.isEmpty()) return;
    remembered_ = line;
    clear();
    emit lineEntered(line);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace client
