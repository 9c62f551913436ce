// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trend_window.h"

#include "common/settings.h"
#include "config/display_language.h"
#include "weather/wx_display.h"

#include <QAbstractButton>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QValueAxis>
#include <QWindow>
#include <QtTest>

using namespace anemora;

namespace {

const QString Station = QStringLiteral("Q1ABC-13");

StationLogRow reportAgo(int minutes, float temperature) {
    StationLogRow row;
    row.arrivalUtc = QDateTime::currentDateTimeUtc().addSecs(-60LL * minutes);
    row.station = Station;
    row.temperature = temperature;
    row.pressure = 1000 + temperature;
    row.rainHour = 1;
    return row;
}

int temperaturePoints(const TrendModel &model) {
    int points = 0;
    for (const TrendSegment &segment : model.Segments(TrendQuantity::Temperature))
        points += int(segment.size());
    return points;
}

QList<QChart *> chartsOf(const TrendWindow &window) {
    QList<QChart *> charts;
    for (QChartView *view : window.findChildren<QChartView *>())
        charts.append(view->chart());
    return charts;
}

} // namespace

class TestTrendWindow : public QObject {
    Q_OBJECT
private slots:
    void followsTheLog() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QTemporaryDir folder;
        StationLog log(folder.path());
        // Eight hours ago is outside the six-hour range, inside the day.
        for (int ago : {480, 120, 60})
            log.Append(reportAgo(ago, float(ago) / 100));
        WxConfig config = test::Settings().AlarmDefaults();
        TrendWindow window(log, config);
        window.show();
        QCOMPARE(temperaturePoints(window.model()), 3);

        log.Append(reportAgo(0, 12.5f));
        QCOMPARE(temperaturePoints(window.model()), 4);
        auto *table = window.findChild<QTableWidget *>();
        QVERIFY(table);
        const int temperature = int(TrendQuantity::Temperature);
        QCOMPARE(table->item(temperature, 0)->text(), QStringLiteral("12,5"));
        QCOMPARE(table->item(temperature, 1)->text(), FormatFixed(0.6f, 1));
        QCOMPARE(table->item(int(TrendQuantity::Pressure), 3)->text(), QStringLiteral("+7,7"));
        QCOMPARE(table->item(int(TrendQuantity::Humidity), 0)->data(Qt::AccessibleTextRole),
                 QVariant(QStringLiteral("nessun valore")));

        // Another station's report is not this window's.
        StationLogRow other = reportAgo(1, 30);
        other.station = QStringLiteral("Q2XYZ");
        log.Append(other);
        QCOMPARE(temperaturePoints(window.model()), 4);

