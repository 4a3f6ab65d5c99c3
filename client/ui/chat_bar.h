// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace client {

class ChatInput;
class ChatView;
class UserList;

// The floating chat window: its own chat view, chat input and user list, mirroring the main
// window's while it is open.
class ChatBar : public QWidget {
  Q_OBJECT
 public:
  explicit ChatBar(QWidget* parent);

  ChatView* chat() const { return rtbChat_; }
  ChatInput* input() const { return txtChat_; }
  UserList* users() const { return lvwUsers_; }
  void SetKeepOnTop(bool on_top);

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ChatView* rtbChat_;
  ChatInput* txtChat_;
  UserList* lvwUsers_;
};

}  // namespace client
