// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <array>
#include <functional>

#include "server/connections/ports.h"

class QLabel;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace server {

class BanList;
class OperatorActions;
class RoomServer;
class Room;
class TrackerRegistration;
class WordLists;
struct BanEntry;

// The operator's main window: the connection list, the three logs on tabs, the status bar
// panels and the menus. It shows what the core reports and turns menu choices into core calls.
class MainWindow : public QMainWindow, public ServerView {
  Q_OBJECT
 public:
  // Log lists keep the newest entries only, so a long run cannot grow them without bound.
  static constexpr int kMaxLogEntries = 5000;

  MainWindow();
  void Attach(RoomServer* core);
  // The administration: the ban list, the operator's actions and the word lists for the
  // statistics.
  void AttachAdmin(BanList* bans, OperatorActions* actions, const WordLists* word_lists);
  void AttachRegistration(TrackerRegistration* registration) { registration_ = registration; }
  // All of the above for a whole room; its ban list then shows every change.
  void Attach(Room& room);
  // Shows the ban list as it is now.
  void ShowBans();
  // Runs once the shutdown sequence has told everyone; the window then closes for good.
  void OnQuitFinished(std::function<void()> action) { on_quit_ = std::move(action); }

  // ServerView
  void Log(LogKind kind, const std::string& text, int icon) override;
  void SetStatusMessage(const std::string& text, int icon) override;
  void SetMasterState(int state) override;
  void AddConnectionRow(int slot, int32_t id, const std::string& address, const std::string& name,
                        const std::string& status) override;
  void UpdateConnectionRow(int32_t id, const std::string& name, const std::string& status,
                           double bytes) override;
  void RemoveConnectionRow(int32_t id) override;
  void QuitFinished() override;
  void ShowMessage(int icon, const std::string& title, const std::string& text) override;
  void OfferDownload(const std::string& title, const std::string& text,
                     const std::string& url) override;

  // The shutdown sequence as the close box and the Quit menu start it.
  void RequestQuit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildStatusBar();
  // The room's name and the program's version, as the settings are now.
  void ShowTitle();
  void RefreshConnectionsPanel();
  void ShowPanelInformation(QLabel* panel);
  void OpenServerDetails();
  void ShowOperatorMenu(const QPoint& at);
  void ShowBanListMenu(const QPoint& at);
  // The slot of the selected connection row, or 0 for the master row or no selection.
  int SelectedSlot() const;
  QString SelectedName() const;
  void OperatorUserInfo();
  void OperatorMessageUser();
  void OperatorMessageAll();
  void OperatorKick();
  void OperatorBan();
  void ChooseListenState(int state);
  void ShowListenState(int state);
  // An input box that calls done(answer) when the operator answers (not when cancelled).
  void AskText(const QString& title, const QString& prompt, const QString& initial,
               std::function<void(const QString&)> done);
  // The icon of a log line, status message or row (info, warning, error, master, user).
  const QIcon& IconFor(int icon) const;

  // Made once: every log line and status message shows one.
  std::array<QIcon, 7> icons_;
  RoomServer* core_ = nullptr;
  BanList* bans_ = nullptr;
  OperatorActions* actions_ = nullptr;
  const WordLists* word_lists_ = nullptr;
  TrackerRegistration* registration_ = nullptr;
  std::function<void()> on_quit_;
  bool quit_finished_ = false;
  bool asking_ = false;

  QTreeWidget* lvwSockList_ = nullptr;
  QTabWidget* tabLogs_ = nullptr;
  QListWidget* lvwLogging_Connections_ = nullptr;
  QListWidget* lvwLogging_Chat_ = nullptr;
  QListWidget* lvwLogging_General_ = nullptr;
  QTreeWidget* lvwBanned_ = nullptr;
  QAction* mLISTENSTATE_[3] = {};
  QLabel* panelMainIcon_ = nullptr;
  QLabel* panelMain_ = nullptr;
  QLabel* panelConnections_ = nullptr;
  QLabel* panelMaster_ = nullptr;
  QHash<int32_t, QTreeWidgetItem*> rows_;
};

}  // namespace server
