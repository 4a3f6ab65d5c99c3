// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QImage>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

#include "client/pad/pad_tools.h"
#include "client/room/round_log.h"
#include "common/scheduling.h"

namespace client {

// One round as the gallery keeps it: what the session logged, the pad as the round began and
// the final picture.
struct GalleryRound {
  RoundRecord record;
  PadTools::State start;
  QImage picture;
  // The game the round belongs to, counted from 1 as the gallery sees games begin, and when
  // that game's first round kept here ended; both set by Gallery::Add.
  int game = 0;
  QDateTime game_time{};
};

// The rounds played since the client started, the newest last; only the last kMaxRounds stay.
class Gallery {
 public:
  static constexpr size_t kMaxRounds = 50;

  using Entry = std::shared_ptr<const GalleryRound>;

  // A round whose number does not follow the previous round's begins a new game.
  void Add(GalleryRound round, const QDateTime& now = QDateTime::currentDateTime());
  // Shared, so that a replay outlives its round leaving the gallery.
  const std::deque<Entry>& rounds() const { return rounds_; }
  // Tells the open gallery window that a round came or went.
  void SetOnChanged(std::function<void()> on_changed) { on_changed_ = std::move(on_changed); }

  // The name a round's picture is saved under: its round, its word, and the artist.
  static QString FileName(const GalleryRound& round);
  // The sizes a picture is saved at: each pad pixel as a square of this many pixels a side.
  static constexpr int kSaveScales[] = {1, 2, 4};
  // The final picture, each pixel a scale x scale square (sharp, never blurred).
  static QImage Scaled(const GalleryRound& round, int scale);
  // Writes the final picture as a PNG file; false when nothing could be written.
  static bool SavePicture(const GalleryRound& round, const QString& path, int scale = 1);
  // Writes every round's picture into the folder, never over a file that is there; the files
  // written, and in `failed` (when given) those that could not be.
  QStringList SaveAll(const QString& folder, QStringList* failed = nullptr, int scale = 1) const;
  // Where the save dialogs start: the player's Pictures folder (made when missing), else home.
  static QString SaveFolder();

 private:
  std::deque<Entry> rounds_;
  std::function<void()> on_changed_;
};

// Draws a round again, action by action, at its own pace or faster, on a pad of its own. Long
// pauses of the artist are cut short; a round whose log is incomplete ends on its final picture.
class RoundReplay {
 public:
  static constexpr int kFrameMs = 16;
  // No pause between two actions lasts longer than this at 1x.
  static constexpr int64_t kMaxPauseMs = 1000;

  // on_frame runs after every frame that drew something, on_finished once at the end.
  RoundReplay(scrawlbox::Scheduler& scheduler, std::function<void()> on_frame,
              std::function<void()> on_finished);

  PadTools& tools() { return tools_; }
  // Shows a round's final picture, ending any replay.
  void ShowPicture(const GalleryRound& round);
  // Draws the round again from its first action, `speed` times as fast as it was drawn.
  void Start(std::shared_ptr<const GalleryRound> round, int speed);
  // Ends the replay where it is.
  void Stop();
  bool running() const { return frame_timer_->IsActive(); }
  // How far the running replay is in the round's time, from 0 to 1 (0 when none runs).
  double progress() const;

 private:
  void Frame();

  scrawlbox::Scheduler& scheduler_;
  std::function<void()> on_frame_;
  std::function<void()> on_finished_;
  PadTools tools_;
  std::unique_ptr<scrawlbox::Timer> frame_timer_;
  std::shared_ptr<const GalleryRound> round_;
  // When each action is drawn, on the replay's own clock (pauses cut short).
  std::vector<int64_t> times_;
  size_t next_ = 0;
  int64_t played_ms_ = 0;
  int speed_ = 1;
  // The replay's start on the scheduler's clock: frames may come late, the picture never does.
  int64_t started_ms_ = 0;
};

}  // namespace client
