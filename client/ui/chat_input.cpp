// SPDX-License-Identifier: MIT
#include "client/ui/chat_input.h"

#include <QKeyEvent>
#include <QToolTip>

#include "protocol/limits.h"

namespace client {

static_assert(protocol::kChatLength == 512, "ChatInput::kLimitText names the length");

ChatInput::ChatInput(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("txtChat"));
  setMaxLength(static_cast<int>(protocol::kChatLength));
  connect(this, &QLineEdit::textChanged, this, &ChatInput::CheckLimit);
}

void ChatInput::CheckLimit() {
  const bool full = text().size() >= maxLength();
  if (full && !limit_shown_) {
    QToolTip::showText(mapToGlobal(QPoint(0, height())), tr(kLimitText), this);
  } else if (!full && limit_shown_) {
    QToolTip::hideText();
  }
  limit_shown_ = full;
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
  // A key that adds nothing to a full line still deserves the reason.
  if (text().size() >= maxLength() && !hasSelectedText() && !event->text().isEmpty() &&
      event->text()[0].isPrint()) {
    QToolTip::showText(mapToGlobal(QPoint(0, height())), tr(kLimitText), this);
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace client
