// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/rtf_reader.h"

#include "ui/rtf_text.h"

#include <QColor>
#include <QMap>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace anemora {

namespace {

// Deeper groups share the state of the deepest tracked one; real documents
// stay far below this, hostile ones would otherwise grow the stack unbounded.
constexpr std::size_t MaxTrackedDepth = 256;
constexpr int MaxWordLength = 32;
constexpr int MaxParamDigits = 10;
constexpr double TwipsPerPixel = 15.0;
// Indents and spacing go no further than the largest page writers offer, 22 inches.
constexpr int PageTwips = 31680;
// Qt's layout never returns from a document taller than about 2^23 pixels, so
// reading stops once the document could reach half of that: 4 million
// pixels, with every character on a line of its own in a window one
// character wide.
constexpr qint64 DocumentTwips = 60'000'000;
// Plain text is shown in the viewer's own font, taken as large as 24 points.
constexpr int PlainTextHalfPoints = 48;

// A line in common fonts is about 1.2 em; one em is 10 twips per half-point.
constexpr qint64 LineTwips(int halfPoints) {
    return halfPoints * qint64{15};
}

enum class Destination { Text, FontTable, ColourTable, Skip };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int colour = 0;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
};

struct Group {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

class RtfParser {
public:
    RtfParser(const QByteArray &data, QTextDocument &document) : data(data), cursor(&document) {
        codePage.Select(1252);
    }

    void Run() {
        // A view lays its document out again after every edit; one edit
        // block is laid out once, at its end.
        cursor.beginEditBlock();
        groups.push_back(Group{});
        while (pos < data.size() && !full) {
            const char c = data[pos++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ControlSequence();
            } else if (c == '\t') {
                Text(QStringLiteral("\t"));
            } else if (static_cast<uchar>(c) >= 0x20) {
                TextByte(static_cast<uchar>(c));
            }
        }
        Flush();
        cursor.setBlockFormat(BlockFormat());
        cursor.endEditBlock();
    }

private:
    Group &Current() { return groups.back(); }

    void OpenGroup() {
        Flush();
        pendingSkip = 0;
        if (groups.size() < MaxTrackedDepth)
            groups.push_back(Current());
        else
            ++untrackedDepth;
    }

    void CloseGroup() {
        Flush();
        pendingSkip = 0;
        if (untrackedDepth > 0) {
            --untrackedDepth;
            return;
        }
        if (Current().destination == Destination::FontTable && !fontName.isEmpty())
            EndFontName();
        // A stray closing brace must not pop the document's own state.
        if (groups.size() > 1)
            groups.pop_back();
    }

    void ControlSequence() {
        if (pos >= data.size())
            return;
        const char c = data[pos];
        if (IsLetter(c)) {
            ControlWord();
            return;
        }
        ++pos;
        if (c == '\'') {
            HexEscape();
            return;
        }
        if (SkippingUnicodeFallback())
            return;
        switch (c) {
        case '*':
            // Optional destinations this reader does not know; never the
            // document itself.
            if (groups.size() > 2)
                Current().destination = Destination::Skip;
            break;
        case '{':
        case '}':
        case '\\':
            Text(QString(QLatin1Char(c)));
            break;
        case '~':
            Text(QString(QChar(0x00A0)));
            break;
        case '_':
            Text(QString(QChar(0x2011)));
            break;
        case '\n':
        case '\r':
            Paragraph();
            break;
        default:
            break;
        }
    }

    void ControlWord() {
        QByteArray word;
        while (pos < data.size() && IsLetter(data[pos])) {
            if (word.size() < MaxWordLength)
                word += data[pos];
            ++pos;
        }
        bool hasParam = false;
        bool negative = false;
        qint64 param = 0;
        if (pos < data.size() && data[pos] == '-') {
            negative = true;
            ++pos;
        }
        int digits = 0;
        while (pos < data.size() && data[pos] >= '0' && data[pos] <= '9') {
            if (digits++ < MaxParamDigits)
                param = param * 10 + (data[pos] - '0');
            ++pos;
            hasParam = true;
        }
        if (pos < data.size() && data[pos] == ' ')
            ++pos;
        param = std::clamp<qint64>(negative ? -param : param, -2147483647, 2147483647);
        Word(word, hasParam, static_cast<int>(param));
    }

