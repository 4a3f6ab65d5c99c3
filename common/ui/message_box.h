// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QUrl>
#include <functional>

namespace scrawlbox {

// Shows a message without a nested event loop: the box is window-modal and deletes itself, and
// the program goes on serving its sockets and timers meanwhile.
QMessageBox* ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text);

// Asks a Yes/No question the same way; done(true) follows Yes, done(false) any other end.
// The box is returned so that the caller may name it.
QMessageBox* AskYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                      const QString& text, std::function<void(bool yes)> done);

// Opens a web address in the system's browser; says so when there is none.
void OpenWebAddress(QWidget* parent, const QUrl& address);

}  // namespace scrawlbox
