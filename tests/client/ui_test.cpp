// SPDX-License-Identifier: MIT
// The client's widgets as the session drives them, on the offscreen platform.
#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "client/drawing/pad_tools.h"
#include "client/net/qt_connection.h"
#include "client/net/sound_player.h"
#include "client/room/session.h"
#include "client/ui/chat_bar.h"
#include "client/ui/chat_input.h"
#include "client/ui/chat_view.h"
#include "client/ui/drawing_area.h"
#include "client/ui/game_windows.h"
#include "client/ui/main_window.h"
#include "client/ui/options_window.h"
#include "client/ui/pad_widget.h"
#include "client/ui/server_browser_window.h"
#include "client/ui/small_windows.h"
#include "client/ui/svg_picture.h"
#include "client/ui/user_list.h"
#include "client/ui/window_geometry.h"
#include "tests/support/client_fakes.h"
#include "tests/support/fake_http.h"
#include "tests/support/matchers.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

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

TEST(ChatViewLines, TheNewestLineStaysInViewThroughResizesUnlessThePlayerScrolledUp) {
  QWidget pane;
  auto* view = new ChatView(&pane);
  view->setGeometry(0, 0, 400, 150);
  pane.show();
  QScrollBar* bar = view->verticalScrollBar();
  auto at_end = [&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); };
  for (int i = 0; i < 60; ++i) {
    view->AddLine({"s", "a line long enough to wrap once the view is narrower " + std::to_string(i),
                   kBlack, false});
  }
  EXPECT_TRUE(at_end());
  view->resize(150, 150);  // more lines wrap: the end moves down
  EXPECT_TRUE(at_end());
  view->resize(400, 300);
  EXPECT_TRUE(at_end());
  bar->setValue(bar->maximum() / 2);  // the player reads further up
  view->AddLine({"s", "new", kBlack, false});
  view->resize(150, 150);
  EXPECT_FALSE(view->following());
  EXPECT_LT(bar->value(), bar->maximum());
  bar->setValue(bar->maximum());  // and back down: the view follows again
  view->resize(400, 150);
  view->AddLine({"s", "newer", kBlack, false});
  EXPECT_TRUE(at_end());
}

TEST(Sounds, QtMultimediasOwnWarningsStayOutOfTheOutput) {
  static QStringList written;
  const QtMessageHandler before = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString& text) { written << text; });
  {
    SoundPlayer player({});
    const QLoggingCategory multimedia("qt.multimedia.soundeffect");
    qCWarning(multimedia) << "No audio device detected";
    qWarning("ours");
  }
  qInstallMessageHandler(before);
  EXPECT_EQ(written, QStringList{QStringLiteral("ours")});
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

class Window : public testing::Test, protected testing_support::WindowHarness {};

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
  Receive("USEROK", Wire("100001|"));
  Receive("PASSOK", Wire("|The Den|-|1|10"));
  Receive("ULIST", Wire("100001|un-named|0|0"));
  Receive("ULISTEND", "");
  EXPECT_TRUE(Find<QAction>("mDISCONNECT")->isEnabled());
  EXPECT_TRUE(Find<QAction>("mUSERINFORMATION")->isEnabled());
  EXPECT_TRUE(Find<QMenu>("mADMINISTRATE")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("chkAutoSkipGo")->isEnabled());
  EXPECT_EQ(Find<QLabel>("labRoomName")->text(), "The Den");
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 1);

  // A second player turns the start button on; the artist's buttons follow.
  Receive("JOIN", Wire("100002|ben|0"));
  EXPECT_TRUE(Find<QPushButton>("cmdStartGameSkipGo")->isEnabled());
  Receive("NEWARTIST", "100001");
  EXPECT_EQ(Find<QPushButton>("cmdStartGameSkipGo")->text(), "Skip Word!");
  EXPECT_EQ(Find<QPushButton>("cmdWarnArtist")->text(), "Give Hint");
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());  // the room keeps the word out

  // The server goes away: back to the disconnected state.
  session.OnClosed();
  EXPECT_TRUE(Find<QAction>("mCONNECT")->isEnabled());
  EXPECT_FALSE(Find<QAction>("mDISCONNECT")->isEnabled());
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 0);
  EXPECT_EQ(Find<QLabel>("labRoomName")->text(), "-");
}

