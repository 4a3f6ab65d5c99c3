// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <vector>

#include "client/ui/gallery.h"

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace client {

class PadWidget;

// Game > Gallery (wGallery): every round kept, newest first under a heading for its game, with
// its final picture, word, artist and finders; a round can be drawn again at 1x or 4x, with a
// progress bar and a stop, and saved as PNG at 1x, 2x or 4x, one or all.
class GalleryWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kFastSpeed = 4;
  // The replay's progress bar counts this many steps.
  static constexpr int kProgressSteps = 1000;

  GalleryWindow(Gallery* gallery, scrawlbox::Scheduler& scheduler, QWidget* parent);
  ~GalleryWindow() override;

  // The round on show, or nothing when the gallery is empty.
  Gallery::Entry Selected() const;
  RoundReplay& replay() { return replay_; }
  void ReplaySelected(int speed);
  void StopReplay();
  void SaveSelected();
  void SaveAll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowList();
  void ShowSelected();
  // The list's and the word's texts, shortened at their ends to the room they have.
  void FitTexts();
  void ShowReplayState();
  int SaveScale() const;

  Gallery* gallery_;
  // The round on show, which stays on show when rounds come and go.
  Gallery::Entry shown_;
  // The round of each row of the list; nothing for a game's heading.
  std::vector<Gallery::Entry> row_rounds_;
  RoundReplay replay_;
  QListWidget* lstRounds_ = nullptr;
  PadWidget* picRound_ = nullptr;
  QLabel* labWord_ = nullptr;
  QLabel* labArtist_ = nullptr;
  QLabel* labFinders_ = nullptr;
  QLabel* labEmpty_ = nullptr;
  QPushButton* cmdReplay_ = nullptr;
  QPushButton* cmdReplayFast_ = nullptr;
  QPushButton* cmdStopReplay_ = nullptr;
  QProgressBar* barReplay_ = nullptr;
  QPushButton* cmdSavePicture_ = nullptr;
  QComboBox* cboSaveScale_ = nullptr;
  QPushButton* cmdSaveAll_ = nullptr;
};

}  // namespace client
