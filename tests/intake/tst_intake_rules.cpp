// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/agw_frames.h"
#include "intake/agw_frame.h"
#include "intake/aprs_line_assembler.h"
#include "intake/tnc2_header.h"

#include <QFile>
#include <QTest>

using namespace anemora;
using namespace anemora::test;

namespace {

// Feeds `stream` in pieces cut at `cuts` and collects every frame handed out.
QList<QByteArray> FeedInPieces(AgwFrameAssembler &assembler, const QByteArray &stream,
                               const QList<qsizetype> &cuts) {
    QList<QByteArray> frames;
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        const auto result = assembler.Feed(QByteArrayView(stream).sliced(from, cut - from));
        frames += result.frames;
        from = cut;
    }
    frames += assembler.Feed(QByteArrayView(stream).sliced(from)).frames;
    return frames;
}

} // namespace

class TestIntakeRules : public QObject {
    Q_OBJECT
private slots:
    void headerSplit_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("hasHeader");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("payload");

        // clang-format off
        QTest::newRow("station weather") << "Q1ABC-13>APRS,TCPIP*,qAC,XYZ:_10090556c220" << "Q1ABC-13" << true << "Q1ABC-13>APRS,TCPIP*,qAC,XYZ:" << "_10090556c220";
        QTest::newRow("only first colon after > splits") << "A>B,C:x:y" << "A" << true << "A>B,C:" << "x:y";
        QTest::newRow("colon before > is not the split") << "A:1>B:x" << "A:1" << true << "A:1>B:" << "x";
        QTest::newRow("comment with a time, no >") << "# server 12:30:00 GMT" << "" << true << "# server 12:" << "30:00 GMT";
        QTest::newRow("> but no colon") << "Q1ABC-13>APRS" << "Q1ABC-13" << false << "" << "";
        QTest::newRow("empty line") << "" << "" << false << "" << "";
        QTest::newRow("only >") << ">" << "" << false << "" << "";
        QTest::newRow("only :") << ":" << "" << true << ":" << "";
        QTest::newRow("> first") << ">B:x" << "" << true << ">B:" << "x";
        QTest::newRow("empty payload") << "A>B:" << "A" << true << "A>B:" << "";
        QTest::newRow("binary bytes kept") << QString::fromLatin1("A\x01>B\xff:\x00z", 8) << QString::fromLatin1("A\x01") << true << QString::fromLatin1("A\x01>B\xff:") << QString::fromLatin1("\x00z", 2);
        const QString far = QString(40000, u'x');
        QTest::newRow("positions beyond 32767") << far + ">B" + far + ":_1" << far << true << far + ">B" + far + ":" << "_1";
        // clang-format on
    }
    void headerSplit() {
        QFETCH(QString, line);
        const Tnc2Split split = SplitTnc2Header(line);
        QTEST(split.sourceCall, "source");
        QTEST(split.hasHeader, "hasHeader");
        QTEST(split.header, "header");
        QTEST(split.payload, "payload");
    }

    void logresp_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("isReply");
        QTest::addColumn<QStringList>("rows");

        // clang-format off
        QTest::newRow("with OK") << "# logresp QRVSWL unverified, server XYZ OK" << true << QStringList{"server XYZ ", "OK"};
        QTest::newRow("no comma") << "# logresp X OK" << true << QStringList{" logresp X ", "OK"};
        QTest::newRow("no OK shows the server part") << "# logresp QRVSWL unverified, server T2TEST" << true << QStringList{"server T2TEST", ""};
        QTest::newRow("OK only before the comma") << "# logresp OKCALL unverified, server XYZ" << true << QStringList{"server XYZ", ""};
        QTest::newRow("OK before and after the comma") << "# logresp OKCALL unverified, server XYZ OK" << true << QStringList{"server XYZ ", "OK"};
        QTest::newRow("comma last") << "# logresp X," << true << QStringList{"", ""};
        QTest::newRow("bare") << "# logresp" << true << QStringList{" logresp", ""};
        QTest::newRow("case-sensitive") << "# LOGRESP X, s OK" << false << QStringList{};
        QTest::newRow("not at the start") << " # logresp X, s OK" << false << QStringList{};
        QTest::newRow("other comment") << "# aprsc 2.1" << false << QStringList{};
        // clang-format on
    }
    void logresp() {
        QFETCH(QString, line);
        const std::optional<QStringList> result = LogrespRows(line);
        QTEST(result.has_value(), "isReply");
        if (result)
            QTEST(*result, "rows");
    }

    void lineAssembly_data() {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("pending");

        // clang-format off
        QTest::newRow("line split over two events") << QStringList{"Q1ABC-13>AP", "RS:_1009\r\n"} << QStringList{"Q1ABC-13>APRS:_1009"} << "";
        QTest::newRow("several lines in one event") << QStringList{"a\r\nb\r\nc\r\n"} << QStringList{"a", "b", "c"} << "";
        QTest::newRow("CR alone ends nothing") << QStringList{"abc\r", "def"} << QStringList{} << "abcdef";
        QTest::newRow("CR then LF in the next event") << QStringList{"abc\r", "\n"} << QStringList{"abc"} << "";
        QTest::newRow("abc CR LF CR LF") << QStringList{"abc\r\n\r\n"} << QStringList{"abc", ""} << "";
        QTest::newRow("CR inside a line") << QStringList{"a\rb\r\n"} << QStringList{"ab"} << "";
        QTest::newRow("LF alone ends a line") << QStringList{"a\nb"} << QStringList{"a"} << "b";
        QTest::newRow("empty events") << QStringList{"", "a", "", "\n"} << QStringList{"a"} << "";
        QTest::newRow("binary bytes pass") << QStringList{QString::fromLatin1("\x00\x01\xff\n", 4)} << QStringList{QString::fromLatin1("\x00\x01\xff", 3)} << "";
        // clang-format on
    }
    void lineAssembly() {
        QFETCH(QStringList, pieces);
        AprsLineAssembler assembler;
        QStringList got;
        for (const QString &piece : pieces)
            got += assembler.Feed(piece);
        QTEST(got, "lines");
        QTEST(assembler.Pending(), "pending");
    }

    void lineAssemblyDropsOverlongLines_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("pieceSize");
        QTest::addColumn<bool>("kept");

        const int max = int(AprsLineAssembler::MaxLineLength);
        // clang-format off
        QTest::newRow("longest kept, one event") << max << max + 1 << true;
        QTest::newRow("longest kept, small events") << max << 1000 << true;
        QTest::newRow("one more dropped, one event") << max + 1 << max + 10 << false;
        QTest::newRow("one more dropped, small events") << max + 1 << 1000 << false;
        QTest::newRow("1 MB line dropped, one event") << (1 << 20) << (1 << 20) + 10 << false;
        QTest::newRow("1 MB line dropped, 4 KB events") << (1 << 20) << 4096 << false;
        // clang-format on
    }
    void lineAssemblyDropsOverlongLines() {
        QFETCH(int, length);
        QFETCH(int, pieceSize);
        QFETCH(bool, kept);
        // The long line, then a short one that must come through untouched.
        const QString stream = QString(length, u'x') + "\nnext\ntail";
        AprsLineAssembler assembler;
        QStringList got;
        for (qsizetype from = 0; from < stream.size(); from += pieceSize) {
            got += assembler.Feed(stream.mid(from, pieceSize));
            QVERIFY(assembler.Pending().size() <= AprsLineAssembler::MaxLineLength);
        }
        const QStringList expected =
            kept ? QStringList{QString(length, u'x'), "next"} : QStringList{"next"};
        QCOMPARE(got, expected);
        QCOMPARE(assembler.Pending(), QString("tail"));
    }

    void request() {
        for (const char kind : {'m', 'R', 'G'}) {
            QCOMPARE(AgwRequest(kind), AgwHeader(kind, "", 0));
        }
    }

    void headerFields_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("dataLen");
        QTest::addColumn<QString>("callFrom");

        QByteArray base(36, '\0');
        QByteArray len300 = base;
        len300[28] = 0x2c;
        len300[29] = 0x01;
        // clang-format off
        QTest::newRow("DataLen 300") << len300 << 300 << "";
        QByteArray highBytes = len300;
        highBytes[30] = 0x7f;
        highBytes[31] = char(0xff);
        QTest::newRow("bytes 30 and 31 ignored") << highBytes << 300 << "";
        QByteArray call = base;
        call.replace(8, 8, "Q1ABC-13");
        QTest::newRow("call ends at NUL") << call << 0 << "Q1ABC-13";
        QByteArray full = base;
        full.replace(8, 10, "Q1ABC-13XY");
        full[18] = 'Z';
        QTest::newRow("call of all 10 bytes") << full << 0 << "Q1ABC-13XY";
        QByteArray latin = base;
        latin[8] = char(0xe9);
        QTest::newRow("call as Latin-1") << latin << 0 << QString(QChar(0xe9));
        // clang-format on
    }
    void headerFields() {
        QFETCH(QByteArray, header);
        QFETCH(int, dataLen);
        QFETCH(QString, callFrom);
        // Also at an offset, as when several frames share one array.
        const QByteArray shifted = QByteArray(44, 'x') + header;
        QCOMPARE(AgwDataLen(header, 0), dataLen);
        QCOMPARE(AgwDataLen(shifted, 44), dataLen);
        QCOMPARE(AgwCallFrom(header, 0), callFrom);
        QCOMPARE(AgwCallFrom(shifted, 44), callFrom);
    }

    void monitorRows_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("rows");

        // clang-format off
        QTest::newRow("header and info, :Fm rewritten") << QByteArray(" 1:Fm Q1ABC-13 To APRS Via WIDE1-1 <UI pid=F0 Len=46 >[07:01:02]\r" "_10090556c220s004g005t077r000p000P000h50b09900\r\r") << QStringList{"1: Q1ABC-13 To APRS Via WIDE1-1 <UI pid=F0 Len=46 >[07:01:02]", "_10090556c220s004g005t077r000p000P000h50b09900"};
        QTest::newRow("three lines keep the last two") << QByteArray(" 1:Fm A To B <UI>\rfirst\rsecond\r") << QStringList{"first", "second"};
        QTest::newRow("one line") << QByteArray("only\r") << QStringList{"only"};
        QTest::newRow("text after last CR dropped") << QByteArray("a\rb\rtail") << QStringList{"a", "b"};
        QTest::newRow("NUL after last CR dropped") << QByteArray("a\rb\r\0", 5) << QStringList{"a", "b"};
        QTest::newRow("no CR") << QByteArray("no end") << QStringList{};
        QTest::newRow("empty lines never rows") << QByteArray("\r\ra\r\r\r") << QStringList{"a"};
        QTest::newRow(":Fm rewrite on every line") << QByteArray("xy:Fm z\r 2:Fm Z\r") << QStringList{"y: z", "2: Z"};
        QTest::newRow(":Fm elsewhere untouched") << QByteArray("ab :Fm \r") << QStringList{"ab :Fm "};
        QTest::newRow("line too short for :Fm") << QByteArray(" 1:F\r") << QStringList{" 1:F"};
        QTest::newRow("LF is an ordinary byte") << QByteArray("a\nb\r") << QStringList{"a\nb"};
        QTest::newRow("high bytes as Latin-1") << QByteArray("\xb0\xff\r") << QStringList{QString::fromLatin1("\xb0\xff")};
        // clang-format on
    }
    void monitorRows() {
        QFETCH(QByteArray, data);
        QTEST(MonitorRows(data), "rows");
    }

    void frameAssemblySplitAtEveryBoundary() {
        const QByteArray first = AgwFrame('U', "Q1ABC-13", QByteArray(8, 'a'));
        const QByteArray empty = AgwFrame('x', "", {});
        const QByteArray second = AgwFrame('G', "", QByteArray(300, 'b'));
        const QByteArray stream = first + empty + second;
        const QList<QByteArray> expected{first, empty, second};

        for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
            AgwFrameAssembler assembler;
            QCOMPARE(FeedInPieces(assembler, stream, {cut}), expected);
            QCOMPARE(assembler.Pending(), 0);
        }
        for (qsizetype cut = 1; cut < stream.size(); ++cut) {
            AgwFrameAssembler assembler;
            QCOMPARE(FeedInPieces(assembler, stream, {cut - 1, cut}), expected);
        }
    }

    void frameAssemblyOfRealStream() {
        QFile file(ANEMORA_TEST_DATA_DIR "/agwpe/direwolf-1.6-R-G-3U.bin");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray stream = file.readAll();

        AgwFrameAssembler whole;
        const QList<QByteArray> frames = whole.Feed(stream).frames;
        QCOMPARE(frames.size(), 5);
        QByteArray kinds;
        for (const QByteArray &frame : frames)
            kinds += frame.at(4);
        QCOMPARE(kinds, QByteArray("RGUUU"));
        QCOMPARE(frames.join(), stream);

        AgwFrameAssembler byteByByte;
        QList<QByteArray> got;
        for (const char byte : stream)
            got += byteByByte.Feed(QByteArrayView(&byte, 1)).frames;
        QCOMPARE(got, frames);
    }

    void frameAssemblyRefusesOverlongData() {
        const int tooLong = MaxAgwDataLen + 1;
        const QByteArray header = AgwHeader('U', "", tooLong);
        const QByteArray good = AgwFrame('U', "A", "x\r");

        AgwFrameAssembler assembler;
        const auto result = assembler.Feed(good + header.first(30));
        QCOMPARE(result.frames, QList<QByteArray>{good});
        QVERIFY(!result.badLength);
        const auto bad = assembler.Feed(header.sliced(30));
        QVERIFY(bad.badLength);
        QCOMPARE(bad.dataLen, tooLong);
        QVERIFY(bad.frames.isEmpty());
        QCOMPARE(assembler.Pending(), 0);
        // The stream has lost its framing: nothing more until a new connection.
        const auto after = assembler.Feed(good);
        QVERIFY(after.frames.isEmpty());
        QVERIFY(!after.badLength);
        assembler.Reset();
        QCOMPARE(assembler.Feed(good).frames, QList<QByteArray>{good});

        const QByteArray longest = AgwFrame('\0', "", QByteArray(MaxAgwDataLen, 'z'));
        AgwFrameAssembler fits;
        QCOMPARE(fits.Feed(longest).frames, QList<QByteArray>{longest});
    }
};

QTEST_GUILESS_MAIN(TestIntakeRules)
#include "tst_intake_rules.moc"
