// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/files.h"
#include "history/station_log.h"
#include "weather/wx_report.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace anemora;
using namespace anemora::test;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");

QDateTime utc(const char *iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

// When the rows of most cases arrive.
const QDateTime Arrival = utc("2025-03-01T10:00:00Z");

StationLogRow fullRow(const QDateTime &arrival) {
    StationLogRow row;
    row.arrivalUtc = arrival;
    row.station = Station;
    row.windDirection = 220;
    row.windSpeed = 6.437388f;
    row.gust = 8.046735f;
    row.temperature = -20.555555f;
    row.dewPoint = -25.1f;
    row.humidity = 100;
    row.pressure = 1013.2f;
    row.pressureChange = -2;
    row.rainHour = 0.254003f;
    row.rainDay = 0;
    row.rain24 = 12.7f;
    return row;
}

// The names of `count` monthly files of `station`, from `first` (yyyy-MM) on.
QStringList Months(const QString &station, const char *first, int count) {
    QStringList names;
    QDate month = QDate::fromString(QString::fromLatin1(first), QStringLiteral("yyyy-MM"));
    for (int i = 0; i < count; ++i, month = month.addMonths(1))
        names.append(station + month.toString(QStringLiteral("_yyyy-MM")) + QStringLiteral(".csv"));
    return names;
}

// A file an earlier run left: the header and, when the name tells a month,
// one row on its 15th.
void WriteLogFile(const QString &path) {
    const QDateTime row = utc(qPrintable(path.right(11).left(7) + QStringLiteral("-15T12:00:00Z")));
    WriteBytes(path,
               StationLogHeader() + '\n' + (row.isValid() ? FormatLogLine(fullRow(row)) : ""));
}

// A good line as the log writes it, with its line end.
QByteArray goodLine() {
    return FormatLogLine(fullRow(Arrival));
}

} // namespace

