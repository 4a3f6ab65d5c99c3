// SPDX-License-Identifier: MIT
#include "server/ui/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>

#include "common/qt/app_identity.h"
#include "common/qt/console_line.h"
#include "common/qt/text_codec.h"
#include "common/ui/about_window.h"
#include "common/ui/menu_action.h"
#include "common/ui/message_box.h"
#include "common/ui/profile_view.h"
#include "common/ui/screen_fit.h"
#include "common/version.h"
#include "protocol/game_texts.h"
#include "protocol/numbers.h"
#include "server/admin/banned.h"
#include "server/admin/operator_actions.h"
#include "server/admin/tracker_registration.h"
#include "server/connections/room_server.h"
#include "server/room/room.h"
#include "server/ui/admin_windows.h"
#include "server/ui/server_details_dialog.h"

namespace server {

namespace {

// What the room words for the window in English (a connection's state, the status line): shown in
// the window's language where it is one of the game's known texts, which InstallTranslation made
// the default locale's. The logs stay as the room wrote them, as its log files and journal have
// them, so that an operator's lines read alike wherever they are looked up.
std::string InWindowLanguage(const std::string& text) {
  return protocol::TranslatedIn(QLocale().name().left(2).toStdString(), text);
}
// For one-line entries, where a peer's control characters must not show as such.
QString Shown(const std::string& text) {
  return scrawlbox::Printable(InWindowLanguage(text));
}

enum Column { kNum, kAddress, kName, kStatus, kBytes };

QString Grouped(double value) {
  return QString::fromStdString(protocol::GroupedNumber(value));
}

QListWidget* MakeLog(const char* name) {
  auto* list = new QListWidget;
  list->setObjectName(QString::fromLatin1(name));
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  return list;
}

}  // namespace

MainWindow::MainWindow() {
  setObjectName(QStringLiteral("wMain"));
  icons_[kIconInfo] = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  icons_[kIconWarning] = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  icons_[kIconError] = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  icons_[5] = style()->standardIcon(QStyle::SP_DriveNetIcon);
  icons_[6] = style()->standardIcon(QStyle::SP_ComputerIcon);
  ShowTitle();

  lvwSockList_ = new QTreeWidget;
  lvwSockList_->setObjectName(QStringLiteral("lvwSockList"));
  lvwSockList_->setHeaderLabels(
      {tr("Num"), tr("IP Address"), tr("Name"), tr("Status"), tr("Bytes Received")});
  lvwSockList_->setRootIsDecorated(false);
  lvwSockList_->setUniformRowHeights(true);
  lvwSockList_->header()->setStretchLastSection(false);
  lvwSockList_->header()->setSectionResizeMode(kStatus, QHeaderView::Stretch);
  lvwSockList_->setColumnWidth(kNum, 70);
  lvwSockList_->setColumnWidth(kAddress, 120);
  lvwSockList_->setColumnWidth(kName, 200);
  // Wide enough for its heading in any language.
  lvwSockList_->setColumnWidth(kBytes,
                               std::max(110, lvwSockList_->header()->sectionSizeHint(kBytes)));

  lvwLogging_Connections_ = MakeLog("lvwLogging_Connections");
  lvwLogging_Chat_ = MakeLog("lvwLogging_Chat");
  lvwLogging_General_ = MakeLog("lvwLogging_General");
  tabLogs_ = new QTabWidget;
  tabLogs_->setObjectName(QStringLiteral("tabLogs"));
  tabLogs_->addTab(lvwLogging_Connections_, tr("Connections"));
  tabLogs_->addTab(lvwLogging_Chat_, tr("Chat"));
  tabLogs_->addTab(lvwLogging_General_, tr("General"));
  lvwBanned_ = new QTreeWidget;
  lvwBanned_->setObjectName(QStringLiteral("lvwBanned"));
  lvwBanned_->setHeaderLabels({tr("IP Address"), tr("Reason"), tr("Attempts")});
  lvwBanned_->setRootIsDecorated(false);
  lvwBanned_->setColumnWidth(0, 180);
  lvwBanned_->setColumnWidth(1, 420);
  lvwBanned_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvwBanned_, &QTreeWidget::customContextMenuRequested, this, &MainWindow::ShowBanListMenu);
  tabLogs_->addTab(lvwBanned_, tr("Banned"));
  lvwSockList_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvwSockList_, &QTreeWidget::customContextMenuRequested, this,
          &MainWindow::ShowOperatorMenu);

  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(lvwSockList_);
  splitter->addWidget(tabLogs_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  BuildMenus();
  BuildStatusBar();
  scrawlbox::ResizeWithinScreen(this, QSize(820, 600));
}

