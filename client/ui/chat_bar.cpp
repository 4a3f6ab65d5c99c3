// SPDX-License-Identifier: MIT
#include "client/ui/chat_bar.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

#include "client/ui/chat_input.h"
#include "client/ui/chat_view.h"
#include "client/ui/user_list.h"

namespace client {

ChatBar::ChatBar(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("wChatBar"));
  setWindowTitle(tr("Scrawlbox Chat"));
  rtbChat_ = new ChatView;
  txtChat_ = new ChatInput;
  lvwUsers_ = new UserList;
  auto* left = new QWidget;
  auto* left_layout = new QVBoxLayout(left);
  left_layout->setContentsMargins(0, 0, 0, 0);
  left_layout->addWidget(rtbChat_, 1);
  left_layout->addWidget(txtChat_);
  auto* splitter = new QSplitter;
  splitter->addWidget(left);
  splitter->addWidget(lvwUsers_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);
  resize(560, 300);
  connect(rtbChat_, &ChatView::inputFocusWanted, txtChat_, [this] { txtChat_->setFocus(); });
}

void ChatBar::SetKeepOnTop(bool on_top) {
  const bool was_visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  if (was_visible) show();  // changing the flags hides the window
}

void ChatBar::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace client
