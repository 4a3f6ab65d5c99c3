// SPDX-License-Identifier: MIT
// The client's widgets as the session drives them, on the offscreen platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

#include "client/net/sound_player.h"
#include "client/ui/chat_bar.h"
#include "client/ui/chat_input.h"
#include "client/ui/chat_view.h"
#include "client/ui/drawing_area.h"
#include "client/ui/game_windows.h"
#include "client/ui/options_window.h"
#include "client/ui/pad_widget.h"
#include "client/ui/server_browser_window.h"
#include "client/ui/small_windows.h"
#include "client/ui/svg_picture.h"
#include "client/ui/user_list.h"
#include "client/ui/window_geometry.h"
#include "tests/support/fake_http.h"
#include "tests/support/window_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

// The view's last line with each bold run in [brackets] and the colour of its end.
std::string Marked(const ChatView& view) {
  std::string marked;
  QTextCharFormat last;
  for (auto it = view.document()->lastBlock().begin(); !it.atEnd(); ++it) {
    last = it.fragment().charFormat();
    const std::string text = it.fragment().text().toStdString();
    marked += last.fontWeight() == QFont::Bold ? "[" + text + "]" : text;
    if (last.isAnchor()) marked += "(link)";
  }
  return marked + " " + last.foreground().color().name().toStdString();
}

TEST(ChatViewLines, SendersAreBoldPeerTextIsNeverMarkupAndOnlyTheNewestLinesStay) {
  ChatView view;
  view.AddLine({"System", "hello", kRed, false});
  EXPECT_EQ(Marked(view), "<[SYSTEM]>: hello #ff0000");
  view.AddLine({"System", " * bob waves", kBlue, true});
  EXPECT_EQ(Marked(view), "[SYSTEM:]  * bob waves #0000ff");  // the colon is bold too
  view.AddLine({"System", "", kBlack, false});
  EXPECT_EQ(view.document()->lastBlock().text(), "");
  EXPECT_EQ(view.document()->blockCount(), 3);
  view.AddLine({"<b>mallory</b>", "<img src=x><a href='y'>click</a> &amp;", kBlack, false});
  EXPECT_EQ(Marked(view), "<[<B>MALLORY</B>]>: <img src=x><a href='y'>click</a> &amp; #000000");

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

TEST(WindowPlaces, AWindowComesBackWhollyOnAScreenFrameAndAll) {
  const QRect left(0, 0, 1280, 1000);
  const QRect right(1280, 0, 800, 500);  // e.g. 1600 x 1000 at twice the scale
  struct Case {
    const char* name;
    std::optional<QPoint> at;  // none: the first start
    QSize size;
    WindowPlace expected;
  };
  // clang-format off
  for (const Case& c : {
      Case{"kept", QPoint(10, 20), {800, 600}, {{10, 20}, {800, 600}}},
      Case{"first start: centred", std::nullopt, {800, 600}, {{236, 184}, {800, 600}}},
      Case{"on a screen that has gone", QPoint(5000, 10), {800, 600}, {{236, 184}, {800, 600}}},
      Case{"off the bottom: moved up", QPoint(10, 600), {800, 600}, {{10, 368}, {800, 600}}},
      Case{"taller than its screen", QPoint(1290, 10), {800, 600}, {{1280, 0}, {792, 468}}},
      Case{"never below its smallest", QPoint(1400, 0), {600, 300}, {{1372, 0}, {700, 430}}}}) {
    // clang-format on
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FitOntoScreens(c.at, c.size, {700, 430}, {4, 28, 4, 4}, {left, right}), c.expected);
  }
}

class Window : public testing::Test, protected testing_support::WindowHarness {};

TEST_F(Window, EnabledStatesFollowTheConnection) {
  const auto states = [this] {
    return Enabled({"mCONNECT", "mDISCONNECT", "mUSERINFORMATION", "mADMINISTRATE", "txtChat",
                    "picPad", "cmdStartGameSkipGo", "chkAutoSkipGo"});
  };
  // Disconnected: connect, chat and practice drawing; no room menus or game buttons.
  EXPECT_EQ(states(), "mCONNECT txtChat picPad");
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "--:--");
  testing_support::ConnectSession(session, connection);
  // In the room, alone: the admin menu and the auto-skip box.
  Receive("USEROK", Wire("100001|"));
  Receive("PASSOK", Wire("|The Den|-|1|10"));
  Receive("ULIST", Wire("100001|un-named|0|0"));
  Receive("ULISTEND", "");
  EXPECT_EQ(states(), "mDISCONNECT mUSERINFORMATION mADMINISTRATE txtChat picPad chkAutoSkipGo");
  EXPECT_EQ(Find<QLabel>("labRoomName")->text(), "The Den");
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 1);
  // The server goes away: back to the disconnected state.
  session.OnClosed();
  EXPECT_EQ(states(), "mCONNECT txtChat picPad");
  EXPECT_EQ(Find<UserList>("lvwUsers")->topLevelItemCount(), 0);
}