        const QList<QAbstractButton *> buttons = window.findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons)
            if (button->text() == QStringLiteral("&6 ore"))
                button->click();
        QCOMPARE(window.model().range(), TrendRange::SixHours);
        QCOMPARE(temperaturePoints(window.model()), 3);

        // The settings in force are followed: a new call, then a threshold off.
        config.StationCall = other.station;
        QMetaObject::invokeMethod(&window, "MinutePassed");
        QCOMPARE(temperaturePoints(window.model()), 1);
        const qsizetype drawn = chartsOf(window).first()->series().size();
        config.LoTemp = -99;
        QMetaObject::invokeMethod(&window, "MinutePassed");
        QCOMPARE(chartsOf(window).first()->series().size(), drawn - 1);
        // A flat day in inches of mercury: each tick of its axis reads apart.
        config.Units = UnitSystem::Imperial;
        QMetaObject::invokeMethod(&window, "MinutePassed");
        const auto *inHg = qobject_cast<QValueAxis *>(chartsOf(window)[2]->axes(Qt::Vertical)[0]);
        const auto tick = [&](int i) {
            const double step = (inHg->max() - inHg->min()) / (inHg->tickCount() - 1);
            return QString::asprintf(qPrintable(inHg->labelFormat()), inHg->min() + i * step);
        };
        QVERIFY(tick(0) != tick(1));
        // The data-stopped alarm's time is marked on each chart's time axis.
        const QDateTime fired = QDateTime::currentDateTimeUtc().addSecs(-600);
        window.MarkDataStopped(fired);
        int marked = 0;
        for (QChart *chart : chartsOf(window))
            for (QAbstractSeries *series : chart->series())
                if (auto *mark = qobject_cast<QScatterSeries *>(series))
                    marked += mark->points().value(0).x() == qreal(fired.toMSecsSinceEpoch());
        QCOMPARE(marked, TrendChartCount);
        // A closed window does no work until it is shown again.
        window.close();
        other.arrivalUtc = QDateTime::currentDateTimeUtc();
        log.Append(other);
        QCOMPARE(temperaturePoints(window.model()), 1);
        QVERIFY(!window.findChild<QTimer *>()->isActive());
        window.show();
        QCOMPARE(temperaturePoints(window.model()), 2);
        QLocale::setDefault(QLocale::c());
    }

    void showsWriteFailureAndTellsClose() {
        StationLog log(QStringLiteral("/sys/anemora-log"));
        const WxConfig config = test::Settings().AlarmDefaults();
        TrendWindow window(log, config);
        window.show();
        log.Append(reportAgo(0, 10));
        QLabel *status = nullptr;
        for (QLabel *label : window.findChildren<QLabel *>())
            if (label->accessibleName() == QStringLiteral("Stato del registro"))
                status = label;
        QVERIFY(status);
        QCOMPARE(status->text(), log.statusText());
        QVERIFY(status->text().contains(QStringLiteral("/sys/anemora-log")));
        // The failure is not told again, but a change of language shows it anew.
        const auto restore = qScopeGuard([] { ApplyLanguage(DisplayLanguage::Italian); });
        ApplyLanguage(DisplayLanguage::English);
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("Station log not written: ")));
        QCOMPARE(temperaturePoints(window.model()), 1);

        QSignalSpy closed(&window, &TrendWindow::closed);
        window.close();
        QCOMPARE(closed.size(), 1);
    }

    void fitsASmallScreenWithChartsLinedUp() {
        QTemporaryDir folder;
        StationLog log(folder.path());
        // Labels of different widths on each chart: 1,016 beside 0.4.
        StationLogRow row = reportAgo(30, 0.4f);
        // Outside text: "[*]" would otherwise become the window's modified mark.
        row.station = QStringLiteral("Q1ABC[*]<b>");
        row.humidity = 100;
        row.gust = 140;
        row.dewPoint = row.windSpeed = 0;
        log.Append(row);
        row.arrivalUtc = row.arrivalUtc.addSecs(60);
        row.humidity = 20;
        log.Append(row);
        const WxConfig config = test::Settings().Call(row.station).AlarmDefaults();
        TrendWindow window(log, config);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowHandle()->title(),
                 QStringLiteral("Andamento della stazione Q1ABC[*]<b>"));
        QVERIFY(window.width() <= 900 && window.height() <= 700);
        QVERIFY(window.minimumSizeHint().width() <= 800 &&
                window.minimumSizeHint().height() <= 600);

        auto *table = window.findChild<QTableWidget *>();
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        QVERIFY(table->viewport()->width() >= table->horizontalHeader()->length());
        QVERIFY(table->viewport()->height() >= table->verticalHeader()->length());

        const QList<QChart *> charts = chartsOf(window);
        QCOMPARE(charts.size(), TrendChartCount);
        // One time axis for all only reads as one when the plots start and end alike.
        const auto linedUp = [&] {
            for (QChart *chart : charts)
                if (chart->plotArea().left() != charts[0]->plotArea().left() ||
                    chart->plotArea().right() != charts[0]->plotArea().right())
                    return false;
            return true;
        };
        QTRY_VERIFY(linedUp());
        // Qt Charts shortens a label that its layout left no room for to "...".
        const auto elidedLabel = [&] {
            for (QChart *chart : charts)
                for (QGraphicsItem *item : chart->scene()->items())
                    if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item);
                        text && text->isVisible() && text->toPlainText().contains(u"..."))
                        return text->toPlainText();
            return QString();
        };
        QTRY_COMPARE(elidedLabel(), QString());

        // Humidity stops at 100 %. Where two lines share a chart, the title shows
        // the colour of each.
        QCOMPARE(qobject_cast<QValueAxis *>(charts[1]->axes(Qt::Vertical).first())->max(), 100.0);
        int keyed = 0;
        for (QChart *chart : {charts[0], charts[3]})
            for (QAbstractSeries *series : chart->series())
                if (auto *line = qobject_cast<QLineSeries *>(series);
                    line && line->pen().style() == Qt::SolidLine)
                    keyed += chart->title().contains(line->color().name());
        QCOMPARE(keyed, 4);
    }

    void timeLabels_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<TrendRange>("range");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("C locale spells seconds, hours need none") << QLocale::c() << TrendRange::Day << "14:23";
        QTest::newRow("Italian six hours") << QLocale(QLocale::Italian, QLocale::Italy) << TrendRange::SixHours << "14:23";
        QTest::newRow("twelve-hour clock kept") << QLocale(QLocale::English, QLocale::UnitedStates) << TrendRange::Day << "2:23 PM";
        QTest::newRow("week shows the day, C locale") << QLocale::c() << TrendRange::Week << "7 Dec";
        QTest::newRow("week shows the day, Italian") << QLocale(QLocale::Italian, QLocale::Italy) << TrendRange::Week << "07/12";
        QTest::newRow("week, year written first") << QLocale(QLocale::Japanese, QLocale::Japan) << TrendRange::Week << "12/07";
        // clang-format on
    }
    void timeLabels() {
        QFETCH(QLocale, locale);
        QFETCH(TrendRange, range);
        QLocale::setDefault(locale);
        QTemporaryDir folder;
        StationLog log(folder.path());
        const WxConfig config = test::Settings().AlarmDefaults();
        TrendWindow window(log, config);
        window.SetRange(range);
        const QDateTime tick(QDate(2026, 12, 7), QTime(14, 23, 9));
        for (QChart *chart : chartsOf(window)) {
            auto *axis = qobject_cast<QDateTimeAxis *>(chart->axes(Qt::Horizontal).first());
            QTEST(locale.toString(tick, axis->format()), "label");
        }
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(TestTrendWindow)
#include "tst_trend_window.moc"