TEST_F(Window, ThePlaceComesBackWithItsWidthAndOnAScreenThatShowsIt) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize minimum = window.minimumSizeHint();
  // Heights are never stored below 8130 twips.
  const QSize size(minimum.width() + 20,
                   std::max(minimum.height(), kMinStoredHeight / kTwipsPerPixel) + 10);
  const QPoint place = area.topLeft() + QPoint(5, 7);
  auto store = [&](QPoint at, QSize stored) {
    settings.SaveWindowMetrics({stored.height() * kTwipsPerPixel, at.y() * kTwipsPerPixel,
                                at.x() * kTwipsPerPixel, stored.width() * kTwipsPerPixel});
  };
  store(place, size);
  window.RestorePlacement();
  EXPECT_EQ(window.size(), size);
  EXPECT_EQ(window.pos(), place);
  window.close();  // and it is kept as it is
  EXPECT_EQ(settings.LoadWindowMetrics().width, size.width() * kTwipsPerPixel);
  // Larger than the screen, or hanging off its edge: brought wholly onto it.
  store(area.topLeft() + QPoint(area.width() / 2, 0), area.size() * 2);
  window.RestorePlacement();
  EXPECT_TRUE(area.contains(window.geometry()));
}

TEST(WindowPlaces, AWindowComesBackWhollyOnAScreenFrameAndAll) {
  const QRect left(0, 0, 1280, 1000);
  const QRect right(1280, 0, 800, 500);  // e.g. 1600 x 1000 at twice the scale
  const QMargins frame(4, 28, 4, 4);
  const QSize minimum(700, 430);
  struct Case {
    const char* name;
    std::optional<QPoint> at;
    QSize size;
    WindowPlace expected;
  };
  for (const Case& c : {
           Case{"kept", QPoint(10, 20), {800, 600}, {{10, 20}, {800, 600}}},
           Case{"first start: centred", std::nullopt, {800, 600}, {{236, 184}, {800, 600}}},
           Case{
               "on a screen that has gone", QPoint(5000, 10), {800, 600}, {{236, 184}, {800, 600}}},
           Case{"off the bottom: moved up", QPoint(10, 600), {800, 600}, {{10, 368}, {800, 600}}},
           Case{"taller than its screen with the frame",
                QPoint(1290, 10),
                {800, 600},
                {{1280, 0}, {792, 468}}},
           Case{"never below its smallest, moved in from the edge",
                QPoint(1400, 0),
                {600, 300},
                {{1372, 0}, {700, 430}}},
       }) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FitOntoScreens(c.at, c.size, minimum, frame, {left, right}), c.expected);
  }
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
    // Answers to earlier requests come too late to be shown.
    while (http.open.size() > 1) http.Fail(7, "stale");
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
  // Without a history the browser opens on the public rooms.
  EXPECT_EQ(browser->findChild<QListWidget*>(QStringLiteral("lvwSections"))->currentRow(), 0);
  ASSERT_EQ(http.open.size(), 1u);
  ShowPublic();
  EXPECT_THAT(Rows(), testing::ElementsAre("Please wait.. / Getting list of public servers.."));
  ASSERT_EQ(http.open.size(), 1u);
  EXPECT_EQ(http.open.front().url, "http://t.example/list?ACTION=VIEW&MAX=500");
  http.Answer(
      "SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031|PLAYERS=4\r\n"
      "SERVERNAME=Other|SERVERDESC=Two|SERVERIP=192.0.2.8|PORT=2020|LOCKED=True\r\n");
  EXPECT_THAT(Rows(), testing::ElementsAre("Caf\u00e9 / Draw!", "Other / Two"));

  auto* list = browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"));
  // The directory counts players here, so the column shows; the locked room says why it is.
  EXPECT_FALSE(list->isColumnHidden(2));
  EXPECT_EQ(list->topLevelItem(0)->text(2), "4");
  EXPECT_EQ(list->topLevelItem(1)->text(2), "");
  EXPECT_EQ(list->topLevelItem(1)->toolTip(0), "This room asks for a password");
  // Whichever button highlights a row, the boxes name its room; a new list names none.
  browser->show();
  auto* address = browser->findChild<QLineEdit*>(QStringLiteral("txtAddress"));
  auto* name = browser->findChild<QLineEdit*>(QStringLiteral("txtName"));
  auto click = [&](int row, Qt::MouseButton button) {
    QTest::mouseClick(list->viewport(), button, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
  };
  click(1, Qt::LeftButton);
  EXPECT_EQ(name->text(), "Other");
  click(0, Qt::RightButton);
  EXPECT_EQ(address->text(), "192.0.2.7:2031");
  EXPECT_EQ(name->text(), "Caf\u00e9");
  auto* sections = browser->findChild<QListWidget*>(QStringLiteral("lvwSections"));
  emit sections->itemClicked(sections->item(2));
  EXPECT_EQ(address->text(), "");
  EXPECT_EQ(name->text(), "");
  ShowPublic();
  http.Answer("SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031|PLAYERS=4\r\n");
  address->setText("typed.example");  // what the player typed stays
  emit sections->itemClicked(sections->item(1));
  EXPECT_EQ(address->text(), "typed.example");
  ShowPublic();
  http.Answer("SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031|PLAYERS=4\r\n");
  click(0, Qt::LeftButton);
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.host, "192.0.2.7");
  EXPECT_EQ(connection.port, 2031);
  EXPECT_THAT(settings.History(),
              testing::ElementsAre(ServerEntry{"192.0.2.7:2031", "Caf\xE9", "Draw!"}));
}

