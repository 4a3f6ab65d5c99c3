// SPDX-License-Identifier: MIT
#include "client/ui/gallery_window.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "client/ui/pad_widget.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"

namespace client {

using scrawlbox::FromWire;

namespace {

constexpr QSize kThumbnail(160, 101);

QString RoundTitle(const RoundRecord& record) {
  const QString word =
      record.word.empty() ? QStringLiteral("(the word was not told)") : FromWire(record.word);
  return record.number > 0 ? QStringLiteral("Round %1: %2").arg(record.number).arg(word) : word;
}

QString Finders(const RoundRecord& record) {
  if (record.finders.empty()) return QStringLiteral("Nobody found the word.");
  QStringList names;
  for (const std::string& name : record.finders) names << FromWire(name);
  return QStringLiteral("Found by %1.").arg(names.join(QStringLiteral(", ")));
}

}  // namespace

GalleryWindow::GalleryWindow(Gallery* gallery, scrawlbox::Scheduler& scheduler, QWidget* parent)
    : QDialog(parent),
      gallery_(gallery),
      // The pad on show repaints itself as the replay's tools draw.
      replay_(scheduler, nullptr, nullptr) {
  setObjectName(QStringLiteral("wGallery"));
  setWindowTitle(QStringLiteral("Gallery"));
  setAttribute(Qt::WA_DeleteOnClose);

  lstRounds_ = new QListWidget;
  lstRounds_->setObjectName(QStringLiteral("lstRounds"));
  lstRounds_->setIconSize(kThumbnail);
  lstRounds_->setMinimumWidth(kThumbnail.width() + 150);
  connect(lstRounds_, &QListWidget::currentRowChanged, this, &GalleryWindow::ShowSelected);

  picRound_ = new PadWidget(&replay_.tools());
  picRound_->setObjectName(QStringLiteral("picRound"));
  // The pictures are only looked at here.
  picRound_->SetDrawingAllowed(false);
  picRound_->setCursor(Qt::ArrowCursor);
  labWord_ = new QLabel;
  labWord_->setObjectName(QStringLiteral("labRoundWord"));
  QFont big = labWord_->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  labWord_->setFont(big);
  labArtist_ = new QLabel;
  labArtist_->setObjectName(QStringLiteral("labRoundArtist"));
  labFinders_ = new QLabel;
  labFinders_->setObjectName(QStringLiteral("labRoundFinders"));
  labFinders_->setWordWrap(true);
  for (QLabel* label : {labWord_, labArtist_, labFinders_}) label->setTextFormat(Qt::PlainText);
  labEmpty_ = new QLabel(QStringLiteral(
      "No rounds yet. Every round played while Scrawlbox runs is kept here: its picture, its "
      "word, who drew it and who found it."));
  labEmpty_->setObjectName(QStringLiteral("labGalleryEmpty"));
  labEmpty_->setWordWrap(true);

  auto button = [this](const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
  };
  cmdReplay_ = button("cmdReplay", QStringLiteral("Replay"),
                      QStringLiteral("Draw the round again as it was drawn"));
  cmdReplayFast_ = button("cmdReplayFast", QStringLiteral("Replay %1\u00d7").arg(kFastSpeed),
                          QStringLiteral("Draw the round again, %1 times as fast").arg(kFastSpeed));
  cmdSavePicture_ = button("cmdSavePicture", QStringLiteral("Save as PNG..."),
                           QStringLiteral("Save this round's picture"));
  cmdSaveAll_ = button("cmdSaveAll", QStringLiteral("Save All..."),
                       QStringLiteral("Save every round's picture into a folder"));
  connect(cmdReplay_, &QPushButton::clicked, this, [this] { ReplaySelected(1); });
  connect(cmdReplayFast_, &QPushButton::clicked, this, [this] { ReplaySelected(kFastSpeed); });
  connect(cmdSavePicture_, &QPushButton::clicked, this, &GalleryWindow::SaveSelected);
  connect(cmdSaveAll_, &QPushButton::clicked, this, &GalleryWindow::SaveAll);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);

