// SPDX-License-Identifier: MIT
#include "client/ui/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

#include "client/drawing/pad_image.h"
#include "client/net/qt_connection.h"
#include "client/net/sound_player.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "client/ui/chat_bar.h"
#include "client/ui/chat_input.h"
#include "client/ui/chat_view.h"
#include "client/ui/drawing_area.h"
#include "client/ui/gallery_window.h"
#include "client/ui/game_windows.h"
#include "client/ui/options_window.h"
#include "client/ui/pad_widget.h"
#include "client/ui/profile_window.h"
#include "client/ui/room_layout.h"
#include "client/ui/room_windows.h"
#include "client/ui/server_browser_window.h"
#include "client/ui/small_windows.h"
#include "client/ui/user_list.h"
#include "client/ui/window_geometry.h"
#include "client/ui/word_choice_panel.h"
#include "common/links.h"
#include "common/qt/app_identity.h"
#include "common/qt/text_codec.h"
#include "common/ui/about_window.h"
#include "common/ui/menu_action.h"
#include "common/ui/message_box.h"
#include "common/ui/profile_view.h"
#include "common/version.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

QLabel* PanelLabel(const char* name) {
  auto* label = new QLabel(QStringLiteral("-"));
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLabel* Heading(const char* name, const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(QString::fromLatin1(name));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

template <typename Action>
void ApplyButton(QPushButton* button, const ButtonState<Action>& state, std::string_view language) {
  button->setText(scrawlbox::FromWire(protocol::SayIn(language, state.caption())));
  button->setEnabled(state.enabled);
  button->setStyleSheet(
      state.colour ? QStringLiteral("background-color: %1;").arg(ToQColor(*state.colour).name())
                   : QString());
}

}  // namespace

MainWindow::MainWindow(ClientPaths paths, scrawlbox::Scheduler& scheduler)
    : paths_(std::move(paths)),
      scheduler_(scheduler),
      sounds_(new SoundPlayer(paths_.SoundFolders(), this)) {
  setObjectName(QStringLiteral("wMain"));
  setWindowTitle(tr("Scrawlbox - Client v%1 (build#%2) Beta")
                     .arg(scrawlbox::VersionLabel())
                     .arg(scrawlbox::kVersionRevision));

  rtbChat_ = new ChatView;
  txtChat_ = new ChatInput;
  lvwUsers_ = new UserList;
  lvwUsers_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvwUsers_, &QTreeWidget::itemDoubleClicked, this, &MainWindow::OpenUserInformation);
  connect(lvwUsers_, &QTreeWidget::customContextMenuRequested, this, &MainWindow::ShowUserMenu);
  connect(rtbChat_, &ChatView::inputFocusWanted, this, &MainWindow::FocusChatInput);
  connect(txtChat_, &ChatInput::lineEntered, this, &MainWindow::EnterLine);
  connect(txtChat_, &ChatInput::keyDown, this, [this] {
    if (session_) session_->PlaySound(Sound::kKeyClick);
  });

  tools_ = std::make_unique<PadTools>(nullptr, scheduler);
  drawing_ = new DrawingArea(tools_.get());

  chat_pane_ = new QWidget;
  chat_pane_->setObjectName(QStringLiteral("fraChat"));
  auto* chat_layout = new QVBoxLayout(chat_pane_);
  chat_layout->setContentsMargins(0, 0, 0, 0);
  chat_layout->setSpacing(4);
  chat_layout->addWidget(rtbChat_, 1);
  chat_layout->addWidget(txtChat_);

  auto* side = new QWidget;
  side->setObjectName(QStringLiteral("fraSide"));
  auto* side_layout = new QVBoxLayout(side);
  side_layout->setContentsMargins(0, 0, 0, 0);
  side_layout->addWidget(BuildPanel());
  side_layout->addWidget(lvwUsers_, 1);

  auto* central = new QWidget;
  new RoomLayout(drawing_, side, chat_pane_, central);
  setCentralWidget(central);
  resize(kDesignedWidth, kDesignedHeight);
  BuildMenus();
  tools_->AddOnChanged([this] { ShowToolChecks(); });
  ShowToolChecks();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::BuildPanel() {
  auto* panel = new QFrame;
  panel->setObjectName(QStringLiteral("fraInformation"));
  panel->setFrameShape(QFrame::StyledPanel);
  labRoomName_ = PanelLabel("labRoomName");
  labAdmin_ = PanelLabel("labAdmin");
  labRounds_ = PanelLabel("labRounds");
  labWord_ = PanelLabel("labWord");
  labTime_ = PanelLabel("labTime");
  QFont clock = labTime_->font();
  clock.setPointSize(clock.pointSize() + 6);
  clock.setBold(true);
  labTime_->setFont(clock);
  labTime_->setText(QStringLiteral("--:--"));
  auto* grid = new QGridLayout;
  grid->addWidget(Heading("labH_Room", tr("Room:")), 0, 0);
  grid->addWidget(labRoomName_, 0, 1);
  grid->addWidget(Heading("labH_Admin", tr("Admin:")), 1, 0);
  grid->addWidget(labAdmin_, 1, 1);
  grid->addWidget(Heading("labH_Rounds", tr("Round:")), 2, 0);
  grid->addWidget(labRounds_, 2, 1);
  QLabel* word_heading = Heading("labH_Word", tr("Word:"));
  for (QLabel* clickable : {word_heading, labWord_}) {
    clickable->setCursor(Qt::PointingHandCursor);
    clickable->installEventFilter(this);
  }
  labWord_->setToolTip(tr("Click to show the word large"));
  grid->addWidget(word_heading, 3, 0);
  grid->addWidget(labWord_, 3, 1);
  grid->addWidget(Heading("labH_Time", tr("Time:")), 4, 0);
  grid->addWidget(labTime_, 4, 1);
  grid->setColumnStretch(1, 1);

  // The buttons' first faces are those of the controls before any session shows its own.
  const Controls first;
  cmdStartGameSkipGo_ = new QPushButton;
  ApplyButton(cmdStartGameSkipGo_, first.start, directory::kDefaultLanguage);
  cmdStartGameSkipGo_->setObjectName(QStringLiteral("cmdStartGameSkipGo"));
  connect(cmdStartGameSkipGo_, &QPushButton::clicked, this, [this] {
    if (session_) session_->StartButtonPressed();
  });
  cmdWarnArtist_ = new QPushButton;
  ApplyButton(cmdWarnArtist_, first.hint, directory::kDefaultLanguage);
  cmdWarnArtist_->setObjectName(QStringLiteral("cmdWarnArtist"));
  connect(cmdWarnArtist_, &QPushButton::clicked, this, [this] {
    if (session_) session_->HintButtonPressed();
  });
  chkAutoSkipGo_ = new QCheckBox(tr("Auto-Skip Go"));
  chkAutoSkipGo_->setObjectName(QStringLiteral("chkAutoSkipGo"));
  chkAutoSkipGo_->setToolTip(tr("Never be chosen to draw (away)"));
  connect(chkAutoSkipGo_, &QCheckBox::clicked, this, [this](bool checked) {
    if (session_) session_->SetAutoSkip(checked);
  });
  chkWatch_ = new QCheckBox(tr("Watch"));
  chkWatch_->setObjectName(QStringLiteral("chkWatch"));
  chkWatch_->setToolTip(tr("Watch the game instead of playing, from the next round"));
  connect(chkWatch_, &QCheckBox::clicked, this, [this](bool checked) {
    if (session_) session_->SetWatching(checked);
  });
  chkWatchLate_ = new QCheckBox(tr("Watch until the next round"));
  chkWatchLate_->setObjectName(QStringLiteral("chkWatchLate"));
  chkWatchLate_->setToolTip(tr("Joining during a round, watch it and play from the next one"));
  connect(chkWatchLate_, &QCheckBox::toggled, this, [this](bool checked) {
    if (session_) session_->SetWatchUntilNextRound(checked);
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdStartGameSkipGo_);
  buttons->addWidget(cmdWarnArtist_);

  auto* layout = new QVBoxLayout(panel);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addWidget(chkAutoSkipGo_);
  layout->addWidget(chkWatch_);
  layout->addWidget(chkWatchLate_);
  return panel;
}

void MainWindow::BuildMenus() {
  auto action = [this](QMenu* menu, const char* name, const char* caption,
                       std::function<void()> slot) {
    return scrawlbox::AddMenuAction(menu, name, caption, this, std::move(slot));
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  mCONNECT_ = action(file, "mCONNECT", QT_TR_NOOP("Connect.."), [this] { ConnectMenu(); });
  action(file, "mCREATEROOM", QT_TR_NOOP("Create Room..."), [this] { CreateRoomMenu(); });
  mDISCONNECT_ = action(file, "mDISCONNECT", QT_TR_NOOP("Disconnect"), [this] {
    if (session_) session_->MenuDisconnect();
  });
  file->addSeparator();
  mLOADIMAGE_ = action(file, "mLOADIMAGE", QT_TR_NOOP("Load Image.."), [this] { LoadImage(); });
  action(file, "mSAVEIMAGE", QT_TR_NOOP("Save Image.."), [this] { SaveImage(); });
  file->addSeparator();
  action(file, "mEXIT", QT_TR_NOOP("Exit"), [this] { close(); });

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = action(edit, "mEDIT_UNDO", QT_TR_NOOP("Undo"), [this] {
    if (controls_.drawing) tools_->ClickTool(Tool::kUndo);
  });
  undo->setShortcut(DrawingArea::Shortcut(Tool::kUndo));
  tool_items_.emplace_back(Tool::kUndo, undo);
  action(edit, "mEDIT_COPYTOCLIPBOARD", QT_TR_NOOP("Copy Picture"), [this] { CopyImage(); });
  mEDIT_PASTEFROMCLIPBOARD_ = action(edit, "mEDIT_PASTEFROMCLIPBOARD", QT_TR_NOOP("Paste Picture"),
                                     [this] { PasteImage(); });
  edit->addSeparator();
  action(edit, "mEDITPROFILE", QT_TR_NOOP("User Profile"), [this] { OpenProfile(); });
  action(edit, "mOPTIONS", QT_TR_NOOP("Options"), [this] { OpenOptions(); });

  BuildToolsMenu();

  QMenu* game = menuBar()->addMenu(tr("&Game"));
  QAction* gallery = action(game, "mGALLERY", QT_TR_NOOP("Gallery"), [this] { OpenGallery(); });
  gallery->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));

  QMenu* chat = menuBar()->addMenu(tr("&Chat"));
  mCHATBAR_FLOAT_ = action(chat, "mCHATBAR_FLOAT", QT_TR_NOOP("Float ChatBar"),
                           [this] { SetFloating(mCHATBAR_FLOAT_->isChecked()); });
  mCHATBAR_FLOAT_->setCheckable(true);
  mCHATBAR_KEEPONTOP_ = action(chat, "mCHATBAR_KEEPONTOP", QT_TR_NOOP("Keep On Top"), [this] {
    if (chat_bar_) chat_bar_->SetKeepOnTop(mCHATBAR_KEEPONTOP_->isChecked());
  });
  mCHATBAR_KEEPONTOP_->setCheckable(true);
  mCHATBAR_KEEPONTOP_->setEnabled(false);

  // The user list's pop-up menu.
  mUSERINFORMATION_ = new QAction(tr("User Information"), this);
  mUSERINFORMATION_->setObjectName(QStringLiteral("mUSERINFORMATION"));
  connect(mUSERINFORMATION_, &QAction::triggered, this, &MainWindow::OpenUserInformation);
  mADMINISTRATE_ = new QMenu(tr("Administrate"), this);
  mADMINISTRATE_->setObjectName(QStringLiteral("mADMINISTRATE"));
  mKICKUSER_ = mADMINISTRATE_->addAction(tr("Kick User"));
  mKICKUSER_->setObjectName(QStringLiteral("mKICKUSER"));
  connect(mKICKUSER_, &QAction::triggered, this, &MainWindow::KickSelectedUser);
  mVOTEKICK_ = new QAction(tr("Vote to Kick"), this);
  mVOTEKICK_->setObjectName(QStringLiteral("mVOTEKICK"));
  connect(mVOTEKICK_, &QAction::triggered, this, &MainWindow::VoteToKickSelectedUser);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  action(help, "mSCRAWLBOXWEBSITE", QT_TR_NOOP("Scrawlbox Website"),
         [this] { OpenWebAddress(QString::fromLatin1(scrawlbox::kWebsiteUrl)); });
  action(help, "mSCRAWLBOXFORUM", QT_TR_NOOP("Scrawlbox Forum"),
         [this] { OpenWebAddress(QString::fromLatin1(scrawlbox::kForumUrl)); });
  action(help, "mTELLAFRIEND", QT_TR_NOOP("Tell a Friend"),
         [this] { OpenWebAddress(QString::fromLatin1(scrawlbox::kTellAFriendUrl)); });
  action(help, "mLEAVEACOMMENT", QT_TR_NOOP("Leave a Comment"), [this] {
    OpenWebAddress(QString::fromLatin1(scrawlbox::kLeaveACommentUrl) +
                   QStringLiteral("%1.%2.%3")
                       .arg(scrawlbox::kVersionMajor)
                       .arg(scrawlbox::kVersionMinor)
                       .arg(scrawlbox::kVersionRevision, 4, 10, QLatin1Char('0')));
  });
  help->addSeparator();
  action(help, "mCHECKFORNEWVERSION", QT_TR_NOOP("Check For New Version"), [this] {
    if (session_) session_->CheckForUpdate(http_);
  });
  action(help, "mABOUT", QT_TR_NOOP("About Scrawlbox..."),
         [this] { scrawlbox::AboutWindow::Open(QStringLiteral("Client"), this); });
}

void MainWindow::BuildToolsMenu() {
  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  struct ToolItem {
    const char* name;
    const char* caption;
    Tool tool;
  };
  auto* exclusive = new QActionGroup(this);
  for (const ToolItem& item :
       {ToolItem{"mTOOLS_FREEHAND", QT_TR_NOOP("Freehand"), Tool::kFreehand},
        ToolItem{"mTOOLS_LINE", QT_TR_NOOP("Line"), Tool::kLine},
        ToolItem{"mTOOLS_RECTANGLE", QT_TR_NOOP("Rectangle"), Tool::kBox},
        ToolItem{"mTOOLS_CIRCLE", QT_TR_NOOP("Circle"), Tool::kCircle},
        ToolItem{"mTOOLS_ERASER", QT_TR_NOOP("Eraser"), Tool::kEraser},
        ToolItem{"mTOOLS_FLOODFILL", QT_TR_NOOP("Flood Fill"), Tool::kFlood},
        ToolItem{"mTOOLS_SPRAYCAN", QT_TR_NOOP("Spray Can"), Tool::kSpray},
        ToolItem{"mTOOLS_SOLIDFILL", QT_TR_NOOP("Solid Fill"), Tool::kFillType},
        ToolItem{"mTOOLS_CLEAR", QT_TR_NOOP("Clear Pad (press twice)"), Tool::kClear}}) {
    const Tool tool = item.tool;
    if (tool == Tool::kFillType || tool == Tool::kClear) tools->addSeparator();
    QAction* entry = scrawlbox::AddMenuAction(tools, item.name, item.caption, this, [this, tool] {
      if (controls_.drawing) tools_->ClickTool(tool);
    });
    entry->setShortcut(DrawingArea::Shortcut(tool));
    if (tool != Tool::kClear) entry->setCheckable(true);
    if (tool != Tool::kFillType && tool != Tool::kClear) exclusive->addAction(entry);
    tool_items_.emplace_back(tool, entry);
  }
  tools->addSeparator();
  static constexpr std::array<const char*, 4> kBrushItems = {
      QT_TR_NOOP("Small Brush"), QT_TR_NOOP("Medium Brush"), QT_TR_NOOP("Large Brush"),
      QT_TR_NOOP("Huge Brush")};
  auto* brushes = new QActionGroup(this);
  for (size_t i = 0; i < kBrushItems.size(); ++i) {
    const int index = static_cast<int>(i);
    QAction* entry = tools->addAction(tr(kBrushItems[i]), this, [this, index] {
      if (controls_.drawing) tools_->ClickBrush(index);
    });
    entry->setObjectName(QStringLiteral("mTOOLS_BRUSH%1").arg(index + 1));
    entry->setShortcut(DrawingArea::BrushShortcut(index));
    entry->setCheckable(true);
    brushes->addAction(entry);
    brush_items_.push_back(entry);
  }
}

void MainWindow::ShowToolChecks() {
  for (const auto& [tool, entry] : tool_items_) {
    if (tool == Tool::kFillType) {
      entry->setChecked(tools_->fill_solid());
    } else if (entry->isCheckable()) {
      entry->setChecked(tools_->tool() == tool);
    }
  }
  for (size_t i = 0; i < brush_items_.size(); ++i) {
    brush_items_[i]->setChecked(static_cast<int>(i) == tools_->brush());
  }
}

void MainWindow::Attach(Session* session, ClientSettings* settings, QtConnection* connection) {
  session_ = session;
  tools_->SetSink(session);
  settings_ = settings;
  connection_ = connection;
  ApplyOptions();
}

void MainWindow::ApplyOptions() {
  if (!session_) return;
  const ClientOptions& o = session_->options();
  const QFont font = ChatFont(o);
  for (QWidget* widget : {static_cast<QWidget*>(rtbChat_), static_cast<QWidget*>(txtChat_)}) {
    widget->setFont(font);
  }
  if (chat_bar_) {
    chat_bar_->chat()->setFont(font);
    chat_bar_->input()->setFont(font);
  }
  drawing_->pad()->SetCursorChoice(o.DrawingCursor, o.ToolCursor);
  drawing_->SetFlatToolbars(o.FlatToolbar);
}

void MainWindow::RestorePlacement() {
  const WindowMetrics m = settings_->LoadWindowMetrics();
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QRect first = primary ? primary->availableGeometry() : QRect(0, 0, 1280, 1024);
  // Without a stored size the window starts large, since the pad grows with it.
  QSize size(std::min(kDesignedWidth, static_cast<int>(first.width() * kFirstScreenShare)),
             std::min(kDesignedHeight, static_cast<int>(first.height() * kFirstScreenShare)));
  if (m.width) size.setWidth(*m.width / kTwipsPerPixel);
  if (m.height) size.setHeight(std::max(*m.height, kMinStoredHeight) / kTwipsPerPixel);
  std::optional<QPoint> at;
  if (m.top && m.left) at = QPoint(*m.left / kTwipsPerPixel, *m.top / kTwipsPerPixel);
  PlaceOnScreen(this, at, size);
}

bool MainWindow::ChooseNicknameIfNeeded() {
  if (!session_->NeedsProfile()) return false;
  OpenNicknameChoice([this] { OpenServerBrowser(); });
  return true;
}

// --- ClientView ----------------------------------------------------------------------------------

ChatView* MainWindow::VisibleChat() const {
  return chat_bar_ ? chat_bar_->chat() : rtbChat_;
}

UserList* MainWindow::VisibleUsers() const {
  return chat_bar_ ? chat_bar_->users() : lvwUsers_;
}

void MainWindow::AddChatLine(const ChatLine& line) {
  VisibleChat()->AddLine(line);
}

void MainWindow::AddWelcome(const std::string& title, const std::string& rest,
                            const std::string& hint) {
  rtbChat_->AddWelcome(FromWire(title), FromWire(rest), FromWire(hint));
}

void MainWindow::ClearChat() {
  rtbChat_->Clear();
}

void MainWindow::ShowUsers(const std::vector<UserEntry>& users) {
  lvwUsers_->ShowUsers(users);
  if (chat_bar_) chat_bar_->users()->ShowUsers(users);
}

void MainWindow::ShowPanel(const Panel& panel) {
  drawing_->SetStatus(FromWire(panel.status));
  drawing_->pad()->SetWordPattern(FromWire(panel.pattern));
  labRoomName_->setText(FromWire(panel.room_name));
  labRoomName_->setToolTip(labRoomName_->text());
  labAdmin_->setText(FromWire(panel.admin));
  labRounds_->setText(FromWire(panel.rounds));
  labWord_->setText(FromWire(panel.word));
  labWord_->setToolTip(labWord_->text());
  labTime_->setText(FromWire(panel.time));
  QPalette palette = labTime_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(panel.time_colour));
  labTime_->setPalette(palette);
}