TEST_F(PublicBrowser, AnEmptyListAndATrackerErrorSayWhatHappenedInTheList) {
  ShowPublic();
  http.Answer("");
  EXPECT_THAT(Rows(), testing::ElementsAre("No servers online. / Please try again later.."));
  const int chat_lines = Find<ChatView>("rtbChat")->document()->blockCount();
  ShowPublic();
  http.Fail(1, "Connection refused");
  EXPECT_THAT(Rows(), testing::ElementsAre("Could not reach the room directory: Connection "
                                           "refused. Press Refresh to ask again. / "));
  // Said in the list, not in the chat behind the browser.
  EXPECT_EQ(Find<ChatView>("rtbChat")->document()->blockCount(), chat_lines);

  // The row tells; it cannot be chosen or joined.
  auto* list = browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"));
  QTreeWidgetItem* row = list->topLevelItem(0);
  EXPECT_FALSE(row->flags() & Qt::ItemIsSelectable);
  list->setCurrentItem(row);
  emit list->itemDoubleClicked(row, 0);
  EXPECT_EQ(connection.connects, 0);

  auto* refresh = browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"));
  ASSERT_TRUE(refresh->isEnabled());
  refresh->click();
  EXPECT_THAT(Rows(), testing::ElementsAre("Please wait.. / Getting list of public servers.."));
  EXPECT_EQ(http.open.size(), 1u);
}

TEST_F(PublicBrowser, EmptyRecentAndFavouritesSayHowTheyFillUp) {
  auto* sections = browser->findChild<QListWidget*>(QStringLiteral("lvwSections"));
  for (int section : {1, 2}) {
    emit sections->itemClicked(sections->item(section));
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_THAT(Rows()[0], testing::StartsWith("No "));
    EXPECT_FALSE(browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->isEnabled());
  }
}

TEST_F(PublicBrowser, AnAnswerAfterTheWindowClosedIsDropped) {
  ShowPublic();
  delete browser.data();
  http.Answer("SERVERNAME=Late|SERVERDESC=x|SERVERIP=192.0.2.9|PORT=2020\r\n");
  EXPECT_TRUE(browser.isNull());
}

TEST_F(Window, PicturesComeWithTheProgramNotFromTheDataFolder) {
  // The fixture's Data folder is empty.
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  for (const char* tool : {"FREEHAND", "FILLTYPE", "HUGEBRUSH"}) {
    EXPECT_FALSE(Find<QAction>(tool)->icon().isNull()) << tool;
  }
  EXPECT_FALSE(window.drawing().pad()->cursor().pixmap().isNull());
  EXPECT_FALSE(SvgIcon(ImagePath(QStringLiteral("app_icon.svg"))).isNull());
}