  auto* details = new QVBoxLayout;
  details->addWidget(labEmpty_);
  details->addWidget(picRound_, 1);
  details->addWidget(labWord_);
  details->addWidget(labArtist_);
  details->addWidget(labFinders_);
  auto* actions = new QHBoxLayout;
  for (QPushButton* b : {cmdReplay_, cmdReplayFast_, cmdSavePicture_}) actions->addWidget(b);
  actions->addStretch();
  details->addLayout(actions);
  auto* columns = new QHBoxLayout;
  columns->addWidget(lstRounds_);
  columns->addLayout(details, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cmdSaveAll_);
  bottom->addStretch();
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);
  // As large as a laptop screen allows, at any scale.
  QSize size(1000, 560);
  if (const QScreen* shown_on = parent ? parent->screen() : screen()) {
    size = size.boundedTo(shown_on->availableGeometry().size() * 9 / 10);
  }
  resize(size.expandedTo(minimumSizeHint()));

  gallery_->SetOnChanged([this] { ShowList(); });
  ShowList();
}

GalleryWindow::~GalleryWindow() {
  gallery_->SetOnChanged(nullptr);
}

void GalleryWindow::ShowList() {
  const auto& rounds = gallery_->rounds();
  const QSignalBlocker blocker(lstRounds_);
  lstRounds_->clear();
  int shown_row = 0;
  for (auto it = rounds.rbegin(); it != rounds.rend(); ++it) {
    const GalleryRound& round = **it;
    const QImage thumbnail =
        round.picture.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The same picture when chosen: a tinted thumbnail would misstate its colours.
    QIcon icon;
    const QPixmap pixmap = QPixmap::fromImage(thumbnail);
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    auto* item = new QListWidgetItem(icon,
                                     RoundTitle(round.record) + QStringLiteral("\n") +
                                         QStringLiteral("by %1").arg(FromWire(round.record.artist)),
                                     lstRounds_);
    if (*it == shown_) shown_row = lstRounds_->row(item);
  }
  const bool empty = rounds.empty();
  labEmpty_->setVisible(empty);
  for (QWidget* w : std::initializer_list<QWidget*>{picRound_, labWord_, labArtist_, labFinders_}) {
    w->setVisible(!empty);
  }
  for (QPushButton* b : {cmdReplay_, cmdReplayFast_, cmdSavePicture_, cmdSaveAll_}) {
    b->setEnabled(!empty);
  }
  if (!empty) lstRounds_->setCurrentRow(shown_row);
  ShowSelected();
}

Gallery::Entry GalleryWindow::Selected() const {
  const auto& rounds = gallery_->rounds();
  const int row = lstRounds_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= rounds.size()) return nullptr;
  // The list shows the newest first.
  return rounds[rounds.size() - 1 - static_cast<size_t>(row)];
}

void GalleryWindow::ShowSelected() {
  const Gallery::Entry round = Selected();
  if (!round || round == shown_) return;
  shown_ = round;
  replay_.ShowPicture(*round);
  labWord_->setText(RoundTitle(round->record));
  labArtist_->setText(QStringLiteral("Drawn by %1").arg(FromWire(round->record.artist)));
  labFinders_->setText(Finders(round->record));
}

void GalleryWindow::ReplaySelected(int speed) {
  const Gallery::Entry round = Selected();
  if (!round) return;
  replay_.Start(round, speed);
}

void GalleryWindow::SaveSelected() {
  const Gallery::Entry round = Selected();
  if (!round) return;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  auto* dialog = new QFileDialog(this, QStringLiteral("Save the round's picture"),
                                 QDir(folder).filePath(Gallery::FileName(*round)),
                                 QStringLiteral("PNG pictures (*.png)"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("png"));
  connect(dialog, &QFileDialog::fileSelected, this, [this, round](const QString& file) {
    if (!Gallery::SavePicture(*round, file)) {
      scrawlbox::ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Not saved"),
                                QStringLiteral("The picture could not be saved as %1.").arg(file));
    }
  });
  dialog->open();
}

void GalleryWindow::SaveAll() {
  auto* dialog =
      new QFileDialog(this, QStringLiteral("Save every picture into a folder"),
                      QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
    QStringList failed;
    const QStringList written = gallery_->SaveAll(folder, &failed);
    const QString text =
        failed.isEmpty()
            ? QStringLiteral("%1 pictures saved in %2.").arg(written.size()).arg(folder)
            : QStringLiteral("%1 pictures saved in %2; %3 could not be written.")
                  .arg(written.size())
                  .arg(folder)
                  .arg(failed.size());
    scrawlbox::ShowMessageBox(this,
                              failed.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                              QStringLiteral("Gallery"), text);
  });
  dialog->open();
}

}  // namespace client
