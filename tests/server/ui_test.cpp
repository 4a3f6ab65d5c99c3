// SPDX-License-Identifier: MIT
// The operator's window as the core drives it, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTreeWidget>

#include "common/qt/app_identity.h"
#include "server/room/room.h"
#include "server/ui/admin_windows.h"
#include "server/ui/main_window.h"
#include "server/ui/server_details_dialog.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace server {
namespace {

// A tree's rows, their first columns joined by " / " and the rows by ", ".
std::string Rows(const QTreeWidget* list, int columns) {
  QStringList rows;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    QStringList texts;
    for (int i = 0; i < columns; ++i) texts << list->topLevelItem(row)->text(i);
    rows << texts.join(QStringLiteral(" / "));
  }
  return rows.join(QStringLiteral(", ")).toStdString();
}

class WindowTest : public testing::Test {
 protected:
  // The whole room with its window, as the window program builds it; a word list keeps the
  // start free of the message box about missing ones.
  WindowTest()
      : room({transport,
              clock,
              random,
              window,
              ini,
              {dir.path()},
              http,
              testing_support::kMachineKey,
              testing_support::FakeHash}) {
    testing_support::WriteFile(dir / "test.txt", "cat\r\n");
    // The window's own settings (the notice shown once) in the test's folder: ctest runs these
    // cases side by side, and a shared file let one case clear what another had just written.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir.path().string()));
    window.Attach(room);
    room.Start();
  }

  template <typename T>
  T* Find(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }
  int Join(const std::string& nick) {
    const int slot = core.OnConnectionRequest("10.0.0.9").slot;
    core.OnData(slot, protocol::Frame("SCRAWLBOX_CL13NT", "100001"));
    core.OnData(slot, protocol::Frame("USER", testing_support::ProfileData(nick)));
    core.OnData(slot, protocol::Frame("PASS", "<none>"));
    return slot;
  }
  // The context menu of a row, as a right click opens it.
  QMenu* OpenMenu(QTreeWidget* list, int row) {
    list->setCurrentItem(list->topLevelItem(row));
    emit list->customContextMenuRequested(list->visualItemRect(list->topLevelItem(row)).center());
    QMenu* menu = nullptr;
    for (QMenu* candidate : window.findChildren<QMenu*>()) {
      if (candidate->isVisible()) menu = candidate;
    }
    return menu;
  }
  // Whether every action of the menu is enabled (1), none is (0), or some are (-1).
  static int Enabled(QMenu* menu) {
    int on = 0;
    for (QAction* action : menu->actions()) on += action->isEnabled();
    menu->close();
    return on == 0 ? 0 : on == int(menu->actions().size()) ? 1 : -1;
  }

  testing_support::TempDir dir;
  testing_support::MemoryIni ini;
  testing_support::ManualClock clock;
  testing_support::FakeTransport transport;
  testing_support::ScriptedRandom random;
  testing_support::FakeHttpGetter http;
  MainWindow window;
  Room room;
  RoomServer& core = room.core();
};

TEST_F(WindowTest, ConnectionListAndStatePanelsFollowTheRoom) {
  auto* list = Find<QTreeWidget>("lvwSockList");
  const auto shown = [&] {
    return Rows(list, 5) + " | " + Find<QLabel>("_TOTALCONNECTIONS")->text().toStdString();
  };
  const std::string listening =
      "#000 / 127.0.0.1 / Master Socket - testhost / Listening for connections..";
  EXPECT_EQ(shown(), listening + " / 0 | Connections: 0");
  EXPECT_TRUE(list->topLevelItem(0)->font(2).bold());
  const int slot = Join("alice");
  core.OnData(slot, protocol::Frame("SAY", std::string(2000, 'x')));
  // 24 + 37 + 12 + 2005 bytes with terminators, which the listening row counts too.
  EXPECT_EQ(shown(), listening +
                         " / 2,078, #001 / 10.0.0.9 / alice / Awaiting UserList request... / 2,078 "
                         "| Connections: 1");
  EXPECT_EQ(list->topLevelItem(1)->data(0, Qt::UserRole).toInt(), slot);
  // The operator menu is off on the listening socket's row and on for a player's.
  QMenu* master = OpenMenu(list, 0);
  EXPECT_EQ(master->objectName() + QString::number(master->actions().size()), "mOPMENU5");
  EXPECT_EQ(Enabled(master), 0);
  EXPECT_EQ(Enabled(OpenMenu(list, 1)), 1);
  core.OnClosed(slot);
  EXPECT_EQ(shown(), listening + " / 2,078 | Connections: 0");

  std::string states;
  for (const int state : {kMasterUndefined, kMasterOpening, kMasterListening, kMasterDeny,
                          kMasterOffline, kMasterError}) {
    window.SetMasterState(state);
    states += Find<QLabel>("_MASTERSTATE")->text().toStdString() + " ";
  }
  EXPECT_EQ(states, "UNDEFINED ACCEPT ACCEPT DENY OFFLINE !ERROR! ");
}

