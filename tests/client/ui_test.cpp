// SPDX-License-Identifier: MIT
// The client's widgets as the session drives them, on the offscreen platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
#include "client/ui/room_windows.h"
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

TEST(ChatViewLines, SendersAreBoldPeerTextIsPlainOnlyTheNewestStayAndTheEndStaysInView) {
  QWidget pane;
  auto* view = new ChatView(&pane);
  view->AddLine({"System", "hello", kRed, false});
  EXPECT_EQ(Marked(*view), "<[SYSTEM]>: hello #ff0000");
  view->AddLine({"System", " * bob waves", kBlue, true});
  EXPECT_EQ(Marked(*view), "[SYSTEM:]  * bob waves #0000ff");  // the colon is bold too
  view->AddLine({"System", "", kBlack, false});
  EXPECT_EQ(view->document()->lastBlock().text(), "");
  view->AddLine({"<b>mallory</b>", "<img src=x><a href='y'>click</a> &amp;", kBlack, false});
  EXPECT_EQ(Marked(*view), "<[<B>MALLORY</B>]>: <img src=x><a href='y'>click</a> &amp; #000000");
  for (int i = 0; i < ChatView::kMaxLines + 50; ++i) {
    view->AddLine({"s", "line " + std::to_string(i), kBlack, false});
  }
  EXPECT_EQ(view->document()->blockCount(), ChatView::kMaxLines);
  EXPECT_EQ(view->document()->firstBlock().text(), "<S>: line 50");

  // The newest line stays in view through resizes, unless the player scrolled up.
  view->clear();
  view->setGeometry(0, 0, 400, 150);
  pane.show();
  QScrollBar* bar = view->verticalScrollBar();
  auto at_end = [&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); };
  for (int i = 0; i < 60; ++i) {
    view->AddLine({"s", "a line long enough to wrap once the view is narrower", kBlack, false});
  }
  view->resize(150, 150);  // more lines wrap: the end moves down
  EXPECT_TRUE(at_end());
  bar->setValue(bar->maximum() / 2);  // the player reads further up
  view->AddLine({"s", "new", kBlack, false});
  view->resize(150, 150);
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

