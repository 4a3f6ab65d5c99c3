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

}  // namespace scrawlbox
