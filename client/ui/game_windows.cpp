// SPDX-License-Identifier: MIT
#include "client/ui/game_windows.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "protocol/numbers.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

int ValueOf(const QLineEdit* field) {
  return protocol::LeadingInt32(ToWire(field->text()));
}

QLineEdit* Field(const char* name, const QString& text, const char* tip) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setToolTip(QString::fromLatin1(tip));
  return edit;
}

}  // namespace

SetupGameWindow::SetupGameWindow(Session* session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wSetupGame"));
  setWindowTitle(QStringLiteral("Setup Game"));
  setAttribute(Qt::WA_DeleteOnClose);

  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  txtRoomName_ =
      Field("txtRoomName",
            user.isEmpty() ? QStringLiteral("Unknown room") : user + QStringLiteral("'s room!"),
            "The name of this room");
  const GameSetup defaults;
  txtDescription_ =
      Field("txtDescription", FromWire(defaults.description), "The description for this room");
  txtPlayerLimit_ = Field("txtPlayerLimit", QString::number(defaults.player_limit),
                          "The number of players allowed in the room");
  txtPlayerLimit_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]*")), txtPlayerLimit_));
  txtTotalRounds_ = Field("txtTotalRounds", QString::number(defaults.total_rounds),
                          "The total number of rounds per game");
  txtTimePerRound_ = Field("txtTimePerRound", QString::number(defaults.seconds_per_round),
                           "The number of seconds until the hints are given");
  txtWordGuessedCountdown_ =
      Field("txtWordGuessedCountdown", QString::number(defaults.grace_seconds), "- Unused -");
  for (QLineEdit* select_all : {txtRoomName_, txtDescription_}) {
    select_all->installEventFilter(this);
  }
  connect(txtPlayerLimit_, &QLineEdit::textEdited, this,
          [this] { HoldWithin(txtPlayerLimit_, kPlayerLimitRange, false); });
  connect(txtTotalRounds_, &QLineEdit::textEdited, this,
          [this] { HoldWithin(txtTotalRounds_, kTotalRoundsRange, true); });
  connect(txtTotalRounds_, &QLineEdit::editingFinished, this,
          [this] { HoldWithin(txtTotalRounds_, kTotalRoundsRange, false); });

  auto stepper = [this](QLineEdit* field, const char* name, SetupLimit limit) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    auto* up = new QPushButton(QStringLiteral("+"));
    up->setObjectName(QStringLiteral("cmd%1Up").arg(QString::fromLatin1(name)));
    auto* down = new QPushButton(QStringLiteral("-"));
    down->setObjectName(QStringLiteral("cmd%1Down").arg(QString::fromLatin1(name)));
    for (QPushButton* b : {up, down}) b->setFixedWidth(28);
    connect(up, &QPushButton::clicked, this, [this, field, limit] { Step(field, 1, limit); });
    connect(down, &QPushButton::clicked, this, [this, field, limit] { Step(field, -1, limit); });
    row->addWidget(up);
    row->addWidget(down);
    return row;
  };

  lvwWordlist_ = new QListWidget;
  lvwWordlist_->setObjectName(QStringLiteral("lvwWordlist"));
  labStatus_ = new QLabel(QStringLiteral("Downloading wordlist..."));
  labStatus_->setObjectName(QStringLiteral("labStatus"));
  labStatus_->setTextFormat(Qt::PlainText);
  cmdStartGame_ = new QPushButton(QStringLiteral("Start Game"));
  cmdStartGame_->setObjectName(QStringLiteral("cmdStartGame"));
  cmdStartGame_->setEnabled(false);
  connect(cmdStartGame_, &QPushButton::clicked, this, &SetupGameWindow::StartGame);
  auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);

  auto* header = new QLabel(QStringLiteral(
      "<b>Customise Game Options</b><br>The game options are currently limited in this version. "
      "Select the wordlists you would like to use in your game from the list on the right, then "
      "hit Start Game to begin."));
  header->setWordWrap(true);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Room name"), txtRoomName_);
  form->addRow(QStringLiteral("Description"), txtDescription_);
  form->addRow(QStringLiteral("Player limit (0 for none)"),
               stepper(txtPlayerLimit_, "PlayerLimit", kPlayerLimitRange));
  form->addRow(QStringLiteral("Total rounds"),
               stepper(txtTotalRounds_, "TotalRounds", kTotalRoundsRange));
  form->addRow(QStringLiteral("Time per round (in seconds)"),
               stepper(txtTimePerRound_, "TimePerRound", kSecondsPerRoundRange));
  form->addRow(QStringLiteral("Grace period after first guess"), txtWordGuessedCountdown_);
  auto* columns = new QHBoxLayout;
  columns->addLayout(form, 3);
  auto* lists = new QVBoxLayout;
  lists->addWidget(new QLabel(QStringLiteral("Word lists")));
  lists->addWidget(lvwWordlist_, 1);
  columns->addLayout(lists, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(labStatus_, 1);
  buttons->addWidget(cmdStartGame_);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(header);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  resize(640, 360);

  session_->RequestWordLists();
}