TEST_F(WindowTest, LogsShowPeerTextPlainlyAndKeepOnlyTheNewestEntries) {
  core.OnData(Join("bob"), protocol::Frame("SAY", "<b>bold?</b>\x1b[2J"));
  auto* chat = Find<QListWidget>("lvwLogging_Chat");
  EXPECT_TRUE(chat->item(0)->text().endsWith(" - bob: <b>bold?</b>[2J"));  // the server drops ESC
  window.Log(LogKind::kChat, "raw\x1b[2J", kIconInfo);
  EXPECT_TRUE(chat->item(1)->text().endsWith(" - raw<27>[2J"));  // and the view shows any it gets
  for (int i = 0; i < MainWindow::kMaxLogEntries + 10; ++i) {
    window.Log(LogKind::kGeneral, "line " + std::to_string(i), kIconInfo);
  }
  auto* general = Find<QListWidget>("lvwLogging_General");
  EXPECT_EQ(general->count(), MainWindow::kMaxLogEntries);
  EXPECT_TRUE(general->item(general->count() - 1)
                  ->text()
                  .endsWith(QStringLiteral("line %1").arg(MainWindow::kMaxLogEntries + 9)));
}

TEST_F(WindowTest, DetailsComeAfterANoticeOfTheLettersTheFirstTimeAndWriteWhatWasTyped) {
  ServerDetailsDialog::OpenWithNotice(&core, &window);
  auto* notice = Find<QMessageBox>("msgWesternLetters");
  EXPECT_EQ(notice->windowTitle(), "Western European letters only");
  EXPECT_EQ(Find<ServerDetailsDialog>("wServerDetails"), nullptr);
  notice->done(QMessageBox::Ok);
  QApplication::processEvents();
  auto* dialog = Find<ServerDetailsDialog>("wServerDetails");
  EXPECT_EQ(dialog->findChild<QLineEdit*>("txtPing")->text(), "10");
  dialog->findChild<QLineEdit*>("txtName")->setText(QStringLiteral("Caf\u00e9 Sketch"));
  dialog->findChild<QLineEdit*>("txtPing")->setText("3");
  dialog->findChild<QCheckBox*>("chkPrivateServer")->setChecked(true);
  dialog->accept();
  EXPECT_EQ(ini.INIRead("Server Details", "Name", "") + " " +
                ini.INIRead("Server Details", "Private Server", ""),
            "Caf\xE9 Sketch 1");
  EXPECT_EQ(core.settings().PingInterval, 3000);
  Find<QAction>("mRELOADSETTINGS")->trigger();
  EXPECT_EQ(window.windowTitle(),
            QStringLiteral("Caf\u00e9 Sketch - Scrawlbox Server ") + scrawlbox::VersionLabel());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ServerDetailsDialog::OpenWithNotice(&core, &window);  // no notice the second time
  EXPECT_EQ(Find<QMessageBox>("msgWesternLetters"), nullptr);
  EXPECT_NE(Find<ServerDetailsDialog>("wServerDetails"), nullptr);
}

TEST_F(WindowTest, TheBanListAndTheStatisticsShowTheirRows) {
  room.bans().AddBan("10.0.0.*", "lan party");
  room.bans().IsBanned("10.0.0.8");
  clock.Advance(BanList::kAttemptsWriteMs);  // the counted attempt reaches the list
  auto* list = Find<QTreeWidget>("lvwBanned");
  EXPECT_EQ(Rows(list, 3), "10.0.0.* / lan party / 1");
  QMenu* menu = OpenMenu(list, 0);
  EXPECT_EQ(menu->objectName() + QString::number(Enabled(menu)), "mBANNEDLIST1");

  ini.INIWrite("Server Statistics", "Total Sentences Typed", "12345");
  StatisticsWindow stats(&core, &room.bans(), nullptr, &window);
  auto* rows = stats.findChild<QTreeWidget*>(QStringLiteral("lvwStatistics"));
  ASSERT_EQ(rows->topLevelItemCount(), 19);
  EXPECT_EQ(rows->topLevelItem(11)->text(0) + " / " + rows->topLevelItem(11)->text(1) + ", " +
                rows->topLevelItem(18)->text(0),
            "Sentences Typed / 12,345, Words");
}

}  // namespace
}  // namespace server
