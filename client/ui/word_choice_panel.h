// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "client/room/client_ports.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace client {

// The choice of the word over the pad (fraWordChoice), centred on the widget it lies over: the
// artist's words as large buttons (keys 1 to 5 pick them too), or who is choosing, with the
// seconds left. It is no dialog: the chat and the window stay usable. It is a child of that
// widget's parent, so that it stays usable while the pad is not.
class WordChoicePanel : public QFrame {
  Q_OBJECT
 public:
  // chosen gets the index of the word picked.
  WordChoicePanel(QWidget* over, std::function<void(size_t)> chosen);

  // Shows the choice, or hides the panel when nobody chooses.
  void Show(const WordChoice& choice);
  const std::vector<QPushButton*>& buttons() const { return buttons_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The index a digit key picks, when it picks one of the words shown.
  std::optional<size_t> WordOfKey(const QKeyEvent& event) const;
  void Place();

  QWidget* over_;
  std::function<void(size_t)> chosen_;
  QLabel* labTitle_;
  QLabel* labSeconds_;
  QVBoxLayout* words_layout_;
  std::vector<QPushButton*> buttons_;
  // What had the keyboard before the words took it (the chat, as a rule): it gets it back.
  QPointer<QWidget> focus_before_;
  std::vector<std::string> words_;
};

}  // namespace client
