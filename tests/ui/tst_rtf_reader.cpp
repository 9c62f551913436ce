// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>

using namespace anemora;

namespace {

QByteArray Fixture(const char *name) {
    QFile file(QStringLiteral(ANEMORA_TEST_DATA_DIR "/rtf/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

// The character format of the fragment that holds `text`; fails the test
// when no single fragment holds it.
QTextCharFormat FormatOf(const QTextDocument &document, const QString &text) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    qWarning() << "no fragment holds" << text;
    return {};
}

// Qt's layout never returns from a document taller than about 2^23 pixels.
constexpr qreal LayoutLimit = 1 << 23;

// Every indent and spacing within a page (22 inches), and the document within
// half of Qt's reach with each character on a line of its own, as in a window
// one character wide; only then is it laid out so.
void CheckLaidOutWithinReach(QTextDocument &document) {
    qreal height = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        for (const qreal length : {format.topMargin(), format.bottomMargin(), format.leftMargin(),
                                   format.rightMargin(), std::abs(format.textIndent())})
            QVERIFY2(length >= 0 && length <= 2112, qPrintable(QString::number(length)));
        height += format.topMargin() + format.bottomMargin() +
                  QFontMetricsF(block.charFormat().font()).height();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            height +=
                it.fragment().length() * QFontMetricsF(it.fragment().charFormat().font()).height();
    }
    QVERIFY2(height < LayoutLimit / 2, qPrintable(QString::number(height)));
    document.setTextWidth(1);
    QVERIFY(document.documentLayout()->documentSize().height() < LayoutLimit);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void text_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        const QChar para = QChar::ParagraphSeparator;
        // clang-format off
        QTest::newRow("par splits paragraphs") << QByteArray("{\\rtf1 one\\par two}") << QStringLiteral("one") + para + "two";
        QTest::newRow("newline after backslash is par") << QByteArray("{\\rtf1 one\\\ntwo}") << QStringLiteral("one") + para + "two";
        QTest::newRow("line is a line break") << QByteArray("{\\rtf1 one\\line two}") << QStringLiteral("one") + QChar::LineSeparator + "two";
        QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << QStringLiteral("a\tb");
        QTest::newRow("raw line ends ignored") << QByteArray("{\\rtf1 a\r\nb}") << QStringLiteral("ab");
        QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << QStringLiteral("{x}\\");
        QTest::newRow("delimiting space eaten, second kept") << QByteArray("{\\rtf1\\b  x}") << QStringLiteral(" x");
        QTest::newRow("hex escape defaults to 1252") << QByteArray("{\\rtf1 pi\\'f9 \\'80}") << QStringLiteral("più €");
        QTest::newRow("ansicpg1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'8a}") << QStringLiteral("čŠ");
        QTest::newRow("unknown code page falls back to 1252") << QByteArray("{\\rtf1\\ansicpg99999 \\'e8}") << QStringLiteral("è");
        QTest::newRow("unicode skips one fallback by default") << QByteArray("{\\rtf1 \\u8364?x}") << QStringLiteral("€x");
        QTest::newRow("unicode fallback hex escape counts as one") << QByteArray("{\\rtf1 perch\\u233\\'e9!}") << QStringLiteral("perché!");
        QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2 \\u8364\\'80?x}") << QStringLiteral("€x");
        QTest::newRow("uc0 skips nothing") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << QStringLiteral("€x");
        QTest::newRow("negative unicode is above 32767") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
        QTest::newRow("skip count ends with the group") << QByteArray("{\\rtf1\\uc3 {\\u233}ab}") << QStringLiteral("éab");
        QTest::newRow("symbol words") << QByteArray("{\\rtf1 \\ldblquote a\\rdblquote\\emdash\\~b}") << QStringLiteral("“a”—") + QChar(0xA0) + "b";
        QTest::newRow("starred destination skipped") << QByteArray("{\\rtf1 a{\\*\\unknown hidden}b}") << QStringLiteral("ab");
        QTest::newRow("picture skipped") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}b}") << QStringLiteral("ab");
        QTest::newRow("info and stylesheet skipped") << QByteArray("{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}body}") << QStringLiteral("body");
        QTest::newRow("field result shown, instruction not") << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}") << QStringLiteral("link");
        QTest::newRow("binary data holding braces skipped") << QByteArray("{\\rtf1 a{\\pict\\bin4 }}{{}b}") << QStringLiteral("ab");
        QTest::newRow("font table names are not text") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}x}") << QStringLiteral("x");
        QTest::newRow("colour table is not text") << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}x}") << QStringLiteral("x");
        QTest::newRow("table cells and rows") << QByteArray("{\\rtf1\\trowd a\\cell b\\cell\\row c}") << QStringLiteral("a\tb\t") + para + "c";
        QTest::newRow("star in the document group does not hide it") << QByteArray("{\\rtf1\\*\\x visible}") << QStringLiteral("visible");
        // clang-format on
    }
    void text() {
        QFETCH(QByteArray, rtf);
        QTextDocument document;
        QCOMPARE(ReadRtf(rtf, document), RtfReadResult::Rtf);
        QTEST(document.toRawText(), "expected");
    }

    void formatting() {
        QTextDocument document;
        ReadRtf("{\\rtf1\\deff1{\\fonttbl{\\f0 Courier New;}{\\f1\\fswiss Arial;}}"
                "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                "plain {\\b bold {\\i both}} {\\b\\b0 unbold} {\\ul under\\ulnone none} "
                "{\\f0\\fs40 big} {\\cf1 red}{\\cf2\\plain reset} {\\b\\i\\plain cleared}}",
                document);
        QVERIFY(FormatOf(document, "plain").fontWeight() == QFont::Normal);
        QCOMPARE(FormatOf(document, "plain").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(FormatOf(document, "plain").fontPointSize(), 12.0);
        QCOMPARE(FormatOf(document, "bold").fontWeight(), int(QFont::Bold));
        QVERIFY(!FormatOf(document, "bold").fontItalic());
        QCOMPARE(FormatOf(document, "both").fontWeight(), int(QFont::Bold));
        QVERIFY(FormatOf(document, "both").fontItalic());
        QCOMPARE(FormatOf(document, "unbold").fontWeight(), int(QFont::Normal));
        QVERIFY(FormatOf(document, "under").fontUnderline());
        QVERIFY(!FormatOf(document, "none").fontUnderline());
        QCOMPARE(FormatOf(document, "big").fontFamilies().toStringList(),
                 QStringList{"Courier New"});
        QCOMPARE(FormatOf(document, "big").fontPointSize(), 20.0);
        QCOMPARE(FormatOf(document, "red").foreground().color(), QColor(255, 0, 0));
        QVERIFY(!FormatOf(document, "reset").hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(FormatOf(document, "cleared").fontWeight(), int(QFont::Normal));
        QVERIFY(!FormatOf(document, "cleared").fontItalic());
    }

    void paragraphFormat_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("property");
        QTest::addColumn<qreal>("pixels");
        const int first = QTextFormat::TextIndent;
        // clang-format off
        QTest::newRow("hanging indent") << QByteArray("{\\rtf1\\li360\\fi-360 a\\par}") << first << -24.0;
        QTest::newRow("hanging indent of one pixel") << QByteArray("{\\rtf1\\fi-15 a\\par}") << first << -1.0;
        QTest::newRow("hanging indent of a page") << QByteArray("{\\rtf1\\fi-31680 a\\par}") << first << -2112.0;
        QTest::newRow("hanging indent beyond a page") << QByteArray("{\\rtf1\\fi-31681 a\\par}") << first << -2112.0;
        QTest::newRow("first-line indent of a page") << QByteArray("{\\rtf1\\fi31680 a\\par}") << first << 2112.0;
        QTest::newRow("first-line indent beyond a page") << QByteArray("{\\rtf1\\fi31681 a\\par}") << first << 2112.0;
        QTest::newRow("negative left indent") << QByteArray("{\\rtf1\\li-15 a\\par}") << int(QTextFormat::BlockLeftMargin) << 0.0;
        QTest::newRow("space after beyond a page") << QByteArray("{\\rtf1\\sa31681 a\\par}") << int(QTextFormat::BlockBottomMargin) << 2112.0;
        // clang-format on
    }
    void paragraphFormat() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, property);
        QTextDocument document;
        ReadRtf(rtf, document);
        QTEST(document.begin().blockFormat().doubleProperty(property), "pixels");
    }

    void nonRtfIsPlainText() {
        QTextDocument document;
        QCOMPARE(ReadRtf(QByteArray("line one\r\nperch\xe9\x01!"), document),
                 RtfReadResult::PlainText);
        QCOMPARE(document.toPlainText(), QStringLiteral("line one\nperché!"));
        QCOMPARE(ReadRtf(QByteArray(), document), RtfReadResult::PlainText);
        QVERIFY(document.isEmpty());
    }

    void deepNestingIsBounded() {
        const int depth = 200000;
        const QByteArray rtf =
            "{\\rtf1 a" + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
        QTextDocument document;
        ReadRtf(rtf, document);
        QCOMPARE(document.toRawText(), QStringLiteral("adeep after"));
        QCOMPARE(FormatOf(document, "after").fontWeight(), int(QFont::Normal));
    }

    void writerDocument() {
        QTextDocument document;
        QCOMPARE(ReadRtf(Fixture("writer-mixed.rtf"), document), RtfReadResult::Rtf);
        const QString text = document.toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Stazione meteo\n")));
        QVERIFY(text.contains(QStringLiteral("perché, città, più, è già; gradi: 25 °C; euro: € 10; "
                                             "virgolette “doppie” e ‘singole’.")));
        QVERIFY(text.contains(QStringLiteral("greco αβγ e cirillico Жж.")));
        QVERIFY(text.contains(QStringLiteral("Immagine:  fine.")));
        QVERIFY(text.contains(QStringLiteral("Vento\t12 km/h\t\nRaffica\t20 km/h\t\n")));
        QVERIFY(!text.contains(QStringLiteral("LibreOffice")));
        QVERIFY(!text.contains(QStringLiteral("Normal")));
        QCOMPARE(FormatOf(document, "parola in grassetto").fontWeight(), int(QFont::Bold));
        QCOMPARE(FormatOf(document, "Testo normale con").fontWeight(), int(QFont::Normal));
        QVERIFY(FormatOf(document, "corsivo").fontItalic());
        QVERIFY(FormatOf(document, "sottolineato").fontUnderline());
        QCOMPARE(FormatOf(document, "Rosso").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(FormatOf(document, "blu").foreground().color(), QColor(0, 0, 255));
    }

    void writerHeaderAndFootnoteSkipped() {
        QTextDocument document;
        ReadRtf(Fixture("writer-header-footnote.rtf"), document);
        const QString text = document.toPlainText();
        QVERIFY(text.contains(QStringLiteral("Titolo grande")));
        QVERIFY(text.contains(QStringLiteral("Codice: riga monospazio\nseconda riga")));
        QVERIFY(text.contains(QStringLiteral("Nota a piè di pagina.")));
        QVERIFY(text.contains(QStringLiteral("Tab:\tdopo il tab")));
        QVERIFY(!text.contains(QStringLiteral("INTESTAZIONE")));
        QVERIFY(!text.contains(QStringLiteral("PIE DI PAGINA")));
        QVERIFY(!text.contains(QStringLiteral("TESTO DELLA NOTA")));
        QCOMPARE(FormatOf(document, "Titolo grande").fontWeight(), int(QFont::Bold));
        QCOMPARE(FormatOf(document, "Titolo grande").fontPointSize(), 14.0);
        QCOMPARE(FormatOf(document, "monospazio").fontFamilies().toStringList(),
                 QStringList{"Courier New"});
    }

    void shippedGuide_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("heading");
        // The title first, then texts that must read back as they are meant.
        QTest::addColumn<QStringList>("texts");
        // clang-format off
        QTest::newRow("Italian") << "Leggimi.rtf" << "1. La finestra principale" << QStringList{"Anemora - Istruzioni\n", "il cui mittente è esattamente il nominativo", "\u2022\tF1: apre queste istruzioni.", "umidità assoluta in g/m³", "un rapporto senza direzione del vento (una stazione senza anemometro) viene preso ogni volta che arriva"};
        QTest::newRow("English") << "Readme.rtf" << "1. The main window" << QStringList{"Anemora - Instructions\n", "whose sender is exactly the call sign set", "\u2022\tF1: opens these instructions.", "absolute humidity in g/m³", "a report without a wind direction (a station with no anemometer) is taken each time it arrives", "a threshold whose text you did not touch is kept as it was stored, whatever the units shown"};
        // clang-format on
    }
    void shippedGuide() {
        QFETCH(QString, file);
        QFETCH(QString, heading);
        QFETCH(QStringList, texts);
        QFile guide(QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/") + file);
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QTextDocument document;
        QCOMPARE(ReadRtf(guide.readAll(), document), RtfReadResult::Rtf);
        const QString text = document.toPlainText();
        QVERIFY(text.startsWith(texts.takeFirst()));
        for (const QString &expected : texts)
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QVERIFY(!text.contains(u'\\') && !text.contains(u'{'));
        QCOMPARE(FormatOf(document, heading).fontWeight(), int(QFont::Bold));
        QCOMPARE(FormatOf(document, "anemora Q1ABC-13 A:").fontFamilies().toStringList(),
                 QStringList{"Courier New"});
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<RtfReadResult>("result");
        // clang-format off
        QTest::newRow("truncated mid-paragraph") << Fixture("truncated.rtf") << QStringLiteral("perché, citt") << RtfReadResult::Rtf;
        QTest::newRow("zip archive named rtf") << Fixture("odt-named-rtf.rtf") << QStringLiteral("mimetype") << RtfReadResult::PlainText;
        QTest::newRow("extra closing braces mid-document") << QByteArray("{\\rtf1 a}}}} b}") << QStringLiteral("a b") << RtfReadResult::Rtf;
        QTest::newRow("garbage after the header") << QByteArray("{\\rtf1 ok ") + QByteArray("\x00\xff\\\\'zz\\'\\", 10) + "\xfe" << QStringLiteral("ok ") << RtfReadResult::Rtf;
        QTest::newRow("file ends in a control word") << QByteArray("{\\rtf1 x\\par\\") << "x" << RtfReadResult::Rtf;
        QTest::newRow("file ends in a hex escape") << QByteArray("{\\rtf1 x\\'e") << "x" << RtfReadResult::Rtf;
        QTest::newRow("huge parameters") << QByteArray("{\\rtf1\\fs99999999999999\\uc99999 x\\u5 y") << "x" << RtfReadResult::Rtf;
        QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 x{\\bin9999999999 abc") << "x" << RtfReadResult::Rtf;
        QTest::newRow("endless control word") << QByteArray("{\\rtf1 x\\") + QByteArray(100000, 'a') + " y}" << "xy" << RtfReadResult::Rtf;
        QTest::newRow("space before beyond a page") << QByteArray("{\\rtf1\\sb60000000 a\\par b\\par c\\par}") << "a\nb\nc" << RtfReadResult::Rtf;
        QTest::newRow("space after beyond a page") << QByteArray("{\\rtf1\\sa60000000 a\\par b\\par c\\par}") << "a\nb\nc" << RtfReadResult::Rtf;
        QTest::newRow("negative space before") << QByteArray("{\\rtf1\\sb-60000000 a\\par b}") << "a\nb" << RtfReadResult::Rtf;
        QTest::newRow("indents beyond a page") << QByteArray("{\\rtf1\\li60000000\\ri60000000\\fi60000000 a\\par b}") << "a\nb" << RtfReadResult::Rtf;
        QTest::newRow("negative indents beyond a page") << QByteArray("{\\rtf1\\li-60000000\\ri-60000000\\fi-60000000 a\\par b}") << "a\nb" << RtfReadResult::Rtf;
        QTest::newRow("paragraphs a page apart") << "{\\rtf1\\sb31680\\sa31680 " + QByteArray("x\\par ").repeated(20000) + "}" << "x\nx\n" << RtfReadResult::Rtf;
        QTest::newRow("empty paragraphs after the largest letters") << "{\\rtf1\\fs800 a\\fs2" + QByteArray("\\par").repeated(50000) + "}" << "a\n\n" << RtfReadResult::Rtf;
        QTest::newRow("empty paragraphs after a group of the largest letters") << "{\\rtf1{\\fs800 a}" + QByteArray("\\par").repeated(50000) + "}" << "a\n\n" << RtfReadResult::Rtf;
        QTest::newRow("line breaks after the largest letters") << "{\\rtf1\\fs800 a\\fs2" + QByteArray("\\line").repeated(50000) + "}" << "a" << RtfReadResult::Rtf;
        QTest::newRow("one long word of the largest letters") << "{\\rtf1\\fs800 " + QByteArray(40000, 'W') + "}" << "WWW" << RtfReadResult::Rtf;
        QTest::newRow("plain text of short lines") << QByteArray("x\n").repeated(500000) << "x\nx\n" << RtfReadResult::PlainText;
        // clang-format on
    }
    void damagedFiles() {
        QFETCH(QByteArray, data);
        QFETCH(QString, shown);
        // Read as the viewer reads it: into a document laid out after each edit.
        QTextDocument document;
        QSignalSpy layouts(document.documentLayout(),
                           &QAbstractTextDocumentLayout::documentSizeChanged);
        QTEST(ReadRtf(data, document), "result");
        QVERIFY2(layouts.count() <= 1, qPrintable(QString::number(layouts.count())));
        QVERIFY2(document.toPlainText().contains(shown),
                 qPrintable(document.toPlainText().left(200)));
        CheckLaidOutWithinReach(document);
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
