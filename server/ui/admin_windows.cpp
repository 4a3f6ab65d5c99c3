// SPDX-License-Identifier: MIT
#include "server/ui/admin_windows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/statistics.h"
#include "server/connections/room_server.h"
#include "server/game/word_lists.h"

namespace server {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

DenyMessageDialog::DenyMessageDialog(OperatorActions* actions, const QString& message,
                                     QWidget* parent)
    : QDialog(parent), actions_(actions) {
  setObjectName(QStringLiteral("wDenyMsg"));
  setWindowTitle(tr("Deny Message"));
  setAttribute(Qt::WA_DeleteOnClose);
  txtDenyMessage_ = new QLineEdit(message);
  txtDenyMessage_->setObjectName(QStringLiteral("txtDenyMessage"));
  txtDenyMessage_->setMinimumWidth(420);
  txtDenyMessage_->selectAll();
  auto* cmdAccept = new QPushButton(tr("Accept"));
  cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
  cmdAccept->setDefault(true);
  auto* cmdCancel = new QPushButton(tr("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdAccept, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdAccept);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(
      tr("Newcomers are given this message and then disconnected; players in the room stay."));
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addWidget(txtDenyMessage_);
  layout->addLayout(buttons);
}

void DenyMessageDialog::accept() {
  if (!actions_->AcceptDenyMessage(ToWire(txtDenyMessage_->text()))) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Warning, windowTitle(),
                              tr("You need to put in a deny message!") + QStringLiteral("\n\n") +
                                  tr("Click Cancel if you want to exit Deny mode."));
    return;
  }
  emit finishedWithState(RoomServer::kListenDeny);
  QDialog::accept();
}

void DenyMessageDialog::reject() {
  actions_->CancelDeny();
  emit finishedWithState(RoomServer::kListenAccept);
  QDialog::reject();
}

StatisticsWindow::StatisticsWindow(RoomServer* room, const BanList* bans,
                                   const WordLists* word_lists, QWidget* parent)
    : QDialog(parent), room_(room), bans_(bans), word_lists_(word_lists) {
  setObjectName(QStringLiteral("wStatistics"));
  setWindowTitle(tr("Server Statistics"));
  setAttribute(Qt::WA_DeleteOnClose);
  lvwStatistics_ = new QTreeWidget;
  lvwStatistics_->setObjectName(QStringLiteral("lvwStatistics"));
  lvwStatistics_->setHeaderLabels({tr("Statistic"), tr("Value")});
  lvwStatistics_->setRootIsDecorated(false);
  lvwStatistics_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  connect(lvwStatistics_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Information, tr("Selected Stat"),
                              tr("Name: %1\nValue: %2").arg(item->text(0), item->text(1)));
  });
  auto* cmdReset = new QPushButton(tr("Reset"));
  cmdReset->setObjectName(QStringLiteral("cmdReset"));
  connect(cmdReset, &QPushButton::clicked, this, &StatisticsWindow::Reset);
  auto* cmdClose = new QPushButton(tr("Close"));
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdReset);
  buttons->addStretch();
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lvwStatistics_);
  layout->addLayout(buttons);
  scrawlbox::ResizeWithinScreen(this, QSize(360, 460));
  Fill();
}

void StatisticsWindow::Fill() {
  lvwStatistics_->clear();
  const WordListTotals totals = CountWordLists(word_lists_);
  // The system's digit grouping, also where the locale would leave it out (the C locale does).
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  for (const auto& [name, value] :
       StatisticsRows(room_->statistics(), bans_->entries().size(), totals.lists, totals.words)) {
    auto* item = new QTreeWidgetItem(
        {QString::fromStdString(name), locale.toString(static_cast<qlonglong>(value))});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    lvwStatistics_->addTopLevelItem(item);
  }
}

void StatisticsWindow::Reset() {
  scrawlbox::AskYesNo(this, QMessageBox::Question, tr("Reset Statistics"),
                      tr("Are you completely sure you want to reset your server's statistics?"),
                      [this](bool yes) {
                        if (!yes) return;
                        room_->statistics().Reset();
                        Fill();
                        scrawlbox::ShowMessageBox(this, QMessageBox::Information,
                                                  tr("Reset Statistics"),
                                                  tr("Server statistics have been reset."));
                      })
      ->setObjectName(QStringLiteral("msgResetStatistics"));
}

}  // namespace server
