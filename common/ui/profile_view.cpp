// SPDX-License-Identifier: MIT
#include "common/ui/profile_view.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace scrawlbox {

ProfileViewWindow::ProfileViewWindow(const Fields& f, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("wUserInfo"));
  setWindowTitle(QStringLiteral("User Information"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto field = [](const char* name, const QString& value) {
    auto* edit = new QLineEdit(value);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
  };
  auto* male = new QRadioButton(QStringLiteral("Male"));
  male->setObjectName(QStringLiteral("optMale"));
  auto* female = new QRadioButton(QStringLiteral("Female"));
  female->setObjectName(QStringLiteral("optFemale"));
  auto* not_given = new QRadioButton(QStringLiteral("Not given"));
  not_given->setObjectName(QStringLiteral("optNotGiven"));
  (f.gender == QStringLiteral("Male")     ? male
   : f.gender == QStringLiteral("Female") ? female
                                          : not_given)
      ->setChecked(true);
  for (QRadioButton* option : {not_given, male, female}) option->setEnabled(false);
  auto* gender = new QHBoxLayout;
  gender->addWidget(not_given);
  gender->addWidget(male);
  gender->addWidget(female);
  gender->addStretch();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Name:"), field("txtName", f.name));
  form->addRow(QStringLiteral("Age:"), field("txtAge", f.age));
  form->addRow(QStringLiteral("Gender:"), gender);
  form->addRow(QStringLiteral("Location:"), field("txtLocation", f.location));
  form->addRow(QStringLiteral("Homepage:"), field("txtHomepage", f.homepage));
  form->addRow(QStringLiteral("Quote:"), field("txtQuote", f.quote));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(380, sizeHint().height());
}

}  // namespace scrawlbox
