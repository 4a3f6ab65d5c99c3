// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace client {

// Plays the sound files of the Sound folder without waiting for them; a missing file or a
// machine without sound plays nothing and reports nothing.
class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QString sound_folder, QObject* parent = nullptr);
  void Play(const QString& file_name);

 private:
  QString folder_;
  QHash<QString, QSoundEffect*> effects_;
};

}  // namespace client
