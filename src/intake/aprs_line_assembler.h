// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace anemora {

// Cuts the APRS-IS text stream into lines. Every CR is removed, lines end at
// LF, and the text after the last LF is kept for the next call of the same
// connection.
class AprsLineAssembler {
public:
    // Lines longer than this are dropped whole: no real server sends them,
    // and a stream without LF must not grow the buffer without end.
    static constexpr qsizetype MaxLineLength = 32767;

    // Appends `text` and returns the lines it completed, in order.
    QStringList Feed(QString text);

    const QString &Pending() const { return pending; }

private:
    QString pending;
    // True while skipping the rest of an over-long line up to its LF.
    bool skipping = false;
};

} // namespace anemora
