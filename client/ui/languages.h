// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QString>
#include <string>

namespace client {

// The windows speak the languages the programs name (directory::kKnownLanguages).
// The language the windows take: the player's choice when it is one of those, else the
// first of the system's preferred languages that is, else English.
QString ChooseLanguage(const std::string& choice, const QStringList& system_languages);

// Installs the translation of the windows (and Qt's own dialogs, where the system has it) into
// the application, for the language ChooseLanguage gives. English needs none.
void InstallTranslation(QApplication& app, const QString& language);

}  // namespace client
