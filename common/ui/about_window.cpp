// SPDX-License-Identifier: MIT
#include "common/ui/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "common/links.h"
#include "common/qt/app_identity.h"
#include "common/version.h"

namespace scrawlbox {

AboutWindow::AboutWindow(const QString& program_name, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("wAbout"));
  setWindowTitle(tr("About Scrawlbox %1").arg(program_name));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("<b style='font-size:16pt'>Scrawlbox %1</b>")
                               .arg(program_name.toHtmlEscaped()));
  auto* version = new QLabel(tr("Version %1 (build %2)").arg(VersionLabel()).arg(kVersionRevision));
  auto* blurb = new QLabel(
      tr("An internet multiplayer draw-and-guess game: one player draws a secret word, the others "
         "guess it."));
  blurb->setWordWrap(true);
  auto link = [](const char* url) {
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(url)));
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return label;
  };
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(title);
  layout->addWidget(version);
  layout->addWidget(blurb);
  layout->addWidget(new QLabel(tr("Web site:")));
  layout->addWidget(link(kWebsiteUrl));
  layout->addWidget(new QLabel(tr("Help:")));
  layout->addWidget(link(kHelpUrl));
  layout->addWidget(buttons);
}

void AboutWindow::Open(const QString& program_name, QWidget* parent) {
  auto* window = new AboutWindow(program_name, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->open();
}

}  // namespace scrawlbox