TEST_F(Window, OptionsSwitchEachSoundAndLeaveTheSystemFontAlone) {
  Find<QAction>("mOPTIONS")->trigger();
  auto* options = window.findChild<OptionsWindow*>(QStringLiteral("wOptions"));
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->findChild<QLineEdit*>(QStringLiteral("txtChatFont"))->text(),
            QApplication::font().family());
  auto* join = options->findChild<QCheckBox*>(QStringLiteral("chkSound1"));
  auto* keys = options->findChild<QCheckBox*>(QStringLiteral("chkSound5"));
  ASSERT_TRUE(join && keys);
  EXPECT_TRUE(join->isChecked());
  join->setChecked(false);
  keys->setChecked(true);
  options->accept();
  EXPECT_EQ(ini.INIRead("Sounds", "Event - Join", ""), "0");
  EXPECT_EQ(ini.INIRead("Sounds", "Event - Key Click", ""), "1");
  // Saved unchanged, the chat keeps following the system's font.
  EXPECT_EQ(ini.INIRead("Interface", "Chat Font Name", "?"), "");
  EXPECT_FALSE(session.options().SoundEnabled[static_cast<size_t>(Sound::kJoin)]);
}

TEST_F(Window, TheToolsMenuShowsTheToolInUseAndEveryToolsKey) {
  auto* line = Find<QAction>("mTOOLS_LINE");
  EXPECT_TRUE(Find<QAction>("mTOOLS_FREEHAND")->isChecked());
  line->trigger();
  EXPECT_TRUE(line->isChecked());
  EXPECT_FALSE(Find<QAction>("mTOOLS_FREEHAND")->isChecked());
  EXPECT_EQ(window.tools().tool(), Tool::kLine);
  Find<QAction>("mTOOLS_SOLIDFILL")->trigger();
  EXPECT_TRUE(Find<QAction>("mTOOLS_SOLIDFILL")->isChecked());
  // The same key in the menu and in the tool button's tip.
  for (const char* tool : {"FREEHAND", "LINE", "BOX", "CIRCLE", "ERASER", "FLOOD", "SPRAY",
                           "FILLTYPE", "CLEAR", "UNDO", "SMALLBRUSH"}) {
    EXPECT_THAT(Find<QAction>(tool)->toolTip().toStdString(), testing::EndsWith(")")) << tool;
  }
  EXPECT_EQ(line->shortcut(), QKeySequence(QStringLiteral("L")));
  EXPECT_THAT(Find<QAction>("LINE")->toolTip().toStdString(), testing::HasSubstr("(L)"));
  // Someone else's turn: the menu draws no more than the tool bars would.
  testing_support::LogInSession(session, connection, 100005, {"ann"});
  Receive("NEWARTIST", "100000");
  EXPECT_FALSE(line->isEnabled());
  Find<QAction>("mTOOLS_BRUSH4")->trigger();
  EXPECT_EQ(window.tools().brush(), 1);
}

TEST_F(Window, TheChatInputSaysSoWhenALineIsFull) {
  auto* input = Find<ChatInput>("txtChat");
  input->setText(QString(511, QLatin1Char('a')));
  EXPECT_FALSE(input->limit_shown());
  QTest::keyClicks(input, "bc");
  EXPECT_EQ(input->text().size(), 512);
  EXPECT_TRUE(input->limit_shown());
  input->backspace();
  EXPECT_FALSE(input->limit_shown());
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

// The clock's rules are the session's; this is that the label shows its time and colour.
TEST_F(GameWindow, TheClockLabelShowsTheTimeAndRedensAtTheEnd) {
  Receive("SETGAMETIMER", "90000");
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "01:30");
  Receive("STARTGAMETIMER", "5000");
  clock.Advance(4000);
  EXPECT_EQ(TimeColour(), QColor(255, 0, 0));
}

