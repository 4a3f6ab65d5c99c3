// SPDX-License-Identifier: MIT
#include "client/ui/word_choice_panel.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt/text_codec.h"

namespace client {

using scrawlbox::FromWire;

WordChoicePanel::WordChoicePanel(QWidget* over, std::function<void(size_t)> chosen)
    : QFrame(over->parentWidget()), over_(over), chosen_(std::move(chosen)) {
  setObjectName(QStringLiteral("fraWordChoice"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->setSpacing(8);
  labTitle_ = new QLabel(this);
  labTitle_->setObjectName(QStringLiteral("labWordChoiceTitle"));
  labTitle_->setAlignment(Qt::AlignCenter);
  QFont title = labTitle_->font();
  title.setPointSizeF(title.pointSizeF() * 1.4);
  title.setBold(true);
  labTitle_->setFont(title);
  layout->addWidget(labTitle_);
  words_layout_ = new QVBoxLayout;
  words_layout_->setSpacing(6);
  layout->addLayout(words_layout_);
  labSeconds_ = new QLabel(this);
  labSeconds_->setObjectName(QStringLiteral("labWordChoiceSeconds"));
  labSeconds_->setAlignment(Qt::AlignCenter);
  layout->addWidget(labSeconds_);
  over->installEventFilter(this);
  hide();
}

void WordChoicePanel::Show(const WordChoice& choice) {
  if (choice.chooser.empty()) {
    const bool had_focus = isAncestorOf(QApplication::focusWidget());
    hide();
    words_.clear();
    if (had_focus && focus_before_) focus_before_->setFocus();
    return;
  }
  labTitle_->setText(choice.mine ? tr("Choose the word you will draw")
                                 : tr("%1 is choosing a word").arg(FromWire(choice.chooser)));
  labSeconds_->setText(choice.seconds_left == 1 ? tr("1 second left")
                                                : tr("%1 seconds left").arg(choice.seconds_left));
  if (choice.words != words_) {
    words_ = choice.words;
    for (QPushButton* button : buttons_) delete button;
    buttons_.clear();
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    for (size_t i = 0; i < words_.size(); ++i) {
      auto* button =
          new QPushButton(QStringLiteral("%1   %2").arg(i + 1).arg(FromWire(words_[i])), this);
      button->setObjectName(QStringLiteral("cmdChooseWord%1").arg(i + 1));
      button->setFont(large);
      button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
      button->setToolTip(tr("Draw %1 (key %2)").arg(FromWire(words_[i])).arg(i + 1));
      connect(button, &QPushButton::clicked, this, [this, i] { chosen_(i); });
      words_layout_->addWidget(button);
      buttons_.push_back(button);
    }
  }
  const bool was_hidden = isHidden();
  show();
  raise();
  Place();
  // The chooser's keys go to the words rather than to the chat or the pad.
  if (was_hidden && !buttons_.empty()) {
    focus_before_ = QApplication::focusWidget();
    buttons_.front()->setFocus();
  }
}

std::optional<size_t> WordChoicePanel::WordOfKey(const QKeyEvent& event) const {
  if (event.modifiers() & ~Qt::KeypadModifier) return std::nullopt;
  const int index = event.key() - Qt::Key_1;
  if (index < 0 || static_cast<size_t>(index) >= buttons_.size()) return std::nullopt;
  return static_cast<size_t>(index);
}

bool WordChoicePanel::event(QEvent* event) {
  // The brushes' shortcuts share the digit keys: while words are offered the keys are theirs.
  if (event->type() == QEvent::ShortcutOverride && WordOfKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QFrame::event(event);
}

void WordChoicePanel::keyPressEvent(QKeyEvent* event) {
  if (const auto index = WordOfKey(*event)) {
    chosen_(*index);
    return;
  }
  QFrame::keyPressEvent(event);
}

bool WordChoicePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == over_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
      isVisible()) {
    Place();
  }
  return QFrame::eventFilter(watched, event);
}

void WordChoicePanel::Place() {
  adjustSize();
  const QRect room = over_->geometry();
  const QSize size = sizeHint().boundedTo(room.size());
  setGeometry(room.x() + (room.width() - size.width()) / 2,
              room.y() + (room.height() - size.height()) / 2, size.width(), size.height());
}

}  // namespace client