void MainWindow::ShowControls(const Controls& c) {
  controls_ = c;
  mCONNECT_->setEnabled(c.connect);
  mDISCONNECT_->setEnabled(c.disconnect);
  mUSERINFORMATION_->setEnabled(c.user_information);
  mADMINISTRATE_->setEnabled(c.administrate);
  drawing_->SetDrawingEnabled(c.drawing);
  // The menus' tools and their keys draw only where the tool bars would.
  for (const auto& [tool, entry] : tool_items_) entry->setEnabled(c.drawing);
  for (QAction* entry : brush_items_) entry->setEnabled(c.drawing);
  mLOADIMAGE_->setEnabled(c.load_image);
  mEDIT_PASTEFROMCLIPBOARD_->setEnabled(c.paste);
  chkAutoSkipGo_->setEnabled(c.auto_skip);
  chkWatch_->setEnabled(c.watch);
  chkWatch_->setChecked(c.watching);
  const std::string& language = session_ ? session_->language() : directory::kDefaultLanguage;
  ApplyButton(cmdStartGameSkipGo_, c.start, language);
  ApplyButton(cmdWarnArtist_, c.hint, language);
}

void MainWindow::FocusChatInput() {
  ChatInput* input = chat_bar_ ? chat_bar_->input() : txtChat_;
  if (input->isEnabled()) input->setFocus();
}

