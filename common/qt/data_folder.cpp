// SPDX-License-Identifier: MIT
#include "common/qt/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace scrawlbox {

QString ResolveDataFolder(const QString& from_command_line) {
  if (!from_command_line.isEmpty()) {
    QDir dir(from_command_line);
    if (!dir.exists() && !QDir().mkpath(dir.absolutePath())) return {};
    return dir.absolutePath();
  }
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
  const QFileInfo info(beside);
  if (info.isDir() && info.isWritable()) return info.absoluteFilePath();
  const QString per_user =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Data");
  if (!QDir().mkpath(per_user)) return {};
  return per_user;
}

QString ShippedDataFolder() {
  // The install rules put the shipped data this far from the programs (../share/scrawlbox).
  const QFileInfo shipped(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                          QStringLiteral(SCRAWLBOX_SHIPPED_DATA_FROM_BIN));
  return shipped.isDir() ? shipped.canonicalFilePath() : QString();
}

QStringList DataSearchPath(const QString& data_folder, const QString& subfolder) {
  QStringList folders{QDir(data_folder).filePath(subfolder)};
  const QString shipped = ShippedDataFolder();
  if (!shipped.isEmpty()) {
    const QString folder = QDir(shipped).filePath(subfolder);
    if (QFileInfo(folder).canonicalFilePath() != QFileInfo(folders.front()).canonicalFilePath()) {
      folders.append(folder);
    }
  }
  return folders;
}

QString LocateDataFile(const QStringList& folders, const QString& file_name) {
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(file_name);
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

}  // namespace scrawlbox
