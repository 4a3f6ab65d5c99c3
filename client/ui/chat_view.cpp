// SPDX-License-Identifier: MIT
#include "client/ui/chat_view.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>

#include "common/qt/text_codec.h"

namespace client {

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
                static_cast<int>((colour >> 16) & 255));
}

ChatView::ChatView(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("rtbChat"));
  setReadOnly(true);
  setAcceptRichText(false);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QScrollBar* bar = verticalScrollBar();
  // The range changes after every line, resize and float, often later, as the document lays
  // itself out: a view that showed the newest line keeps showing it then.
  connect(bar, &QScrollBar::rangeChanged, this, [this] {
    if (following_) ScrollToEnd();
  });
  connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
    if (!scrolling_) following_ = value >= bar->maximum();
  });
}

QTextCursor ChatView::NewParagraph() {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  if (has_lines_) cursor.insertBlock();
  has_lines_ = true;
  return cursor;
}

void ChatView::AddLine(const ChatLine& line) {
  QTextCursor cursor = NewParagraph();
  QTextCharFormat normal;
  normal.setForeground(Qt::black);
  if (!line.text.empty()) {
    QTextCharFormat bold = normal;
    bold.setFontWeight(QFont::Bold);
    const QString sender = scrawlbox::FromWire(line.sender).toUpper();
    if (line.plain) {
      cursor.insertText(sender + QLatin1Char(':'), bold);
      cursor.insertText(QStringLiteral(" "), normal);
    } else {
      cursor.insertText(QStringLiteral("<"), normal);
      cursor.insertText(sender, bold);
      cursor.insertText(QStringLiteral(">: "), normal);
    }
    QTextCharFormat text = normal;
    text.setForeground(ToQColor(line.colour));
    cursor.insertText(scrawlbox::FromWire(line.text), text);
  }
  TrimToLimit();
  if (following_) ScrollToEnd();
}

void ChatView::AddWelcome(const QString& title, const QString& rest, const QString& hint) {
  QTextCursor cursor = NewParagraph();
  QTextCharFormat normal;
  QTextCharFormat emphasised;
  emphasised.setFontWeight(QFont::Bold);
  emphasised.setFontUnderline(true);
  cursor.insertText(QStringLiteral("  "), normal);
  cursor.insertText(title, emphasised);
  cursor.insertText(rest, normal);
  cursor.insertBlock();
  cursor.insertText(hint, normal);
  if (following_) ScrollToEnd();
}

void ChatView::Clear() {
  clear();
  has_lines_ = false;
}

void ChatView::TrimToLimit() {
  const int excess = document()->blockCount() - kMaxLines;
  if (excess <= 0) return;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
  cursor.removeSelectedText();
}

void ChatView::CopyFrom(const ChatView& other) {
  // The other view's text was inserted as plain text, so its markup holds nothing a peer wrote
  // as markup.
  document()->setHtml(other.document()->toHtml());
  has_lines_ = other.has_lines_;
  ScrollToEnd();
}

void ChatView::ScrollToEnd() {
  following_ = true;
  const QScopedValueRollback<bool> scrolling(scrolling_, true);
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  if (!textCursor().hasSelection()) setTextCursor(cursor);
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->maximum());
}

void ChatView::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    QApplication::clipboard()->setText(
        cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
    cursor.clearSelection();
    setTextCursor(cursor);
  } else {
    emit inputFocusWanted();
  }
}

}  // namespace client
