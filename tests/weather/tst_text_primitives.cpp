// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/text_primitives.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace anemora;

class TestTextPrimitives : public QObject {
    Q_OBJECT
private slots:
    void isNumericText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");

        // clang-format off
        QTest::newRow("digits") << "077" << true;
        QTest::newRow("minus") << "-05" << true;
        QTest::newRow("plus") << "+02" << true;
        QTest::newRow("decimal") << "2.5" << true;
        QTest::newRow("point first") << ".5" << true;
        QTest::newRow("point last") << "50." << true;
        QTest::newRow("blanks around") << " 05 " << true;
        QTest::newRow("tab around") << "\t5" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("dots only") << "..." << false;
        QTest::newRow("sign only") << "-" << false;
        QTest::newRow("sign and point") << "+." << false;
        QTest::newRow("two points") << "1.2.3" << false;
        QTest::newRow("blank inside") << "1 2" << false;
        QTest::newRow("blank after sign") << "- 5" << false;
        QTest::newRow("two signs") << "+-5" << false;
        QTest::newRow("letter after") << "072r" << false;
        QTest::newRow("exponent") << "1e5" << false;
        QTest::newRow("comma decimal") << "2,5" << false;
        // clang-format on
    }
    void isNumericText() {
        QFETCH(QString, text);
        QTEST(IsNumericText(text), "numeric");
    }

    void leadingValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        // clang-format off
        QTest::newRow("leading zeros") << "004" << 4.0;
        QTest::newRow("negative") << "-05" << -5.0;
        QTest::newRow("letters after") << "072r" << 72.0;
        QTest::newRow("decimal") << "990.5mb" << 990.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("blanks between digits") << " 1 2" << 12.0;
        QTest::newRow("dots") << "..." << 0.0;
        QTest::newRow("blanks") << "   " << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters first") << "x12" << 0.0;
        QTest::newRow("sign not after digits") << "5-3" << 5.0;
        QTest::newRow("exponent is not read") << "1e5" << 1.0;
        // clang-format on
    }
    void leadingValue() {
        QFETCH(QString, text);
        QTEST(LeadingValue(text), "value");
    }

    void leadingValueIgnoresLocale() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(LeadingValue(QStringLiteral("2.5")), 2.5);
        QCOMPARE(LeadingValue(QStringLiteral("2,5")), 2.0);
        QLocale::setDefault(QLocale::c());

        // Too many digits for a double must not read as a small number.
        QVERIFY(std::isinf(LeadingValue(QString(400, u'9'))));
        QVERIFY(LeadingValue(QStringLiteral("-") + QString(400, u'9')) < 0);
    }

    void toInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("result");

        // clang-format off
        QTest::newRow("2.5 to even") << 2.5 << true << 2;
        QTest::newRow("3.5 to even") << 3.5 << true << 4;
        QTest::newRow("-2.5 to even") << -2.5 << true << -2;
        QTest::newRow("below half") << 2.49 << true << 2;
        QTest::newRow("above half") << 2.51 << true << 3;
        QTest::newRow("max") << 32767.0 << true << 32767;
        QTest::newRow("max rounds in") << 32767.4 << true << 32767;
        QTest::newRow("max rounds out") << 32767.5 << false << 0;
        QTest::newRow("min") << -32768.0 << true << -32768;
        QTest::newRow("min rounds out") << -32768.6 << false << 0;
        QTest::newRow("far out") << 99999.0 << false << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
        // clang-format on
    }
    void toInt16() {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, result);

        const std::optional<qint16> converted = ToInt16(value);
        QCOMPARE(converted.has_value(), fits);
        if (fits)
            QCOMPARE(int(*converted), result);
    }
};

QTEST_GUILESS_MAIN(TestTextPrimitives)
#include "tst_text_primitives.moc"
