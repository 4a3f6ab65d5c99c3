// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>

namespace scrawlbox {

// Shows a message without a nested event loop: the box is window-modal and deletes itself, and
// the program goes on serving its sockets and timers meanwhile.
QMessageBox* ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text);

}  // namespace scrawlbox