void MainWindow::Attach(RoomServer* core) {
  core_ = core;
  ShowTitle();
}

void MainWindow::ShowTitle() {
  const QString program = tr("Scrawlbox Server %1").arg(scrawlbox::VersionLabel());
  const QString room = core_ ? scrawlbox::FromWire(core_->settings().Name).trimmed() : QString();
  setWindowTitle(room.isEmpty() ? program : room + QStringLiteral(" - ") + program);
}

void MainWindow::BuildMenus() {
  using scrawlbox::AddMenuAction;
  QMenu* server_menu = menuBar()->addMenu(tr("&Server"));
  AddMenuAction(server_menu, "mSERVERDETAILS", QT_TR_NOOP("Server Details.."), this,
                [this] { OpenServerDetails(); });
  AddMenuAction(server_menu, "mRELOADSETTINGS", QT_TR_NOOP("Reload Settings"), this, [this] {
    if (core_) core_->ReloadSettings();
    ShowTitle();
  });
  QMenu* listen = server_menu->addMenu(tr("Listen State"));
  listen->setObjectName(QStringLiteral("mLISTENSTATE"));
  auto* listen_group = new QActionGroup(this);
  const char* const captions[] = {QT_TR_NOOP("Accept"), QT_TR_NOOP("Deny"), QT_TR_NOOP("Offline")};
  for (int i = 0; i < 3; ++i) {
    mLISTENSTATE_[i] = listen->addAction(tr(captions[i]));
    mLISTENSTATE_[i]->setObjectName(QStringLiteral("mLISTENSTATE_%1").arg(i));
    mLISTENSTATE_[i]->setCheckable(true);
    listen_group->addAction(mLISTENSTATE_[i]);
    connect(mLISTENSTATE_[i], &QAction::triggered, this, [this, i] { ChooseListenState(i); });
  }
  mLISTENSTATE_[0]->setChecked(true);
  server_menu->addSeparator();
  AddMenuAction(server_menu, "mSUBMITSERVER", QT_TR_NOOP("Submit Server"), this, [this] {
    if (registration_) registration_->Submit();
  });
  AddMenuAction(server_menu, "mREMOVESERVER", QT_TR_NOOP("Remove Server"), this, [this] {
    if (registration_) registration_->Remove();
  });
  AddMenuAction(server_menu, "mSTATISTICS", QT_TR_NOOP("Statistics.."), this, [this] {
    if (!core_ || !bans_) return;
    (new StatisticsWindow(core_, bans_, word_lists_, this))->open();
  });
  server_menu->addSeparator();
  AddMenuAction(server_menu, "mQUIT", QT_TR_NOOP("Quit"), this, [this] {
    RequestQuit();
  })->setShortcut(QKeySequence::Quit);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddMenuAction(help, "mCHECKFORNEWVERSION", QT_TR_NOOP("Check For New Version"), this, [this] {
    if (registration_) registration_->CheckForUpdate();
  });
  AddMenuAction(help, "mABOUT", QT_TR_NOOP("About Scrawlbox Server..."), this,
                [this] { scrawlbox::AboutWindow::Open(QStringLiteral("Server"), this); });
}

