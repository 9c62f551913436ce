// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the weather reports of one station from a replay feed into the
// station's log, spaced as the feed spaces them and ending now, so that the
// demo's trend window opens on a whole day.
#include "aprs_replay/replay_rules.h"
#include "history/station_log.h"
#include "intake/tnc2_header.h"
#include "weather/wx_report.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>

using namespace anemora;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 4) {
        err << "usage: anemora_demo_log FEED LOG_FOLDER STATION\n";
        return 2;
    }
    QFile file(arguments[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "cannot read " << arguments[1] << '\n';
        return 1;
    }
    const FeedParseResult feed = ParseFeed(QString::fromLatin1(file.readAll()));
    if (!feed.lines) {
        err << feed.error << '\n';
        return 1;
    }
    const QString station = arguments[3];
    qint64 sinceFirstMs = 0;
    QList<qint64> offsetsMs;
    for (const FeedLine &line : *feed.lines) {
        sinceFirstMs += line.delayMs;
        offsetsMs.append(sinceFirstMs);
    }
    const QDateTime firstArrival = QDateTime::currentDateTimeUtc().addMSecs(-sinceFirstMs);
    StationLog log(arguments[2]);
    for (qsizetype i = 0; i < feed.lines->size(); ++i) {
        const Tnc2Split split = SplitTnc2Header(feed.lines->at(i).text);
        if (split.sourceCall != station || !split.payload.startsWith(u'_'))
            continue;
        log.Append(LogRowFromReport(firstArrival.addMSecs(offsetsMs[i]), station,
                                    ParseWxReport(split.payload)));
    }
    if (!log.statusText().isEmpty()) {
        err << log.statusText() << '\n';
        return 1;
    }
    return 0;
}
