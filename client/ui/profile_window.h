// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace client {

class Session;

// The player's own profile: nickname, age, gender, location, homepage and quote. Opened for a
// player who has no nickname yet, it says first why it asks.
class ProfileWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Purpose { kEdit, kChooseNickname };

  ProfileWindow(Session* session, Purpose purpose, QWidget* parent);

  void accept() override;
  void reject() override;

 private:
  Session* session_;
  QLineEdit* txtNickname_;
  QLabel* labNicknameProblem_;
  QLineEdit* txtAge_;
  QRadioButton* optMale_;
  QRadioButton* optFemale_;
  QRadioButton* optNotGiven_;
  QLineEdit* txtLocation_;
  QLineEdit* txtHomepage_;
  QLineEdit* txtQuote_;
};

// Tells the player that the nickname may not be used. Inside the profile window it only says
// so; elsewhere it offers to open the profile window (open_profile) to change it.
void ShowReservedNicknameBox(QWidget* parent, bool in_profile_window,
                             const std::function<void()>& open_profile);

}  // namespace client
