// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace anemora {

// Debian's direwolf as a real AGWPE server with no radio: it hears the audio
// written to its standard input and serves AGWPE clients on one port.
class DirewolfPeer {
public:
    static constexpr int SampleRate = 22050;

    DirewolfPeer() = default;
    DirewolfPeer(const DirewolfPeer &) = delete;
    DirewolfPeer &operator=(const DirewolfPeer &) = delete;
    ~DirewolfPeer();

    // Starts direwolf and waits until it accepts AGWPE clients on `port`.
    bool start(quint16 port);
    // More audio: raw 16-bit mono PCM at SampleRate.
    void feed(const QByteArray &pcm);
    // Closing its input is how direwolf is asked to end.
    void stop();
    // What direwolf printed, for failure messages.
    QString output();

    // Audio of the given TNC2 packets, one after the other, each followed by
    // a little silence; empty with `error` set when gen_packets fails.
    static QByteArray PacketAudio(const QStringList &packets, QString *error);
    static QByteArray Silence(int milliseconds);

private:
    QTemporaryDir dir;
    QProcess process;
    QByteArray log;
};

} // namespace anemora