TEST(UserListStyling, BoldWhilePresentColouredForArtistAndFindersAndTheSelectionFollowsTheUser) {
  UserList list;
  list.ShowUsers({{1, "ann", "220", true, kArtistGreen}, {2, "ben", "0", false, kFinderRed}});
  QString rows;
  for (const QTreeWidgetItem* row : {list.topLevelItem(0), list.topLevelItem(1)}) {
    rows += row->text(0) + " " + row->text(1) + (row->font(0).bold() ? " bold " : " ") +
            row->foreground(0).color().name() + ", ";
  }
  EXPECT_EQ(rows, "ann 220 bold #00b400, ben 0 #b40000, ");
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

TEST_F(Window, PicturesComeWithTheProgramAndEnabledStatesFollowTheConnection) {
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // nothing read from the Data folder
  for (const char* tool : {"FREEHAND", "FILLTYPE", "HUGEBRUSH"}) {
    EXPECT_FALSE(Find<QAction>(tool)->icon().isNull()) << tool;
  }
  EXPECT_FALSE(window.drawing().pad()->cursor().pixmap().isNull());
  EXPECT_FALSE(SvgIcon(ImagePath(QStringLiteral("app_icon.svg"))).isNull());

  const auto shown = [this] {
    return Enabled({"mCONNECT", "mDISCONNECT", "mUSERINFORMATION", "mADMINISTRATE", "txtChat",
                    "picPad", "cmdStartGameSkipGo", "chkAutoSkipGo"}) +
           " | " + Find<QLabel>("labRoomName")->text().toStdString() + " | " +
           std::to_string(Find<UserList>("lvwUsers")->topLevelItemCount());
  };
  // Disconnected: connect, chat and practice drawing; no room menus or game buttons.
  EXPECT_EQ(shown(), "mCONNECT txtChat picPad | - | 0");
  // In the room, alone: the admin menu and the auto-skip box.
  testing_support::ConnectSession(session, connection);
  Receive("USEROK", Wire("100001|"));
  Receive("PASSOK", Wire("|The Den|-|1|10"));
  Receive("ULIST", Wire("100001|un-named|0|0"));
  Receive("ULISTEND", "");
  EXPECT_EQ(shown(),
            "mDISCONNECT mUSERINFORMATION mADMINISTRATE txtChat picPad chkAutoSkipGo | "
            "The Den | 1");
  session.OnClosed();
  EXPECT_EQ(shown(), "mCONNECT txtChat picPad | - | 0");
}

TEST_F(Window, ThePlaceComesBackAndIsKeptOnClose) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize size =
      window.minimumSizeHint().expandedTo({0, kMinStoredHeight / kTwipsPerPixel}) + QSize(20, 10);
  const QPoint place = area.topLeft() + QPoint(5, 7);
  settings.SaveWindowMetrics({size.height() * kTwipsPerPixel, place.y() * kTwipsPerPixel,
                              place.x() * kTwipsPerPixel, size.width() * kTwipsPerPixel});
  window.RestorePlacement();
  EXPECT_EQ(QRect(window.pos(), window.size()), QRect(place, size));
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
        list(browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"))),
        address(browser->findChild<QLineEdit*>(QStringLiteral("txtAddress"))),
        name(browser->findChild<QLineEdit*>(QStringLiteral("txtName"))) {}
  // Opens a section by a click; the public one is answered with this.
  void ShowSection(int row, const char* answer = nullptr) {
    sections->setCurrentRow(row);
    emit sections->itemClicked(sections->item(row));
    while (answer && http.open.size() > 1) http.Fail(7, "stale");  // answers too late to be shown
    if (answer) http.Answer(answer);
  }
  // Each row's columns and its tip.
  std::string Rows() {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = list->topLevelItem(i);
      rows << row->text(0) + " / " + row->text(1) + " / " + row->text(2) + " " + row->toolTip(0);
    }
    return rows.join(", ").toStdString();
  }
  // A click with this button on a row.
  void Click(int row, Qt::MouseButton button) {
    QTest::mouseClick(list->viewport(), button, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
  }
  std::string Boxes() { return (address->text() + " " + name->text()).toStdString(); }

  testing_support::FakeHttpGetter http;
  QPointer<ServerBrowserWindow> browser;
  QListWidget* sections;
  QTreeWidget* list;
  QLineEdit* address;
  QLineEdit* name;
};

constexpr const char* kTwoRooms =
    "SERVERNAME=Caf\xE9|SERVERDESC=Draw!|SERVERIP=192.0.2.7|PORT=2031|PLAYERS=4\r\n"
    "SERVERNAME=Other|SERVERDESC=Two|SERVERIP=192.0.2.8|PORT=2020|LOCKED=True"
    "|WEB=https://play.example/\r\n";

TEST_F(PublicBrowser, ShowsTheTrackersRoomsAndConnectsOnTheRowsPortButNeverOnAPlaceholder) {
  // Without a history it opens on the public rooms.
  EXPECT_THAT(http.urls, testing::ElementsAre("http://t.example/list?ACTION=VIEW&MAX=500"));
  const int chat_lines = Find<ChatView>("rtbChat")->document()->blockCount();
  http.Fail(1, "Connection refused");
  EXPECT_THAT(Rows(), testing::StartsWith("Could not reach"));
  EXPECT_EQ(Find<ChatView>("rtbChat")->document()->blockCount(), chat_lines);  // not in the chat
  EXPECT_FALSE(list->topLevelItem(0)->flags() & Qt::ItemIsSelectable);
  list->setCurrentItem(list->topLevelItem(0));
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.connects, 0);
  auto* refresh = browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"));
  refresh->click();
  ShowSection(0, kTwoRooms);
  EXPECT_EQ(Rows(),
            "Caf\u00e9 / Draw! / 4 , Other / Two /  This room asks for a password\n"
            "Play in the browser: https://play.example/");
  EXPECT_FALSE(list->isColumnHidden(2));  // the directory counts players here
  // Whichever button highlights a row, the boxes name its room; a new list names none.
  browser->show();
  Click(1, Qt::LeftButton);
  EXPECT_EQ(Boxes(), "192.0.2.8 Other");
  Click(0, Qt::RightButton);
  EXPECT_EQ(Boxes(), "192.0.2.7:2031 Caf\u00e9");
  ShowSection(2);
  EXPECT_EQ(Boxes(), " ");
  EXPECT_FALSE(refresh->isEnabled());
  ShowSection(0, kTwoRooms);
  address->setText("typed.example");  // what the player typed stays
  ShowSection(1);
  EXPECT_EQ(address->text(), "typed.example");
  ShowSection(0, kTwoRooms);
  Click(0, Qt::LeftButton);
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(connection.host + ":" + std::to_string(connection.port), "192.0.2.7:2031");
  // An answer after the window closed is dropped.
  ShowSection(0);
  delete browser.data();
  http.Answer(kTwoRooms);
}