TEST_F(GameWindow, TheArtistDrawsAndTheGuesserChats) {
  Receive("NEWARTIST", "100005");
  EXPECT_TRUE(Find<QWidget>("tbrTools")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("tbrBrushes")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("picPad")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("fraPalette")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("cmdStartGameSkipGo")->text(), "Skip Word!");
  // Becoming the artist resets the tools, which tells the others to use black.
  EXPECT_THAT(connection.Take(), testing::Contains(testing_support::Msg("PA", "0")));
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("SKIPWORD", "-")));

  Receive("NEWARTIST", "100000");
  Receive("WORDPATTERN", "___");
  PadWidget* pad = window.drawing().pad();
  EXPECT_EQ(pad->word_pattern(), "_ _ _");
  // Along the top of the picture.
  window.show();
  EXPECT_TRUE(pad->PictureRect().contains(pad->PatternRect()));
  EXPECT_LT(pad->PatternRect().center().y(), pad->PictureRect().center().y() / 2);
  EXPECT_FALSE(Find<QWidget>("tbrTools")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("fraPalette")->isEnabled());
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("cmdWarnArtist")->text(), "Warn Artist");
  connection.Take();
  Find<QPushButton>("cmdWarnArtist")->click();
  EXPECT_TRUE(connection.Take().empty());  // the warning is not sent

  Receive("POINTSCHG", Wire("100000|12"));
  Receive("WINNER", "100000");
  EXPECT_FALSE(window.drawing().pad()->WinnerRect().isEmpty());
  EXPECT_FALSE(window.drawing().pad()->podium().isEmpty());  // the top of the standings
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  // It stays until the player closes it (or the next game begins).
  Find<QToolButton>("cmdCloseWinner")->click();
  EXPECT_TRUE(window.drawing().pad()->WinnerRect().isEmpty());
}

TEST_F(GameWindow, ClosingDuringAGameAsksAndOnlyAYesLeaves) {
  // The question on show; an answered one may still wait for its deletion.
  auto asked = [this]() -> QMessageBox* {
    for (QMessageBox* box : window.findChildren<QMessageBox*>(QStringLiteral("msgLeaveGame"))) {
      if (box->isVisible()) return box;
    }
    return nullptr;
  };
  Receive("TOTALROUNDS", "5");
  Receive("START_GAME", "animals");
  window.show();
  window.close();
  QMessageBox* question = asked();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text(), "Leave the game in progress?");
  EXPECT_TRUE(window.isVisible());
  // Enter pressed without reading the question keeps the player in the game.
  EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
  QTest::keyClick(question, Qt::Key_Return);
  EXPECT_EQ(asked(), nullptr);
  EXPECT_TRUE(window.isVisible());

  window.close();
  question = asked();
  ASSERT_NE(question, nullptr);
  question->button(QMessageBox::Yes)->click();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(GameWindow, DrawingIsSentAndReceivedDrawingIsReplayed) {
  Receive("FH", Wire("100000|10|10|60|10"));
  EXPECT_EQ(window.tools().engine().picture().pixel(30, 10), qRgb(0, 0, 0));
  window.tools().Press(kLeftButton, QPointF(5, 5));
  EXPECT_THAT(connection.Take(), testing::Contains(testing_support::Msg("CU", "-")));
}

