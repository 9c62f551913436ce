// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "direwolf_peer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QtEndian>

namespace anemora {

namespace {

constexpr int StartTimeoutMs = 15000;
constexpr int StopTimeoutMs = 5000;

// The samples of a PCM WAV file in the format direwolf is told to expect.
QByteArray WavSamples(const QByteArray &wav, int sampleRate) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        const char *body = wav.constData() + at + 8;
        if (id == "fmt " && size >= 16 && at + 8 + 16 <= wav.size()) {
            const bool expected = qFromLittleEndian<quint16>(body) == 1 &&
                                  qFromLittleEndian<quint16>(body + 2) == 1 &&
                                  qFromLittleEndian<quint32>(body + 4) == quint32(sampleRate) &&
                                  qFromLittleEndian<quint16>(body + 14) == 16;
            if (!expected)
                return {};
        }
        if (id == "data")
            return wav.mid(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return {};
}

} // namespace

DirewolfPeer::~DirewolfPeer() {
    stop();
}

bool DirewolfPeer::start(quint16 port) {
    if (!dir.isValid())
        return false;
    const QString configPath = dir.filePath(QStringLiteral("direwolf.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly))
        return false;
    // Receive only: no PTT, beacon, digipeater or IGate, and no KISS port.
    config.write(QStringLiteral("ADEVICE stdin null\n"
                                "ARATE %1\n"
                                "CHANNEL 0\n"
                                "MODEM 1200\n"
                                "AGWPORT %2\n"
                                "KISSPORT 0\n")
                     .arg(SampleRate)
                     .arg(port)
                     .toLatin1());
    config.close();

    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral("direwolf"),
                  {QStringLiteral("-c"), configPath, QStringLiteral("-t"), QStringLiteral("0")});
    if (!process.waitForStarted(StartTimeoutMs))
        return false;
    const QByteArray ready =
        QByteArrayLiteral("Ready to accept AGW client application 0 on port ") +
        QByteArray::number(port);
    QDeadlineTimer deadline(StartTimeoutMs);
    while (!log.contains(ready)) {
        if (process.state() != QProcess::Running || deadline.hasExpired())
            return false;
        process.waitForReadyRead(200);
        log += process.readAll();
    }
    return true;
}

void DirewolfPeer::feed(const QByteArray &pcm) {
    process.write(pcm);
}

void DirewolfPeer::stop() {
    if (process.state() == QProcess::NotRunning)
        return;
    process.closeWriteChannel();
    if (!process.waitForFinished(StopTimeoutMs)) {
        process.kill();
        process.waitForFinished(StopTimeoutMs);
    }
}

QString DirewolfPeer::output() {
    log += process.readAll();
    return QString::fromLatin1(log);
}

QByteArray DirewolfPeer::PacketAudio(const QStringList &packets, QString *error) {
    QTemporaryDir work;
    QByteArray pcm;
    for (qsizetype i = 0; i < packets.size(); ++i) {
        // One file per packet and no line end: gen_packets would send the
        // line end as part of the information field.
        const QString textPath = work.filePath(QStringLiteral("packet%1.txt").arg(i));
        const QString wavPath = work.filePath(QStringLiteral("packet%1.wav").arg(i));
        QFile text(textPath);
        if (!text.open(QIODevice::WriteOnly) || text.write(packets.at(i).toLatin1()) < 0) {
            *error = text.errorString();
            return {};
        }
        text.close();
        QProcess gen;
        gen.setProcessChannelMode(QProcess::MergedChannels);
        gen.start(QStringLiteral("gen_packets"), {QStringLiteral("-r"), QString::number(SampleRate),
                                                  QStringLiteral("-o"), wavPath, textPath});
        if (!gen.waitForFinished(StartTimeoutMs) || gen.exitStatus() != QProcess::NormalExit ||
            gen.exitCode() != 0) {
            *error = QStringLiteral("gen_packets failed: %1 %2")
                         .arg(gen.errorString(), QString::fromLatin1(gen.readAll()));
            return {};
        }
        QFile wav(wavPath);
        const QByteArray samples =
            wav.open(QIODevice::ReadOnly) ? WavSamples(wav.readAll(), SampleRate) : QByteArray();
        if (samples.isEmpty()) {
            *error = QStringLiteral("no samples in %1").arg(wavPath);
            return {};
        }
        pcm += samples + Silence(300);
    }
    return pcm;
}

QByteArray DirewolfPeer::Silence(int milliseconds) {
    return QByteArray(qsizetype(SampleRate) * milliseconds / 1000 * 2, '\0');
}

} // namespace anemora
