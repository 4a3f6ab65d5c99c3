// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace client {

// Where the client finds the files a player may change: below its Data folder, and for an
// installed client also in the shipped data (share/scrawlbox), which stands in for whatever the
// Data folder lacks. Its pictures are compiled in.
struct ClientPaths {
  explicit ClientPaths(const QString& data_folder, const QString& shipped_folder = QString())
      : data(data_folder), shipped(shipped_folder) {}
  QString ClientIni() const { return QDir(data).filePath(QStringLiteral("Client.ini")); }
  // A sound file the player put in the Data folder wins over the shipped one of that name.
  QStringList SoundFolders() const { return Folders(QStringLiteral("Sound")); }

  QString data;
  QString shipped;

 private:
  // The Data folder's subfolder, then the shipped one; the shipped one alone comes first when
  // the Data folder has no such subfolder, so that whole-folder lookups find the files.
  QStringList Folders(const QString& name) const {
    const QString own = QDir(data).filePath(name);
    if (shipped.isEmpty()) return {own};
    const QString installed = QDir(shipped).filePath(name);
    return QFileInfo(own).isDir() ? QStringList{own, installed} : QStringList{installed, own};
  }
};

}  // namespace client