bool SetupGameWindow::eventFilter(QObject* watched, QEvent* event) {
  // A click into the room name or description selects all of it.
  if (event->type() == QEvent::MouseButtonRelease) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) field->selectAll();
  }
  return QDialog::eventFilter(watched, event);
}

void SetupGameWindow::Step(QLineEdit* field, int delta, const SetupLimit& limit) {
  const QString next = QString::number(limit.Stepped(ValueOf(field), delta));
  if (field->text() != next) field->setText(next);
}

void SetupGameWindow::HoldWithin(QLineEdit* field, const SetupLimit& limit, bool typing) {
  if (field->text().isEmpty()) return;  // still typing
  const int32_t value = ValueOf(field);
  const int32_t held = typing ? limit.HeldWhileTyping(value) : limit.Held(value);
  if (held != value) field->setText(QString::number(held));
}

void SetupGameWindow::AddWordLists(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    auto* item = new QListWidgetItem(FromWire(name), lvwWordlist_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

void SetupGameWindow::WordListsComplete() {
  labStatus_->setText(QStringLiteral("Wordlist downloaded."));
  labStatus_->setStyleSheet(QString());
  cmdStartGame_->setEnabled(true);
}

void SetupGameWindow::NoWordLists() {
  labStatus_->setText(QStringLiteral("No wordlists available."));
  scrawlbox::ShowMessageBox(
      this, QMessageBox::Warning, QStringLiteral("Server has no wordlists..."),
      QStringLiteral("The server hasn't been setup properly and\r\ndoes not "
                     "contain any word lists. Please let\r\nthe administrator "
                     "of this server know!"));
}

void SetupGameWindow::StartGame() {
  GameSetup setup;
  setup.room_name = ToWire(txtRoomName_->text());
  setup.description = ToWire(txtDescription_->text());
  setup.player_limit = ValueOf(txtPlayerLimit_);
  setup.total_rounds = ValueOf(txtTotalRounds_);
  setup.seconds_per_round = ValueOf(txtTimePerRound_);
  setup.grace_seconds = ValueOf(txtWordGuessedCountdown_);
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    if (lvwWordlist_->item(i)->checkState() == Qt::Checked) {
      setup.word_lists.push_back(ToWire(lvwWordlist_->item(i)->text()));
    }
  }
  if (!session_->StartGame(setup)) {
    labStatus_->setText(QStringLiteral("Please select at least one wordlist."));
    labStatus_->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    return;
  }
  close();
}

GameWordWindow::GameWordWindow(const QString& word, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("wGameWord"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* heading =
      new QLabel(word.contains(QLatin1Char(',')) ? QStringLiteral("The game words are..")
                                                 : QStringLiteral("The game word is.."));
  heading->setObjectName(QStringLiteral("labHGameWord"));
  auto* text = new QLabel(word);
  text->setObjectName(QStringLiteral("labGameWord"));
  text->setTextFormat(Qt::PlainText);
  QFont big = text->font();
  big.setPointSize(24);
  big.setBold(true);
  text->setFont(big);
  for (QLabel* label : {heading, text}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(text);
  setStyleSheet(QStringLiteral("#wGameWord { background: #fffbe6; border: 2px solid #806000; }"));
  tmrClose_.setSingleShot(true);
  connect(&tmrClose_, &QTimer::timeout, this, &QDialog::close);
  tmrClose_.start(kShowMs);
}

void GameWordWindow::mousePressEvent(QMouseEvent*) {
  close();
}

}  // namespace client
