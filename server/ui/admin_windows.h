// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QTreeWidget;

namespace server {

class BanList;
class OperatorActions;
class RoomServer;
class WordLists;
struct ConnectionRecord;

// The deny message: accepting it puts the room in deny mode, cancelling goes back to accepting.
class DenyMessageDialog : public QDialog {
  Q_OBJECT
 public:
  DenyMessageDialog(OperatorActions* actions, const QString& message, QWidget* parent);

  void accept() override;
  void reject() override;

 signals:
  // The listen state after the dialog: deny mode (accepted) or accept (cancelled).
  void finishedWithState(int state);

 private:
  OperatorActions* actions_;
  QLineEdit* txtDenyMessage_;
};

// The running totals, with the counts taken when the window fills, and their reset.
class StatisticsWindow : public QDialog {
  Q_OBJECT
 public:
  StatisticsWindow(RoomServer* room, const BanList* bans, const WordLists* word_lists,
                   QWidget* parent);

  void Fill();

 private:
  void Reset();

  RoomServer* room_;
  const BanList* bans_;
  const WordLists* word_lists_;
  QTreeWidget* lvwStatistics_;
};

}  // namespace server
