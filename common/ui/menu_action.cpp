// SPDX-License-Identifier: MIT
#include "common/ui/menu_action.h"

#include <QCoreApplication>

namespace scrawlbox {

QAction* AddMenuAction(QMenu* menu, const char* name, const char* caption, QObject* owner,
                       std::function<void()> triggered) {
  // The caption is marked for translation where it is written (QT_TR_NOOP), in its owner's
  // class, and looked up here in the language the program runs in.
  QAction* action =
      menu->addAction(QCoreApplication::translate(owner->metaObject()->className(), caption));
  action->setObjectName(QString::fromLatin1(name));
  QObject::connect(action, &QAction::triggered, owner, std::move(triggered));
  return action;
}

}  // namespace scrawlbox
