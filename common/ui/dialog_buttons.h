// SPDX-License-Identifier: MIT
#pragma once

#include <QDialogButtonBox>

class QDialog;

namespace scrawlbox {

// The accept and cancel buttons of a dialog, named as the window's controls (cmdOK, cmdSave,
// cmdCancel) and wired to accept and reject.
QDialogButtonBox* AcceptCancelButtons(QDialog* dialog, QDialogButtonBox::StandardButton accept,
                                      const char* accept_name);

}  // namespace scrawlbox
