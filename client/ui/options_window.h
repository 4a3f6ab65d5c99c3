// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace client {

class Session;

// The interface options: the chat font, join and leave lines, the drawing cursor, tool cursors
// and flat toolbars. Saving writes them to Client.ini and applies them at once.
class OptionsWindow : public QDialog {
  Q_OBJECT
 public:
  OptionsWindow(Session* session, QString cursor_folder, QWidget* parent);

  void accept() override;

 signals:
  void optionsSaved();

 private:
  void ShowCursorPreview(int index);
  void ChooseFont();

  Session* session_;
  QString cursor_folder_;
  QLineEdit* txtChatFont_;
  QLineEdit* txtChatFontSize_;
  QCheckBox* chkShowJoinMessages_;
  QCheckBox* chkShowLeaveMessages_;
  QCheckBox* chkToolCursor_;
  QCheckBox* chkUseFlatToolBar_;
  QSlider* sliDrawingCursor_;
  QLabel* picDrawingCursor_;
  QComboBox* cboInternetConnection_;
  QLabel* labInternetConnection_;
};

}  // namespace client