void MainWindow::BuildStatusBar() {
  auto make_panel = [this](const char* name) {
    auto* panel = new QLabel;
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setCursor(Qt::PointingHandCursor);
    panel->installEventFilter(this);
    return panel;
  };
  panelMain_ = make_panel("_MAIN");
  panelConnections_ = make_panel("_TOTALCONNECTIONS");
  panelMaster_ = make_panel("_MASTERSTATE");
  panelMain_->setTextFormat(Qt::PlainText);
  panelMainIcon_ = new QLabel;
  statusBar()->addWidget(panelMainIcon_);
  statusBar()->addWidget(panelMain_, 1);
  statusBar()->addPermanentWidget(panelConnections_);
  statusBar()->addPermanentWidget(panelMaster_);
  RefreshConnectionsPanel();
  SetMasterState(kMasterUndefined);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (auto* panel = qobject_cast<QLabel*>(watched);
        panel && (panel == panelMain_ || panel == panelConnections_ || panel == panelMaster_)) {
      ShowPanelInformation(panel);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowPanelInformation(QLabel* panel) {
  const QString text = panel == panelConnections_ ? tr("Total open %1").arg(panel->text())
                       : panel == panelMaster_ ? tr("Master socket status: %1").arg(panel->text())
                                               : tr("General server status: %1").arg(panel->text());
  scrawlbox::ShowMessageBox(this, QMessageBox::Information, tr("Panel information.."), text);
}

const QIcon& MainWindow::IconFor(int icon) const {
  return icons_[icon >= 0 && icon < static_cast<int>(icons_.size()) ? icon : 0];
}

void MainWindow::Log(LogKind kind, const std::string& text, int icon) {
  QListWidget* list = kind == LogKind::kConnections ? lvwLogging_Connections_
                      : kind == LogKind::kChat      ? lvwLogging_Chat_
                                                    : lvwLogging_General_;
  const QString line = scrawlbox::ClockStamp() + QStringLiteral(" - ") + scrawlbox::Printable(text);
  auto* item = new QListWidgetItem(IconFor(icon), line);
  list->addItem(item);
  while (list->count() > kMaxLogEntries) delete list->takeItem(0);
  list->scrollToItem(item);
}

void MainWindow::SetStatusMessage(const std::string& text, int icon) {
  panelMain_->setText(Shown(text));
  panelMain_->setToolTip(panelMain_->text());
  const QIcon image = IconFor(icon);
  panelMainIcon_->setPixmap(image.isNull() ? QPixmap() : image.pixmap(16, 16));
}

void MainWindow::SetMasterState(int state) {
  QString text;
  switch (state) {
    case kMasterOpening:
    case kMasterListening:
      text = tr("ACCEPT");
      break;
    case kMasterDeny:
      text = tr("DENY");
      break;
    case kMasterOffline:
      text = tr("OFFLINE");
      break;
    case kMasterError:
      text = tr("!ERROR!");
      break;
    default:
      text = tr("UNDEFINED");
      break;
  }
  panelMaster_->setText(text);
}

void MainWindow::RefreshConnectionsPanel() {
  const int users = static_cast<int>(rows_.size()) - (rows_.contains(0) ? 1 : 0);
  panelConnections_->setText(tr("Connections: %1").arg(Grouped(users)));
}

void MainWindow::AddConnectionRow(int slot, int32_t id, const std::string& address,
                                  const std::string& name, const std::string& status) {
  QTreeWidgetItem* item = rows_.value(id);
  if (!item) {
    item = new QTreeWidgetItem;
    if (id == 0) {
      lvwSockList_->insertTopLevelItem(0, item);
    } else {
      lvwSockList_->addTopLevelItem(item);
    }
    rows_.insert(id, item);
  }
  item->setText(kNum, QStringLiteral("#%1").arg(slot, 3, 10, QLatin1Char('0')));
  item->setText(kAddress, QString::fromStdString(address));
  item->setText(kName, Shown(name));
  item->setText(kStatus, Shown(status));
  item->setText(kBytes, QStringLiteral("0"));
  item->setTextAlignment(kBytes, Qt::AlignRight | Qt::AlignVCenter);
  item->setData(kNum, Qt::UserRole, slot);  // the row's tag: its connection slot
  item->setIcon(kNum, IconFor(id == 0 ? 5 : 6));
  if (id == 0) {
    for (int column : {kNum, kAddress, kName}) {
      QFont bold = item->font(column);
      bold.setBold(true);
      item->setFont(column, bold);
    }
  }
  RefreshConnectionsPanel();
}

void MainWindow::UpdateConnectionRow(int32_t id, const std::string& name, const std::string& status,
                                     double bytes) {
  QTreeWidgetItem* item = rows_.value(id);
  if (!item) return;
  if (!name.empty()) item->setText(kName, scrawlbox::Printable(name));
  if (!status.empty()) item->setText(kStatus, Shown(status));
  if (bytes != -1) item->setText(kBytes, Grouped(bytes));
}

void MainWindow::RemoveConnectionRow(int32_t id) {
  delete rows_.take(id);
  RefreshConnectionsPanel();
}

void MainWindow::AttachAdmin(BanList* bans, OperatorActions* actions, const WordLists* word_lists) {
  bans_ = bans;
  actions_ = actions;
  word_lists_ = word_lists;
}

void MainWindow::Attach(Room& room) {
  Attach(&room.core());
  AttachAdmin(&room.bans(), &room.actions(), &room.word_lists());
  AttachRegistration(&room.registration());
  room.bans().SetOnChanged([this] { ShowBans(); });
}

void MainWindow::ShowBans() {
  lvwBanned_->clear();
  if (!bans_) return;
  for (const BanEntry& entry : bans_->entries()) {
    auto* item =
        new QTreeWidgetItem({scrawlbox::Printable(entry.IP()), scrawlbox::Printable(entry.Reason()),
                             scrawlbox::Printable(entry.Attempts())});
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    lvwBanned_->addTopLevelItem(item);
  }
}

int MainWindow::SelectedSlot() const {
  const QTreeWidgetItem* item = lvwSockList_->currentItem();
  return item ? item->data(kNum, Qt::UserRole).toInt() : 0;
}

QString MainWindow::SelectedName() const {
  const QTreeWidgetItem* item = lvwSockList_->currentItem();
  return item ? item->text(kName) : QString();
}

void MainWindow::ShowOperatorMenu(const QPoint& at) {
  if (lvwSockList_->topLevelItemCount() == 0 || !actions_) return;
  if (QTreeWidgetItem* item = lvwSockList_->itemAt(at)) lvwSockList_->setCurrentItem(item);
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mOPMENU"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The first row is the listening socket: nothing to do to it.
  const bool user = SelectedSlot() != 0;
  struct Item {
    const char* name;
    const char* caption;
    void (MainWindow::*action)();
  };
  for (const Item& i :
       {Item{"mUSERINFO", QT_TR_NOOP("User Information"), &MainWindow::OperatorUserInfo},
        Item{"mMSGUSER", QT_TR_NOOP("Message User.."), &MainWindow::OperatorMessageUser},
        Item{"mMSGALL", QT_TR_NOOP("Message All Users.."), &MainWindow::OperatorMessageAll},
        Item{"mKICKUSER", QT_TR_NOOP("Kick User.."), &MainWindow::OperatorKick},
        Item{"mBANUSER", QT_TR_NOOP("Ban User.."), &MainWindow::OperatorBan}}) {
    QAction* action = menu->addAction(tr(i.caption), this, i.action);
    action->setObjectName(QString::fromLatin1(i.name));
    action->setEnabled(user);
  }
  menu->popup(lvwSockList_->viewport()->mapToGlobal(at));
}

void MainWindow::AskText(const QString& title, const QString& prompt, const QString& initial,
                         std::function<void(const QString&)> done) {
  auto* dialog = new QInputDialog(this);
  dialog->setObjectName(QStringLiteral("inputBox"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(title);
  dialog->setLabelText(prompt);
  dialog->setTextValue(initial);
  connect(dialog, &QInputDialog::textValueSelected, this, std::move(done));
  dialog->open();
}

void MainWindow::OperatorUserInfo() {
  if (const ConnectionRecord* record = core_ ? core_->Record(SelectedSlot()) : nullptr) {
    using scrawlbox::FromWire;
    (new scrawlbox::ProfileViewWindow(
         {FromWire(record->Nickname), QString::fromStdString(protocol::NumberText(record->Age)),
          FromWire(record->Gender), FromWire(record->Location), FromWire(record->Homepage),
          FromWire(record->Quote)},
         this))
        ->show();
  }
}

void MainWindow::OperatorMessageUser() {
  const int slot = SelectedSlot();
  AskText(tr("Message User..."),
          tr("Enter the message to send to %1. You are limited to a maximum of 512 characters.")
              .arg(SelectedName()),
          QString(), [this, slot](const QString& text) {
            actions_->MessageUser(slot, scrawlbox::ToWire(text));
          });
}

void MainWindow::OperatorMessageAll() {
  AskText(tr("Message All Users..."),
          tr("Enter the message to send to all the currently connected users. You are limited to "
             "a maximum of 512 characters."),
          QString(),
          [this](const QString& text) { actions_->MessageAll(scrawlbox::ToWire(text)); });
}

void MainWindow::OperatorKick() {
  const int slot = SelectedSlot();
  AskText(tr("Kick User..."),
          tr("If you are sure you want to kick %1, then please enter a reason and press Return. "
             "Otherwise press Escape or click Cancel. You are limited to 512 characters.")
              .arg(SelectedName()),
          tr("[no reason given]"),
          [this, slot](const QString& reason) { actions_->Kick(slot, scrawlbox::ToWire(reason)); });
}

void MainWindow::OperatorBan() {
  const int slot = SelectedSlot();
  auto* dialog = new QInputDialog(this);
  dialog->setObjectName(QStringLiteral("inputBox"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(tr("Ban Reason"));
  dialog->setLabelText(tr("Why is %1 being banned?").arg(SelectedName()));
  dialog->setTextValue(tr("[No Reason Given]"));
  // Cancel bans as well, with no reason: the menu item said what it does.
  connect(dialog, &QInputDialog::finished, this, [this, dialog, slot](int result) {
    actions_->Ban(slot, result == QDialog::Accepted ? scrawlbox::ToWire(dialog->textValue()) : "");
  });
  dialog->open();
}

void MainWindow::ShowBanListMenu(const QPoint& at) {
  if (!bans_) return;
  if (QTreeWidgetItem* item = lvwBanned_->itemAt(at)) lvwBanned_->setCurrentItem(item);
  const int row = lvwBanned_->indexOfTopLevelItem(lvwBanned_->currentItem());
  const bool enabled = lvwBanned_->topLevelItemCount() > 0 && row >= 0;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mBANNEDLIST"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* change_ip = menu->addAction(tr("Change IP.."), this, [this, row] {
    AskText(tr("Change IP"),
            tr("Edit the IP address below. You can use ? and * wildcards, if required. Please "
               "make sure that it is a valid (wildcarded) IP, as I will not validate it to make "
               "sure that it is correct."),
            scrawlbox::FromWire(bans_->entries()[static_cast<size_t>(row)].IP()),
            [this, row](const QString& ip) {
              bans_->ChangePattern(static_cast<size_t>(row), scrawlbox::ToWire(ip));
            });
  });
  change_ip->setObjectName(QStringLiteral("mBANNEDLIST_CHANGEIP"));
  QAction* change_reason = menu->addAction(tr("Change Reason.."), this, [this, row] {
    AskText(tr("Change Ban Reason"), tr("Enter the new reason for this IP being banned."),
            scrawlbox::FromWire(bans_->entries()[static_cast<size_t>(row)].Reason()),
            [this, row](const QString& reason) {
              bans_->ChangeReason(static_cast<size_t>(row), scrawlbox::ToWire(reason));
            });
  });
  change_reason->setObjectName(QStringLiteral("mCHANGEBANREASON"));
  QAction* remove =
      menu->addAction(tr("Remove"), this, [this, row] { bans_->Remove(static_cast<size_t>(row)); });
  remove->setObjectName(QStringLiteral("mREMOVEBANNEDIP"));
  for (QAction* action : {change_ip, change_reason, remove}) action->setEnabled(enabled);
  menu->popup(lvwBanned_->viewport()->mapToGlobal(at));
}

void MainWindow::ChooseListenState(int state) {
  if (!actions_ || !core_) return;
  const int before = core_->listen_state();
  actions_->SetListenState(state);
  ShowListenState(core_->listen_state());
  if (state == RoomServer::kListenDeny && before != RoomServer::kListenDeny) {
    auto* dialog =
        new DenyMessageDialog(actions_, scrawlbox::FromWire(core_->deny_message()), this);
    connect(dialog, &DenyMessageDialog::finishedWithState, this, &MainWindow::ShowListenState);
    dialog->show();
  }
}

void MainWindow::ShowListenState(int state) {
  if (state >= 0 && state < 3) mLISTENSTATE_[state]->setChecked(true);
}

void MainWindow::OpenServerDetails() {
  if (!core_) return;
  ServerDetailsDialog::OpenWithNotice(core_, this, [this] { ShowTitle(); });
}

void MainWindow::RequestQuit() {
  if (!core_ || asking_) return;
  if (core_->Quit(false) != RoomServer::QuitResult::kNeedsConfirmation) return;
  asking_ = true;
  scrawlbox::AskYesNo(this, QMessageBox::Warning, windowTitle(),
                      tr("There is currently a game in progress.") + QStringLiteral("\n\n") +
                          tr("Are you sure you want to shut the server down?"),
                      [this](bool yes) {
                        asking_ = false;
                        if (yes) core_->Quit(true);
                      });
}

void MainWindow::ShowMessage(int icon, const std::string& title, const std::string& text) {
  const QMessageBox::Icon kind = icon == kIconError     ? QMessageBox::Critical
                                 : icon == kIconWarning ? QMessageBox::Warning
                                                        : QMessageBox::Information;
  scrawlbox::ShowMessageBox(this, kind, scrawlbox::FromWire(InWindowLanguage(title)),
                            scrawlbox::FromWire(InWindowLanguage(text)));
}

void MainWindow::OfferDownload(const std::string& title, const std::string& text,
                               const std::string& url) {
  const QUrl address(QString::fromStdString(url));
  scrawlbox::AskYesNo(this, QMessageBox::Question, scrawlbox::FromWire(InWindowLanguage(title)),
                      scrawlbox::FromWire(InWindowLanguage(text)), [this, address](bool yes) {
                        if (yes) scrawlbox::OpenWebAddress(this, address);
                      });
}

void MainWindow::QuitFinished() {
  quit_finished_ = true;
  if (on_quit_) on_quit_();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (quit_finished_ || !core_) {
    event->accept();
    return;
  }
  // The window stays until the shutdown sequence has told everyone.
  event->ignore();
  RequestQuit();
}

}  // namespace server
