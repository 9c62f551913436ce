// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/server_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace anemora;

class TestServerList : public QObject {
    Q_OBJECT
private slots:
    void entryFromLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("isEntry");
        QTest::addColumn<QString>("entry");

        // clang-format off
        QTest::newRow("plain entry") << "host:14580" << true << "host:14580";
        QTest::newRow("comment line") << "; servers of the rotation" << false << "";
        QTest::newRow("lone semicolon") << ";" << false << "";
        QTest::newRow("empty line") << "" << false << "";
        QTest::newRow("trailing comment keeps blank") << "host:14580 ;main" << true << "host:14580 ";
        QTest::newRow("cut at first semicolon") << "h:1;a;b" << true << "h:1";
        QTest::newRow("blank line is an entry") << "   " << true << "   ";
        QTest::newRow("blank then comment is an entry") << " ;comment" << true << " ";
        QTest::newRow("leading blanks kept") << "  host:14580" << true << "  host:14580";
        QTest::newRow("no colon is still an entry") << "justahost" << true << "justahost";
        // clang-format on
    }
    void entryFromLine() {
        QFETCH(QString, line);
        QFETCH(bool, isEntry);
        const std::optional<QString> got = ServerEntryFromLine(line);
        QCOMPARE(got.has_value(), isEntry);
        if (isEntry)
            QTEST(*got, "entry");
    }

    void splitEntry_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("hasColon");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("portFits");
        QTest::addColumn<int>("port");

        // clang-format off
        QTest::newRow("host and port") << "host:14580" << true << "host" << true << 14580;
        QTest::newRow("trailing garbage after port") << "host:14580abc" << true << "host" << true << 14580;
        QTest::newRow("no port text gives 0") << "host:" << true << "host" << true << 0;
        QTest::newRow("blank before comment") << "host:14580 " << true << "host" << true << 14580;
        QTest::newRow("blanks inside port skipped") << "host: 1 4" << true << "host" << true << 14;
        QTest::newRow("split at first colon") << "h:1:2" << true << "h" << true << 1;
        QTest::newRow("host case kept") << "Host.Example:80" << true << "Host.Example" << true << 80;
        QTest::newRow("half rounds to even down") << "h:14580.5" << true << "h" << true << 14580;
        QTest::newRow("half rounds to even up") << "h:14581.5" << true << "h" << true << 14582;
        QTest::newRow("largest port") << "h:32767" << true << "h" << true << 32767;
        QTest::newRow("port above 16 bits") << "h:32768" << true << "h" << false << 0;
        QTest::newRow("port 65535 not wrapped") << "h:65535" << true << "h" << false << 0;
        QTest::newRow("no colon") << "host14580" << false << "" << false << 0;
        QTest::newRow("empty host") << ":14580" << true << "" << true << 14580;
        // clang-format on
    }
    void splitEntry() {
        QFETCH(QString, entry);
        QFETCH(bool, hasColon);
        QFETCH(bool, portFits);
        const std::optional<ServerAddress> got = SplitServerEntry(entry);
        QCOMPARE(got.has_value(), hasColon);
        if (!hasColon)
            return;
        QTEST(got->host, "host");
        QCOMPARE(got->port.has_value(), portFits);
        if (portFits)
            QTEST(int(*got->port), "port");
    }

    void serverKey() {
        QCOMPARE(ServerKey(QStringLiteral("host"), 14580), QStringLiteral("host:14580"));
        QCOMPARE(ServerKey(QStringLiteral("Host"), -1), QStringLiteral("Host:-1"));
    }

    void readEntries_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");

        const QStringList two{"a:1", "b:2"};
        // clang-format off
        QTest::newRow("comments and empty line skipped") << QByteArray(";list\r\n\r\na:1\r\nb:2\r\n") << two;
        QTest::newRow("bare LF line ends") << QByteArray("a:1\nb:2\n") << two;
        QTest::newRow("CR alone ends a line") << QByteArray("a:1\rb:2") << two;
        QTest::newRow("no final line end") << QByteArray("a:1\r\nb:2") << two;
        QTest::newRow("trailing blank lines") << QByteArray("a:1\r\nb:2\r\n\r\n\n\r\n") << two;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF;c\r\na:1\r\nb:2\r\n") << two;
        QTest::newRow("blank-only line counted") << QByteArray("a:1\r\n  \r\nb:2\r\n") << QStringList{"a:1", "  ", "b:2"};
        QTest::newRow("latin-1 bytes kept") << QByteArray("h\xE9te:1\r\n") << QStringList{QString::fromLatin1("h\xE9te:1")};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        // clang-format on
    }
    void readEntries() {
        QFETCH(QByteArray, bytes);
        const QString path = dir.filePath(QStringLiteral("Aprserve.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        bool ok = false;
        QTEST(ReadServerEntries(path, &ok), "entries");
        QVERIFY(ok);
    }

    void readMissingFile() {
        bool ok = true;
        QVERIFY(ReadServerEntries(dir.filePath(QStringLiteral("missing.txt")), &ok).isEmpty());
        QVERIFY(!ok);
    }

    void appendEntry_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        // clang-format off
        QTest::newRow("creates the file") << QByteArray() << QByteArray("new:14580\r\n");
        QTest::newRow("appends after CR LF") << QByteArray("a:1\r\n") << QByteArray("a:1\r\nnew:14580\r\n");
        QTest::newRow("duplicates are appended again") << QByteArray("new:14580\r\n") << QByteArray("new:14580\r\nnew:14580\r\n");
        QTest::newRow("missing last line end is supplied") << QByteArray("a:1") << QByteArray("a:1\r\nnew:14580\r\n");
        // clang-format on
    }
    void appendEntry() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = dir.filePath(QStringLiteral("append.txt"));
        QFile::remove(path);
        if (!before.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        QVERIFY(AppendServerEntry(path, QStringLiteral("new:14580")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
    }

    void appendToUnwritablePath() {
        QVERIFY(!AppendServerEntry(dir.filePath(QStringLiteral("no/such/dir/Aprserve.txt")),
                                   QStringLiteral("a:1")));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestServerList)
#include "tst_server_list.moc"
