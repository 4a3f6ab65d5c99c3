// SPDX-License-Identifier: MIT
#pragma once

#include <QTreeWidget>
#include <vector>

#include "client/room/client_ports.h"

namespace client {

// The user list: nickname and points, bold while present, coloured and marked for the artist
// and the finders. Each row carries its user id.
class UserList : public QTreeWidget {
  Q_OBJECT
 public:
  explicit UserList(QWidget* parent = nullptr);

  void ShowUsers(const std::vector<UserEntry>& users);
  // The id of the selected row, or 0.
  int32_t SelectedId() const;
  QString SelectedNickname() const;

 private:
  QIcon artist_icon_;
  QIcon found_icon_;
};

}  // namespace client
