// SPDX-License-Identifier: MIT
#include "client/net/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QScopedValueRollback>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>

#include "common/qt/data_folder.h"

namespace client {

namespace {

// While the player is inside Qt Multimedia, what it and its sound server's client say about a
// missing device (in its logging categories or in plain warnings) is not the player's to read:
// the SoundPlayer says it once, in its own words.
QtMessageHandler previous_handler = nullptr;
int players = 0;
bool in_multimedia = false;

void QuietMultimedia(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool multimedia = context.category && qstrncmp(context.category, "qt.multimedia", 13) == 0;
  if (type != QtFatalMsg && type != QtCriticalMsg && (multimedia || in_multimedia)) return;
  if (previous_handler) {
    previous_handler(type, context, message);
  } else {
    // What Qt's own handler would have written.
    const QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit();
    std::fprintf(stderr, "%s\n", text.constData());
  }
}

}  // namespace

SoundPlayer::SoundPlayer(QStringList sound_folders, QObject* parent)
    : QObject(parent), folders_(std::move(sound_folders)) {
  if (players++ == 0) previous_handler = qInstallMessageHandler(QuietMultimedia);
}

SoundPlayer::~SoundPlayer() {
  if (--players == 0) qInstallMessageHandler(previous_handler);
}

bool SoundPlayer::HasDevice() {
  if (device_ == Device::kUnknown) {
    {
      const QScopedValueRollback<bool> quiet(in_multimedia, true);
      device_ = QMediaDevices::audioOutputs().isEmpty() ? Device::kAbsent : Device::kPresent;
    }
    if (device_ == Device::kAbsent) qInfo("%s", kNoDevice);
  }
  return device_ == Device::kPresent;
}

void SoundPlayer::Play(const QString& file_name) {
  QSoundEffect* effect = effects_.value(file_name);
  if (!effect) {
    const QString path = scrawlbox::LocateDataFile(folders_, file_name);
    if (path.isEmpty() || !HasDevice()) return;
    const QScopedValueRollback<bool> quiet(in_multimedia, true);
    effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(file_name, effect);
  }
  const QScopedValueRollback<bool> quiet(in_multimedia, true);
  effect->play();
}

}  // namespace client
