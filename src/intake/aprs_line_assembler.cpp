// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/aprs_line_assembler.h"

namespace anemora {

QStringList AprsLineAssembler::Feed(QString text) {
    text.remove(u'\r');
    QStringList lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype lf = text.indexOf(u'\n', from);
        const qsizetype end = lf < 0 ? text.size() : lf;
        if (!skipping)
            pending += QStringView(text).sliced(from, end - from);
        if (pending.size() > MaxLineLength) {
            pending.clear();
            skipping = true;
        }
        if (lf < 0)
            break;
        if (!skipping)
            lines.append(pending);
        pending.clear();
        skipping = false;
        from = lf + 1;
    }
    return lines;
}

} // namespace anemora
