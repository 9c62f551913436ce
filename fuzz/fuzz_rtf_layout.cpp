// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

// Laying text out needs fonts, and fonts need an application; no display.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt would take libFuzzer's options for its own, so it gets none.
    static int argc = 1;
    static char name[] = "fuzz_rtf_layout";
    static char *argv[] = {name, nullptr};
    // Kept to the end of the process: Qt's fonts outlive a destroyed one.
    new QGuiApplication(argc, argv);
    return 0;
}

// Each input is an instructions file: read, then laid out as wide as the
// instructions window and as narrow as any window, where each character may
// take a line of its own. A layout that never returns is a hang libFuzzer's
// -timeout reports; one taller than the reader lets a document grow, half of
// Qt's reach, is a find here.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    anemora::ReadRtf(bytes, document);
    for (const qreal width : {512.0, 1.0}) {
        document.setTextWidth(width);
        const QSizeF laidOut = document.documentLayout()->documentSize();
        if (!(laidOut.height() >= 0 && laidOut.height() < (1 << 22)))
            __builtin_trap();
    }
    return 0;
}
