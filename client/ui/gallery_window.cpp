// SPDX-License-Identifier: MIT
#include "client/ui/gallery_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "client/ui/pad_widget.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"

namespace client {

using scrawlbox::FromWire;

namespace {

constexpr QSize kThumbnail(160, 101);

// Each item's text: its role in the list and its full text, shortened to the list's width.
constexpr int kFullText = Qt::UserRole;

QString RoundTitle(const RoundRecord& record) {
  const QString word =
      record.word.empty() ? GalleryWindow::tr("the word was not told") : FromWire(record.word);
  return record.number > 0 ? GalleryWindow::tr("Round %1: %2").arg(record.number).arg(word) : word;
}

QString GameHeading(const GalleryRound& round) {
  // The day and time as the player's language writes them.
  return round.game_time.isValid()
             ? GalleryWindow::tr("Game of %1")
                   .arg(QLocale().toString(round.game_time,
                                           GalleryWindow::tr("ddd d MMM yyyy, HH:mm")))
             : GalleryWindow::tr("Game %1").arg(round.game);
}

// Every line of the text that is too wide ends in "…" where it is cut.
QString Elided(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, std::max(width, 1));
  return lines.join(QLatin1Char('\n'));
}

QString Finders(const RoundRecord& record) {
  if (record.finders.empty()) return GalleryWindow::tr("Nobody found the word.");
  QStringList names;
  for (const std::string& name : record.finders) names << FromWire(name);
  return GalleryWindow::tr("Found by %1.").arg(names.join(QStringLiteral(", ")));
}

}  // namespace

