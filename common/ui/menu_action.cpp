// SPDX-License-Identifier: MIT
#include "common/ui/menu_action.h"

namespace scrawlbox {

QAction* AddMenuAction(QMenu* menu, const char* name, const char* caption, QObject* owner,
                       std::function<void()> triggered) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  QObject::connect(action, &QAction::triggered, owner, std::move(triggered));
  return action;
}

}  // namespace scrawlbox
