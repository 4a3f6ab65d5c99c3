// SPDX-License-Identifier: MIT
// The client's widgets as the session drives them, on the offscreen platform.
#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "client/drawing/pad_tools.h"
#include "client/net/qt_connection.h"
#include "client/room/session.h"
#include "client/ui/chat_bar.h"
#include "client/ui/chat_input.h"
#include "client/ui/chat_view.h"
#include "client/ui/game_windows.h"
#include "client/ui/main_window.h"
#include "client/ui/server_browser_window.h"
#include "client/ui/small_windows.h"
#include "client/ui/user_list.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"
#include "tests/support/matchers.h"
#include "tests/support/temp_dir.h"

namespace client {
namespace {

using testing_support::FakeConnection;

// The character format at a position of the view's last paragraph.
QTextCharFormat FormatAt(const ChatView& view, int position) {
  const QTextBlock block = view.document()->lastBlock();
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const int start = fragment.position() - block.position();
    if (position >= start && position < start + fragment.length()) return fragment.charFormat();
  }
  return {};
}

TEST(ChatViewLines, BracketedAndPlainFormsMarkTheSenderBold) {
  ChatView view;
  view.AddLine({"System", "hello", kRed, false});
  EXPECT_EQ(view.document()->lastBlock().text(), "<SYSTEM>: hello");
  EXPECT_NE(FormatAt(view, 0).fontWeight(), QFont::Bold);  // "<"
  EXPECT_EQ(FormatAt(view, 1).fontWeight(), QFont::Bold);  // the sender
  EXPECT_NE(FormatAt(view, 7).fontWeight(), QFont::Bold);  // ">: "
  EXPECT_EQ(FormatAt(view, 10).foreground().color(), QColor(255, 0, 0));

  view.AddLine({"System", " * bob waves", kBlue, true});
  EXPECT_EQ(view.document()->lastBlock().text(), "SYSTEM:  * bob waves");
  EXPECT_EQ(FormatAt(view, 6).fontWeight(), QFont::Bold);  // the colon is bold too
  EXPECT_EQ(FormatAt(view, 9).foreground().color(), QColor(0, 0, 255));

  view.AddLine({"System", "", kBlack, false});
  EXPECT_EQ(view.document()->lastBlock().text(), "");
  EXPECT_EQ(view.document()->blockCount(), 3);
}

TEST(ChatViewLines, PeerTextIsNeverMarkup) {
  ChatView view;
  view.AddLine({"<b>mallory</b>", "<img src=x><a href='y'>click</a> &amp;", kBlack, false});
  EXPECT_EQ(view.document()->lastBlock().text(),
            "<<B>MALLORY</B>>: <img src=x><a href='y'>click</a> &amp;");
  EXPECT_FALSE(FormatAt(view, 25).isAnchor());
}

TEST(ChatViewLines, OnlyTheNewestLinesAreKept) {
  ChatView view;
  for (int i = 0; i < ChatView::kMaxLines + 50; ++i) {
    view.AddLine({"s", "line " + std::to_string(i), kBlack, false});
  }
  EXPECT_EQ(view.document()->blockCount(), ChatView::kMaxLines);
  EXPECT_EQ(view.document()->firstBlock().text(), "<S>: line 50");
}

TEST(UserListStyling, BoldWhilePresentAndColouredForArtistAndFinders) {
  UserList list;
  list.ShowUsers({{1, "ann", "220", true, kArtistGreen}, {2, "ben", "0", false, kFinderRed}});
  ASSERT_EQ(list.topLevelItemCount(), 2);
  EXPECT_EQ(list.topLevelItem(0)->text(1), "220");
  EXPECT_TRUE(list.topLevelItem(0)->font(0).bold());
  EXPECT_FALSE(list.topLevelItem(1)->font(0).bold());
  EXPECT_EQ(list.topLevelItem(0)->foreground(0).color(), QColor(0, 180, 0));
  EXPECT_EQ(list.topLevelItem(1)->foreground(0).color(), QColor(180, 0, 0));
  list.setCurrentItem(list.topLevelItem(1));
  list.ShowUsers({{3, "cid", "0", true, kBlack}, {2, "ben", "5", true, kBlack}});
  EXPECT_EQ(list.SelectedId(), 2);  // the selection follows the user, not the row
}

class Window : public testing::Test {
 protected:
  Window()
      : settings(ini),
        window(ClientPaths(QString::fromStdString(dir.path().string())), clock),
        session({connection, window, clock, settings}) {
    window.Attach(&session, &settings, nullptr);
    session.Start();
  }
  template <typename T>
  T* Find(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }
  void Receive(std::string_view command, std::string_view data) {
    session.OnData(protocol::Frame(command, data));
  }

