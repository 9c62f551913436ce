// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace anemora {

// A received APRS-IS line cut at its TNC2 header.
struct Tnc2Split {
    // Text before the first ">"; empty when there is none.
    QString sourceCall;
    // False when no ":" follows the first ">" (or, without ">", none at all):
    // then the line has no header and no payload.
    bool hasHeader = false;
    // The line up to and including that ":".
    QString header;
    // The information field after it; its first character is the data type.
    QString payload;
};

Tnc2Split SplitTnc2Header(const QString &line);

// The same cut as views into the line: the intake path copies a line's
// parts only when it keeps them.
struct Tnc2View {
    // Null when the line has no ">".
    QStringView sourceCall;
    bool hasHeader = false;
    QStringView header;
    QStringView payload;
};

Tnc2View ViewTnc2Header(QStringView line);

// The two Rx rows of a server's "# logresp" line: the text after ", " up to
// the first "OK", and the text from "OK" on. Empty when the line is not a
// login reply.
std::optional<QStringList> LogrespRows(const QString &line);

} // namespace anemora
