// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QString>
#include <array>
#include <string>

namespace client {

// The languages the windows speak, each named in itself so that a player finds their own.
struct Language {
  const char* code;
  const char* name;
};
inline constexpr std::array<Language, 4> kLanguages = {
    {{"en", "English"}, {"de", "Deutsch"}, {"fr", "Français"}, {"es", "Español"}}};

// The language the windows take: the player's choice when it is one of kLanguages, else the
// first of the system's preferred languages that is, else English.
QString ChooseLanguage(const std::string& choice, const QStringList& system_languages);

// Installs the translation of the windows (and Qt's own dialogs, where the system has it) into
// the application, for the language ChooseLanguage gives. English needs none.
void InstallTranslation(QApplication& app, const QString& language);

}  // namespace client
