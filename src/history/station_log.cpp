// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

namespace anemora {

namespace {

constexpr int KeepDays = 400;
// A clock gone ahead writes a month that makes every other look old: a file
// goes only once its station has this many newer ones, so whatever the
// clock says, a station keeps its newest year and more.
constexpr qsizetype KeepNewerFiles = 13;

// A station call may hold characters a file name cannot; they become "_".
QString FileNameOf(const QString &station) {
    QString name = station;
    for (QChar &c : name) {
        const bool plain = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                           (c >= u'0' && c <= u'9') || c == u'-';
        if (!plain)
            c = u'_';
    }
    return name;
}

bool EndsWithLineEnd(const QString &path) {
    QFile file(path);
    // A device such as /dev/full has no end to look at.
    if (!file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() == 0)
        return true;
    return file.seek(file.size() - 1) && file.read(1) == "\n";
}

bool IsSortedByArrival(const QList<StationLogRow> &rows) {
    return std::is_sorted(rows.begin(), rows.end(),
                          [](const auto &a, const auto &b) { return a.arrivalUtc < b.arrivalUtc; });
}

// Removes those of one station's monthly files (by month) that have
// KeepNewerFiles newer ones and whose month ended KeepDays before the
// station's newest row: age counts from what was logged, and from the clock
// only when it is behind that.
void RemoveOldMonths(const QDir &dir, const QMap<QDate, QString> &months, const QDateTime &now) {
    if (months.size() <= KeepNewerFiles)
        return;
    QDateTime newest;
    for (auto month = months.constEnd(); month != months.constBegin() && !newest.isValid();) {
        --month;
        for (const StationLogRow &row : ReadLogFile(dir.filePath(*month)))
            if (!newest.isValid() || row.arrivalUtc > newest)
                newest = row.arrivalUtc;
    }
    if (!newest.isValid())
        return;
    const QDateTime oldest = std::min(now.toUTC(), newest).addDays(-KeepDays);
    auto month = months.constBegin();
    for (qsizetype newer = months.size() - 1; newer >= KeepNewerFiles; --newer, ++month) {
        const QDateTime monthEnd(month.key().addMonths(1), QTime(0, 0), Qt::UTC);
        // A file that cannot be removed now is tried again at the next pruning.
        if (monthEnd < oldest)
            QFile::remove(dir.filePath(*month));
    }
}

} // namespace

StationLog::StationLog(QString folder, QObject *parent)
    : QObject(parent), folder(std::move(folder)) {}

QString StationLog::FilePath(const QString &station, const QDateTime &when) const {
    const QString month = when.toUTC().toString(QStringLiteral("yyyy-MM"));
    return QDir(folder).filePath(FileNameOf(station) + u'_' + month + QStringLiteral(".csv"));
}

void StationLog::Append(const StationLogRow &row, const QString &reportText) {
    if (IsRepeat(row, reportText))
        return;
    lastText = reportText;
    lastArrival = row.arrivalUtc;
    const QString path = FilePath(row.station, row.arrivalUtc);
    // Pruning once a run and at each new month is enough for a 400-day limit.
    if (path != currentPath) {
        RemoveOldFiles(row.arrivalUtc);
        currentPath = path;
        endWhole = false;
    }
    endWhole = Write(path, FormatLogLine(row));
    if (endWhole)
        SetStatus({});
    emit rowAppended(row);
}

bool StationLog::IsRepeat(const StationLogRow &row, const QString &reportText) const {
    // The same packet through another digipeater or on the other link comes
    // within seconds; five minutes catches it and still logs a station that
    // sends the same text on purpose, without a time stamp, now and then.
    constexpr qint64 RepeatSeconds = 5 * 60;
    return !reportText.isEmpty() && reportText == lastText &&
           qAbs(lastArrival.secsTo(row.arrivalUtc)) <= RepeatSeconds;
}

bool StationLog::Write(const QString &path, const QByteArray &line) {
    if (!QDir().mkpath(folder)) {
        SetStatus({staticMetaObject.className(),
                   QT_TR_NOOP("Registro della stazione non scritto: impossibile creare %1"),
                   {QDir::toNativeSeparators(folder)}});
        return false;
    }
    QByteArray bytes;
    if (QFileInfo(path).size() == 0)
        bytes = StationLogHeader() + '\n';
    // A line cut short by a crash or a failed write stays a damaged line of
    // its own instead of swallowing the next row.
    else if (!endWhole && !EndsWithLineEnd(path))
        bytes = "\n";
    bytes += line;

    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        SetStatus({staticMetaObject.className(),
                   QT_TR_NOOP("Registro della stazione non scritto: %1 (%2)"),
                   {QDir::toNativeSeparators(path), file.errorString()}});
    }
    return written;
}

void StationLog::SetStatus(const TranslatableText &text) {
    // A failure is told once, not at every report; a later success clears it
    // so that a new failure is told again.
    if (status.IsEmpty() == text.IsEmpty())
        return;
    status = text;
    emit statusTextChanged(statusText());
}

QList<StationLogRow> StationLog::ReadRows(const QString &station, const QDateTime &from,
                                          const QDateTime &to) const {
    QList<StationLogRow> rows;
    const QDate fromDay = from.toUTC().date();
    const QDate toDay = to.toUTC().date();
    const QDate lastMonth(toDay.year(), toDay.month(), 1);
    for (QDate month(fromDay.year(), fromDay.month(), 1); month <= lastMonth;
         month = month.addMonths(1)) {
        const QDateTime monthStart(month, QTime(0, 0), Qt::UTC);
        for (StationLogRow &row : ReadLogFile(FilePath(station, monthStart))) {
            if (row.station == station && row.arrivalUtc >= from && row.arrivalUtc <= to)
                rows.append(std::move(row));
        }
    }
    // A clock set back while the program ran leaves rows out of order.
    if (!IsSortedByArrival(rows)) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto &a, const auto &b) { return a.arrivalUtc < b.arrivalUtc; });
    }
    return rows;
}

void StationLog::RemoveOldFiles(const QDateTime &now) const {
    static const QRegularExpression logName(QStringLiteral("^(.+)_(\\d{4})-(\\d{2})\\.csv$"));
    const QDir dir(folder);
    // The name tells the station and the month; a file's time can be changed
    // by copying it.
    QMap<QString, QMap<QDate, QString>> stations;
    for (const QString &name : dir.entryList({QStringLiteral("*.csv")}, QDir::Files)) {
        const QRegularExpressionMatch match = logName.match(name);
        const QDate first(match.captured(2).toInt(), match.captured(3).toInt(), 1);
        if (match.hasMatch() && first.isValid())
            stations[match.captured(1)].insert(first, name);
    }
    for (const QMap<QDate, QString> &months : stations)
        RemoveOldMonths(dir, months, now);
}

QList<StationLogRow> ReadLogFile(const QString &path) {
    QList<StationLogRow> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QByteArray content = file.readAll();
    qsizetype start = 0;
    while (true) {
        const qsizetype end = content.indexOf('\n', start);
        // Text after the last line end is a line torn by a crash.
        if (end < 0)
            break;
        qsizetype length = end - start;
        if (length > 0 && content[end - 1] == '\r')
            --length;
        if (std::optional<StationLogRow> row = ParseLogLine(content.mid(start, length)))
            rows.append(std::move(*row));
        start = end + 1;
    }
    return rows;
}

} // namespace anemora