TEST_F(Window, ThePlaceComesBackAndIsKeptOnClose) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize size =
      window.minimumSizeHint().expandedTo({0, kMinStoredHeight / kTwipsPerPixel}) + QSize(20, 10);
  const QPoint place = area.topLeft() + QPoint(5, 7);
  settings.SaveWindowMetrics({size.height() * kTwipsPerPixel, place.y() * kTwipsPerPixel,
                              place.x() * kTwipsPerPixel, size.width() * kTwipsPerPixel});
  window.RestorePlacement();
  EXPECT_EQ(window.pos(), place);
  EXPECT_EQ(window.size(), size);
  window.resize(size + QSize(4, 0));
  window.close();
  EXPECT_EQ(settings.LoadWindowMetrics().width, (size.width() + 4) * kTwipsPerPixel);
}

class PublicBrowser : public Window {
 protected:
  PublicBrowser()
      : browser(
            new ServerBrowserWindow(&session, &settings, &http, "http://t.example/list", &window)),
        sections(browser->findChild<QListWidget*>(QStringLiteral("lvwSections"))),
        list(browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"))) {}
  // Opens the public section and answers for it.
  void ShowPublic(const char* answer) {
    sections->setCurrentRow(0);
    emit sections->itemClicked(sections->item(0));
    while (http.open.size() > 1) http.Fail(7, "stale");  // answers too late to be shown
    http.Answer(answer);
  }
  std::string Rows() {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      rows << list->topLevelItem(i)->text(0) + " / " + list->topLevelItem(i)->text(1);
    }
    return rows.join(", ").toStdString();
  }
  // A click with this button on a row.
  void Click(int row, Qt::MouseButton button) {
    QTest::mouseClick(list->viewport(), button, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
  }

  testing_support::FakeHttpGetter http;
  QPointer<ServerBrowserWindow> browser;
  QListWidget* sections;
  QTreeWidget* list;
};

constexpr const char* kTwoRooms =
    "SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031|PLAYERS=4\r\n"
    "SERVERNAME=Other|SERVERDESC=Two|SERVERIP=192.0.2.8|PORT=2020|LOCKED=True\r\n";

TEST_F(PublicBrowser, ShowsTheTrackersRoomsAndConnectsOnTheRowsPortButNeverOnAPlaceholder) {
  ASSERT_EQ(http.open.size(), 1u);  // without a history it opens on the public rooms
  EXPECT_EQ(http.open.front().url, "http://t.example/list?ACTION=VIEW&MAX=500");
  const int chat_lines = Find<ChatView>("rtbChat")->document()->blockCount();
  http.Fail(1, "Connection refused");
  EXPECT_THAT(Rows(), testing::StartsWith("Could not reach"));
  EXPECT_EQ(Find<ChatView>("rtbChat")->document()->blockCount(), chat_lines);  // not in the chat
  EXPECT_FALSE(list->topLevelItem(0)->flags() & Qt::ItemIsSelectable);
  list->setCurrentItem(list->topLevelItem(0));
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.connects, 0);
  browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->click();
  EXPECT_EQ(http.open.size(), 1u);
  ShowPublic(kTwoRooms);
  EXPECT_EQ(Rows(), "Caf\u00e9 / Draw!, Other / Two");
  EXPECT_FALSE(list->isColumnHidden(2));  // the directory counts players here
  EXPECT_EQ(list->topLevelItem(0)->text(2) + list->topLevelItem(1)->text(2), "4");
  EXPECT_EQ(list->topLevelItem(1)->toolTip(0), "This room asks for a password");
  // Whichever button highlights a row, the boxes name its room; a new list names none.
  browser->show();
  auto* address = browser->findChild<QLineEdit*>(QStringLiteral("txtAddress"));
  auto* name = browser->findChild<QLineEdit*>(QStringLiteral("txtName"));
  Click(1, Qt::LeftButton);
  EXPECT_EQ(name->text(), "Other");
  Click(0, Qt::RightButton);
  EXPECT_EQ(address->text() + " " + name->text(), "192.0.2.7:2031 Caf\u00e9");
  emit sections->itemClicked(sections->item(2));
  EXPECT_EQ(address->text() + name->text(), "");
  EXPECT_FALSE(browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->isEnabled());
  ShowPublic(kTwoRooms);
  address->setText("typed.example");  // what the player typed stays
  emit sections->itemClicked(sections->item(1));
  EXPECT_EQ(address->text(), "typed.example");
  ShowPublic(kTwoRooms);
  Click(0, Qt::LeftButton);
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.host + ":" + std::to_string(connection.port), "192.0.2.7:2031");
  // An answer after the window closed is dropped.
  emit sections->itemClicked(sections->item(0));
  delete browser.data();
  http.Answer(kTwoRooms);
  EXPECT_TRUE(browser.isNull());
}

