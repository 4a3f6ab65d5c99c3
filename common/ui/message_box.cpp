// SPDX-License-Identifier: MIT
#include "common/ui/message_box.h"

namespace scrawlbox {

QMessageBox* ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text) {
  auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
  return box;
}

}  // namespace scrawlbox
