// SPDX-License-Identifier: MIT
#include "common/ui/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>

namespace scrawlbox {

QDialogButtonBox* AcceptCancelButtons(QDialog* dialog, QDialogButtonBox::StandardButton accept,
                                      const char* accept_name) {
  auto* buttons = new QDialogButtonBox(accept | QDialogButtonBox::Cancel);
  buttons->button(accept)->setObjectName(QString::fromLatin1(accept_name));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace scrawlbox