bool MainWindow::IsChatFloating() const {
  return chat_bar_ != nullptr;
}

void MainWindow::ClearPad() {
  tools_->raster().Clear();
  drawing_->pad()->update();
}

void MainWindow::ResetTools() {
  tools_->Reset();
}

void MainWindow::ReplayDrawing(const protocol::DrawCommand& command) {
  tools_->Replay(command);
}

void MainWindow::ShowWordChoice(const WordChoice& choice) {
  if (!fraWordChoice_) {
    fraWordChoice_ = new WordChoicePanel(drawing_->pad(), [this](size_t index) {
      if (session_) session_->ChooseWord(index);
    });
  }
  fraWordChoice_->Show(choice);
}

void MainWindow::ShowWinner(const std::vector<std::string>& winners,
                            const std::vector<Standing>& podium) {
  QStringList names;
  for (const std::string& winner : winners) names << FromWire(winner);
  QStringList lines;
  if (names.size() > 1) lines << tr("Shared first place");
  for (const Standing& s : podium) {
    lines << QStringLiteral("%1. %2 - %3").arg(s.place).arg(FromWire(s.nickname)).arg(s.points);
  }
  drawing_->pad()->ShowWinner(names.join(QStringLiteral(" & ")), lines);
}

void MainWindow::ShowRoundSummary(const std::string& text) {
  if (!labRoundSummary_) {
    labRoundSummary_ = new QLabel(drawing_->pad());
    labRoundSummary_->setObjectName(QStringLiteral("labRoundSummary"));
    labRoundSummary_->setWordWrap(true);
    labRoundSummary_->setAlignment(Qt::AlignCenter);
    labRoundSummary_->setAttribute(Qt::WA_TransparentForMouseEvents);
    labRoundSummary_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255, 255, 240, 230); color: #102060; border: 1px solid "
        "#102060; border-radius: 6px; padding: 6px; font-weight: bold; }"));
    tmrRoundSummary_ = new QTimer(this);
    tmrRoundSummary_->setSingleShot(true);
    tmrRoundSummary_->setInterval(5000);
    connect(tmrRoundSummary_, &QTimer::timeout, labRoundSummary_, &QLabel::hide);
  }
  if (text.empty()) {
    tmrRoundSummary_->stop();
    labRoundSummary_->hide();
    return;
  }
  labRoundSummary_->setText(FromWire(text));
  // Over the lower part of the pad, where it hides least of the picture's middle.
  const QRect pad = drawing_->pad()->rect();
  const int width = pad.width() * 4 / 5;
  labRoundSummary_->setFixedWidth(width);
  labRoundSummary_->adjustSize();
  labRoundSummary_->move((pad.width() - width) / 2,
                         pad.height() - labRoundSummary_->height() - pad.height() / 10);
  labRoundSummary_->show();
  labRoundSummary_->raise();
  tmrRoundSummary_->start();
}

