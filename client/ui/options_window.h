// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QFont>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace client {

class Session;
struct ClientOptions;

// The chat's font as the options name it, the system's where they name none.
QFont ChatFont(const ClientOptions& options);

// The interface options: the chat font, join and leave lines, the drawing cursor, tool cursors,
// flat toolbars and which events play a sound. Saving writes them to Client.ini and applies them
// at once.
class OptionsWindow : public QDialog {
  Q_OBJECT
 public:
  OptionsWindow(Session* session, QWidget* parent);

  void accept() override;

 signals:
  void optionsSaved();

 private:
  void ShowCursorPreview(int index);
  void ChooseFont();

  Session* session_;
  QLineEdit* txtChatFont_;
  QLineEdit* txtChatFontSize_;
  QCheckBox* chkShowJoinMessages_;
  QCheckBox* chkShowLeaveMessages_;
  QCheckBox* chkToolCursor_;
  QCheckBox* chkUseFlatToolBar_;
  QSlider* sliDrawingCursor_;
  QLabel* picDrawingCursor_;
  QComboBox* cboInternetConnection_;
  QComboBox* cboLanguage_;
  QLabel* labInternetConnection_;
  // By Sound number, for the events a player may switch.
  std::array<QCheckBox*, 10> chkSounds_{};
};

}  // namespace client
