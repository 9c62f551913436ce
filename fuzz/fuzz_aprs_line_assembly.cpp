// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/aprs_line_assembler.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The first byte picks a chunk size; the stream is fed whole to one assembler
// and in chunks to another, and both must hand over the same lines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const qsizetype chunk = data[0] % 64 + 1;
    const QString stream = QString::fromLatin1(reinterpret_cast<const char *>(data + 1),
                                               static_cast<qsizetype>(size - 1));

    anemora::AprsLineAssembler whole;
    const QStringList expected = whole.Feed(stream);

    anemora::AprsLineAssembler pieces;
    QStringList lines;
    for (qsizetype at = 0; at < stream.size(); at += chunk)
        lines += pieces.Feed(stream.mid(at, chunk));

    if (lines != expected || pieces.Pending() != whole.Pending())
        __builtin_trap();
    for (const QString &line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n') ||
            line.size() > anemora::AprsLineAssembler::MaxLineLength)
            __builtin_trap();
    }
    if (pieces.Pending().size() > anemora::AprsLineAssembler::MaxLineLength)
        __builtin_trap();
    return 0;
}
