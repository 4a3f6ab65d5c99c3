// SPDX-License-Identifier: MIT
#pragma once

#include <QTextEdit>

#include "client/room/client_ports.h"

namespace client {

// The chat view: lines of coloured text with bold senders. Text from the network is always
// inserted as plain text, never read as markup, and the view keeps the newest kMaxLines lines
// so that a long session cannot grow it without bound.
class ChatView : public QTextEdit {
  Q_OBJECT
 public:
  static constexpr int kMaxLines = 5000;

  explicit ChatView(QWidget* parent = nullptr);

  void AddLine(const ChatLine& line);
  void AddWelcome(const QString& title, const QString& rest, const QString& hint);
  void Clear();
  // Takes over another view's lines (the floating chat window and back).
  void CopyFrom(const ChatView& other);
  // Shows the newest line, and keeps showing the newest until the player scrolls up.
  void ScrollToEnd();
  // Whether new lines come into view: false while the player reads further up.
  bool following() const { return following_; }

 signals:
  // A click without a selection: the chat input should take the focus.
  void inputFocusWanted();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // A new paragraph at the end (none before the first line).
  QTextCursor NewParagraph();
  void TrimToLimit();

  bool has_lines_ = false;
  bool following_ = true;
  // Set while the view scrolls itself, so that only the player's scrolling stops the following.
  bool scrolling_ = false;
};

QColor ToQColor(Colour colour);

}  // namespace client
