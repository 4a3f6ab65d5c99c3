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
  setWindowTitle(tr("User Information"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto field = [](const char* name, const QString& value) {
    auto* edit = new QLineEdit(value);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
  };
  auto* male = new QRadioButton(tr("Male"));
  male->setObjectName(QStringLiteral("optMale"));
  auto* female = new QRadioButton(tr("Female"));
  female->setObjectName(QStringLiteral("optFemale"));
  auto* not_given = new QRadioButton(tr("Not given"));
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
  form->addRow(tr("Name:"), field("txtName", f.name));
  form->addRow(tr("Age:"), field("txtAge", f.age));
  form->addRow(tr("Gender:"), gender);
  form->addRow(tr("Location:"), field("txtLocation", f.location));
  form->addRow(tr("Homepage:"), field("txtHomepage", f.homepage));
  form->addRow(tr("Quote:"), field("txtQuote", f.quote));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(380, sizeHint().height());
}

}  // namespace scrawlbox
