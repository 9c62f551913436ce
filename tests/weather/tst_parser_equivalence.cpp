// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/report_difference.h"
#include "reference/wx_report.h"
#include "weather/wx_report.h"

#include <QDirIterator>
#include <QtTest>

#include <algorithm>

using namespace anemora;

namespace {

struct Packet {
    QString where;
    QString payload;
};

// The information fields of the monitored ("U") frames of an AGWPE stream:
// the text between the monitor line's CR and the next.
QList<Packet> AgwpePackets(const QString &file, const QByteArray &bytes) {
    QList<Packet> packets;
    for (qsizetype at = 0; at + 36 <= bytes.size();) {
        const auto byte = [&](int i) { return quint32(quint8(bytes[at + i])); };
        const qsizetype length = byte(28) | byte(29) << 8 | byte(30) << 16 | byte(31) << 24;
        const QByteArray data = bytes.mid(at + 36, length);
        const qsizetype cr = data.indexOf('\r');
        if (bytes[at + 4] == 'U' && cr >= 0)
            packets.append(
                {QStringLiteral("%1@%2").arg(file).arg(at),
                 QString::fromLatin1(data.mid(cr + 1, data.indexOf('\r', cr + 1) - cr - 1))});
        at += 36 + length;
    }
    return packets;
}

// One packet per line: the information field after a TNC2 header, or the
// whole line when it has none (a bare payload).
QList<Packet> LinePackets(const QString &file, const QByteArray &bytes) {
    QList<Packet> packets;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines[i]).chopped(lines[i].endsWith('\r'));
        const qsizetype arrow = line.indexOf(u'>');
        const qsizetype colon = arrow < 0 ? -1 : line.indexOf(u':', arrow);
        packets.append({QStringLiteral("%1:%2").arg(file).arg(i + 1), line.mid(colon + 1)});
    }
    return packets;
}

QList<Packet> FilePackets(const QString &name, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QByteArray bytes = file.readAll();
    return path.endsWith(QLatin1String(".bin")) ? AgwpePackets(name, bytes)
                                                : LinePackets(name, bytes);
}

// Each file that holds packets, named by where it lies.
QList<QPair<QString, QString>> Sources() {
    QList<QPair<QString, QString>> sources{{"feed.txt", ANEMORA_DEMO_FEED}};
    QList<QPair<QString, QString>> folders{{"tests/data", ANEMORA_TEST_DATA_DIR}};
#ifdef ANEMORA_SHARED_FIXTURES_DIR
    folders.append({QStringLiteral("fixtures"), QStringLiteral(ANEMORA_SHARED_FIXTURES_DIR)});
#endif
    for (const auto &[label, folder] : folders) {
        QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            sources.append({label + u'/' + QDir(folder).relativeFilePath(path), path});
        }
    }
    return sources;
}

bool IsWeatherReport(const QString &payload) {
    return payload.startsWith(u'_') ||
           (payload.size() > 1 && QStringLiteral("!=/@;").contains(payload[0]) &&
            payload.contains(u'_'));
}

} // namespace

class TestParserEquivalence : public QObject {
    Q_OBJECT
private slots:
    // Guards the comparison below against passing on packets it never read.
    void everySourceHoldsWeatherReports() {
        for (const QString &source :
             {QStringLiteral(ANEMORA_DEMO_FEED),
              QStringLiteral(ANEMORA_TEST_DATA_DIR "/agwpe/direwolf-1.6-R-G-3U.bin")}) {
            const QList<Packet> packets = FilePackets(source, source);
            QVERIFY2(std::any_of(packets.begin(), packets.end(),
                                 [](const Packet &p) { return IsWeatherReport(p.payload); }),
                     qPrintable(source));
        }
    }

    void sameAsFrozenParser_data() {
        QTest::addColumn<QString>("payload");
        for (const auto &[name, path] : Sources())
            for (const Packet &packet : FilePackets(name, path))
                // clang-format off
                QTest::newRow(qPrintable(packet.where)) << packet.payload;
        // clang-format on
    }

    // Every packet, and every shorter start of it (texts that end inside a
    // field), gives the same report; each field read alone cuts the same text.
    void sameAsFrozenParser() {
        QFETCH(QString, payload);
        for (qsizetype length = payload.size(); length >= 0; --length) {
            const QString text = payload.left(length);
            QCOMPARE(
                reference::ReportDifference(ParseWxReport(text), reference::ParseWxReport(text)),
                QString());
        }
        const QList<QPair<QString, int>> fields{{"g", 3}, {"t", 3}, {"r", 3}, {"P", 3},
                                                {"p", 3}, {"b", 4}, {"h", 2}, {"v", 3}};
        for (const auto &[key, width] : fields) {
            QString live = payload;
            QString frozen = payload;
            QCOMPARE(ReadWxField(live, key, width), reference::ReadWxField(frozen, key, width));
            QCOMPARE(live, frozen);
        }
    }
};

QTEST_GUILESS_MAIN(TestParserEquivalence)
#include "tst_parser_equivalence.moc"
