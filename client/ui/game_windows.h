// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QTimer>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace client {

class Session;
struct SetupLimit;

// Setting up a game: the room's word lists (fetched from the server when the window opens), the
// number of rounds and the times. Start Game hands them to the session; the limits are its own.
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
  // An up/down button pair that steps a field by one within its limit.
  void Step(QLineEdit* field, int delta, const SetupLimit& limit);
  // Shows the field's value held within its limit: only too large a value while typing.
  void HoldWithin(QLineEdit* field, const SetupLimit& limit, bool typing);

  Session* session_;
  QLineEdit* txtRoomName_;
  QLineEdit* txtDescription_;
  QLineEdit* txtPlayerLimit_;
  QLineEdit* txtTotalRounds_;
  QLineEdit* txtTimePerRound_;
  QLineEdit* txtWordGuessedCountdown_;
  QListWidget* lvwWordlist_;
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
