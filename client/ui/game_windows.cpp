// SPDX-License-Identifier: MIT
#include "client/ui/game_windows.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "protocol/custom_words.h"
#include "protocol/numbers.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

QLineEdit* Field(const char* name, const QString& text, const char* tip) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setToolTip(QString::fromLatin1(tip));
  return edit;
}

// A number of the set-up in a box that takes nothing outside its range.
QSpinBox* NumberBox(const char* name, const SetupLimit& limit, int32_t value, const char* tip) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(limit.low, limit.high);
  box->setValue(limit.Held(value));
  box->setAccelerated(true);
  box->setToolTip(
      QStringLiteral("%1 (%2 to %3)").arg(QString::fromLatin1(tip)).arg(limit.low).arg(limit.high));
  return box;
}

// The box with its range written beside it, so that nothing it refuses comes as a surprise.
QWidget* WithRange(QSpinBox* box, const SetupLimit& limit, const char* unit = "") {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("No limit")) + 40);
  layout->addWidget(box);
  auto* range = new QLabel(
      QStringLiteral("%1 to %2%3").arg(limit.low).arg(limit.high).arg(QString::fromLatin1(unit)));
  range->setObjectName(box->objectName() + QStringLiteral("Range"));
  range->setEnabled(false);
  layout->addWidget(range);
  layout->addStretch();
  return row;
}

constexpr char kListsReady[] = "Wordlist downloaded.";
constexpr char kNoListChosen[] = "Please select at least one wordlist.";

}  // namespace

SetupGameWindow::SetupGameWindow(Session* session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wSetupGame"));
  setWindowTitle(QStringLiteral("Setup Game"));
  setAttribute(Qt::WA_DeleteOnClose);

  const GameSetup last = session_->LastGameSetup();
  remembered_lists_ = last.word_lists;
  QString room_name = FromWire(last.room_name);
  if (room_name.isEmpty()) {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    room_name = user.isEmpty() ? QStringLiteral("Unknown room") : user + QStringLiteral("'s room!");
  }
  txtRoomName_ = Field("txtRoomName", room_name, "The name of this room");
  txtDescription_ =
      Field("txtDescription", FromWire(last.description), "The description for this room");
  for (QLineEdit* select_all : {txtRoomName_, txtDescription_}) {
    select_all->installEventFilter(this);
  }
  txtPlayerLimit_ = NumberBox("txtPlayerLimit", kPlayerLimitRange, last.player_limit,
                              "The number of players allowed in the room");
  txtPlayerLimit_->setSpecialValueText(QStringLiteral("No limit"));
  txtTotalRounds_ = NumberBox("txtTotalRounds", kTotalRoundsRange, last.total_rounds,
                              "The total number of rounds per game");
  txtTimePerRound_ = NumberBox("txtTimePerRound", kSecondsPerRoundRange, last.seconds_per_round,
                               "How long each round lasts, in seconds");
  txtWordGuessedCountdown_ =
      NumberBox("txtWordGuessedCountdown", kGraceSecondsRange, last.grace_seconds,
                "The seconds left to the others once the first player has found the word");

  lvwWordlist_ = new QListWidget;
  lvwWordlist_->setObjectName(QStringLiteral("lvwWordlist"));
  connect(lvwWordlist_, &QListWidget::itemChanged, this, [this] {
    if (lists_complete_) ShowListsStatus();
  });
  txtCustomWords_ = new QPlainTextEdit;
  txtCustomWords_->setObjectName(QStringLiteral("txtCustomWords"));
  txtCustomWords_->setToolTip(
      QStringLiteral("Words of your own, separated by commas or lines; \"|\" between spellings"));
  txtCustomWords_->setPlaceholderText(QStringLiteral("apple, grand piano, café|cafe"));
  QStringList remembered_words;
  for (const std::string& word : last.custom_words) remembered_words << FromWire(word);
  txtCustomWords_->setPlainText(remembered_words.join(QStringLiteral(", ")));
  labCustomCount_ = new QLabel;
  labCustomCount_->setObjectName(QStringLiteral("labCustomCount"));
  auto count_words = [this] {
    const size_t count = CustomWords().size();
    labCustomCount_->setText(
        count == 0 ? QStringLiteral("None: the game uses the lists alone.")
        : count >= protocol::kMaxCustomWords
            ? QStringLiteral("%1 words (the most a game takes)").arg(count)
            : QStringLiteral("%1 %2").arg(count).arg(count == 1 ? "word" : "words"));
  };
  connect(txtCustomWords_, &QPlainTextEdit::textChanged, this, count_words);
  count_words();
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
      "<b>Customise Game Options</b><br>Select the wordlists you would like to use in your game "
      "from the list on the right, then hit Start Game to begin."));
  header->setWordWrap(true);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->addRow(QStringLiteral("Room name"), txtRoomName_);
  form->addRow(QStringLiteral("Description"), txtDescription_);
  form->addRow(QStringLiteral("Player limit"),
               WithRange(txtPlayerLimit_, kPlayerLimitRange, " (0: no limit)"));
  form->addRow(QStringLiteral("Total rounds"), WithRange(txtTotalRounds_, kTotalRoundsRange));
  form->addRow(QStringLiteral("Time per round"),
               WithRange(txtTimePerRound_, kSecondsPerRoundRange, " seconds"));
  form->addRow(QStringLiteral("Grace period after first guess"),
               WithRange(txtWordGuessedCountdown_, kGraceSecondsRange, " seconds"));
  auto* columns = new QHBoxLayout;
  columns->addLayout(form, 3);
  auto* lists = new QVBoxLayout;
  lists->addWidget(new QLabel(QStringLiteral("Word lists")));
  lists->addWidget(lvwWordlist_, 2);
  auto* own_words = new QLabel(QStringLiteral("Your own words (alone, or mixed with the lists)"));
  own_words->setBuddy(txtCustomWords_);
  lists->addWidget(own_words);
  lists->addWidget(txtCustomWords_, 1);
  lists->addWidget(labCustomCount_);
  columns->addLayout(lists, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(labStatus_, 1);
  buttons->addWidget(cmdStartGame_);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(header);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  resize(sizeHint().expandedTo(QSize(700, 360)));
  connect(this, &QDialog::finished, this, [this] {
    if (!started_) session_->CancelGameSetup();
  });

  session_->RequestWordLists();
}

