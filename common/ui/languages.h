// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QString>
#include <string>

namespace scrawlbox {

// The windows speak the languages the programs name (directory::kKnownLanguages).
// The language the windows take: the player's choice when it is one of those, else the
// first of the system's preferred languages that is, else English.
QString ChooseLanguage(const std::string& choice, const QStringList& system_languages);

// Installs the program's translation (":/i18n/PROGRAM_LANGUAGE.qm"), that of the windows the
// programs share (common_LANGUAGE.qm) and Qt's own dialogs' (where the system has it) into the
// application, for the language ChooseLanguage gives. English has translations too: the forms of
// its counted texts ("1 word", "2 words"). Dates and numbers then follow the language as well,
// unless the system's locale already speaks it.
void InstallTranslation(QApplication& app, const QString& program, const QString& language);

}  // namespace scrawlbox
