// SPDX-License-Identifier: MIT
#include "client/ui/profile_window.h"

#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "client/room/nickname_filter.h"
#include "client/room/session.h"
#include "common/qt/text_codec.h"
#include "common/ui/dialog_buttons.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"
#include "protocol/numbers.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

constexpr char kChooseNickname[] =
    QT_TRANSLATE_NOOP("client::ProfileWindow", "Choose a nickname first.");

}  // namespace

ProfileWindow::ProfileWindow(Session* session, Purpose purpose, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wUserProfile"));
  setWindowTitle(purpose == Purpose::kChooseNickname ? tr("Choose a nickname")
                                                     : tr("User Profile"));
  const Profile& p = session_->profile();
  auto field = [](const char* name, const std::string& value, size_t max_length) {
    auto* edit = new QLineEdit(FromWire(value));
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(static_cast<int>(max_length));
    return edit;
  };
  txtNickname_ = field("txtNickname", p.Nickname, kNicknameLength);
  txtAge_ = field("txtAge", protocol::NumberText(p.Age), 3);
  txtAge_->setValidator(new QDoubleValidator(0, 999, 0, txtAge_));
  txtLocation_ = field("txtLocation", p.Location, kLocationLength);
  txtHomepage_ = field("txtHomepage", p.Homepage, kHomepageLength);
  txtQuote_ = field("txtQuote", p.Quote, kQuoteLength);
  optMale_ = new QRadioButton(tr("Male"));
  optMale_->setObjectName(QStringLiteral("optMale"));
  optFemale_ = new QRadioButton(tr("Female"));
  optFemale_->setObjectName(QStringLiteral("optFemale"));
  // The choices read in the player's language; the profile keeps the words the rooms know.
  optNotGiven_ = new QRadioButton(tr("Not given"));
  optNotGiven_->setObjectName(QStringLiteral("optNotGiven"));
  (p.Gender == kMale     ? optMale_
   : p.Gender == kFemale ? optFemale_
                         : optNotGiven_)
      ->setChecked(true);
  labNicknameProblem_ = new QLabel;
  labNicknameProblem_->setObjectName(QStringLiteral("labNicknameProblem"));
  labNicknameProblem_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  labNicknameProblem_->hide();

  auto* gender = new QHBoxLayout;
  gender->addWidget(optNotGiven_);
  gender->addWidget(optMale_);
  gender->addWidget(optFemale_);
  gender->addStretch();
  auto* form = new QFormLayout;
  form->addRow(tr("Nickname:"), txtNickname_);
  form->addRow(QString(), labNicknameProblem_);
  form->addRow(tr("Age:"), txtAge_);
  form->addRow(tr("Gender:"), gender);
  form->addRow(tr("Location:"), txtLocation_);
  form->addRow(tr("Homepage:"), txtHomepage_);
  form->addRow(tr("Quote:"), txtQuote_);
  auto* buttons = scrawlbox::AcceptCancelButtons(this, QDialogButtonBox::Save, "cmdSave");
  auto* layout = new QVBoxLayout(this);
  if (purpose == Purpose::kChooseNickname) {
    auto* why = new QLabel(QStringLiteral("<b>%1</b><br>%2")
                               .arg(tr(kChooseNickname).toHtmlEscaped(),
                                    tr("The other players know you by your nickname; the rest of "
                                       "the profile is yours to fill in or leave.")
                                        .toHtmlEscaped()));
    why->setObjectName(QStringLiteral("labWhyNickname"));
    why->setWordWrap(true);
    layout->addWidget(why);
    // The default name is no choice: the field starts empty.
    if (session_->NeedsProfile()) txtNickname_->clear();
  }
  layout->addLayout(form);
  layout->addWidget(buttons);
  scrawlbox::ResizeWithinScreen(this, QSize(420, sizeHint().height()));

  txtNickname_->setFocus();
  txtNickname_->selectAll();
}

void ProfileWindow::accept() {
  QString nickname = txtNickname_->text();
  nickname.remove(QLatin1Char('@'));
  txtNickname_->setText(nickname);
  const std::string chosen = ToWire(nickname);
  if (nickname.trimmed().isEmpty() || chosen == kDefaultNickname) {
    labNicknameProblem_->setText(tr(kChooseNickname));
    labNicknameProblem_->show();
    txtNickname_->setFocus();
    return;
  }
  if (IsNicknameRejected(chosen)) {
    labNicknameProblem_->hide();
    ShowReservedNicknameBox(this, true, {});
    return;
  }
  session_->PlaySound(Sound::kMouseClick);
  Profile p = session_->profile();
  p.Nickname = chosen;
  p.Age = protocol::LeadingNumber(ToWire(txtAge_->text()));
  p.Gender = std::string(optMale_->isChecked()     ? kMale
                         : optFemale_->isChecked() ? kFemale
                                                   : kGenderNotGiven);
  p.Location = ToWire(txtLocation_->text());
  p.Homepage = ToWire(txtHomepage_->text());
  p.Quote = ToWire(txtQuote_->text());
  // Saving goes on to the room the player asked for, if any.
  session_->SetProfile(p);
  QDialog::accept();
}

void ProfileWindow::reject() {
  session_->PlaySound(Sound::kMouseClick);
  // Without a nickname there is no joining the room that was asked for.
  session_->DropPendingRoom();
  QDialog::reject();
}

void ShowReservedNicknameBox(QWidget* parent, bool in_profile_window,
                             const std::function<void()>& open_profile) {
  const QString reason = ProfileWindow::tr(
                             "Sorry, but you cannot use the nickname you have selected. It either "
                             "contains offensive language, is a reserved name, or is the default "
                             "profile name.") +
                         QStringLiteral("\n\n");
  const QString title = ProfileWindow::tr("Reserved Nickname...");
  if (in_profile_window) {
    scrawlbox::ShowMessageBox(
        parent, QMessageBox::Warning, title,
        reason + ProfileWindow::tr("Click OK and please change your nickname."));
    return;
  }
  scrawlbox::AskYesNo(
      parent, QMessageBox::Warning, title,
      reason + ProfileWindow::tr(
                   "Click Yes to be taken to the Profile window so you can edit your nickname."),
      [open_profile](bool yes) {
        if (yes && open_profile) open_profile();
      })
      ->setObjectName(QStringLiteral("msgReservedNickname"));
}

}  // namespace client
