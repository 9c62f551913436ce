// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log.h"

#include "common/log_rows.h"
#include "common/settings.h"
#include "ui/trend_window.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace anemora;
using anemora::test::WeekOfMinutes;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");

} // namespace

// The trend window opened on a week of one-minute reports, drawn once, and
// then a new report arriving while it is open.
class BenchTrendWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        StationLog log(folder.path());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int minute = WeekOfMinutes; minute > 0; --minute)
            log.Append(test::WavingReport(Station, now.addSecs(-60LL * minute), minute));
        QVERIFY(log.statusText().isEmpty());
    }

    void openOnAWeek() {
        StationLog log(folder.path());
        const WxConfig config = test::Settings().AlarmDefaults();
        QBENCHMARK {
            TrendWindow window(log, config);
            window.SetRange(TrendRange::Week);
            window.show();
            window.grab();
        }
    }

    void newReport() {
        StationLog log(folder.path());
        const WxConfig config = test::Settings().AlarmDefaults();
        TrendWindow window(log, config);
        window.SetRange(TrendRange::Week);
        window.show();
        window.grab();
        int minute = 0;
        QBENCHMARK {
            ++minute;
            log.Append(test::WavingReport(Station, QDateTime::currentDateTimeUtc(), minute));
            // The repaint the window asks for, as the event loop would run it.
            QCoreApplication::processEvents();
        }
    }

private:
    QTemporaryDir folder;
};

QTEST_MAIN(BenchTrendWindow)
#include "bench_trend_window.moc"
