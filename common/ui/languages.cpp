// SPDX-License-Identifier: MIT
#include "common/ui/languages.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "directory/languages.h"

namespace scrawlbox {

namespace {

bool Known(const QString& code) {
  return directory::IsKnownLanguage(code.toStdString());
}

}  // namespace

QString ChooseLanguage(const std::string& choice, const QStringList& system_languages) {
  const QString chosen = QString::fromStdString(choice);
  if (Known(chosen)) return chosen;
  // "de-AT", "fr_CA": the language is what comes before the region.
  for (const QString& preferred : system_languages) {
    const QString code = preferred.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
    if (Known(code.toLower())) return code.toLower();
  }
  return QStringLiteral("en");
}

void InstallTranslation(QApplication& app, const QString& program, const QString& language) {
  // Owned by the application, which lives as long as the windows that use them.
  for (const QString& part : {program, QStringLiteral("common")}) {
    auto* windows = new QTranslator(&app);
    if (windows->load(QStringLiteral(":/i18n/%1_%2.qm").arg(part, language))) {
      QApplication::installTranslator(windows);
    }
  }
  if (QLocale::system().name().section(QLatin1Char('_'), 0, 0) != language) {
    QLocale::setDefault(QLocale(language));
  }
  if (language == QLatin1String("en")) return;
  auto* qt = new QTranslator(&app);
  if (qt->load(QStringLiteral("qtbase_%1").arg(language),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(qt);
  }
}

}  // namespace scrawlbox