TEST_F(Window, OptionsTheChatInputTheFloatingChatAndTheToolsMenu) {
  // The options switch each sound and leave the system font alone.
  Find<QAction>("mOPTIONS")->trigger();
  auto* options = window.findChild<OptionsWindow*>(QStringLiteral("wOptions"));
  EXPECT_EQ(options->findChild<QLineEdit*>(QStringLiteral("txtChatFont"))->text(),
            QApplication::font().family());
  options->findChild<QCheckBox*>(QStringLiteral("chkSound1"))->setChecked(false);
  options->findChild<QCheckBox*>(QStringLiteral("chkSound5"))->setChecked(true);
  options->accept();
  // Saved unchanged, the chat keeps following the system's font.
  EXPECT_EQ(ini.INIRead("Sounds", "Event - Join", "") +
                ini.INIRead("Sounds", "Event - Key Click", "") +
                ini.INIRead("Interface", "Chat Font Name", "?"),
            "01");
  EXPECT_FALSE(session.options().SoundEnabled[static_cast<size_t>(Sound::kJoin)]);

  // The chat input says so when a line is full; the floating chat gives its lines back.
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
  EXPECT_TRUE(Find<QAction>("mCHATBAR_KEEPONTOP")->isEnabled());
  session.EnterChatLine("/debug");
  EXPECT_TRUE(bar->chat()->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(main_chat->toPlainText().contains("DEBUG INFORMATION"));
  bar->close();
  EXPECT_TRUE(main_chat->toPlainText().contains("ChatBar\t\t = True"));
  EXPECT_FALSE(Find<QAction>("mCHATBAR_FLOAT")->isChecked());

  // The tools menu shows the tool in use and its key, and draws only when the pad does.
  auto* line = Find<QAction>("mTOOLS_LINE");
  line->trigger();
  EXPECT_TRUE(line->isChecked() && !Find<QAction>("mTOOLS_FREEHAND")->isChecked());
  EXPECT_EQ(window.tools().tool(), Tool::kLine);
  Find<QAction>("mTOOLS_SOLIDFILL")->trigger();
  EXPECT_TRUE(Find<QAction>("mTOOLS_SOLIDFILL")->isChecked());
  // The same key in the menu and in the tool button's tip.
  EXPECT_EQ(line->shortcut(), QKeySequence(QStringLiteral("L")));
  EXPECT_THAT(Find<QAction>("LINE")->toolTip().toStdString(), testing::HasSubstr("(L)"));
  // Someone else's turn: the menu draws no more than the tool bars would.
  testing_support::LogInSession(session, connection, 100005, {"ann"});
  Receive("NEWARTIST", "100000");
  EXPECT_FALSE(line->isEnabled());
  Find<QAction>("mTOOLS_BRUSH4")->trigger();
  EXPECT_EQ(window.tools().brush(), 1);
}

TEST(RoomPassword, NamesTheRoomByItsAddressAndJoinsOnlyWithAPassword) {
  for (const bool wrong : {false, true}) {
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
    window.findChild<QCheckBox*>(QStringLiteral("chkRememberPassword"))->setChecked(wrong);
    join->click();
    EXPECT_EQ(given, QStringList{wrong ? "secret kept" : "secret"});
  }
}

TEST_F(Window, ARoomIsMadeOnTheLastServerAsTypedAndItsLinksAreOfferedToCopy) {
  session.SetProfile({.Nickname = "Me"});
  settings.AddToHistory({"den.example:2021/abc", "Den", ""});
  auto* dialog = new CreateRoomWindow(&session, &window);
  EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("txtServer"))->text(), "den.example:2021");
  auto* create = dialog->findChild<QPushButton*>(QStringLiteral("cmdCreate"));
  EXPECT_FALSE(create->isEnabled());  // a room needs a name
  dialog->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->setText(QStringLiteral("Friday"));
  dialog->findChild<QLineEdit*>(QStringLiteral("txtRoomPassword"))->setText(QStringLiteral("pw"));
  dialog->findChild<QCheckBox*>(QStringLiteral("chkListed"))->setChecked(true);
  auto* language = dialog->findChild<QComboBox*>(QStringLiteral("cboLanguage"));
  language->setCurrentIndex(language->findText(QStringLiteral("Deutsch")));
  create->click();
  EXPECT_EQ(connection.host + ":" + std::to_string(connection.port), "den.example:2021");
  connection.state = SocketState::kConnected;
  session.OnConnected();
  EXPECT_EQ(Sent(), "MAKEROOM Friday|pw|1|de, SCRAWLBOX_CL13NT 101000");
  Receive("ROOMMADE", Wire("xyz|"));
  auto* invite = Find<QDialog>("wRoomInvite");
  ASSERT_TRUE(invite && invite->isVisible());
  EXPECT_FALSE(invite->findChild<QLineEdit*>(QStringLiteral("txtWebLink")));  // the host has none
  invite->findChild<QPushButton*>(QStringLiteral("cmdCopyDesktopLink"))->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "scrawlbox://den.example:2021/xyz");
}