bool SetupGameWindow::eventFilter(QObject* watched, QEvent* event) {
  // A click into the room name or description selects all of it.
  if (event->type() == QEvent::MouseButtonRelease) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) field->selectAll();
  }
  return QDialog::eventFilter(watched, event);
}

void SetupGameWindow::AddWordLists(const std::vector<std::string>& names) {
  const QSignalBlocker quiet(lvwWordlist_);
  for (const std::string& name : names) {
    auto* item = new QListWidgetItem(FromWire(name), lvwWordlist_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool remembered = std::find(remembered_lists_.begin(), remembered_lists_.end(), name) !=
                            remembered_lists_.end();
    item->setCheckState(remembered ? Qt::Checked : Qt::Unchecked);
  }
}

void SetupGameWindow::WordListsComplete() {
  bool any_checked = false;
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    any_checked = any_checked || lvwWordlist_->item(i)->checkState() == Qt::Checked;
  }
  // A first set-up (or one whose lists this room lacks) starts with the first list, unless it
  // plays the game's own words alone.
  if (!any_checked && lvwWordlist_->count() > 0 && CustomWords().empty()) {
    const QSignalBlocker quiet(lvwWordlist_);
    lvwWordlist_->item(0)->setCheckState(Qt::Checked);
  }
  lists_complete_ = true;
  labStatus_->setText(QString::fromLatin1(kListsReady));
  labStatus_->setStyleSheet(QString());
  cmdStartGame_->setEnabled(true);
}

void SetupGameWindow::ShowListsStatus() {
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    if (lvwWordlist_->item(i)->checkState() == Qt::Checked) {
      labStatus_->setText(QString::fromLatin1(kListsReady));
      labStatus_->setStyleSheet(QString());
      return;
    }
  }
}

std::vector<std::string> SetupGameWindow::CustomWords() const {
  return protocol::CustomWords(ToWire(txtCustomWords_->toPlainText()));
}

void SetupGameWindow::NoWordLists() {
  labStatus_->setText(QStringLiteral("No wordlists available."));
  cmdStartGame_->setEnabled(true);  // a game of one's own words needs no list
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
  setup.player_limit = txtPlayerLimit_->value();
  setup.total_rounds = txtTotalRounds_->value();
  setup.seconds_per_round = txtTimePerRound_->value();
  setup.grace_seconds = txtWordGuessedCountdown_->value();
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    if (lvwWordlist_->item(i)->checkState() == Qt::Checked) {
      setup.word_lists.push_back(ToWire(lvwWordlist_->item(i)->text()));
    }
  }
  setup.custom_words = CustomWords();
  if (!session_->StartGame(setup)) {
    labStatus_->setText(QString::fromLatin1(kNoListChosen));
    labStatus_->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    return;
  }
  started_ = true;
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
