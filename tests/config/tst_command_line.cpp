// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/command_line.h"

#include <QTest>

using namespace anemora;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    // Columns: call, AGWPE host and port, APRS-IS host and port, SAVE, server
    // look-up, refused port text.
    void parse_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("settings");

        // clang-format off
        QTest::newRow("call only") << "Q1ABC-13" << "Q1ABC-13||0||0|||";
        QTest::newRow("AGWPE with port") << "Q1ABC-13 A:localhost:8001" << "Q1ABC-13|localhost|8001||0|||";
        QTest::newRow("bare host") << "Q1ABC-13 somehost" << "Q1ABC-13|somehost|0||0|||";
        QTest::newRow("bare host, port and SAVE") << "Q1ABC-13 somehost:8001 SAVE" << "Q1ABC-13|somehost|8001||0|save||";
        QTest::newRow("server with port looked up") << "Q1ABC-13 S:somehost:14580" << "Q1ABC-13||0|somehost|14580||find|";
        QTest::newRow("lower-case server prefix") << "Q1ABC-13 s:somehost" << "Q1ABC-13||0|somehost|0|||";
        QTest::newRow("server prefix without host") << "Q1ABC-13 S:" << "Q1ABC-13||0||0|||";
        QTest::newRow("tail other than SAVE ignored") << "Q1ABC-13 x y SAVE" << "Q1ABC-13|x|0||0|||";
        QTest::newRow("SAVE as second word is a host") << "Q1ABC-13 SAVE" << "Q1ABC-13|SAVE|0||0|||";
        QTest::newRow("single word cut to 9") << "q1abcdefgh-13" << "Q1ABCDEFG||0||0|||";
        QTest::newRow("first of two words kept whole") << "q1abcdefgh-13 host" << "Q1ABCDEFGH-13|host|0||0|||";
        QTest::newRow("call upper-cased, host case kept") << "q1abc a:MyHost:8001" << "Q1ABC|MyHost|8001||0|||";
        QTest::newRow("outer and repeated spaces") << "  Q1ABC   host   save  " << "Q1ABC|host|0||0|save||";
        QTest::newRow("port not a number gives 0") << "Q1ABC host:abc" << "Q1ABC|host|0||0|||";
        QTest::newRow("port with trailing text") << "Q1ABC host:8001x" << "Q1ABC|host|8001||0|||";
        QTest::newRow("port split at first colon") << "Q1ABC A:h:1:2" << "Q1ABC|h|1||0|||";
        QTest::newRow("largest port") << "Q1ABC host:32767" << "Q1ABC|host|32767||0|||";
        QTest::newRow("AGWPE port above 32767 refused") << "Q1ABC host:40000" << "Q1ABC|host|0||0|||40000";
        QTest::newRow("server port above 32767 refused, no look-up") << "Q1ABC S:host:65535" << "Q1ABC||0|host|0|||65535";
        QTest::newRow("negative port refused") << "Q1ABC host:-1" << "Q1ABC|host|0||0|||-1";
        QTest::newRow("empty port text") << "Q1ABC S:host:" << "Q1ABC||0|host|0||find|";
        QTest::newRow("empty line") << "" << "||0||0|||";
        // clang-format on
    }
    void parse() {
        QFETCH(QString, commandLine);
        const CommandLineSettings s = ParseCommandLine(commandLine);
        const QString got = QStringList{s.StationCall,
                                        s.AgwHost,
                                        QString::number(s.AgwPort),
                                        s.AprsHost,
                                        QString::number(s.AprsPort),
                                        s.SaveAlarms ? "save" : "",
                                        s.FindServer ? "find" : "",
                                        s.RefusedPort}
                                .join(u'|');
        QTEST(got, "settings");
    }

    void argumentText() {
        QCOMPARE(CommandLineText({"anemora"}), QString());
        QCOMPARE(CommandLineText({"anemora", "Q1ABC", "S:host:14580", "SAVE"}),
                 QStringLiteral("Q1ABC S:host:14580 SAVE"));
        QCOMPARE(CommandLineText({"anemora", "Q1ABC host"}), QStringLiteral("Q1ABC host"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