TEST_F(GameWindow, TheSetupWindowHoldsItsLimitsAndSendsTheGame) {
  // The start button turns on for the player who sees a second one join.
  Receive("PART", Wire("100000|bye"));
  Receive("JOIN", Wire("100009|cid|0"));
  connection.Take();
  auto* start = Find<QPushButton>("cmdStartGameSkipGo");
  ASSERT_TRUE(start->isEnabled());
  start->click();
  auto* setup = window.findChild<SetupGameWindow*>(QStringLiteral("wSetupGame"));
  ASSERT_NE(setup, nullptr);
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("GETWORDLISTS", "-")));
  Receive("WORDLIST", Wire("animals.txt|food.txt|hard"));
  Receive("WORDLISTEND", "-");
  auto* lists = setup->findChild<QListWidget*>(QStringLiteral("lvwWordlist"));
  ASSERT_EQ(lists->count(), 3);
  EXPECT_EQ(lists->item(0)->text(), "animals");
  // A first set-up starts with the first list ticked, in the room it is for.
  EXPECT_EQ(lists->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(setup->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->text(), "Room");
  auto* status = setup->findChild<QLabel*>(QStringLiteral("labStatus"));
  EXPECT_EQ(status->text(), "Wordlist downloaded.");

  lists->item(0)->setCheckState(Qt::Unchecked);
  setup->StartGame();  // nothing chosen
  EXPECT_EQ(status->text(), "Please select at least one wordlist.");
  EXPECT_TRUE(connection.Take().empty());
  lists->item(1)->setCheckState(Qt::Checked);
  EXPECT_EQ(status->text(), "Wordlist downloaded.");  // the complaint goes with its cause

  // The numbers take nothing outside their ranges, and show them.
  auto* limit = setup->findChild<QSpinBox*>(QStringLiteral("txtPlayerLimit"));
  auto* rounds = setup->findChild<QSpinBox*>(QStringLiteral("txtTotalRounds"));
  auto* seconds = setup->findChild<QSpinBox*>(QStringLiteral("txtTimePerRound"));
  auto* grace = setup->findChild<QSpinBox*>(QStringLiteral("txtWordGuessedCountdown"));
  EXPECT_EQ(rounds->minimum(), 5);
  EXPECT_EQ(rounds->maximum(), 100);
  EXPECT_THAT(rounds->toolTip().toStdString(), testing::HasSubstr("(5 to 100)"));
  limit->setValue(55);
  EXPECT_EQ(limit->value(), 40);
  rounds->setValue(100);
  rounds->stepUp();
  EXPECT_EQ(rounds->value(), 100);
  rounds->stepDown();
  seconds->setValue(5);
  grace->setValue(1000);
  setup->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->setText("Den");
  setup->StartGame();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg(
                                     "STARTGAME", Wire("Den|nodesc|40|99|10000|900000|^food"))));

  // The next set-up opens as this one was sent.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  session.StartButtonPressed();
  auto* again = window.findChild<SetupGameWindow*>(QStringLiteral("wSetupGame"));
  ASSERT_NE(again, nullptr);
  Receive("WORDLIST", Wire("animals|food"));
  Receive("WORDLISTEND", "-");
  auto* lists_again = again->findChild<QListWidget*>(QStringLiteral("lvwWordlist"));
  EXPECT_EQ(lists_again->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(lists_again->item(1)->checkState(), Qt::Checked);
  EXPECT_EQ(again->findChild<QSpinBox*>(QStringLiteral("txtTotalRounds"))->value(), 99);
  EXPECT_EQ(again->findChild<QSpinBox*>(QStringLiteral("txtTimePerRound"))->value(), 10);
  // Closed without a game, it lets the others stop waiting.
  connection.Take();
  again->close();
  EXPECT_THAT(connection.Take(), testing::ElementsAre(testing_support::Msg("CANCELSETUP", "-")));
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

TEST(RoomPassword, NamesTheRoomByItsAddressAndJoinsOnlyWithAPassword) {
  for (const bool wrong : {false, true}) {
    SCOPED_TRACE(wrong);
    RoomPasswordWindow window(QStringLiteral("10.0.0.5:2020"), wrong, nullptr);
    const QString text = window.findChild<QLabel*>(QStringLiteral("labRoomPassword"))->text();
    EXPECT_EQ(text, wrong ? "The password was not right. The room at 10.0.0.5:2020 asks for its "
                            "password:"
                          : "The room at 10.0.0.5:2020 asks for a password:");
    std::vector<std::pair<QString, bool>> given;
    QObject::connect(&window, &RoomPasswordWindow::passwordGiven,
                     [&given](const QString& password, bool remember) {
                       given.emplace_back(password, remember);
                     });
    auto* join = window.findChild<QPushButton*>(QStringLiteral("cmdJoin"));
    EXPECT_FALSE(join->isEnabled());
    window.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("secret"));
    EXPECT_TRUE(join->isEnabled());
    window.findChild<QCheckBox*>(QStringLiteral("chkRememberPassword"))->setChecked(wrong);
    join->click();
    EXPECT_THAT(given,
                testing::ElementsAre(std::pair<QString, bool>(QStringLiteral("secret"), wrong)));
  }
}

}  // namespace
}  // namespace client
