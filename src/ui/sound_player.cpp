// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sound_player.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

namespace anemora {

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent), beep([] { QApplication::beep(); }), effect(this) {
    connect(&effect, &QSoundEffect::statusChanged, this, &SoundPlayer::OnStatusChanged);
}

void SoundPlayer::PlaySound(const QString &path) {
    if (!QFileInfo(path).isFile()) {
        effect.stop();
        beep();
        return;
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect.source() == source && effect.status() == QSoundEffect::Ready) {
        effect.play();
        return;
    }
    effect.setSource(source);
    // Loading is asynchronous; play() before it is ready starts the sound
    // as soon as it has loaded.
    effect.play();
}

void SoundPlayer::OnStatusChanged() {
    if (effect.status() == QSoundEffect::Error)
        beep();
}

} // namespace anemora
