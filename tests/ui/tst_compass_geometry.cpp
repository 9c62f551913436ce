// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/compass_geometry.h"
#include "ui/compass_view.h"

#include <QLabel>
#include <QtTest>

using namespace anemora;

namespace {

bool Near(const QPointF &actual, const QPointF &expected) {
    return qAbs(actual.x() - expected.x()) < 0.01 && qAbs(actual.y() - expected.y()) < 0.01;
}

QString Show(const QPointF &p) {
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

#define QCOMPARE_POINT(actual, expected)                                                           \
    QVERIFY2(Near(actual, expected), qPrintable(Show(actual) + " != " + Show(expected)))

int CountColour(const QImage &image, const QRect &area, const QColor &colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class TestCompassGeometry : public QObject {
    Q_OBJECT
private slots:
    void windMarks_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("gust");
        QTest::addColumn<QPointF>("dot");
        QTest::addColumn<QPointF>("foot");
        QTest::addColumn<QPointF>("speedEnd");
        QTest::addColumn<QPointF>("gustEnd");

        // clang-format off
        QTest::newRow("north, gust beyond speed") << 0 << 10.0f << 20.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 347) << QPointF(607, 227);
        QTest::newRow("east") << 90 << 10.0f << 20.0f << QPointF(1127, 607) << QPointF(747, 607) << QPointF(867, 607) << QPointF(987, 607);
        QTest::newRow("south") << 180 << 10.0f << 20.0f << QPointF(607, 1127) << QPointF(607, 747) << QPointF(607, 867) << QPointF(607, 987);
        QTest::newRow("west") << 270 << 10.0f << 20.0f << QPointF(87, 607) << QPointF(467, 607) << QPointF(347, 607) << QPointF(227, 607);
        QTest::newRow("minus five degrees leans west of north") << -5 << 10.0f << 20.0f << QPointF(561.679, 88.979) << QPointF(594.798, 467.533) << QPointF(584.340, 347.989) << QPointF(573.881, 228.446);
        QTest::newRow("400 degrees points north-east") << 400 << 10.0f << 20.0f << QPointF(941.247, 208.655) << QPointF(696.990, 499.753) << QPointF(774.124, 407.827) << QPointF(851.258, 315.902);
        QTest::newRow("speed 31 stays inside the rim") << 0 << 31.0f << 31.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 95) << QPointF(607, 95);
        QTest::newRow("speed 32 reaches the rim") << 0 << 32.0f << 0.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 87) << QPointF(607, 467);
        QTest::newRow("speed 40 clamped to the rim") << 0 << 40.0f << 100.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 87) << QPointF(607, 87);
        QTest::newRow("absent gust runs to the centre, zero speed has no length") << 0 << 0.0f << -999.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 467) << QPointF(607, 607);
        QTest::newRow("small negative gust ends inside the disc") << 0 << 0.0f << -5.0f << QPointF(607, 87) << QPointF(607, 467) << QPointF(607, 467) << QPointF(607, 527);
        QTest::newRow("gust below speed hides under the speed bar") << 180 << 20.0f << 5.0f << QPointF(607, 1127) << QPointF(607, 747) << QPointF(607, 987) << QPointF(607, 807);
        // clang-format on
    }
    void windMarks() {
        QFETCH(int, direction);
        QFETCH(float, speed);
        QFETCH(float, gust);
        QFETCH(QPointF, dot);
        QFETCH(QPointF, foot);
        QFETCH(QPointF, speedEnd);
        QFETCH(QPointF, gustEnd);

        const WindMarks marks = DrawWind(static_cast<qint16>(direction), speed, gust);
        QVERIFY(!marks.calm);
        QCOMPARE_POINT(marks.rimDot, dot);
        QCOMPARE_POINT(marks.speedBar.p1(), foot);
        QCOMPARE_POINT(marks.gustBar.p1(), foot);
        QCOMPARE_POINT(marks.speedBar.p2(), speedEnd);
        QCOMPARE_POINT(marks.gustBar.p2(), gustEnd);
    }

    void directionsOutsideOneTurn_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("sameAs");
        // clang-format off
        QTest::newRow("-5 like 355") << -5 << 355;
        QTest::newRow("400 like 40") << 400 << 40;
        QTest::newRow("360 like 0") << 360 << 0;
        QTest::newRow("-90 like 270") << -90 << 270;
        // clang-format on
    }
    void directionsOutsideOneTurn() {
        QFETCH(int, direction);
        QFETCH(int, sameAs);
        const WindMarks a = DrawWind(static_cast<qint16>(direction), 15, 25);
        const WindMarks b = DrawWind(static_cast<qint16>(sameAs), 15, 25);
        // The program's pi is short of the true one, so a whole turn lands a
        // hair away; well under a twip.
        auto close = [](const QPointF &p, const QPointF &q) { return QLineF(p, q).length() < 0.1; };
        QVERIFY(close(a.rimDot, b.rimDot));
        QVERIFY(close(a.speedBar.p2(), b.speedBar.p2()));
        QVERIFY(close(a.gustBar.p2(), b.gustBar.p2()));
    }

    void calm_data() {
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("gust");
        QTest::addColumn<bool>("calm");
        // clang-format off
        QTest::newRow("no wind at all") << 0.0f << 0.0f << true;
        QTest::newRow("negative zero gust") << 0.0f << -0.0f << true;
        QTest::newRow("absent gust is not calm") << 0.0f << -999.0f << false;
        QTest::newRow("a breath of gust") << 0.0f << 0.1f << false;
        QTest::newRow("speed without gust") << 3.0f << 0.0f << false;
        // clang-format on
    }
    void calm() {
        QFETCH(float, speed);
        QFETCH(float, gust);
        QTEST(DrawWind(45, speed, gust).calm, "calm");
    }

    void compassPaintsTheRequest() {
        CompassView compass;
        compass.SetRequest({true, 90, 10, 20});
        const QImage image = compass.grab().toImage();
        const int row = 40; // 607 twips
        // Rim dot around x 1127 twips, speed bar 747..867, gust tip 867..987.
        // The 5-pixel pen makes the rim dot a solid spot, green at its centre.
        QCOMPARE(image.pixelColor(75, row), QColor(0, 255, 0));
        QVERIFY(CountColour(image, QRect(73, row - 1, 3, 3), QColor(0, 255, 0)) >= 8);
        QVERIFY(CountColour(image, QRect(52, row - 1, 4, 3), QColor(255, 255, 0)) > 0);
        QVERIFY(CountColour(image, QRect(60, row - 1, 4, 3), QColor(255, 0, 0)) > 0);
        // Nothing drawn on the far side of the centre.
        QCOMPARE(CountColour(image, QRect(5, 30, 30, 20), QColor(255, 255, 0)), 0);

        compass.SetRequest({});
        const QImage cleared = compass.grab().toImage();
        QCOMPARE(CountColour(cleared, cleared.rect(), QColor(0, 255, 0)), 0);
        QCOMPARE(CountColour(cleared, cleared.rect(), QColor(255, 255, 0)), 0);
        // The centre disc stays above whatever was drawn.
        QCOMPARE(cleared.pixelColor(40, 47), QColor(192, 255, 255));
    }

    void calmLabelFollowsDrawnRequestsOnly() {
        CompassView compass;
        QVERIFY(compass.calmLabel->isHidden());
        compass.SetRequest({true, 0, 0, 0});
        QVERIFY(!compass.calmLabel->isHidden());
        const QImage image = compass.grab().toImage();
        QCOMPARE(CountColour(image, image.rect(), QColor(0, 255, 0)), 0);
        // A cleared compass leaves the label as the last drawing set it.
        compass.SetRequest({});
        QVERIFY(!compass.calmLabel->isHidden());
        compass.SetRequest({true, 200, 0, -999});
        QVERIFY(compass.calmLabel->isHidden());
    }

    void trendMarksRendered_data() {
        QTest::addColumn<TrendMark>("mark");
        QTest::addColumn<bool>("shaft");
        QTest::addColumn<QList<int>>("crossLines");
        // The shaft runs at x 127 twips from y 35 to 200; the heads' crossing
        // line lies at y 70 (up) or 150 (down); the equals bars at 100 and 155.
        // clang-format off
        QTest::newRow("rising") << TrendMark::Up << true << QList<int>{70};
        QTest::newRow("falling") << TrendMark::Down << true << QList<int>{150};
        QTest::newRow("steady") << TrendMark::Steady << false << QList<int>{100, 155};
        QTest::newRow("none") << TrendMark::None << false << QList<int>{};
        // clang-format on
    }
    void trendMarksRendered() {
        QFETCH(TrendMark, mark);
        QFETCH(QList<int>, crossLines);

        TrendView view;
        view.SetMark(mark);
        const QImage image = view.grab().toImage();
        const QColor blue(0, 0, 255);
        QTEST(CountColour(image, QRect(8, 4, 1, 8), blue) >= 6, "shaft");

        // Rows that carry a line across the box, and the twip heights they may
        // stand for once rasterised (within a pixel).
        QList<int> fullRows;
        for (int row = 0; row < image.height(); ++row) {
            if (CountColour(image, QRect(4, row, 8, 1), blue) >= 6) {
                fullRows << row;
            }
        }
        auto near = [](int row, int twipY) { return qAbs(row + 0.5 - twipY / 15.0) <= 1.0; };
        for (int twipY : crossLines) {
            QVERIFY2(std::any_of(fullRows.cbegin(), fullRows.cend(),
                                 [&](int row) { return near(row, twipY); }),
                     qPrintable(QStringLiteral("no line near y %1").arg(twipY)));
        }
        for (int row : fullRows) {
            QVERIFY2(std::any_of(crossLines.cbegin(), crossLines.cend(),
                                 [&](int twipY) { return near(row, twipY); }),
                     qPrintable(QStringLiteral("unexpected line on row %1").arg(row)));
        }
    }
};

QTEST_MAIN(TestCompassGeometry)
#include "tst_compass_geometry.moc"
