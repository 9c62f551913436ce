// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/tnc2_header.h"

namespace anemora {

Tnc2View ViewTnc2Header(QStringView line) {
    Tnc2View split;
    const qsizetype gt = line.indexOf(u'>');
    qsizetype searchFrom = 0;
    if (gt >= 0) {
        split.sourceCall = line.left(gt);
        searchFrom = gt + 1;
    }
    const qsizetype colon = line.indexOf(u':', searchFrom);
    if (colon >= 0) {
        split.hasHeader = true;
        split.header = line.left(colon + 1);
        split.payload = line.mid(colon + 1);
    }
    return split;
}

Tnc2Split SplitTnc2Header(const QString &line) {
    const Tnc2View view = ViewTnc2Header(line);
    Tnc2Split split;
    split.sourceCall = view.sourceCall.toString();
    split.hasHeader = view.hasHeader;
    if (view.hasHeader) {
        split.header = view.header.toString();
        split.payload = view.payload.toString();
    }
    return split;
}

std::optional<QStringList> LogrespRows(const QString &line) {
    // Nearly every line is a packet: its first character settles it.
    if (!line.startsWith(u'#') || !line.startsWith(QLatin1String("# logresp")))
        return std::nullopt;
    // The server's name starts two characters after the first comma (after
    // its blank), or at the second character when there is no comma.
    const qsizetype from = line.indexOf(u',') + 2;
    // "OK" is looked for only after that point. Replies without it (common:
    // "unverified, server NAME") or with "OK" only before the comma show the
    // whole server part as the first row and an empty second row.
    const qsizetype ok = line.indexOf(QLatin1String("OK"), from);
    if (ok < 0)
        return QStringList{line.mid(from), QString()};
    return QStringList{line.mid(from, ok - from), line.mid(ok)};
}

} // namespace anemora