void MainWindow::AskRoomPassword(const std::string& room, bool wrong) {
  auto* window = new RoomPasswordWindow(FromWire(room), wrong, this);
  connect(window, &RoomPasswordWindow::passwordGiven, this,
          [this](const QString& password, bool remember) {
            if (session_) session_->RetryWithPassword(ToWire(password), remember);
          });
  window->open();
}

void MainWindow::RoundBegins() {
  round_start_ = tools_->SaveState();
}

void MainWindow::RoundEnded(const RoundRecord& round) {
  if (!round_start_) return;
  gallery_.Add(GalleryRound{round, std::move(*round_start_), PictureOf(tools_->raster())});
  round_start_.reset();
}

void MainWindow::ShowAgreement(const std::string& text) {
  auto* window = new AgreementWindow(session_, FromWire(text), this);
  window->setWindowModality(Qt::WindowModal);
  window->show();
}

void MainWindow::ShowUserInfo(const UserProfile& profile) {
  (new scrawlbox::ProfileViewWindow(
       {FromWire(profile.name), FromWire(profile.age), FromWire(profile.gender),
        FromWire(profile.location), FromWire(profile.homepage), FromWire(profile.quote)},
       this))
      ->show();
}

void MainWindow::ShowReservedNicknameBox(bool in_profile_window) {
  client::ShowReservedNicknameBox(this, in_profile_window, [this] { OpenProfile(); });
}

