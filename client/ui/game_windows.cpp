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
#include <map>

#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"
#include "directory/languages.h"
#include "protocol/custom_words.h"
#include "protocol/numbers.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

// A list's item holds the list's full name, which the room knows it by; a language's heading
// holds none.
constexpr int kListName = Qt::UserRole;

QLineEdit* Field(const char* name, const QString& text, const QString& tip) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setToolTip(tip);
  return edit;
}

// A number of the set-up in a box that takes nothing outside its range.
QSpinBox* NumberBox(const char* name, const SetupLimit& limit, int32_t value, const QString& tip) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(limit.low, limit.high);
  box->setValue(limit.Held(value));
  box->setAccelerated(true);
  box->setToolTip(SetupGameWindow::tr("%1 (%2 to %3)").arg(tip).arg(limit.low).arg(limit.high));
  return box;
}

// The box with its range written beside it, so that nothing it refuses comes as a surprise.
QWidget* WithRange(QSpinBox* box, const QString& range_text) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(SetupGameWindow::tr("No limit")) + 40);
  layout->addWidget(box);
  auto* range = new QLabel(range_text);
  range->setObjectName(box->objectName() + QStringLiteral("Range"));
  range->setEnabled(false);
  layout->addWidget(range, 1);
  return row;
}

constexpr char kListsReady[] = QT_TRANSLATE_NOOP("client::SetupGameWindow", "Wordlist downloaded.");
constexpr char kNoListChosen[] =
    QT_TRANSLATE_NOOP("client::SetupGameWindow", "Please select at least one wordlist.");

}  // namespace

