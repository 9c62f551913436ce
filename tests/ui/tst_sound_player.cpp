// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sound_player.h"

#include <QtTest>

using namespace anemora;

class TestSoundPlayer : public QObject {
    Q_OBJECT
private slots:
    void defaultSoundForWhatCannotPlay_data();
    void defaultSoundForWhatCannotPlay();
    void playsWavWithoutDefaultSound();
};

void TestSoundPlayer::defaultSoundForWhatCannotPlay_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");

    // clang-format off
    QTest::newRow("missing file") << "missing.wav" << QByteArray();
    QTest::newRow("folder") << "folder.wav" << QByteArray();
    QTest::newRow("not a wav") << "broken.wav" << QByteArray("this is no sound at all");
    // clang-format on
}

void TestSoundPlayer::defaultSoundForWhatCannotPlay() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name == u"folder.wav") {
        QVERIFY(QDir(dir.path()).mkdir(name));
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    SoundPlayer player;
    int beeps = 0;
    player.beep = [&beeps] { ++beeps; };

    player.PlaySound(path);

    QTRY_COMPARE(beeps, 1);
}

void TestSoundPlayer::playsWavWithoutDefaultSound() {
    SoundPlayer player;
    int beeps = 0;
    player.beep = [&beeps] { ++beeps; };

    player.PlaySound(QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/NewData.wav"));
    auto *effect = player.findChild<QSoundEffect *>();
    QVERIFY(effect);
    QTRY_VERIFY(effect->status() == QSoundEffect::Ready);
    QCOMPARE(beeps, 0);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_sound_player.moc"
