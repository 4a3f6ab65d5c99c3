// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenu>
#include <functional>

namespace scrawlbox {

// Adds a named menu command (the name is how tests and the rest of the window find it) that
// runs triggered in the context of owner. caption is the English text, translated in owner's
// class as tr() would.
QAction* AddMenuAction(QMenu* menu, const char* name, const char* caption, QObject* owner,
                       std::function<void()> triggered);

}  // namespace scrawlbox