GalleryWindow::GalleryWindow(Gallery* gallery, scrawlbox::Scheduler& scheduler, QWidget* parent)
    : QDialog(parent),
      gallery_(gallery),
      // The pad on show repaints itself as the replay's tools draw.
      replay_(
          scheduler, [this] { ShowReplayState(); }, [this] { ShowReplayState(); }) {
  setObjectName(QStringLiteral("wGallery"));
  setWindowTitle(tr("Gallery"));
  setAttribute(Qt::WA_DeleteOnClose);

  lstRounds_ = new QListWidget;
  lstRounds_->setObjectName(QStringLiteral("lstRounds"));
  lstRounds_->setIconSize(kThumbnail);
  // Room beside the thumbnails for a round's usual label.
  const int list_width = kThumbnail.width() + 40 +
                         lstRounds_->fontMetrics().horizontalAdvance(
                             tr("Round %1: %2").arg(10).arg(tr("the word was not told")));
  lstRounds_->setMinimumWidth(list_width);
  // The texts are shortened here, at their ends, to the width the list has.
  lstRounds_->setTextElideMode(Qt::ElideNone);
  lstRounds_->setWordWrap(false);
  lstRounds_->viewport()->installEventFilter(this);
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
  // Its width is the window's to give; a long word is shortened, not the window widened.
  labWord_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  labArtist_ = new QLabel;
  labArtist_->setObjectName(QStringLiteral("labRoundArtist"));
  labFinders_ = new QLabel;
  labFinders_->setObjectName(QStringLiteral("labRoundFinders"));
  labFinders_->setWordWrap(true);
  for (QLabel* label : {labWord_, labArtist_, labFinders_}) label->setTextFormat(Qt::PlainText);
  labEmpty_ = new QLabel(
      tr("No rounds yet. Every round played while Scrawlbox runs is kept here: its picture, its "
         "word, who drew it and who found it."));
  labEmpty_->setObjectName(QStringLiteral("labGalleryEmpty"));
  labEmpty_->setWordWrap(true);

  auto button = [this](const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
  };
  cmdReplay_ = button("cmdReplay", tr("Replay"), tr("Draw the round again as it was drawn"));
  cmdReplayFast_ = button("cmdReplayFast", tr("Replay %1×").arg(kFastSpeed),
                          tr("Draw the round again, %1 times as fast").arg(kFastSpeed));
  cmdStopReplay_ =
      button("cmdStopReplay", tr("Stop"), tr("Stop the replay and show the round's picture"));
  barReplay_ = new QProgressBar;
  barReplay_->setObjectName(QStringLiteral("barReplay"));
  barReplay_->setRange(0, kProgressSteps);
  barReplay_->setTextVisible(false);
  barReplay_->setToolTip(tr("How far the replay is"));
  cmdSavePicture_ = button("cmdSavePicture", tr("Save as PNG..."),
                           tr("Save this round's picture at the size chosen beside"));
  cboSaveScale_ = new QComboBox;
  cboSaveScale_->setObjectName(QStringLiteral("cboSaveScale"));
  cboSaveScale_->setToolTip(tr("The size pictures are saved at; every pixel stays a sharp square"));
  for (const int scale : Gallery::kSaveScales) {
    cboSaveScale_->addItem(QStringLiteral("%1\u00d7 (%2 \u00d7 %3)")
                               .arg(scale)
                               .arg(drawing::Raster::kWidth * scale)
                               .arg(drawing::Raster::kHeight * scale),
                           scale);
  }
  cboSaveScale_->setCurrentIndex(1);
  cmdSaveAll_ =
      button("cmdSaveAll", tr("Save All..."), tr("Save every round's picture into a folder"));
  connect(cmdReplay_, &QPushButton::clicked, this, [this] { ReplaySelected(1); });
  connect(cmdReplayFast_, &QPushButton::clicked, this, [this] { ReplaySelected(kFastSpeed); });
  connect(cmdStopReplay_, &QPushButton::clicked, this, &GalleryWindow::StopReplay);
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
  for (QPushButton* b : {cmdReplay_, cmdReplayFast_, cmdStopReplay_}) actions->addWidget(b);
  actions->addWidget(barReplay_, 1);
  details->addLayout(actions);
  auto* columns = new QHBoxLayout;
  columns->addWidget(lstRounds_);
  columns->addLayout(details, 1);
  // Saving below, apart from the replay: one row of both is wider than a scaled screen.
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cmdSavePicture_);
  bottom->addWidget(cboSaveScale_);
  bottom->addSpacing(12);
  bottom->addWidget(cmdSaveAll_);
  bottom->addStretch();
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);
  // A screen too narrow for the labels beside the round (a large scale, a long language) gets
  // a narrower list: its labels are shortened to the width it has anyway.
  const int spare = scrawlbox::ScreenRoom(this).width() - minimumSizeHint().width();
  if (spare < 0) {
    lstRounds_->setMinimumWidth(std::max(kThumbnail.width() + 40, list_width + spare));
    columns->invalidate();
    layout->invalidate();
  }
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
  row_rounds_.clear();
  int shown_row = -1;
  int game = 0;
  for (auto it = rounds.rbegin(); it != rounds.rend(); ++it) {
    const GalleryRound& round = **it;
    if (round.game != game || row_rounds_.empty()) {
      game = round.game;
      auto* heading = new QListWidgetItem(lstRounds_);
      heading->setData(kFullText, GameHeading(round));
      // Read, never chosen: clicks and keys pass it by, and it keeps the colour of text.
      heading->setFlags(Qt::NoItemFlags);
      heading->setForeground(palette().windowText());
      QFont bold = heading->font();
      bold.setBold(true);
      heading->setFont(bold);
      row_rounds_.push_back(nullptr);
    }
    const QImage thumbnail =
        round.picture.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The same picture when chosen: a tinted thumbnail would misstate its colours.
    QIcon icon;
    const QPixmap pixmap = QPixmap::fromImage(thumbnail);
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    auto* item = new QListWidgetItem(icon, QString(), lstRounds_);
    item->setData(kFullText, RoundTitle(round.record) + QStringLiteral("\n") +
                                 tr("by %1").arg(FromWire(round.record.artist)));
    row_rounds_.push_back(*it);
    if (*it == shown_ || shown_row < 0) shown_row = lstRounds_->row(item);
  }
  FitTexts();
  const bool empty = rounds.empty();
  labEmpty_->setVisible(empty);
  for (QWidget* w : std::initializer_list<QWidget*>{picRound_, labWord_, labArtist_, labFinders_}) {
    w->setVisible(!empty);
  }
  for (QPushButton* b : {cmdReplay_, cmdReplayFast_, cmdSavePicture_, cmdSaveAll_}) {
    b->setEnabled(!empty);
  }
  cboSaveScale_->setEnabled(!empty);
  if (!empty) lstRounds_->setCurrentRow(shown_row);
  ShowSelected();
  ShowReplayState();
}

