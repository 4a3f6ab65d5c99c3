// SPDX-License-Identifier: MIT
#include "client/net/sound_player.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace client {

SoundPlayer::SoundPlayer(QString sound_folder, QObject* parent)
    : QObject(parent), folder_(std::move(sound_folder)) {}

void SoundPlayer::Play(const QString& file_name) {
  QSoundEffect* effect = effects_.value(file_name);
  if (!effect) {
    const QString path = QDir(folder_).filePath(file_name);
    if (!QFileInfo::exists(path)) return;
    effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(file_name, effect);
  }
  effect->play();
}

}  // namespace client
