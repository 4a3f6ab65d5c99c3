// SPDX-License-Identifier: MIT
#include "common/ui/message_box.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace scrawlbox {

QMessageBox* ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text) {
  auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
  return box;
}

QMessageBox* AskYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                      const QString& text, std::function<void(bool yes)> done) {
  auto* box = new QMessageBox(icon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, box, [box, done = std::move(done)] {
    done(box->clickedButton() == box->button(QMessageBox::Yes));
  });
  box->open();
  return box;
}

void OpenWebAddress(QWidget* parent, const QUrl& address) {
  if (!QDesktopServices::openUrl(address)) {
    ShowMessageBox(
        parent, QMessageBox::Warning,
        QCoreApplication::translate("scrawlbox::MessageBox", "Error visiting link.."),
        QCoreApplication::translate("scrawlbox::MessageBox",
                                    "Um.. you don't appear to have a web-browser installed..."));
  }
}

}  // namespace scrawlbox
