// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"
#include "platform/translatable_text.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

namespace anemora {

// The station's reports kept on disk: one CSV file per station and month in
// one folder, each kept until it is 400 days old and its station has 13 newer.
// Writing never stops monitoring; a failure shows once in statusText().
class StationLog : public QObject {
    Q_OBJECT
public:
    explicit StationLog(QString folder, QObject *parent = nullptr);

    // Appends the row to its station's file for the row's month and flushes
    // it, then announces it with rowAppended() whether or not the disk took it.
    // A report whose `reportText` is that of the last one logged, a few
    // minutes before at most, is the same packet heard again and is dropped.
    void Append(const StationLogRow &row, const QString &reportText = QString());

    // The station's rows that arrived in [from, to], oldest first; damaged
    // and torn lines are left out.
    QList<StationLogRow> ReadRows(const QString &station, const QDateTime &from,
                                  const QDateTime &to) const;

    // Empty while the log is written; else why it is not, for a status line,
    // in the language now in force.
    QString statusText() const { return status.Render(); }

    // File of `station` for the month of `when` (UTC).
    QString FilePath(const QString &station, const QDateTime &when) const;

    // Removes each station's files that have 13 newer ones of that station
    // and whose month ended more than 400 days before the station's newest
    // row, or before `now` when that is earlier.
    void RemoveOldFiles(const QDateTime &now) const;

signals:
    void rowAppended(const anemora::StationLogRow &row);
    void statusTextChanged(const QString &text);

private:
    bool Write(const QString &path, const QByteArray &line);
    void SetStatus(const TranslatableText &text);

    bool IsRepeat(const StationLogRow &row, const QString &reportText) const;

    QString folder;
    TranslatableText status;
    // The file last written to, and whether its end is known to be whole: a
    // file new to this run, or one a write failed on, may end in a torn line.
    // A new file means a new month, the moment to prune.
    QString currentPath;
    bool endWhole = false;
    // The text and arrival of the last report logged, to know it again.
    QString lastText;
    QDateTime lastArrival;
};

// Every row of one log file that reads whole; a missing file gives none.
QList<StationLogRow> ReadLogFile(const QString &path);

} // namespace anemora