SetupGameWindow::SetupGameWindow(Session* session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wSetupGame"));
  setWindowTitle(tr("Setup Game"));
  setAttribute(Qt::WA_DeleteOnClose);

  const GameSetup last = session_->LastGameSetup();
  remembered_lists_ = last.word_lists;
  QString room_name = FromWire(last.room_name);
  if (room_name.isEmpty()) {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    room_name = user.isEmpty() ? tr("Unknown room") : tr("%1's room!").arg(user);
  }
  txtRoomName_ = Field("txtRoomName", room_name, tr("The name of this room"));
  txtDescription_ =
      Field("txtDescription", FromWire(last.description), tr("The description for this room"));
  for (QLineEdit* select_all : {txtRoomName_, txtDescription_}) {
    select_all->installEventFilter(this);
  }
  txtPlayerLimit_ = NumberBox("txtPlayerLimit", kPlayerLimitRange, last.player_limit,
                              tr("The number of players allowed in the room"));
  txtPlayerLimit_->setSpecialValueText(tr("No limit"));
  txtTotalRounds_ = NumberBox("txtTotalRounds", kTotalRoundsRange, last.total_rounds,
                              tr("The total number of rounds per game"));
  txtTimePerRound_ = NumberBox("txtTimePerRound", kSecondsPerRoundRange, last.seconds_per_round,
                               tr("How long each round lasts, in seconds"));
  txtWordGuessedCountdown_ =
      NumberBox("txtWordGuessedCountdown", kGraceSecondsRange, last.grace_seconds,
                tr("The seconds left to the others once the first player has found the word"));

  lvwWordlist_ = new QListWidget;
  lvwWordlist_->setObjectName(QStringLiteral("lvwWordlist"));
  connect(lvwWordlist_, &QListWidget::itemChanged, this, [this] {
    if (lists_complete_) ShowListsStatus();
  });
  txtCustomWords_ = new QPlainTextEdit;
  txtCustomWords_->setObjectName(QStringLiteral("txtCustomWords"));
  txtCustomWords_->setToolTip(
      tr("Words of your own, separated by commas or lines; \"|\" between spellings"));
  txtCustomWords_->setPlaceholderText(tr("apple, grand piano, café|cafe"));
  QStringList remembered_words;
  for (const std::string& word : last.custom_words) remembered_words << FromWire(word);
  txtCustomWords_->setPlainText(remembered_words.join(QStringLiteral(", ")));
  labCustomCount_ = new QLabel;
  labCustomCount_->setObjectName(QStringLiteral("labCustomCount"));
  labCustomCount_->setWordWrap(true);
  auto count_words = [this] {
    const int count = static_cast<int>(CustomWords().size());
    labCustomCount_->setText(count == 0 ? tr("None: the game uses the lists alone.")
                             : static_cast<size_t>(count) >= protocol::kMaxCustomWords
                                 ? tr("%n words (the most a game takes)", nullptr, count)
                                 : tr("%n word(s)", nullptr, count));
  };
  connect(txtCustomWords_, &QPlainTextEdit::textChanged, this, count_words);
  count_words();
  labStatus_ = new QLabel(tr("Downloading wordlist..."));
  labStatus_->setObjectName(QStringLiteral("labStatus"));
  labStatus_->setTextFormat(Qt::PlainText);
  labStatus_->setWordWrap(true);
  cmdStartGame_ = new QPushButton(tr("Start Game"));
  cmdStartGame_->setObjectName(QStringLiteral("cmdStartGame"));
  cmdStartGame_->setEnabled(false);
  connect(cmdStartGame_, &QPushButton::clicked, this, &SetupGameWindow::StartGame);
  auto* cmdCancel = new QPushButton(tr("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);

  auto* header = new QLabel(QStringLiteral("<b>%1</b><br>%2")
                                .arg(tr("Customise Game Options").toHtmlEscaped(),
                                     tr("Select the wordlists you would like to use in your game "
                                        "from the list on the right, "
                                        "then hit Start Game to begin.")
                                         .toHtmlEscaped()));
  header->setWordWrap(true);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  const auto range = [](const SetupLimit& limit) {
    return tr("%1 to %2").arg(limit.low).arg(limit.high);
  };
  const auto seconds = [](const SetupLimit& limit) {
    return tr("%1 to %2 seconds").arg(limit.low).arg(limit.high);
  };
  form->addRow(tr("Room name"), txtRoomName_);
  form->addRow(tr("Description"), txtDescription_);
  form->addRow(
      tr("Player limit"),
      WithRange(
          txtPlayerLimit_,
          tr("%1 to %2 (0: no limit)").arg(kPlayerLimitRange.low).arg(kPlayerLimitRange.high)));
  form->addRow(tr("Total rounds"), WithRange(txtTotalRounds_, range(kTotalRoundsRange)));
  form->addRow(tr("Time per round"), WithRange(txtTimePerRound_, seconds(kSecondsPerRoundRange)));
  form->addRow(tr("Grace period after first guess"),
               WithRange(txtWordGuessedCountdown_, seconds(kGraceSecondsRange)));
  auto* columns = new QHBoxLayout;
  columns->addLayout(form);
  auto* lists = new QVBoxLayout;
  auto* lists_label = new QLabel(tr("Word lists"));
  lists_label->setBuddy(lvwWordlist_);
  lists->addWidget(lists_label);
  lists->addWidget(lvwWordlist_, 2);
  auto* own_words = new QLabel(tr("Your own words (alone, or mixed with the lists)"));
  own_words->setWordWrap(true);
  own_words->setBuddy(txtCustomWords_);
  lists->addWidget(own_words);
  lists->addWidget(txtCustomWords_, 1);
  lists->addWidget(labCustomCount_);
  columns->addLayout(lists, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(labStatus_, 1);
  buttons->addWidget(cmdStartGame_);
  buttons->addWidget(cmdCancel);
  // All but the buttons scrolls on a screen too small for it (a large scale, a long language).
  auto* content = new QWidget;
  auto* content_layout = new QVBoxLayout(content);
  content_layout->setContentsMargins(0, 0, 0, 0);
  content_layout->addWidget(header);
  content_layout->addLayout(columns, 1);
  // Too wide for the screen, the form puts its labels above the boxes.
  if (scrawlbox::TooWideForScreen(this, content)) form->setRowWrapPolicy(QFormLayout::WrapAllRows);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scrawlbox::ScrollingIfNeeded(content), 1);
  layout->addLayout(buttons);
  scrawlbox::ResizeWithinScreen(this, sizeHint().expandedTo(QSize(700, 360)));
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
  // The lists may come in more than one message: all of them are grouped again, as ticked.
  std::map<std::string, bool> ticked;
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    const QListWidgetItem* item = lvwWordlist_->item(i);
    if (item->data(kListName).isValid()) {
      ticked[ToWire(item->data(kListName).toString())] = item->checkState() == Qt::Checked;
    }
  }
  room_lists_.insert(room_lists_.end(), names.begin(), names.end());
  // The room's language leads; a room that names none is likely in the player's.
  const std::string& room_language = session_->RoomLanguage();
  const std::vector<WordListGroup> groups = WordListsByLanguage(
      room_lists_, room_language.empty() ? session_->language() : room_language);
  const QSignalBlocker quiet(lvwWordlist_);
  lvwWordlist_->clear();
  for (const WordListGroup& group : groups) {
    // One language needs no heading.
    if (groups.size() > 1) {
      auto* heading =
          new QListWidgetItem(QString::fromUtf8(directory::LanguageName(group.language)));
      // Read, never chosen: clicks and keys pass it by, and it keeps the colour of text.
      heading->setFlags(Qt::NoItemFlags);
      heading->setForeground(palette().windowText());
      QFont bold = heading->font();
      bold.setBold(true);
      heading->setFont(bold);
      lvwWordlist_->addItem(heading);
    }
    for (const std::string& name : group.lists) {
      const std::string_view title = WordListTitle(name);
      auto* item = new QListWidgetItem(FromWire(std::string(title)));
      item->setData(kListName, FromWire(name));
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      const auto known = ticked.find(name);
      const bool checked = known != ticked.end()
                               ? known->second
                               : std::find(remembered_lists_.begin(), remembered_lists_.end(),
                                           name) != remembered_lists_.end();
      item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
      lvwWordlist_->addItem(item);
    }
  }
}

std::vector<std::string> SetupGameWindow::TickedLists() const {
  std::vector<std::string> names;
  for (int i = 0; i < lvwWordlist_->count(); ++i) {
    const QListWidgetItem* item = lvwWordlist_->item(i);
    if (item->data(kListName).isValid() && item->checkState() == Qt::Checked) {
      names.push_back(ToWire(item->data(kListName).toString()));
    }
  }
  return names;
}

void SetupGameWindow::WordListsComplete() {
  // A first set-up (or one whose lists this room lacks) starts with the lists of the room's
  // language, unless it plays the game's own words alone.
  if (TickedLists().empty() && !room_lists_.empty() && CustomWords().empty()) {
    const std::vector<std::string> chosen = session_->DefaultWordLists(room_lists_);
    const QSignalBlocker quiet(lvwWordlist_);
    for (int i = 0; i < lvwWordlist_->count(); ++i) {
      QListWidgetItem* item = lvwWordlist_->item(i);
      if (!item->data(kListName).isValid()) continue;
      const std::string name = ToWire(item->data(kListName).toString());
      if (std::find(chosen.begin(), chosen.end(), name) != chosen.end()) {
        item->setCheckState(Qt::Checked);
      }
    }
  }
  lists_complete_ = true;
  labStatus_->setText(tr(kListsReady));
  labStatus_->setStyleSheet(QString());
  cmdStartGame_->setEnabled(true);
}

void SetupGameWindow::ShowListsStatus() {
  if (TickedLists().empty()) return;
  labStatus_->setText(tr(kListsReady));
  labStatus_->setStyleSheet(QString());
}

std::vector<std::string> SetupGameWindow::CustomWords() const {
  return protocol::CustomWords(ToWire(txtCustomWords_->toPlainText()));
}

void SetupGameWindow::NoWordLists() {
  labStatus_->setText(tr("No wordlists available."));
  cmdStartGame_->setEnabled(true);  // a game of one's own words needs no list
  scrawlbox::ShowMessageBox(this, QMessageBox::Warning, tr("Server has no wordlists..."),
                            tr("The server hasn't been set up properly and does not contain any "
                               "word lists. Please let the administrator of this server know!"));
}

void SetupGameWindow::StartGame() {
  GameSetup setup;
  setup.room_name = ToWire(txtRoomName_->text());
  setup.description = ToWire(txtDescription_->text());
  setup.player_limit = txtPlayerLimit_->value();
  setup.total_rounds = txtTotalRounds_->value();
  setup.seconds_per_round = txtTimePerRound_->value();
  setup.grace_seconds = txtWordGuessedCountdown_->value();
  setup.word_lists = TickedLists();
  setup.custom_words = CustomWords();
  if (!session_->StartGame(setup)) {
    labStatus_->setText(tr(kNoListChosen));
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
  auto* heading = new QLabel(word.contains(QLatin1Char(',')) ? tr("The game words are..")
                                                             : tr("The game word is.."));
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