  testing_support::TempDir dir;
  testing_support::MemoryIni ini;
  testing_support::ManualClock clock;
  FakeConnection connection;
  ClientSettings settings;
  MainWindow window;
  Session session;
};

TEST_F(Window, EnabledStatesFollowTheConnection) {
  // Disconnected: connect, chat and practice drawing; no room menus or game buttons.
  EXPECT_TRUE(Find<QAction>("mCONNECT")->isEnabled());
  EXPECT_FALSE(Find<QAction>("mDISCONNECT")->isEnabled());
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("picPad")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("cmdStartGameSkipGo")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("chkAutoSkipGo")->isEnabled());
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "--:--");

  // Connected and logging in.
  testing_support::ConnectSession(session, connection);
  EXPECT_FALSE(Find<QAction>("mCONNECT")->isEnabled());

  // In the room, alone: the admin menu and the auto-skip box.
  Receive("USEROK", "100001\x03");
  Receive("PASSOK",
          "\x03The Den\x03-\x03"
          "1\x03"
          "10");
  Receive("ULIST",
          "100001\x03un-named\x03"
          "0\x03"
          "0");
  Receive("ULISTEND", "");
  EXPECT_TRUE(Find<QAction>("mDISCONNECT")->isEnabled());
  EXPECT_TRUE(Find<QAction>("mUSERINFORMATION")->isEnabled());
  EXPECT_TRUE(Find<QMenu>("mADMINISTRATE")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("chkAutoSkipGo")->isEnabled());
  EXPECT_EQ(Find<QLabel>("labRoomName")->text(), "The Den");
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 1);

  // A second player turns the start button on; the artist's buttons follow.
  Receive("JOIN",
          "100002\x03"
          "ben\x03"
          "0");
  EXPECT_TRUE(Find<QPushButton>("cmdStartGameSkipGo")->isEnabled());
  Receive("NEWARTIST", "100001");
  EXPECT_EQ(Find<QPushButton>("cmdStartGameSkipGo")->text(), "Skip Word!");
  EXPECT_EQ(Find<QPushButton>("cmdWarnArtist")->text(), "Give Hint");
  EXPECT_FALSE(Find<ChatInput>("txtChat")->isEnabled());

  // The server goes away: back to the disconnected state.
  session.OnClosed();
  EXPECT_TRUE(Find<QAction>("mCONNECT")->isEnabled());
  EXPECT_FALSE(Find<QAction>("mDISCONNECT")->isEnabled());
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 0);
  EXPECT_EQ(Find<QLabel>("labRoomName")->text(), "-");
}

class PublicBrowser : public Window {
 protected:
  PublicBrowser()
      : browser(new ServerBrowserWindow(&session, &settings, &http, "http://t.example/list",
                                        &window)) {}
  void ShowPublic() {
    auto* sections = browser->findChild<QListWidget*>(QStringLiteral("lvwSections"));
    QListWidgetItem* item = sections->item(0);
    ASSERT_EQ(item->text(), "Public");
    sections->setCurrentItem(item);
    emit sections->itemClicked(item);
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    auto* list = browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      rows.push_back(
          (list->topLevelItem(i)->text(0) + " / " + list->topLevelItem(i)->text(1)).toStdString());
    }
    return rows;
  }

  testing_support::FakeHttpGetter http;
  QPointer<ServerBrowserWindow> browser;
};

TEST_F(PublicBrowser, ListsTheTrackersRoomsAndConnectsOnTheRowsPort) {
  ShowPublic();
  EXPECT_THAT(Rows(), testing::ElementsAre("Please wait.. / Getting list of public servers.."));
  ASSERT_EQ(http.open.size(), 1u);
  EXPECT_EQ(http.open.front().url, "http://t.example/list?ACTION=VIEW&MAX=500");
  http.Answer(
      "SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031\r\n"
      "SERVERNAME=Other|SERVERDESC=Two|SERVERIP=192.0.2.8|PORT=2020\r\n");
  EXPECT_THAT(Rows(), testing::ElementsAre("Caf\u00e9 / Draw!", "Other / Two"));

  auto* list = browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"));
  list->setCurrentItem(list->topLevelItem(0));
  emit list->itemClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(browser->findChild<QLineEdit*>(QStringLiteral("txtAddress"))->text(), "192.0.2.7");
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.host, "192.0.2.7");
  EXPECT_EQ(connection.port, 2031);
}

