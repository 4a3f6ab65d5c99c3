// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

namespace scrawlbox {

// The program's name, version and web addresses.
class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  AboutWindow(const QString& program_name, QWidget* parent);
  // Opens one that deletes itself when closed.
  static void Open(const QString& program_name, QWidget* parent);
};

}  // namespace scrawlbox
