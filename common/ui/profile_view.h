// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

namespace scrawlbox {

// A player's profile as others see it (wUserInfo): read-only fields and one button that closes
// the window. Both the client and the server's operator use it.
class ProfileViewWindow : public QDialog {
  Q_OBJECT
 public:
  struct Fields {
    QString name;
    QString age;
    QString gender;  // "Male" or "Female"; anything else shows as not given
    QString location;
    QString homepage;
    QString quote;
  };

  ProfileViewWindow(const Fields& fields, QWidget* parent);
};

}  // namespace scrawlbox
