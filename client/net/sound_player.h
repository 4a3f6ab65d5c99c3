// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QSoundEffect;

namespace client {

// Plays sound files without waiting for them, each from the first of the folders that holds it
// (the player's own Sound folder, then the shipped one); a missing file or a machine without
// sound plays nothing and reports nothing.
class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QStringList sound_folders, QObject* parent = nullptr);
  void Play(const QString& file_name);

 private:
  QStringList folders_;
  QHash<QString, QSoundEffect*> effects_;
};

}  // namespace client
