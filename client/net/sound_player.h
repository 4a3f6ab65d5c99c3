// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QSoundEffect;

namespace client {

// Plays sound files without waiting for them, each from the first of the folders that holds it
// (the player's own Sound folder, then the shipped one); a missing file plays nothing. A
// machine without a sound device is told once, in one line of ours ("No sound device: sounds
// are off."), and Qt Multimedia's own warnings about it are kept out of the program's output.
class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  static constexpr char kNoDevice[] = "No sound device: sounds are off.";

  explicit SoundPlayer(QStringList sound_folders, QObject* parent = nullptr);
  ~SoundPlayer() override;
  void Play(const QString& file_name);

 private:
  // Whether there is a device to play on; asked at the first sound.
  bool HasDevice();

  QStringList folders_;
  QHash<QString, QSoundEffect*> effects_;
  enum class Device { kUnknown, kPresent, kAbsent } device_ = Device::kUnknown;
};

}  // namespace client