TEST_F(Window, PicturesComeWithTheProgramNotFromTheDataFolder) {
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
  EXPECT_TRUE(join->isChecked());
  join->setChecked(false);
  options->findChild<QCheckBox*>(QStringLiteral("chkSound5"))->setChecked(true);
  options->accept();
  EXPECT_EQ(
      ini.INIRead("Sounds", "Event - Join", "") + ini.INIRead("Sounds", "Event - Key Click", ""),
      "01");
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

TEST_F(Window, TheChatInputSaysSoWhenALineIsFullAndTheFloatingChatGivesItsLinesBack) {
  auto* input = Find<ChatInput>("txtChat");
  input->setText(QString(511, QLatin1Char('a')));
  EXPECT_FALSE(input->limit_shown());
  QTest::keyClicks(input, "bc");
  EXPECT_EQ(input->text().size(), 512);
  EXPECT_TRUE(input->limit_shown());
  input->backspace();
  EXPECT_FALSE(input->limit_shown());

  auto* main_chat = Find<ChatView>("rtbChat");
  Find<QAction>("mCHATBAR_FLOAT")->trigger();
  auto* bar = window.findChild<ChatBar*>(QStringLiteral("wChatBar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(Find<QAction>("mCHATBAR_KEEPONTOP")->isEnabled());
  session.EnterChatLine("/debug");
  EXPECT_TRUE(bar->chat()->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(main_chat->toPlainText().contains("DEBUG INFORMATION"));
  bar->close();
  EXPECT_TRUE(main_chat->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(Find<QAction>("mCHATBAR_FLOAT")->isChecked());
}

TEST(RoomPassword, NamesTheRoomByItsAddressAndJoinsOnlyWithAPassword) {
  for (const bool wrong : {false, true}) {
    SCOPED_TRACE(wrong);
    RoomPasswordWindow window(QStringLiteral("10.0.0.5:2020"), wrong, nullptr);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("labRoomPassword"))->text(),
              wrong ? "The password was not right. The room at 10.0.0.5:2020 asks for its password:"
                    : "The room at 10.0.0.5:2020 asks for a password:");
    QStringList given;
    QObject::connect(&window, &RoomPasswordWindow::passwordGiven,
                     [&given](const QString& password, bool remember) {
                       given << password + (remember ? " kept" : "");
                     });
    auto* join = window.findChild<QPushButton*>(QStringLiteral("cmdJoin"));
    EXPECT_FALSE(join->isEnabled());
    window.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("secret"));
    EXPECT_TRUE(join->isEnabled());
    window.findChild<QCheckBox*>(QStringLiteral("chkRememberPassword"))->setChecked(wrong);
    join->click();
    EXPECT_EQ(given, QStringList{wrong ? "secret kept" : "secret"});
  }
}

// In a room with ann (100000) as the other player; this client is 100005.
class GameWindow : public Window {
 protected:
  void SetUp() override { testing_support::LogInSession(session, connection, 100005, {"ann"}); }
};

TEST_F(GameWindow, TheArtistDrawsAndTheGuesserChats) {
  const auto tools = [this] { return Enabled({"tbrTools", "tbrBrushes", "picPad", "fraPalette"}); };
  // The clock's rules are the session's; the label shows its time and reddens at the end.
  Receive("SETGAMETIMER", "90000");
  EXPECT_EQ(Find<QLabel>("labTime")->text(), "01:30");
  Receive("STARTGAMETIMER", "5000");
  clock.Advance(4000);
  EXPECT_EQ(Find<QLabel>("labTime")->palette().color(QPalette::WindowText), QColor(255, 0, 0));

  Receive("NEWARTIST", "100005");
  EXPECT_EQ(tools(), "tbrTools tbrBrushes picPad fraPalette");
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());  // the room keeps the word out
  EXPECT_EQ(Find<QPushButton>("cmdStartGameSkipGo")->text(), "Skip Word!");
  EXPECT_EQ(Find<QPushButton>("cmdWarnArtist")->text(), "Give Hint");
  // Becoming the artist resets the tools, which tells the others to use black.
  EXPECT_THAT(Sent(), testing::HasSubstr("PA 0"));
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  window.tools().Press(kLeftButton, QPointF(5, 5));  // the artist's drawing is sent
  EXPECT_THAT(Sent(), testing::StartsWith("SKIPWORD -, CU -"));

  Receive("NEWARTIST", "100000");
  Receive("WORDPATTERN", "___");
  PadWidget* pad = window.drawing().pad();
  EXPECT_EQ(pad->word_pattern(), "_ _ _");
  // Along the top of the picture.
  window.show();
  EXPECT_TRUE(pad->PictureRect().contains(pad->PatternRect()));
  EXPECT_LT(pad->PatternRect().center().y(), pad->PictureRect().center().y() / 2);
  EXPECT_EQ(tools(), "");
  EXPECT_TRUE(Find<ChatInput>("txtChat")->isEnabled());
  Sent();
  Find<QPushButton>("cmdWarnArtist")->click();
  EXPECT_EQ(Sent(), "");  // the warning is not sent
  // Received drawing is replayed on the pad.
  Receive("FH", Wire("100000|10|10|60|10"));
  EXPECT_EQ(window.tools().engine().picture().pixel(30, 10), qRgb(0, 0, 0));

  Receive("POINTSCHG", Wire("100000|12"));
  Receive("WINNER", "100000");
  EXPECT_FALSE(pad->WinnerRect().isEmpty());
  EXPECT_FALSE(pad->podium().isEmpty());  // the top of the standings
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  // It stays until the player closes it (or the next game begins).
  Find<QToolButton>("cmdCloseWinner")->click();
  EXPECT_TRUE(pad->WinnerRect().isEmpty());
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
  // Enter pressed without reading the question keeps the player in the game.
  EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
  QTest::keyClick(question, Qt::Key_Return);
  EXPECT_EQ(asked(), nullptr);
  EXPECT_TRUE(window.isVisible());
  window.close();
  ASSERT_NE(asked(), nullptr);
  asked()->button(QMessageBox::Yes)->click();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(GameWindow, TheSetupWindowNeedsAListShowsItsRangesAndSendsTheGame) {
  // The start button turns on for the player who sees a second one join.
  Receive("PART", Wire("100000|bye"));
  Receive("JOIN", Wire("100009|cid|0"));
  Sent();
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  auto* setup = window.findChild<SetupGameWindow*>(QStringLiteral("wSetupGame"));
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(Sent(), "GETWORDLISTS -");
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
  EXPECT_EQ(Sent(), "");
  lists->item(1)->setCheckState(Qt::Checked);
  EXPECT_EQ(status->text(), "Wordlist downloaded.");  // the complaint goes with its cause

  // The numbers show their ranges; the ticked lists and the numbers are sent.
  auto* rounds = setup->findChild<QSpinBox*>(QStringLiteral("txtTotalRounds"));
  EXPECT_THAT(rounds->toolTip().toStdString(), testing::HasSubstr("(5 to 100)"));
  rounds->setValue(99);
  setup->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->setText("Den");
  setup->StartGame();
  EXPECT_EQ(Sent(), "STARTGAME Den|nodesc|0|99|60000|30000|^food");
  // The next set-up opens as this one was sent; closed without a game, it lets the others
  // stop waiting.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  session.StartButtonPressed();
  auto* again = window.findChild<SetupGameWindow*>(QStringLiteral("wSetupGame"));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->findChild<QSpinBox*>(QStringLiteral("txtTotalRounds"))->value(), 99);
  Sent();
  again->close();
  EXPECT_EQ(Sent(), "CANCELSETUP -");
}

TEST_F(GameWindow, RefusingTheAgreementSendsItAndTheWindowGoesOnceTheNopIsOut) {
  window.ShowAgreement("Be nice.");
  QPointer<AgreementWindow> agreement = window.findChild<AgreementWindow*>("wAgreement");
  ASSERT_FALSE(agreement.isNull());
  agreement->findChild<QPushButton*>(QStringLiteral("cmdDisagree"))->click();
  clock.Advance(AgreementWindow::kDisconnectDelayMs);
  EXPECT_EQ(Sent(), "DISAGREE -, NOP -");
  EXPECT_TRUE(QTest::qWaitFor([&] { return agreement.isNull() || !agreement->isVisible(); }, 2000));
}

}  // namespace
}  // namespace client
