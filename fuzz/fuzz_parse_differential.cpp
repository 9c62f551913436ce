// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/report_difference.h"
#include "reference/wx_report.h"
#include "weather/wx_report.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

void Fail(const QString &what, const QString &text) {
    std::fprintf(stderr, "%s\non: '%s'\n", qPrintable(what), qPrintable(text));
    __builtin_trap();
}

void CompareField(const QString &text, const QString &key, int width) {
    QString live = text;
    QString frozen = text;
    const qint16 liveValue = anemora::ReadWxField(live, key, width);
    const qint16 frozenValue = anemora::reference::ReadWxField(frozen, key, width);
    if (liveValue != frozenValue || live != frozen || live.isNull() != frozen.isNull())
        Fail(QStringLiteral("ReadWxField key '%1' width %2: %3 '%4' / %5 '%6'")
                 .arg(key)
                 .arg(width)
                 .arg(liveValue)
                 .arg(live)
                 .arg(frozenValue)
                 .arg(frozen),
             text);
}

} // namespace

// The rewritten parser must agree with the frozen one on every input, to the
// bit and to the character. The first byte also picks an odd key (empty, one
// or two characters of the input) and a width for ReadWxField.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString difference = anemora::reference::ReportDifference(
        anemora::ParseWxReport(text), anemora::reference::ParseWxReport(text));
    if (!difference.isEmpty())
        Fail(difference, text);

    for (const char key : {'g', 't', 'r', 'P', 'p', 'b', 'h', 'v'})
        for (const int width : {1, 2, 3, 4})
            CompareField(text, QString(QLatin1Char(key)), width);
    if (size > 0) {
        const int choice = data[0];
        const QString rest = text.mid(1);
        CompareField(rest, rest.left(choice % 3), choice / 3 % 10 - 1);
    }
    return 0;
}
