// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>

namespace client {

// Where the client finds its files: all below its Data folder.
struct ClientPaths {
  explicit ClientPaths(const QString& data_folder) : data(data_folder) {}
  QString ClientIni() const { return QDir(data).filePath(QStringLiteral("Client.ini")); }
  QString Sounds() const { return QDir(data).filePath(QStringLiteral("Sound")); }
  QString Cursors() const { return QDir(data).filePath(QStringLiteral("Cursors")); }
  QString Images() const { return QDir(data).filePath(QStringLiteral("Images")); }

  QString data;
};

}  // namespace client