// In a room with ann (100000) as the other player; this client is 100005.
class GameWindow : public Window {
 protected:
  void SetUp() override { testing_support::LogInSession(session, connection, 100005, {"ann"}); }
};

TEST_F(GameWindow, TheArtistDrawsAndTheGuesserChats) {
  const auto shown = [this] {
    return Enabled({"tbrTools", "tbrBrushes", "picPad", "fraPalette", "txtChat"}) + " | " +
           Find<QPushButton>("cmdStartGameSkipGo")->text().toStdString() + " / " +
           Find<QPushButton>("cmdWarnArtist")->text().toStdString();
  };
  // The clock's rules are the session's; the label shows its time and reddens at the end.
  auto* time = Find<QLabel>("labTime");
  Receive("STARTGAMETIMER", "5000");
  clock.Advance(4000);
  EXPECT_EQ((time->text() + " " + time->palette().color(QPalette::WindowText).name()),
            "00:01 #ff0000");

  // The room keeps the word out of the artist's chat.
  Receive("NEWARTIST", "100005");
  EXPECT_EQ(shown(), "tbrTools tbrBrushes picPad fraPalette txtChat | Skip Word! / Give Hint");
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  Find<QPushButton>("cmdStartGameSkipGo")->click();
  window.tools().Press(kLeftButton, {5, 5});  // the artist's drawing is sent
  // Becoming the artist resets the tools, which tells the others to use black.
  EXPECT_EQ(Sent(), "PA 0, PA 0, SKIPWORD -, CU -, FH 5|5|5|5");

  Receive("NEWARTIST", "100000");
  Receive("WORDPATTERN", "___");
  EXPECT_EQ(shown(), "txtChat | Setup Game / Warn Artist");
  PadWidget* pad = window.drawing().pad();
  EXPECT_EQ(pad->word_pattern(), "_ _ _");
  // Along the top of the picture.
  window.show();
  EXPECT_TRUE(pad->PictureRect().contains(pad->PatternRect()));
  EXPECT_LT(pad->PatternRect().center().y(), pad->PictureRect().center().y() / 2);
  Receive("FH", Wire("100000|10|10|60|10"));  // replayed on the pad
  EXPECT_EQ(window.tools().raster().pixel(30, 10), qRgb(0, 0, 0));

  Receive("POINTSCHG", Wire("100000|12"));
  Receive("WINNER", "100000");
  EXPECT_FALSE(pad->WinnerRect().isEmpty() || pad->podium().isEmpty());  // and the standings
  EXPECT_FALSE(Find<QWidget>("picPad")->isEnabled());
  // It stays until the player closes it (or the next game begins).
  Find<QToolButton>("cmdCloseWinner")->click();
  EXPECT_TRUE(pad->WinnerRect().isEmpty());

  // The words offered take the keyboard from the chat, and give it back once one is chosen.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* chat = Find<ChatInput>("txtChat");
  chat->setFocus();
  Receive("WORDCHOICES", Wire("15|apple|bear"));
  EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cmdChooseWord1"));
  Find<QPushButton>("cmdChooseWord2")->click();
  Receive("NEWARTIST", "100005");
  EXPECT_EQ(QApplication::focusWidget(), chat);
  EXPECT_THAT(Sent(), testing::HasSubstr("CHOOSEWORD 1"));
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
  QTest::keyClick(question, Qt::Key_Return);
  EXPECT_TRUE(asked() == nullptr && window.isVisible());
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
  Receive("WORDLIST", Wire("animals.txt|food.txt|hard"));
  Receive("WORDLISTEND", "-");
  EXPECT_EQ(Sent(), "GETWORDLISTS -");
  auto* lists = setup->findChild<QListWidget*>(QStringLiteral("lvwWordlist"));
  ASSERT_EQ(lists->count(), 3);
  // A first set-up starts with the lists of the room's language ticked (English, from a room that
  // names none), in the room it is for.
  for (int i = 0; i < lists->count(); ++i) EXPECT_EQ(lists->item(i)->checkState(), Qt::Checked);
  EXPECT_EQ(setup->findChild<QLineEdit*>(QStringLiteral("txtRoomName"))->text(), "Room");
  auto* status = setup->findChild<QLabel*>(QStringLiteral("labStatus"));
  EXPECT_EQ(status->text(), "Wordlist downloaded.");
  for (int i = 0; i < lists->count(); ++i) lists->item(i)->setCheckState(Qt::Unchecked);
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
  EXPECT_EQ(again->findChild<QSpinBox*>(QStringLiteral("txtTotalRounds"))->value(), 99);
  Sent();
  again->close();
  EXPECT_EQ(Sent(), "CANCELSETUP -");
}

TEST_F(GameWindow, RefusingTheAgreementSendsItAndTheWindowGoesOnceTheNopIsOut) {
  window.ShowAgreement("Be nice.");
  QPointer<AgreementWindow> agreement = window.findChild<AgreementWindow*>("wAgreement");
  agreement->findChild<QPushButton*>(QStringLiteral("cmdDisagree"))->click();
  clock.Advance(AgreementWindow::kDisconnectDelayMs);
  EXPECT_EQ(Sent(), "DISAGREE -, NOP -");
  EXPECT_TRUE(QTest::qWaitFor([&] { return agreement.isNull() || !agreement->isVisible(); }, 2000));
}

}  // namespace
}  // namespace client
