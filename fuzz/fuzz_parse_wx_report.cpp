// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/wx_report.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const anemora::WxReport report = anemora::ParseWxReport(text);
    // The remainder is what is left of the input once fields are cut out.
    if (report.Remainder.size() > text.size())
        __builtin_trap();
    return 0;
}