    void HexEscape() {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            const int digit = pos < data.size() ? HexDigit(data[pos]) : -1;
            if (digit < 0)
                return;
            value = value * 16 + digit;
            ++pos;
        }
        TextByte(static_cast<uchar>(value));
    }

    void Word(const QByteArray &word, bool hasParam, int param) {
        if (word == "bin") {
            // Binary data is never text, whatever group it is in.
            pos += std::clamp<qsizetype>(param, 0, data.size() - pos);
            return;
        }
        if (word == "u") {
            if (!SkippingUnicodeFallback())
                Unicode(param);
            pendingSkip = Current().unicodeSkip;
            return;
        }
        if (SkippingUnicodeFallback())
            return;
        Group &group = Current();
        if (word == "uc") {
            group.unicodeSkip = std::clamp(param, 0, 16);
        } else if (word == "fonttbl") {
            group.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            group.destination = Destination::ColourTable;
        } else if (IsSkippedDestination(word)) {
            group.destination = Destination::Skip;
        } else if (group.destination == Destination::FontTable) {
            if (word == "f")
                fontNumber = param;
        } else if (group.destination == Destination::ColourTable) {
            ColourComponent(word, param);
        } else if (group.destination == Destination::Text) {
            TextWord(word, hasParam, param);
        }
    }

