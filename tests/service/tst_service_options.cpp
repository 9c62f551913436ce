// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/service_options.h"

#include <QTest>

using namespace anemora;

class TestServiceOptions : public QObject {
    Q_OBJECT

private slots:
    // Folders: settings, log. Options win over systemd's folders, which win
    // over the desktop program's.
    void read_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("systemdFolders");
        QTest::addColumn<QString>("folders");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("badOption");
        // clang-format off
        QTest::newRow("nothing given") << QStringList{"Q1ABC-13"} << "," << "desk-etc,desk-log" << "Q1ABC-13" << "";
        QTest::newRow("systemd's first folder") << QStringList{} << "/etc/a:/etc/b,/var/a:/var/b" << "/etc/a,/var/a" << "" << "";
        QTest::newRow("options win, taken out") << QStringList{"--log", "L", "Q1ABC-13", "--config", "C", "S:h:1"} << "/etc/a,/var/a" << "C,L" << "Q1ABC-13 S:h:1" << "";
        QTest::newRow("folder missing") << QStringList{"Q1ABC-13", "--log"} << "," << "desk-etc,desk-log" << "Q1ABC-13 --log" << "--log";
        QTest::newRow("unknown option") << QStringList{"Q1ABC-13", "--confg", "C"} << "," << "desk-etc,desk-log" << "Q1ABC-13 --confg C" << "--confg";
        // clang-format on
    }
    void read() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, systemdFolders);
        const ServiceOptions options =
            ReadServiceOptions(arguments, systemdFolders.section(',', 0, 0),
                               systemdFolders.section(',', 1), "desk-etc", "desk-log");
        QTEST(options.settingsDir + ',' + options.logDir, "folders");
        QTEST(options.commandLine, "commandLine");
        QTEST(options.badOption, "badOption");
    }
};

QTEST_GUILESS_MAIN(TestServiceOptions)
#include "tst_service_options.moc"
