// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QObject>
#include <QSoundEffect>
#include <QString>

#include <functional>

namespace anemora {

// Plays one WAV file at a time without waiting for it to finish. Every request
// gives a sound: a file that is missing or cannot be played gives the
// system's default sound instead, and a file changed since it was loaded is
// loaded again.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject *parent = nullptr);

    void PlaySound(const QString &path);

    // The default sound; tests replace it to count the calls.
    std::function<void()> beep;

private slots:
    void OnStatusChanged();

private:
    // A member, so the effect outlives the call that starts it; a new sound
    // replaces the one still playing.
    QSoundEffect effect;
    // The file as it was when the effect loaded it.
    QDateTime loadedModified;
    qint64 loadedSize = -1;
};

} // namespace anemora