    void TextWord(const QByteArray &word, bool hasParam, int param) {
        // Text so far keeps the format it was written in.
        Flush();
        CharState &chars = Current().chars;
        ParaState &para = Current().para;
        const bool on = !hasParam || param != 0;
        if (const auto symbol = SymbolWord(word)) {
            Text(QString(*symbol));
        } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
            Paragraph();
        } else if (word == "line") {
            Text(QString(QChar::LineSeparator));
        } else if (word == "cell") {
            Text(QStringLiteral("\t"));
        } else if (word == "ansicpg") {
            codePage.Select(param);
        } else if (word == "deff") {
            defaultFont = param;
        } else if (word == "b") {
            chars.bold = on;
        } else if (word == "i") {
            chars.italic = on;
        } else if (word == "ulnone") {
            chars.underline = false;
        } else if (word.startsWith("ul") && word != "ulc") {
            // Every underline style (\uld, \ulw, \ulwave...) shows as plain underline.
            chars.underline = on;
        } else if (word == "strike") {
            chars.strike = on;
        } else if (word == "plain") {
            chars = CharState{};
        } else if (word == "f") {
            chars.font = param;
        } else if (word == "fs") {
            chars.halfPoints = hasParam && param > 0 ? std::clamp(param, 2, 800) : 24;
        } else if (word == "cf") {
            chars.colour = param;
        } else if (word == "pard") {
            para = ParaState{};
        } else {
            ParagraphWord(word, param, para);
        }
    }

    static void ParagraphWord(const QByteArray &word, int param, ParaState &para) {
        if (word == "ql")
            para.alignment = Qt::AlignLeft;
        else if (word == "qc")
            para.alignment = Qt::AlignHCenter;
        else if (word == "qr")
            para.alignment = Qt::AlignRight;
        else if (word == "qj")
            para.alignment = Qt::AlignJustify;
        else if (word == "li")
            para.leftTwips = std::clamp(param, 0, PageTwips);
        else if (word == "ri")
            para.rightTwips = std::clamp(param, 0, PageTwips);
        else if (word == "fi")
            para.firstTwips = std::clamp(param, -PageTwips, PageTwips);
        else if (word == "sb")
            para.beforeTwips = std::clamp(param, 0, PageTwips);
        else if (word == "sa")
            para.afterTwips = std::clamp(param, 0, PageTwips);
    }

    void ColourComponent(const QByteArray &word, int param) {
        const int value = std::clamp(param, 0, 255);
        if (word == "red")
            pendingColour.setRed(value);
        else if (word == "green")
            pendingColour.setGreen(value);
        else if (word == "blue")
            pendingColour.setBlue(value);
        else
            return;
        colourGiven = true;
    }

    void Unicode(int param) {
        const int code = param < 0 ? param + 65536 : param;
        if ((code >= 0x20 && code <= 0xFFFF) || code == '\t')
            Text(QString(QChar(static_cast<char16_t>(code))));
    }

    bool SkippingUnicodeFallback() {
        if (pendingSkip == 0)
            return false;
        --pendingSkip;
        return true;
    }

    void TextByte(uchar byte) {
        if (SkippingUnicodeFallback())
            return;
        switch (Current().destination) {
        case Destination::Text:
            Text(codePage.Decode(byte));
            break;
        case Destination::FontTable:
            if (byte == ';')
                EndFontName();
            else
                fontName += codePage.Decode(byte);
            break;
        case Destination::ColourTable:
            if (byte == ';') {
                colours.append(colourGiven ? pendingColour : QColor());
                pendingColour = QColor(0, 0, 0);
                colourGiven = false;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void Text(const QString &text) {
        if (Current().destination == Destination::Text &&
            Fits(text.size() * LineTwips(Current().chars.halfPoints)))
            pending += text;
    }

    // Counts what is added against the document's height; false, and reading
    // ends, once it would not fit.
    bool Fits(qint64 twips) {
        if (heightTwips + twips > DocumentTwips) {
            full = true;
            return false;
        }
        heightTwips += twips;
        return true;
    }

    void EndFontName() {
        fonts.insert(fontNumber, fontName.trimmed());
        fontName.clear();
    }

    void Paragraph() {
        const Group &group = Current();
        if (group.destination != Destination::Text ||
            !Fits(group.para.beforeTwips + group.para.afterTwips +
                  LineTwips(group.chars.halfPoints)))
            return;
        Flush();
        cursor.setBlockFormat(BlockFormat());
        // Qt would size the new paragraph, while empty, by the last text
        // inserted; it gets the format its height was charged in.
        cursor.insertBlock(BlockFormat(), CharFormat());
    }

    void Flush() {
        if (pending.isEmpty())
            return;
        cursor.insertText(pending, CharFormat());
        pending.clear();
    }

    QTextCharFormat CharFormat() const {
        const CharState &chars = groups.back().chars;
        QTextCharFormat format;
        const QString family = fonts.value(chars.font < 0 ? defaultFont : chars.font);
        if (!family.isEmpty())
            format.setFontFamilies(QStringList{family});
        format.setFontPointSize(chars.halfPoints / 2.0);
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strike);
        if (chars.colour > 0 && chars.colour < colours.size() && colours[chars.colour].isValid())
            format.setForeground(colours[chars.colour]);
        return format;
    }

    QTextBlockFormat BlockFormat() const {
        const ParaState &para = groups.back().para;
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftTwips / TwipsPerPixel);
        format.setRightMargin(para.rightTwips / TwipsPerPixel);
        format.setTextIndent(para.firstTwips / TwipsPerPixel);
        format.setTopMargin(para.beforeTwips / TwipsPerPixel);
        format.setBottomMargin(para.afterTwips / TwipsPerPixel);
        return format;
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    const QByteArray &data;
    qsizetype pos = 0;
    QTextCursor cursor;
    RtfCodePage codePage;
    std::vector<Group> groups;
    std::size_t untrackedDepth = 0;
    int pendingSkip = 0;
    qint64 heightTwips = 0;
    bool full = false;
    QString pending;
    QMap<int, QString> fonts;
    int defaultFont = 0;
    int fontNumber = 0;
    QString fontName;
    QList<QColor> colours;
    QColor pendingColour{0, 0, 0};
    bool colourGiven = false;
};

bool LooksLikeRtf(const QByteArray &data) {
    return data.trimmed().startsWith("{\\rtf");
}

// Text that is not RTF is shown as it stands, minus control characters that
// would only draw as boxes, cut where the document would grow too tall.
QString PlainText(const QByteArray &data) {
    RtfCodePage codePage;
    codePage.Select(1252);
    const qsizetype most = DocumentTwips / LineTwips(PlainTextHalfPoints);
    QString text;
    text.reserve(std::min(data.size(), most));
    for (const char c : data) {
        if (text.size() >= most)
            break;
        const auto byte = static_cast<uchar>(c);
        if (byte >= 0x20 || c == '\n' || c == '\t')
            text += codePage.Decode(byte);
    }
    return text;
}

} // namespace

RtfReadResult ReadRtf(const QByteArray &data, QTextDocument &document) {
    document.clear();
    if (!LooksLikeRtf(data)) {
        document.setPlainText(PlainText(data));
        return RtfReadResult::PlainText;
    }
    RtfParser(data, document).Run();
    return RtfReadResult::Rtf;
}

} // namespace anemora
