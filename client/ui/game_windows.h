// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QTimer>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace client {

class Session;
struct SetupLimit;

// Setting up a game: the room's word lists (fetched from the server when the window opens, shown
// by language when there are several), the number of rounds and the times, each in a box that
// shows its range. The window opens with the last set-up sent from this client; Start Game hands
// the set-up to the session.
class SetupGameWindow : public QDialog {
  Q_OBJECT
 public:
  SetupGameWindow(Session* session, QWidget* parent);

  void AddWordLists(const std::vector<std::string>& names);
  void WordListsComplete();
  void NoWordLists();
  void StartGame();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The status while the lists are ready: what to do, or that a list is missing.
  void ShowListsStatus();
  // The game's own words as the room will take them.
  std::vector<std::string> CustomWords() const;
  // The full names of the lists ticked, in the order shown.
  std::vector<std::string> TickedLists() const;

  Session* session_;
  // Closed without a game started, the window tells the others to stop waiting for one.
  bool started_ = false;
  // The lists of the last set-up, ticked as they arrive.
  std::vector<std::string> remembered_lists_;
  // Every list the room has sent, in its order.
  std::vector<std::string> room_lists_;
  bool lists_complete_ = false;
  QLineEdit* txtRoomName_;
  QLineEdit* txtDescription_;
  QSpinBox* txtPlayerLimit_;
  QSpinBox* txtTotalRounds_;
  QSpinBox* txtTimePerRound_;
  QSpinBox* txtWordGuessedCountdown_;
  QListWidget* lvwWordlist_;
  QPlainTextEdit* txtCustomWords_;
  QLabel* labCustomCount_;
  QLabel* labStatus_;
  QPushButton* cmdStartGame_;
};

// The word shown large for a moment, below the word label.
class GameWordWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kShowMs = 2250;

  GameWordWindow(const QString& word, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QTimer tmrClose_;
};

}  // namespace client