void GalleryWindow::FitTexts() {
  // What the item's icon and the style's margins leave of the list's width.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lstRounds_) + 1;
  const int width = lstRounds_->viewport()->width() - 4 * margin;
  for (int row = 0; row < lstRounds_->count(); ++row) {
    QListWidgetItem* item = lstRounds_->item(row);
    const QString full = item->data(kFullText).toString();
    const int room = item->icon().isNull() ? width : width - lstRounds_->iconSize().width();
    const QString shown = Elided(full, QFontMetrics(item->font()), room);
    item->setText(shown);
    item->setToolTip(shown == full ? QString() : full);
  }
  if (shown_) {
    const QString full = RoundTitle(shown_->record);
    const QString shown = Elided(full, labWord_->fontMetrics(), labWord_->contentsRect().width());
    labWord_->setText(shown);
    labWord_->setToolTip(shown == full ? QString() : full);
  }
}

bool GalleryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == lstRounds_->viewport()) FitTexts();
  return QDialog::eventFilter(watched, event);
}

void GalleryWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FitTexts();
}

Gallery::Entry GalleryWindow::Selected() const {
  return shown_;
}

void GalleryWindow::ShowSelected() {
  const int row = lstRounds_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= row_rounds_.size()) return;
  // A game's heading shows no round: the one on show stays.
  const Gallery::Entry round = row_rounds_[static_cast<size_t>(row)];
  if (!round || round == shown_) return;
  shown_ = round;
  replay_.ShowPicture(*round);
  labArtist_->setText(tr("Drawn by %1").arg(FromWire(round->record.artist)));
  labFinders_->setText(Finders(round->record));
  FitTexts();
}

void GalleryWindow::ReplaySelected(int speed) {
  const Gallery::Entry round = Selected();
  if (!round) return;
  replay_.Start(round, speed);
  ShowReplayState();
}

void GalleryWindow::StopReplay() {
  replay_.Stop();
  if (shown_) replay_.ShowPicture(*shown_);
  barReplay_->setValue(0);
  ShowReplayState();
}

void GalleryWindow::ShowReplayState() {
  if (!cmdStopReplay_) return;  // a frame before the window is built
  const bool running = replay_.running();
  cmdStopReplay_->setEnabled(running);
  // A finished replay leaves its bar full until the next one, or a stop, begins.
  if (running)
    barReplay_->setValue(static_cast<int>(replay_.progress() * kProgressSteps));
  else if (barReplay_->value() > 0)
    barReplay_->setValue(kProgressSteps);
}

int GalleryWindow::SaveScale() const {
  return std::max(1, cboSaveScale_->currentData().toInt());
}

void GalleryWindow::SaveSelected() {
  const Gallery::Entry round = Selected();
  if (!round) return;
  auto* dialog = new QFileDialog(this, tr("Save the round's picture"),
                                 QDir(Gallery::SaveFolder()).filePath(Gallery::FileName(*round)),
                                 tr("PNG pictures (*.png)"));
  dialog->setObjectName(QStringLiteral("dlgSavePicture"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("png"));
  const int scale = SaveScale();
  connect(dialog, &QFileDialog::fileSelected, this, [this, round, scale](const QString& file) {
    if (!Gallery::SavePicture(*round, file, scale)) {
      scrawlbox::ShowMessageBox(this, QMessageBox::Warning, tr("Not saved"),
                                tr("The picture could not be saved as %1.").arg(file));
    }
  });
  dialog->open();
}

void GalleryWindow::SaveAll() {
  auto* dialog =
      new QFileDialog(this, tr("Save every picture into a folder"), Gallery::SaveFolder());
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  const int scale = SaveScale();
  connect(dialog, &QFileDialog::fileSelected, this, [this, scale](const QString& folder) {
    QStringList failed;
    const QStringList written = gallery_->SaveAll(folder, &failed, scale);
    const QString text =
        failed.isEmpty()
            ? tr("%n picture(s) saved in %1.", nullptr, static_cast<int>(written.size()))
                  .arg(folder)
            : tr("%n picture(s) saved in %1; %2 could not be written.", nullptr,
                 static_cast<int>(written.size()))
                  .arg(folder)
                  .arg(failed.size());
    scrawlbox::ShowMessageBox(this,
                              failed.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                              tr("Gallery"), text);
  });
  dialog->open();
}

}  // namespace client
