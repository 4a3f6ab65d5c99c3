// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>

namespace client {

// Where the client finds the files a player may change: all below its Data folder. Its pictures
// are compiled in.
struct ClientPaths {
  explicit ClientPaths(const QString& data_folder) : data(data_folder) {}
  QString ClientIni() const { return QDir(data).filePath(QStringLiteral("Client.ini")); }
  QString Sounds() const { return QDir(data).filePath(QStringLiteral("Sound")); }

  QString data;
};

}  // namespace client
