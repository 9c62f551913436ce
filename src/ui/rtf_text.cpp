// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/rtf_text.h"

#include <algorithm>
#include <array>

namespace anemora {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// codes keep their Latin-1 value.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar Cp1252(uchar byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(Cp1252High[byte - 0x80]);
    return QChar(byte);
}

} // namespace

void RtfCodePage::Select(int codePage) {
    decoder = codePage == 1252
                  ? QStringDecoder()
                  : QStringDecoder(QByteArray("windows-") + QByteArray::number(codePage));
}

QString RtfCodePage::Decode(uchar byte) {
    if (!decoder.isValid())
        return QString(Cp1252(byte));
    return decoder.decode(QByteArrayView(reinterpret_cast<const char *>(&byte), 1));
}

bool IsSkippedDestination(const QByteArray &word) {
    static const char *const skipped[] = {
        "annotation", "atnauthor",    "atnid",      "author",  "bkmkend",   "bkmkstart", "buptim",
        "comment",    "creatim",      "datastore",  "doccomm", "fldinst",   "footer",    "footerf",
        "footerl",    "footerr",      "footnote",   "header",  "headerf",   "headerl",   "headerr",
        "info",       "latentstyles", "nonshppict", "object",  "operator",  "pict",      "printim",
        "revtim",     "shpinst",      "stylesheet", "tc",      "themedata", "txe",       "xe"};
    return std::ranges::any_of(skipped, [&](const char *name) { return word == name; });
}

std::optional<QChar> SymbolWord(const QByteArray &word) {
    struct Symbol {
        const char *word;
        char16_t character;
    };
    static const std::array<Symbol, 11> symbols{{{"bullet", 0x2022},
                                                 {"emdash", 0x2014},
                                                 {"endash", 0x2013},
                                                 {"emspace", 0x2003},
                                                 {"enspace", 0x2002},
                                                 {"qmspace", 0x2005},
                                                 {"lquote", 0x2018},
                                                 {"rquote", 0x2019},
                                                 {"ldblquote", 0x201C},
                                                 {"rdblquote", 0x201D},
                                                 {"tab", u'\t'}}};
    for (const Symbol &symbol : symbols) {
        if (word == symbol.word)
            return QChar(symbol.character);
    }
    return std::nullopt;
}

} // namespace anemora
