// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace anemora {

// AGWPE TCP frames: a 36-byte header, then DataLen data bytes.
constexpr int AgwHeaderSize = 36;
constexpr int AgwKindOffset = 4;
constexpr int AgwCallFromOffset = 8;
constexpr int AgwCallSize = 10;
constexpr int AgwDataLenOffset = 28;

// No AGWPE frame carries more than a few hundred data bytes (an AX.25 frame
// with its monitor line, or the port list); a larger length means the stream
// is not AGWPE or has lost its framing.
constexpr int MaxAgwDataLen = 16384;

// A header-only request: 36 zero bytes but the kind at byte 4.
QByteArray AgwRequest(char kind);

// Data length of the header at `offset`: bytes 28 (low) and 29 (high) only;
// bytes 30 and 31 are ignored.
int AgwDataLen(const QByteArray &bytes, qsizetype offset);

// CallFrom of the header at `offset`: up to the first NUL, at most 10 bytes,
// one Latin-1 character per byte.
QString AgwCallFrom(const QByteArray &bytes, qsizetype offset);

// The Rx rows rebuilt from a monitored frame's text: the last two non-empty
// CR-ended lines, a leading " n:Fm " shortened to "n: ". Text after the last
// CR is dropped.
QStringList MonitorRows(QByteArrayView data);

// Collects the bytes of an AGWPE stream across reads and hands over each
// complete frame once, in stream order.
class AgwFrameAssembler {
public:
    struct Result {
        QList<QByteArray> frames;
        // Set when a header announced more than MaxAgwDataLen data bytes; the
        // stream cannot be trusted past it and nothing more is returned until
        // Reset().
        bool badLength = false;
        int dataLen = 0;
    };

    Result Feed(QByteArrayView bytes);
    // Forgets partial input, as for a new connection.
    void Reset();
    qsizetype Pending() const { return buffer.size(); }

private:
    QByteArray buffer;
    bool failed = false;
};

} // namespace anemora
