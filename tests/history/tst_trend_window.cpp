#include "ui/trend_window.h"

#include "weather/wx_display.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
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

} // namespace

class TestTrendWindow : public QObject {
    Q_OBJECT
private slots:
    void followsTheLog();
    void showsWriteFailureAndTellsClose();
};

void TestTrendWindow::followsTheLog() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir folder;
    StationLog log(folder.path());
    // Eight hours ago is outside the six-hour range, inside the day.
    for (int ago : {480, 120, 60})
        log.Append(reportAgo(ago, float(ago) / 100));
    TrendWindow window(log);
    window.ShowStation(Station, DefaultAlarmThresholds);
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
    StationLogRow other = reportAgo(0, 30);
    other.station = QStringLiteral("Q2XYZ");
    log.Append(other);
    QCOMPARE(temperaturePoints(window.model()), 4);

    const QList<QAbstractButton *> buttons = window.findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        if (button->text() == QStringLiteral("&6 ore"))
            button->click();
    QCOMPARE(window.model().range(), TrendRange::SixHours);
    QCOMPARE(temperaturePoints(window.model()), 3);
    QLocale::setDefault(QLocale::c());
}

void TestTrendWindow::showsWriteFailureAndTellsClose() {
    StationLog log(QStringLiteral("/sys/anemora-log"));
    TrendWindow window(log);
    window.ShowStation(Station, DefaultAlarmThresholds);
    window.show();
    log.Append(reportAgo(0, 10));
    QLabel *status = nullptr;
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->accessibleName() == QStringLiteral("Stato del registro"))
            status = label;
    QVERIFY(status);
    QCOMPARE(status->text(), log.statusText());
    QVERIFY(status->text().contains(QStringLiteral("/sys/anemora-log")));
    QCOMPARE(temperaturePoints(window.model()), 1);

    QSignalSpy closed(&window, &TrendWindow::closed);
    window.close();
    QCOMPARE(closed.size(), 1);
}

QTEST_MAIN(TestTrendWindow)
#include "tst_trend_window.moc"
