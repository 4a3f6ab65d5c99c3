// SPDX-License-Identifier: MIT
#include "client/ui/user_list.h"

#include <QHeaderView>

#include "client/ui/chat_view.h"
#include "client/ui/svg_picture.h"
#include "common/qt/text_codec.h"

namespace client {

UserList::UserList(QWidget* parent)
    : QTreeWidget(parent),
      artist_icon_(SvgIcon(ImagePath(QStringLiteral("user_artist.svg")))),
      found_icon_(SvgIcon(ImagePath(QStringLiteral("user_found.svg")))) {
  setObjectName(QStringLiteral("lvwUsers"));
  setHeaderLabels({tr("Nickname"), tr("Points")});
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
  header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

void UserList::ShowUsers(const std::vector<UserEntry>& users) {
  const int32_t selected = SelectedId();
  clear();
  for (const UserEntry& user : users) {
    auto* item =
        new QTreeWidgetItem({scrawlbox::FromWire(user.nickname), scrawlbox::FromWire(user.points)});
    item->setData(0, Qt::UserRole, user.id);
    item->setData(0, Qt::UserRole + 1, item->text(0));
    // In words, as the other marks are in pictures: a watcher is no guesser.
    if (user.watching) item->setText(0, tr("%1 (watching)").arg(item->text(0)));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    // The colour alone is not enough for everyone: the artist and the finders get a mark too.
    if (user.artist) {
      item->setIcon(0, artist_icon_);
      item->setToolTip(0, tr("%1 is drawing").arg(item->text(0)));
    } else if (user.found_word) {
      item->setIcon(0, found_icon_);
      item->setToolTip(0, tr("%1 has found the word").arg(item->text(0)));
    }
    for (int column = 0; column < 2; ++column) {
      QFont font = item->font(column);
      font.setBold(user.bold);
      item->setFont(column, font);
      item->setForeground(column, ToQColor(user.colour));
    }
    addTopLevelItem(item);
    if (user.id == selected && selected != 0) setCurrentItem(item);
  }
}

int32_t UserList::SelectedId() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

QString UserList::SelectedNickname() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, Qt::UserRole + 1).toString() : QString();
}

}  // namespace client