void MainWindow::AskForNickname(const std::string& refusal) {
  // The session joins the room it was asked for once the profile is saved.
  ProfileWindow* window = OpenNicknameChoice();
  if (refusal.empty()) return;
  if (auto* why = window->findChild<QLabel*>(QStringLiteral("labWhyNickname"))) {
    why->setText(QStringLiteral("<b>%1</b><br>%2")
                     .arg(FromWire(refusal).toHtmlEscaped(),
                          tr("Choose another nickname to join the room.").toHtmlEscaped()));
  }
}

void MainWindow::OpenGameSetup() {
  if (setup_window_) {
    setup_window_->raise();
    return;
  }
  setup_window_ = new SetupGameWindow(session_, this);
  setup_window_->show();
}

void MainWindow::WordListsReceived(const std::vector<std::string>& names) {
  if (setup_window_) setup_window_->AddWordLists(names);
}

void MainWindow::WordListsComplete() {
  if (setup_window_) setup_window_->WordListsComplete();
}

void MainWindow::NoWordLists() {
  if (setup_window_) setup_window_->NoWordLists();
}

void MainWindow::PlaySoundFile(const std::string& file_name) {
  sounds_->Play(QString::fromStdString(file_name));
}

void MainWindow::OfferDownload(const std::string& title, const std::string& text,
                               const std::string& url) {
  const QString address = QString::fromStdString(url);
  scrawlbox::AskYesNo(this, QMessageBox::Question, FromWire(title), FromWire(text),
                      [this, address](bool yes) {
                        if (!yes) return;
                        showMinimized();
                        OpenWebAddress(address);
                      });
}

