// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "client/ui/gallery.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace client {

class PadWidget;

// Game > Gallery (wGallery): every round kept, newest first, with its final picture, word,
// artist and finders; a round can be drawn again at 1x or 4x and saved as PNG, one or all.
class GalleryWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kFastSpeed = 4;

  GalleryWindow(Gallery* gallery, scrawlbox::Scheduler& scheduler, QWidget* parent);
  ~GalleryWindow() override;

  // The round on show, or nothing when the gallery is empty.
  Gallery::Entry Selected() const;
  RoundReplay& replay() { return replay_; }
  void ReplaySelected(int speed);
  void SaveSelected();
  void SaveAll();

 private:
  void ShowList();
  void ShowSelected();

  Gallery* gallery_;
  // The round on show, which stays on show when rounds come and go.
  Gallery::Entry shown_;
  RoundReplay replay_;
  QListWidget* lstRounds_;
  PadWidget* picRound_;
  QLabel* labWord_;
  QLabel* labArtist_;
  QLabel* labFinders_;
  QLabel* labEmpty_;
  QPushButton* cmdReplay_;
  QPushButton* cmdReplayFast_;
  QPushButton* cmdSavePicture_;
  QPushButton* cmdSaveAll_;
};

}  // namespace client