TEST_F(PublicBrowser, AnEmptyListAndATrackerErrorSayWhatHappened) {
  ShowPublic();
  http.Answer("");
  EXPECT_THAT(Rows(), testing::ElementsAre("No servers online. / Please try again later.."));
  ShowPublic();
  http.Fail(1, "Connection refused");
  EXPECT_THAT(Rows(), testing::ElementsAre("Please wait.. / Getting list of public servers.."));
  const auto text = Find<ChatView>("rtbChat")->document()->lastBlock().text().toStdString();
  EXPECT_THAT(text, testing::HasSubstr("Tracker Socket Error: [1] - Connection refused"));
}

TEST_F(PublicBrowser, AnAnswerAfterTheWindowClosedIsDropped) {
  ShowPublic();
  delete browser.data();
  http.Answer("SERVERNAME=Late|SERVERDESC=x|SERVERIP=192.0.2.9|PORT=2020\r\n");
  EXPECT_TRUE(browser.isNull());
}

TEST_F(Window, TheFloatingChatMirrorsAndGivesItsLinesBack) {
  auto* main_chat = Find<ChatView>("rtbChat");
  Find<QAction>("mCHATBAR_FLOAT")->trigger();
  auto* bar = window.findChild<ChatBar*>(QStringLiteral("wChatBar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(Find<QAction>("mCHATBAR_KEEPONTOP")->isEnabled());
  EXPECT_TRUE(window.IsChatFloating());
  session.EnterChatLine("/debug");
  EXPECT_TRUE(bar->chat()->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(main_chat->toPlainText().contains("DEBUG INFORMATION"));
  bar->close();
  EXPECT_TRUE(main_chat->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(Find<QAction>("mCHATBAR_FLOAT")->isChecked());
}

}  // namespace
}  // namespace client

namespace client {
namespace {

class GameWindow : public Window {
 protected:
  // In a room with ann (100000) as the other player; this client is 100005.
  void SetUp() override { testing_support::LogInSession(session, connection, 100005, {"ann"}); }
  QColor TimeColour() { return Find<QLabel>("labTime")->palette().color(QPalette::WindowText); }
};

TEST_F(GameWindow, TheClockShowsMinutesAndSecondsAndRedensAtTheEnd) {
  Receive("SETGAMETIMER", "90000");
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "01:30");
  Receive("STARTGAMETIMER", "5000");
  clock.Advance(2000);
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "00:03");
  EXPECT_EQ(TimeColour(), QColor(100, 0, 0));
  clock.Advance(2000);
  EXPECT_EQ(TimeColour(), QColor(255, 0, 0));
  clock.Advance(1000);
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "00:00");
  EXPECT_EQ(TimeColour(), QColor(0, 0, 0));
  Receive("STOPGAMETIMER", "-");
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "--:--");
}

TEST_F(GameWindow, TheArtistDrawsAndTheGuesserChats) {
  Receive("NEWARTIST", "100005");
  EXPECT_TRUE(Find<QWidget>("tbrTools")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("tbrBrushes")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("picPad")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("fraPalette")->isEnabled());
  EXPECT_FALSE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("cmdStartGameSkipGo")->text(), "Skip Word!");
  // Becoming the artist resets the tools, which tells the others to use black.
  EXPECT_THAT(connection.Take(), testing::Contains(testing_support::Msg("PA", "0")));
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("SKIPWORD", "-")));

  Receive("NEWARTIST", "100000");
  EXPECT_FALSE(Find<QWidget>("tbrTools")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("fraPalette")->isEnabled());
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("cmdWarnArtist")->text(), "Warn Artist");
  connection.Take();
  Find<QPushButton>("cmdWarnArtist")->click();
  EXPECT_TRUE(connection.Take().empty());  // the warning is not sent

  Receive("WINNER", "100000");
  EXPECT_TRUE(Find<QLabel>("imgTheWinnerIs")->isVisibleTo(&window));
  EXPECT_TRUE(Find<QLabel>("labPodium")->isVisibleTo(&window));  // the top of the standings
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  window.ShowWinner("", {});
  EXPECT_FALSE(Find<QLabel>("imgTheWinnerIs")->isVisibleTo(&window));
}