void MainWindow::CloseProgram() {
  close();
}

// --- What the player does ------------------------------------------------------------------------

void MainWindow::EnterLine(const QString& text) {
  if (session_) session_->EnterChatLine(ToWire(text));
}

bool MainWindow::NicknameReadyThen(std::function<void()> then) {
  if (!session_) return false;
  if (session_->NeedsProfile()) {
    OpenNicknameChoice(std::move(then));
    return false;
  }
  if (!session_->NicknameUsable()) {
    ShowReservedNicknameBox(false);
    return false;
  }
  return true;
}

void MainWindow::ConnectMenu() {
  if (NicknameReadyThen([this] { OpenServerBrowser(); })) OpenServerBrowser();
}

void MainWindow::CreateRoomMenu() {
  if (NicknameReadyThen([this] { CreateRoomMenu(); })) {
    (new CreateRoomWindow(session_, this))->open();
  }
}

void MainWindow::ShowRoomInvite(const RoomInvite& invite) {
  if (invite_window_) invite_window_->close();
  invite_window_ = new RoomInviteWindow(invite, this);
  // Not modal: the login goes on, and its windows (an agreement) may come in front.
  invite_window_->show();
}

void MainWindow::OpenServerBrowser() {
  auto* browser = new ServerBrowserWindow(session_, settings_, &http_,
                                          settings_->LoadDirectory().tracker, this);
  browser->open();
}

