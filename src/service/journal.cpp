// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/journal.h"

#include <cstdio>

namespace anemora {

void WriteJournalLine(JournalPriority priority, const QString &text) {
    // A line end inside the text would start a line of its own, without a
    // priority.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "<%d>%s\n", int(priority), line.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace anemora
