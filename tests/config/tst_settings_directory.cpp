// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/files.h"
#include "config/settings_directory.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

class TestSettingsDirectory : public QObject {
    Q_OBJECT
private slots:
    void writableProgramFolderKeepsTheSettings() {
        QTemporaryDir app;
        QTemporaryDir user;
        const QString userDir = user.filePath(QStringLiteral("anemora"));
        QCOMPARE(SettingsDirectory(app.path(), true, userDir), app.path());
        QVERIFY(!QFileInfo::exists(userDir));
    }

    // An installed program's folder cannot take the settings: they go to the
    // user's folder, which starts with the shipped server list and keeps the
    // user's own list from then on.
    void userFolderIsSeededOnceAndThenKept() {
        QTemporaryDir root;
        const QString app = root.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(app));
        WriteBytes(QDir(app).filePath(QStringLiteral("Aprserve.txt")), "shipped:14580\r\n");
        const QString user = root.filePath(QStringLiteral("config/anemora"));

        QCOMPARE(SettingsDirectory(app, false, user), user);
        const QString userList = QDir(user).filePath(QStringLiteral("Aprserve.txt"));
        QCOMPARE(ReadBytes(userList), QByteArray("shipped:14580\r\n"));

        WriteBytes(userList, "mine:14580\r\n");
        QCOMPARE(SettingsDirectory(app, false, user), user);
        QCOMPARE(ReadBytes(userList), QByteArray("mine:14580\r\n"));
    }

    void noShippedListLeavesTheUserFolderEmpty() {
        QTemporaryDir root;
        const QString user = root.filePath(QStringLiteral("user"));
        QCOMPARE(SettingsDirectory(root.filePath(QStringLiteral("nothing")), false, user), user);
        QVERIFY(QDir(user).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsDirectory)
#include "tst_settings_directory.moc"
