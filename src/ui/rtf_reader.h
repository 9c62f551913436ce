// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QTextDocument;

namespace anemora {

enum class RtfReadResult {
    Rtf,       // read as RTF (possibly truncated or damaged: what could be read is shown)
    PlainText, // did not start like RTF; shown as plain text
};

// Replaces the content of `document` with the RTF in `data`. Never fails:
// unknown control words are skipped, unbalanced braces and truncation keep
// what was read so far, nesting deeper than the reader tracks shares the
// state of the deepest tracked group, indents and spacing are bounded to a
// page, and a document too tall for Qt to lay out is cut short.
RtfReadResult ReadRtf(const QByteArray &data, QTextDocument &document);

} // namespace anemora