ProfileWindow* MainWindow::OpenProfile(std::function<void()> then) {
  auto* window = new ProfileWindow(session_, ProfileWindow::Purpose::kEdit, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  if (then) connect(window, &QDialog::accepted, this, std::move(then));
  window->open();
  return window;
}

ProfileWindow* MainWindow::OpenNicknameChoice(std::function<void()> then) {
  // The latest wish goes on after the nickname, once.
  if (then) after_nickname_ = std::move(then);
  // One window at a time: a second request only brings the first one forward.
  if (profile_window_) {
    profile_window_->raise();
    profile_window_->activateWindow();
    return profile_window_;
  }
  auto* window = new ProfileWindow(session_, ProfileWindow::Purpose::kChooseNickname, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QDialog::accepted, this, [this] {
    if (auto then_now = std::exchange(after_nickname_, nullptr)) then_now();
  });
  connect(window, &QDialog::rejected, this, [this] { after_nickname_ = nullptr; });
  profile_window_ = window;
  window->open();
  return window;
}

GalleryWindow* MainWindow::OpenGallery() {
  if (gallery_window_) {
    gallery_window_->raise();
    gallery_window_->activateWindow();
    return gallery_window_;
  }
  gallery_window_ = new GalleryWindow(&gallery_, scheduler_, this);
  gallery_window_->show();
  return gallery_window_;
}

void MainWindow::OpenOptions() {
  auto* window = new OptionsWindow(session_, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &OptionsWindow::optionsSaved, this, &MainWindow::ApplyOptions);
  window->open();
}

void MainWindow::ShowUserMenu(const QPoint& at) {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mUSERMENU"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(mUSERINFORMATION_);
  menu->addMenu(mADMINISTRATE_);
  menu->addAction(mVOTEKICK_);
  // Every player may vote against each of the others.
  const int32_t id = VisibleUsers()->SelectedId();
  mVOTEKICK_->setEnabled(controls_.user_information && id != 0 && session_ &&
                         id != session_->OwnUserId());
  auto* list = qobject_cast<QWidget*>(sender());
  menu->popup((list ? list : lvwUsers_)->mapToGlobal(at));
}

void MainWindow::OpenUserInformation() {
  const int32_t id = VisibleUsers()->SelectedId();
  if (session_ && id != 0 && controls_.user_information) session_->RequestUserInformation(id);
}

void MainWindow::KickSelectedUser() {
  const int32_t id = VisibleUsers()->SelectedId();
  if (!session_ || id == 0 || !session_->connected()) return;
  auto* dialog = new QInputDialog(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(tr("Kick User.."));
  dialog->setLabelText(tr("Enter the reason why you are kicking %1. You are limited to %2 "
                          "characters.")
                           .arg(VisibleUsers()->SelectedNickname())
                           .arg(kKickReasonLength));
  dialog->setTextValue(tr("[No reason given]"));
  connect(dialog, &QInputDialog::textValueSelected, this,
          [this, id](const QString& reason) { session_->KickUser(id, ToWire(reason)); });
  dialog->open();
}

void MainWindow::VoteToKickSelectedUser() {
  const int32_t id = VisibleUsers()->SelectedId();
  if (session_ && id != 0) session_->VoteKick(id);
}

void MainWindow::SetFloating(bool floating) {
  if (floating == (chat_bar_ != nullptr)) return;
  if (floating) {
    chat_bar_ = new ChatBar(this);
    chat_bar_->chat()->CopyFrom(*rtbChat_);
    chat_bar_->chat()->setFont(rtbChat_->font());
    chat_bar_->input()->setFont(txtChat_->font());
    if (session_) chat_bar_->users()->ShowUsers(session_->users());
    connect(chat_bar_->input(), &ChatInput::lineEntered, this, &MainWindow::EnterLine);
    chat_bar_->users()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chat_bar_->users(), &QTreeWidget::customContextMenuRequested, this,
            &MainWindow::ShowUserMenu);
    connect(chat_bar_->users(), &QTreeWidget::itemDoubleClicked, this,
            &MainWindow::OpenUserInformation);
    connect(chat_bar_, &ChatBar::closed, this, [this] { SetFloating(false); });
    mCHATBAR_KEEPONTOP_->setEnabled(true);
    chat_bar_->SetKeepOnTop(mCHATBAR_KEEPONTOP_->isChecked());
    chat_bar_->show();
    // The chat is over there now: its room here goes to the pad.
    chat_pane_->hide();
    centralWidget()->layout()->invalidate();
  } else {
    ChatBar* bar = std::exchange(chat_bar_, nullptr);
    chat_pane_->show();
    centralWidget()->layout()->invalidate();
    rtbChat_->CopyFrom(*bar->chat());
    bar->disconnect(this);
    bar->hide();
    bar->deleteLater();
    mCHATBAR_FLOAT_->setChecked(false);
    mCHATBAR_KEEPONTOP_->setEnabled(false);
  }
}

void MainWindow::OpenWebAddress(const QString& address) {
  scrawlbox::OpenWebAddress(this, QUrl(address));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      (watched == labWord_ || watched->objectName() == QStringLiteral("labH_Word"))) {
    ShowGameWord();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowGameWord() {
  auto* window = new GameWordWindow(labWord_->text(), this);
  window->adjustSize();
  // Over the top of the pad, where it hides neither the clock nor the game buttons.
  PadWidget* pad = drawing_->pad();
  const QRect picture = pad->PictureRect().toAlignedRect();
  const QPoint top_centre = pad->mapToGlobal(QPoint(picture.center().x(), picture.top() + 12));
  window->move(top_centre.x() - window->width() / 2, top_centre.y());
  window->show();
}

void MainWindow::LoadImage() {
  auto* dialog = new QFileDialog(this, tr("Select image to load.."));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters({tr("Pictures (*.bmp *.png *.jpg *.jpeg)"), tr("(*.*) All Files (*)")});
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& file) {
    QImageReader reader(file);
    // A picture larger than the pad is read at the pad's size, never at its own.
    const QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > drawing::Raster::kWidth || size.height() > drawing::Raster::kHeight)) {
      reader.setScaledSize(
          size.scaled(drawing::Raster::kWidth, drawing::Raster::kHeight, Qt::IgnoreAspectRatio));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
      session_->ShowSystemLine(ToWire(tr("Could not load picture: %1 (%2)")
                                          .arg(QFileInfo(file).fileName(), reader.errorString())));
      return;
    }
    SetPicture(tools_->raster(), image);
    drawing_->pad()->update();
    session_->ShowSystemLine(ToWire(tr("Loaded picture: %1").arg(QFileInfo(file).fileName())));
  });
  dialog->open();
}