class TestStationLog : public QObject {
    Q_OBJECT
private slots:
    void rowFromReport_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QStringList>("emptyColumns");
        const QString full = QStringLiteral("_10090556c220s004g005t077r001p002P003h50b09900v-02");
        // clang-format off
        QTest::newRow("every value present") << full << QStringList();
        QTest::newRow("dotted direction drops the lenient speed") << QStringLiteral("_10090556c...s004g005t077r001p002P003h50b09900v-02") << QStringList{"wind_direction_deg", "wind_speed_kmh"};
        QTest::newRow("dotted temperature drops the dew point") << QStringLiteral("_10090556c220s004g005t...r001p002P003h50b09900v-02") << QStringList{"temperature_c", "dew_point_c"};
        QTest::newRow("dotted humidity drops the dew point") << QStringLiteral("_10090556c220s004g005t077r001p002P003h..b09900v-02") << QStringList{"humidity_pct", "dew_point_c"};
        QTest::newRow("north, calm, 0 degrees, no pressure change") << QStringLiteral("_10090556c000s000g000t032r000p000P000h50b09900v+00") << QStringList();
        QTest::newRow("one past north, change of minus one") << QStringLiteral("_10090556c001s001g001t033r001p001P001h01b09900v-01") << QStringList();
        QTest::newRow("one short of north, change of plus one") << QStringLiteral("_10090556c359s001g001t031r001p001P001h01b09900v+01") << QStringList();
        QTest::newRow("absent pressure, gust, rain and change") << QStringLiteral("_10090556c220s004g...t077r...p...P...h50b.....") << QStringList{"gust_kmh", "rain_1h_mm", "rain_since_midnight_mm", "rain_24h_mm", "pressure_mb", "pressure_change_4h_mb"};
        // clang-format on
    }
    void rowFromReport() {
        QFETCH(QString, payload);
        QFETCH(QStringList, emptyColumns);
        const StationLogRow row =
            LogRowFromReport(utc("2025-03-01T10:00:00.750Z"), Station, ParseWxReport(payload));
        const QList<QByteArray> names = StationLogHeader().split(',');
        const QList<QByteArray> fields = FormatLogLine(row).chopped(1).split(',');
        QCOMPARE(fields.size(), names.size());
        QCOMPARE(fields[0], QByteArray("2025-03-01T10:00:00Z"));
        for (qsizetype i = 2; i < names.size(); ++i)
            QVERIFY2(fields[i].isEmpty() == emptyColumns.contains(QString::fromLatin1(names[i])),
                     names[i].constData());
    }

    void roundTrip_data() {
        QTest::addColumn<StationLogRow>("row");
        StationLogRow quoted = fullRow(Arrival);
        quoted.station = QStringLiteral("ODD,\"CALL\"");
        // Every column at `v`: zero is a value, not an absent one.
        const auto every = [&](int v) {
            const float f = float(v);
            return StationLogRow{Arrival,   Station, qint16(v), f, f, f, f,
                                 qint16(v), f,       qint16(v), f, f, f};
        };
        // clang-format off
        QTest::newRow("every value, awkward floats") << fullRow(Arrival);
        QTest::newRow("every value absent") << StationLogRow{Arrival, Station, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
        QTest::newRow("station with comma and quotes") << quoted;
        QTest::newRow("zero in every column") << every(0);
        QTest::newRow("one below zero in every column") << every(-1);
        QTest::newRow("one above zero in every column") << every(1);
        QTest::newRow("sixteen-bit extremes") << StationLogRow{Arrival, Station, qint16(-32768), {}, {}, {}, {}, qint16(32767), {}, qint16(-98), {}, {}, {}};
        // clang-format on
    }
    void roundTrip() {
        QFETCH(StationLogRow, row);
        QTemporaryDir dir;
        StationLog log(dir.path());
        log.Append(row);
        log.Append(row);
        const QList<StationLogRow> back =
            log.ReadRows(row.station, row.arrivalUtc.addSecs(-1), row.arrivalUtc);
        QCOMPARE(back, (QList<StationLogRow>{row, row}));
        QVERIFY(ReadBytes(log.FilePath(row.station, row.arrivalUtc))
                    .startsWith(StationLogHeader() + '\n'));
        QVERIFY(log.statusText().isEmpty());
    }

    void damagedLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("rowsRead");
        const QByteArray header = StationLogHeader() + '\n';
        const QByteArray good = goodLine();
        const QByteArray torn = good.left(good.size() / 2);
        QByteArray crlf = good;
        crlf.insert(crlf.size() - 1, '\r');
        // clang-format off
        QTest::newRow("header and two lines") << header + good + good << 2;
        QTest::newRow("torn last line") << header + good + torn << 1;
        QTest::newRow("torn at a field boundary") << header + good + good.left(good.lastIndexOf(',')) << 1;
        QTest::newRow("missing field") << header + good.left(good.lastIndexOf(',')) + '\n' + good << 1;
        QTest::newRow("extra field") << header + good.chopped(1) + ",1\n" + good << 1;
        QTest::newRow("letters in a number") << header + QByteArray(good).replace("1013.2", "10x3.2") + good << 1;
        QTest::newRow("not a number") << header + QByteArray(good).replace("1013.2", "nan") + good << 1;
        QTest::newRow("impossible date") << header + QByteArray(good).replace("2025-03-01", "2025-02-30") + good << 1;
        QTest::newRow("unclosed quote") << header + QByteArray(good).replace("Q1ABC-13", "\"Q1ABC-13") + good << 1;
        QTest::newRow("empty lines and garbage") << header + "\n\n\x01\xff,,,\n" + good << 1;
        QTest::newRow("lines ended by CR LF") << header + crlf + crlf << 2;
        QTest::newRow("no header") << good << 1;
        // clang-format on
    }
    void damagedLines() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        StationLog log(dir.path());
        WriteBytes(log.FilePath(Station, Arrival), content);
        QTEST(int(log.ReadRows(Station, Arrival.addDays(-1), Arrival).size()), "rowsRead");
    }

    void appends_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QList<int>>("seconds");
        QTest::addColumn<QStringList>("texts");
        // Bytes a full disk or a quota lets each write add; 0 for no limit.
        QTest::addColumn<QList<int>>("rooms");
        QTest::addColumn<int>("rowsRead");
        const QByteArray torn = StationLogHeader() + '\n' + goodLine() + "2025-03-01T10:0";
        // clang-format off
        QTest::newRow("line torn by a crash before this run") << torn << QList<int>{60} << QStringList() << QList<int>() << 2;
        QTest::newRow("write cut short after a whole one") << QByteArray() << QList<int>{60, 120, 180} << QStringList() << QList<int>{0, 20} << 2;
        QTest::newRow("two writes cut short in a row") << QByteArray() << QList<int>{60, 120, 180, 240} << QStringList() << QList<int>{0, 20, 30} << 2;
        QTest::newRow("same packet through two digipeaters") << QByteArray() << QList<int>{0, 3} << QStringList{"_a", "_a"} << QList<int>() << 1;
        QTest::newRow("five minutes counted from the row logged") << QByteArray() << QList<int>{0, 200, 301} << QStringList{"_a", "_a", "_a"} << QList<int>() << 2;
        QTest::newRow("another text between") << QByteArray() << QList<int>{0, 1, 2} << QStringList{"_a", "_b", "_a"} << QList<int>() << 3;
        // clang-format on
    }
    void appends() {
        QFETCH(QByteArray, before);
        QFETCH(QList<int>, seconds);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, rooms);
        QFETCH(int, rowsRead);
        QTemporaryDir dir;
        StationLog log(dir.path());
        const QString path = log.FilePath(Station, Arrival);
        if (!before.isEmpty())
            WriteBytes(path, before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        for (qsizetype i = 0; i < seconds.size(); ++i) {
            const rlimit cut{rlim_t(QFileInfo(path).size() + rooms.value(i)), unlimited.rlim_max};
            setrlimit(RLIMIT_FSIZE, rooms.value(i) > 0 ? &cut : &unlimited);
            log.Append(fullRow(Arrival.addSecs(seconds[i])), texts.value(i));
        }
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(log.ReadRows(Station, Arrival, Arrival.addSecs(3600)).size(), rowsRead);
    }

    void writeFailure_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder inside a file") << QStringLiteral("file");
        QTest::newRow("log file is a folder") << QStringLiteral("folder");
        QTest::newRow("full disk") << QStringLiteral("full");
        QTest::newRow("read-only folder") << QStringLiteral("read-only");
        QTest::newRow("read-only file system") << QStringLiteral("system");
    }
    void writeFailure() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString folder = dir.filePath(QStringLiteral("log"));
        QDir().mkpath(folder);
        const QString path = StationLog(folder).FilePath(Station, Arrival);
        if (kind == u"file") {
            WriteBytes(dir.filePath(QStringLiteral("plain")), "x");
            folder = dir.filePath(QStringLiteral("plain/log"));
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"full") {
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
        } else if (kind == u"read-only") {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            if (QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
                QSKIP("this user writes into read-only folders");
        } else {
            folder = QStringLiteral("/sys/anemora-log");
        }

        StationLog log(folder);
        QSignalSpy told(&log, &StationLog::statusTextChanged);
        QSignalSpy appended(&log, &StationLog::rowAppended);
        log.Append(fullRow(Arrival));
        log.Append(fullRow(Arrival.addSecs(60)));
        QCOMPARE(appended.size(), 2);
        QCOMPARE(told.size(), 1);
        QVERIFY(!log.statusText().isEmpty());
        QCOMPARE(told.first().first().toString(), log.statusText());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void rotation_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("appendsAt");
        QTest::addColumn<QStringList>("afterwards");
        const QString turn = QStringLiteral("2025-01-31T23:59:59Z");
        const QStringList twoRuns{"2024-03-10T12:00:00Z", "2024-03-10T12:05:00Z"};
        const QStringList march2024{"Q1ABC-13_2024-03.csv"};
        const QStringList foreign{"Q1ABC-13_2023-05.txt", "notes.csv"};
        // clang-format off
        QTest::newRow("month turns at midnight UTC") << QStringList() << QStringList{turn, "2025-02-01T00:00:00Z"} << Months(Station, "2025-01", 2);
        QTest::newRow("local midnight is not the turn") << QStringList() << QStringList{turn, "2025-01-31T23:30:00-01:00"} << Months(Station, "2025-01", 2);
        QTest::newRow("clock two years ahead, run twice, removes nothing") << Months(Station, "2025-04", 12) << QStringList{"2028-03-10T12:00:00Z", "2028-03-10T12:05:00Z"} << Months(Station, "2025-04", 12) + QStringList{"Q1ABC-13_2028-03.csv"};
        QTest::newRow("thirteen newer months let an old one go") << Months(Station, "2023-01", 13) << twoRuns << Months(Station, "2023-02", 12) + march2024;
        QTest::newRow("twelve newer months keep an old one") << Months(Station, "2023-01", 12) << twoRuns << Months(Station, "2023-01", 12) + march2024;
        QTest::newRow("month ended 400 days before the newest row kept") << Months(Station, "2023-01", 13) << QStringList{"2024-03-07T00:00:00Z", "2024-03-07T00:00:00Z"} << Months(Station, "2023-01", 13) + march2024;
        QTest::newRow("a second more and it goes") << Months(Station, "2023-01", 13) << QStringList{"2024-03-07T00:00:01Z", "2024-03-07T00:00:01Z"} << Months(Station, "2023-02", 12) + march2024;
        QTest::newRow("clock behind the newest row counts from the clock") << Months(Station, "2023-01", 13) + QStringList{"Q1ABC-13_2024-05.csv"} << QStringList{"2024-01-20T12:00:00Z", "2024-01-20T12:00:00Z"} << Months(Station, "2023-01", 13) + QStringList{"Q1ABC-13_2024-05.csv"};
        QTest::newRow("each station counts its own months and rows") << Months(Station, "2023-01", 12) + Months("Q2XYZ", "2021-01", 15) << twoRuns << Months(Station, "2023-01", 12) + march2024 + Months("Q2XYZ", "2021-02", 14);
        QTest::newRow("foreign files kept") << Months(Station, "2023-01", 13) + foreign << twoRuns << Months(Station, "2023-02", 12) + march2024 + foreign;
        // clang-format on
    }
    void rotation() {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, appendsAt);
        QFETCH(QStringList, afterwards);
        QTemporaryDir dir;
        for (const QString &name : existing)
            WriteLogFile(dir.filePath(name));
        QList<QDateTime> times;
        for (const QString &at : appendsAt) {
            times.append(QDateTime::fromString(at, Qt::ISODate));
            // A run of its own for each report: every run prunes before its first row.
            StationLog(dir.path()).Append(fullRow(times.last()));
        }
        afterwards.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), afterwards);
        std::sort(times.begin(), times.end());
        const StationLog log(dir.path());
        QCOMPARE(log.ReadRows(Station, times.first(), times.last()).size(), times.size());
        QCOMPARE(log.ReadRows(Station, times.first().addSecs(1), times.last()).size(),
                 times.size() - times.count(times.first()));
    }
};

QTEST_GUILESS_MAIN(TestStationLog)
#include "tst_station_log.moc"
