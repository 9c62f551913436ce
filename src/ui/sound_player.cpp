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
    const QFileInfo file(path);
    if (!file.isFile()) {
        effect.stop();
        beep();
        return;
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect.source() != source || effect.status() == QSoundEffect::Error ||
        file.lastModified() != loadedModified || file.size() != loadedSize) {
        // The effect ignores the source it already has, so a file that failed
        // or changed since is loaded afresh from an empty source; a failure
        // comes back as a new error, and so as the default sound.
        effect.setSource(QUrl());
        effect.setSource(source);
        loadedModified = file.lastModified();
        loadedSize = file.size();
    }
    // Loading is asynchronous; play() before it is ready starts the sound
    // as soon as it has loaded.
    effect.play();
}

void SoundPlayer::OnStatusChanged() {
    if (effect.status() == QSoundEffect::Error)
        beep();
}

} // namespace anemora
