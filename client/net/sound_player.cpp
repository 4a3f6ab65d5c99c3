// SPDX-License-Identifier: MIT
#include "client/net/sound_player.h"

#include <QSoundEffect>
#include <QUrl>

#include "common/qt/data_folder.h"

namespace client {

SoundPlayer::SoundPlayer(QStringList sound_folders, QObject* parent)
    : QObject(parent), folders_(std::move(sound_folders)) {}

void SoundPlayer::Play(const QString& file_name) {
  QSoundEffect* effect = effects_.value(file_name);
  if (!effect) {
    const QString path = scrawlbox::LocateDataFile(folders_, file_name);
    if (path.isEmpty()) return;
    effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(file_name, effect);
  }
  effect->play();
}

}  // namespace client