void MainWindow::SaveImage() {
  auto* dialog = new QFileDialog(this, tr("Enter filename for image..."));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setNameFilter(tr("(*.*) All Files (*)"));
  dialog->selectFile(QStringLiteral("Scrawlbox") +
                     QTime::currentTime().toString(QStringLiteral("hhmmss")) +
                     QStringLiteral(".bmp"));
  connect(dialog, &QFileDialog::fileSelected, this, [this](QString file) {
    if (!file.endsWith(QStringLiteral("bmp"), Qt::CaseInsensitive)) {
      if (!file.endsWith(QLatin1Char('.'))) file += QLatin1Char('.');
      file += QStringLiteral("bmp");
    }
    if (!PictureOf(tools_->raster()).save(file, "BMP")) {
      session_->ShowSystemLine(ToWire(tr("Could not save picture: %1").arg(file)));
      return;
    }
    session_->ShowSystemLine(ToWire(tr("Picture saved as: %1").arg(QFileInfo(file).fileName())));
  });
  dialog->open();
}

void MainWindow::CopyImage() {
  QApplication::clipboard()->setImage(PictureOf(tools_->raster()));
}

void MainWindow::PasteImage() {
  const QImage image = QApplication::clipboard()->image();
  if (image.isNull()) {
    session_->ShowSystemLine(ToWire(tr("The clipboard does not contain any image data.")));
    return;
  }
  SetPicture(tools_->raster(), image);
  drawing_->pad()->update();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (session_ && !leave_confirmed_ && session_->GameInProgress()) {
    // A player in the middle of a game leaves only on purpose: a key pressed without reading
    // the question, Enter as much as Escape, keeps the player in the game.
    event->ignore();
    QMessageBox* question =
        scrawlbox::AskYesNo(this, QMessageBox::Question, tr("Leave the game?"),
                            tr("Leave the game in progress?"), [this](bool yes) {
                              if (!yes) return;
                              leave_confirmed_ = true;
                              close();
                            });
    question->setObjectName(QStringLiteral("msgLeaveGame"));
    question->setDefaultButton(QMessageBox::No);
    return;
  }
  if (connection_ && connection_->State() != SocketState::kClosed) {
    // The room hears the player's own reason: the PART goes out before the program ends.
    event->ignore();
    if (!leaving_) {
      leaving_ = true;
      if (session_) session_->LeaveRoom(session_->quit_reason());
      connection_->LeaveThen([this] { close(); });
    }
    return;
  }
  if (settings_ && !isMinimized()) {
    // The place the window has when it is neither maximised nor full screen; the frame's corner,
    // as move() takes it back.
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
    settings_->SaveWindowMetrics(
        WindowMetrics{normal.height() * kTwipsPerPixel, normal.y() * kTwipsPerPixel,
                      normal.x() * kTwipsPerPixel, normal.width() * kTwipsPerPixel});
  }
  if (session_) session_->SaveProfile();
  if (chat_bar_) SetFloating(false);
  event->accept();
}

}  // namespace client
