// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/files.h"
#include "ui/sound_player.h"

#include <QtTest>

using namespace anemora;
using namespace anemora::test;

class TestSoundPlayer : public QObject {
    Q_OBJECT
private slots:
    // Each row is what the sound file is at each request to play it: "missing",
    // "folder", "broken" (not a WAV), or one of the program's own sounds.
    void eachRequestGivesASound_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("defaultSounds");
        QTest::addColumn<QSoundEffect::Status>("lastStatus");
        using S = QSoundEffect;
        // clang-format off
        QTest::newRow("missing file") << QStringList{"missing"} << 1 << S::Null;
        QTest::newRow("folder") << QStringList{"folder"} << 1 << S::Null;
        QTest::newRow("not a wav") << QStringList{"broken"} << 1 << S::Error;
        QTest::newRow("wav plays without default sound") << QStringList{"NewData.wav"} << 0 << S::Ready;
        QTest::newRow("wav played again") << QStringList{"NewData.wav", "NewData.wav", "NewData.wav"} << 0 << S::Ready;
        QTest::newRow("missing file, every request") << QStringList{"missing", "missing", "missing"} << 3 << S::Null;
        QTest::newRow("not a wav, every request") << QStringList{"broken", "broken", "broken"} << 3 << S::Error;
        QTest::newRow("not a wav replaced by a wav") << QStringList{"broken", "NewData.wav"} << 1 << S::Ready;
        QTest::newRow("wav replaced by not a wav") << QStringList{"NewData.wav", "broken"} << 1 << S::Error;
        QTest::newRow("wav replaced by another wav") << QStringList{"NewData.wav", "Alarm.wav", "broken", "Alarm.wav"} << 1 << S::Ready;
        // clang-format on
    }
    void eachRequestGivesASound() {
        QFETCH(QStringList, files);
        QFETCH(int, defaultSounds);
        QFETCH(QSoundEffect::Status, lastStatus);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sound.wav"));
        SoundPlayer player;
        int beeps = 0;
        player.beep = [&beeps] { ++beeps; };
        auto *effect = player.findChild<QSoundEffect *>();
        QVERIFY(effect);

        for (const QString &file : files) {
            QFile::remove(path);
            if (file == u"folder")
                QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sound.wav")));
            else if (file == u"broken")
                WriteBytes(path, "this is no sound at all");
            else if (file != u"missing")
                WriteBytes(
                    path,
                    ReadBytes(QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/") + file));
            player.PlaySound(path);
            QTRY_VERIFY(effect->status() != QSoundEffect::Loading);
        }
        QCOMPARE(beeps, defaultSounds);
        QCOMPARE(effect->status(), lastStatus);
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_sound_player.moc"