TEST_F(GameWindow, DrawingIsSentAndReceivedDrawingIsReplayed) {
  Receive("FH",
          "100000\x03"
          "10\x03"
          "10\x03"
          "60\x03"
          "10");
  EXPECT_EQ(window.tools().engine().picture().pixel(30, 10), qRgb(0, 0, 0));
  window.tools().Press(kLeftButton, QPointF(5, 5));
  EXPECT_THAT(connection.Take(), testing::Contains(testing_support::Msg("CU", "-")));
}

TEST_F(GameWindow, TheSetupWindowHoldsItsLimitsAndSendsTheGame) {
  // The start button turns on for the player who sees a second one join.
  Receive("PART",
          "100000\x03"
          "bye");
  Receive("JOIN",
          "100009\x03"
          "cid\x03"
          "0");
  connection.Take();
  auto* start = Find<QPushButton>("cmdStartGameSkipGo");
  ASSERT_TRUE(start->isEnabled());
  start->click();
  auto* setup = window.findChild<SetupGameWindow*>(QStringLiteral("wSetupGame"));
  ASSERT_NE(setup, nullptr);
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("GETWORDLISTS", "-")));
  Receive("WORDLIST",
          "animals.txt\x03"
          "food.txt\x03"
          "hard");
  Receive("WORDLISTEND", "-");
  auto* lists = setup->findChild<QListWidget*>(QStringLiteral("lvwWordlist"));
  ASSERT_EQ(lists->count(), 3);
  EXPECT_EQ(lists->item(0)->text(), "animals");
  auto* status = setup->findChild<QLabel*>(QStringLiteral("labStatus"));
  EXPECT_EQ(status->text(), "Wordlist downloaded.");

  setup->StartGame();  // nothing chosen yet
  EXPECT_EQ(status->text(), "Please select at least one wordlist.");
  EXPECT_TRUE(connection.Take().empty());

  auto* limit = setup->findChild<QLineEdit*>(QStringLiteral("txtPlayerLimit"));
  limit->clear();
  QTest::keyClicks(limit, "55");
  EXPECT_EQ(limit->text(), "40");
  auto* rounds = setup->findChild<QLineEdit*>(QStringLiteral("txtTotalRounds"));
  rounds->setText("100");
  setup->findChild<QPushButton*>(QStringLiteral("cmdTotalRoundsUp"))->click();
  EXPECT_EQ(rounds->text(), "100");
  setup->findChild<QPushButton*>(QStringLiteral("cmdTotalRoundsDown"))->click();
  EXPECT_EQ(rounds->text(), "99");
  setup->findChild<QLineEdit*>(QStringLiteral("txtTimePerRound"))->setText("5");
  setup->findChild<QLineEdit*>(QStringLiteral("txtWordGuessedCountdown"))->setText("1000");
  setup->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->setText("Den");
  lists->item(0)->setCheckState(Qt::Checked);
  lists->item(1)->setCheckState(Qt::Checked);
  setup->StartGame();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("STARTGAME",
                                                                           "Den\x03nodesc\x03"
                                                                           "40\x03"
                                                                           "99\x03"
                                                                           "10000\x03"
                                                                           "900000\x03"
                                                                           "\x04"
                                                                           "animals\x04"
                                                                           "food")));
}

TEST_F(GameWindow, RefusingTheAgreementSendsNopAQuarterSecondLater) {
  window.ShowAgreement("Be nice.");
  auto* agreement = window.findChild<AgreementWindow*>(QStringLiteral("wAgreement"));
  ASSERT_NE(agreement, nullptr);
  agreement->findChild<QPushButton*>(QStringLiteral("cmdDisagree"))->click();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("DISAGREE", "-")));
  clock.Advance(AgreementWindow::kDisconnectDelayMs);
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("NOP", "-")));
  QPointer<AgreementWindow> watched(agreement);
  EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull() || !watched->isVisible(); }, 2000));
}

}  // namespace
}  // namespace client
