// SPDX-License-Identifier: MIT
#include "client/ui/gallery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "client/drawing/pad_image.h"
#include "common/qt/text_codec.h"

namespace client {

namespace {

// Letters and digits of the text, the rest as single dashes: a name every file system takes.
QString FilePart(const std::string& text) {
  QString part;
  for (const QChar c : scrawlbox::FromWire(text)) {
    if (c.isLetterOrNumber()) {
      part += c;
    } else if (!part.isEmpty() && !part.endsWith(QLatin1Char('-'))) {
      part += QLatin1Char('-');
    }
  }
  while (part.endsWith(QLatin1Char('-'))) part.chop(1);
  return part.left(40);
}

}  // namespace

void Gallery::Add(GalleryRound round, const QDateTime& now) {
  const GalleryRound* last = rounds_.empty() ? nullptr : rounds_.back().get();
  // Round numbers climb within a game; one that is not told stays with the game before it.
  if (!last || (round.record.number > 0 && round.record.number <= last->record.number)) {
    round.game = (last ? last->game : 0) + 1;
    round.game_time = now;
  } else {
    round.game = last->game;
    round.game_time = last->game_time;
  }
  rounds_.push_back(std::make_shared<const GalleryRound>(std::move(round)));
  while (rounds_.size() > kMaxRounds) rounds_.pop_front();
  if (on_changed_) on_changed_();
}

QString Gallery::FileName(const GalleryRound& round) {
  // Named in the player's language, as the gallery window is.
  const auto say = [](const char* text) {
    return QCoreApplication::translate("client::Gallery", text);
  };
  QString name = say(QT_TRANSLATE_NOOP("client::Gallery", "Scrawlbox round %1"))
                     .arg(round.record.number, 2, 10, QLatin1Char('0'));
  const QString word = FilePart(round.record.word);
  if (!word.isEmpty()) name += QStringLiteral(" - ") + word;
  const QString artist = FilePart(round.record.artist);
  if (!artist.isEmpty()) {
    name += QLatin1Char(' ') + say(QT_TRANSLATE_NOOP("client::Gallery", "by %1")).arg(artist);
  }
  return name + QStringLiteral(".png");
}

QImage Gallery::Scaled(const GalleryRound& round, int scale) {
  if (scale <= 1) return round.picture;
  return round.picture.scaled(round.picture.size() * scale, Qt::IgnoreAspectRatio,
                              Qt::FastTransformation);
}

bool Gallery::SavePicture(const GalleryRound& round, const QString& path, int scale) {
  return !round.picture.isNull() && Scaled(round, scale).save(path, "PNG");
}

QString Gallery::SaveFolder() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  // A file dialog asked to start in a folder that is not there starts in the working folder.
  if (!pictures.isEmpty() && QDir().mkpath(pictures)) return pictures;
  return QDir::homePath();
}

QStringList Gallery::SaveAll(const QString& folder, QStringList* failed, int scale) const {
  QStringList written;
  const QDir dir(folder);
  for (const Entry& entry : rounds_) {
    const GalleryRound& round = *entry;
    const QString name = FileName(round);
    QString path = dir.filePath(name);
    // Two rounds may share a name, and an earlier export may be there: neither is replaced.
    for (int n = 2; QFileInfo::exists(path); ++n) {
      path = dir.filePath(name.chopped(4) + QStringLiteral(" (%1).png").arg(n));
    }
    if (SavePicture(round, path, scale)) {
      written << path;
    } else if (failed) {
      *failed << path;
    }
  }
  return written;
}

// --- Replay --------------------------------------------------------------------------------------

RoundReplay::RoundReplay(scrawlbox::Scheduler& scheduler, std::function<void()> on_frame,
                         std::function<void()> on_finished)
    : scheduler_(scheduler),
      on_frame_(std::move(on_frame)),
      on_finished_(std::move(on_finished)),
      // A replay sends nothing: it only draws on its own pad.
      tools_(nullptr, scheduler),
      frame_timer_(scheduler.CreateTimer([this] { Frame(); })) {}

void RoundReplay::ShowPicture(const GalleryRound& round) {
  frame_timer_->Stop();
  round_.reset();
  tools_.RestoreState(round.start);
  SetPicture(tools_.raster(), round.picture);
  if (on_frame_) on_frame_();
}

void RoundReplay::Start(std::shared_ptr<const GalleryRound> round, int speed) {
  if (!round) return;
  round_ = std::move(round);
  speed_ = std::max(1, speed);
  tools_.RestoreState(round_->start);
  times_.clear();
  int64_t at = 0;
  int64_t previous = 0;
  for (const LoggedDrawing& step : round_->record.drawing) {
    at += std::clamp<int64_t>(step.at_ms - previous, 0, kMaxPauseMs);
    previous = step.at_ms;
    times_.push_back(at);
  }
  next_ = 0;
  played_ms_ = 0;
  started_ms_ = scheduler_.NowMs();
  if (on_frame_) on_frame_();
  frame_timer_->Start(kFrameMs);
}

void RoundReplay::Stop() {
  frame_timer_->Stop();
  round_.reset();
}

double RoundReplay::progress() const {
  if (!round_) return 0.0;
  if (times_.empty() || times_.back() <= 0) return next_ < times_.size() ? 0.0 : 1.0;
  return std::min(1.0, static_cast<double>(played_ms_) / static_cast<double>(times_.back()));
}

void RoundReplay::Frame() {
  if (!round_) {
    frame_timer_->Stop();
    return;
  }
  // Held here: on_frame may start another replay.
  const std::shared_ptr<const GalleryRound> round = round_;
  played_ms_ = (scheduler_.NowMs() - started_ms_) * speed_;
  const auto& drawing = round->record.drawing;
  const size_t before = next_;
  while (next_ < drawing.size() && times_[next_] <= played_ms_) {
    tools_.Replay(drawing[next_].command, drawing[next_].own);
    ++next_;
  }
  const bool done = next_ >= drawing.size();
  if (done && !round->record.complete) {
    // The log stopped short of the round: its end is the picture the round left.
    SetPicture(tools_.raster(), round->picture);
  }
  if (next_ != before || done) {
    if (on_frame_) on_frame_();
  }
  if (done) {
    frame_timer_->Stop();
    round_.reset();
    if (on_finished_) on_finished_();
  }
}

}  // namespace client
