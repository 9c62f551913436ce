// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/value_list.h"

#include <QLocale>
#include <QTest>

using namespace anemora;

class TestValueList : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void floatText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");

        // clang-format off
        QTest::newRow("integral") << 40.0f << "40";
        QTest::newRow("negative integral") << -5.0f << "-5";
        QTest::newRow("four digits") << 1040.0f << "1040";
        QTest::newRow("fraction") << 1012.5f << "1012.5";
        QTest::newRow("below one has leading zero") << 0.5f << "0.5";
        QTest::newRow("negative fraction") << -0.25f << "-0.25";
        QTest::newRow("float noise hidden") << 0.1f << "0.1";
        QTest::newRow("seven digits kept") << 1234.567f << "1234.567";
        QTest::newRow("eighth digit rounded") << 3.14159265f << "3.141593";
        QTest::newRow("large without exponent") << 12345678.0f << "12345680";
        QTest::newRow("small without exponent") << 0.00001f << "0.00001";
        QTest::newRow("negative zero") << -0.0f << "0";
        // clang-format on
    }
    void floatText() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(FileFloatText(value), text);
        // The user's locale never leaks into the file.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FileFloatText(value), text);
    }

    void line_data() {
        QTest::addColumn<QList<ListValue>>("values");
        QTest::addColumn<QString>("text");

        // clang-format off
        QTest::newRow("params line 2") << QList<ListValue>{QStringLiteral("localhost"), qint16(8000), true} << "\"localhost\",8000,#TRUE#\r\n";
        QTest::newRow("negative index") << QList<ListValue>{qint16(-1), false} << "-1,#FALSE#\r\n";
        QTest::newRow("floats") << QList<ListValue>{-5.0f, 1012.5f} << "-5,1012.5\r\n";
        QTest::newRow("comma inside text") << QList<ListValue>{QStringLiteral("a,b")} << "\"a,b\"\r\n";
        QTest::newRow("quote left out of text") << QList<ListValue>{QStringLiteral("lo\"cal\"host"), qint16(1)} << "\"localhost\",1\r\n";
        QTest::newRow("line end left out of text") << QList<ListValue>{QStringLiteral("a\r\nb")} << "\"ab\"\r\n";
        QTest::newRow("empty text") << QList<ListValue>{QString()} << "\"\"\r\n";
        // clang-format on
    }
    void line() {
        QFETCH(QList<ListValue>, values);
        QTEST(ValueListLine(values), "text");
    }

    void roundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        // clang-format off
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("German, comma decimals") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("Italian, comma decimals") << QLocale(QLocale::Italian, QLocale::Italy);
        // clang-format on
    }
    void roundTrip() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const QList<float> floats{-5.0f, 40.0f, 1012.5f, -0.25f, 0.5f, 1234.567f, -9999.999f, 0.0f};
        const QString text =
            ValueListLine({QStringLiteral("Q1ABC-13"), qint16(-32768), qint16(32767), true}) +
            ValueListLine({floats[0], floats[1], floats[2], floats[3]}) +
            ValueListLine({floats[4], floats[5], floats[6], floats[7], false});
        QVERIFY(!text.contains(u';'));

        ValueListReader in(text);
        QCOMPARE(in.ReadText(), QStringLiteral("Q1ABC-13"));
        QCOMPARE(in.ReadInt16(), qint16(-32768));
        QCOMPARE(in.ReadInt16(), qint16(32767));
        QCOMPARE(in.ReadBool(), true);
        for (const float value : floats)
            QCOMPARE(in.ReadFloat(), value);
        QCOMPARE(in.ReadBool(), false);
        QCOMPARE(in.ReadText(), std::nullopt);
    }

    // Each letter of `reads` asks for one value: T text, B Boolean, I 16-bit
    // integer, F float. Results are shown as text, "-" for a read error.
    void reader_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QStringList>("results");

        // clang-format off
        QTest::newRow("CR LF lines") << "\"NOCALL\"\r\n\"localhost\",8000,#TRUE#\r\n" << "TTIB" << QStringList{"NOCALL", "localhost", "8000", "true"};
        QTest::newRow("bare LF lines") << "\"a\"\n\"b\",1,#FALSE#\n" << "TTIB" << QStringList{"a", "b", "1", "false"};
        QTest::newRow("line breaks do not matter") << "1,\r\n2\r\n3" << "III" << QStringList{"1", "2", "3"};
        QTest::newRow("trailing blank lines") << "1\r\n\r\n\n  \r\n" << "II" << QStringList{"1", "-"};
        QTest::newRow("blanks around values") << "  \"a\"  , 12 ,\t#TRUE#  " << "TIB" << QStringList{"a", "12", "true"};
        QTest::newRow("quoted text holds commas and blanks") << "\" a, b \",1" << "TI" << QStringList{" a, b ", "1"};
        QTest::newRow("unquoted text") << "localhost,8000" << "TI" << QStringList{"localhost", "8000"};
        QTest::newRow("Booleans in any case") << "#true#,#False#" << "BB" << QStringList{"true", "false"};
        QTest::newRow("float forms") << "-5,.5,1012.5,1e3,-0.25" << "FFFFF" << QStringList{"-5", "0.5", "1012.5", "1000", "-0.25"};
        QTest::newRow("int16 rounds half to even") << "20.5,21.5,-0.5" << "III" << QStringList{"20", "22", "0"};
        QTest::newRow("int16 limits") << "32767,-32768,32768,-32769" << "IIII" << QStringList{"32767", "-32768", "-", "-"};
        QTest::newRow("comma decimal is two values") << "1,5" << "FF" << QStringList{"1", "5"};
        QTest::newRow("text where number expected") << "abc,12abc,," << "III" << QStringList{"-", "-", "-"};
        QTest::newRow("number where Boolean expected") << "1,TRUE" << "BB" << QStringList{"-", "-"};
        QTest::newRow("float beyond 32 bits") << "1e39,inf,nan" << "FFF" << QStringList{"-", "-", "-"};
        QTest::newRow("unclosed quote") << "\"abc,1" << "TI" << QStringList{"-", "-"};
        QTest::newRow("empty input") << "" << "T" << QStringList{"-"};
        QTest::newRow("bad value is passed over") << "x,7" << "II" << QStringList{"-", "7"};
        // clang-format on
    }
    void reader() {
        QFETCH(QString, input);
        QFETCH(QString, reads);
        QFETCH(QStringList, results);
        ValueListReader in(input);
        QStringList got;
        const auto show = [](const auto &value, auto format) {
            return value ? format(*value) : QStringLiteral("-");
        };
        for (const QChar kind : reads) {
            if (kind == u'T')
                got << show(in.ReadText(), [](const QString &v) { return v; });
            else if (kind == u'B')
                got << show(in.ReadBool(), [](bool v) { return QString(v ? "true" : "false"); });
            else if (kind == u'I')
                got << show(in.ReadInt16(), [](qint16 v) { return QString::number(v); });
            else
                got << show(in.ReadFloat(), [](float v) { return QString::number(v); });
        }
        QCOMPARE(got, results);
    }
};

QTEST_GUILESS_MAIN(TestValueList)
#include "tst_value_list.moc"
