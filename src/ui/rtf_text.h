// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringDecoder>

#include <optional>

namespace anemora {

// Turns the 8-bit text of an RTF file into characters, in the code page the
// file names with \ansicpg (Windows-1252 when it names none, or one this
// build cannot decode).
class RtfCodePage {
public:
    void Select(int codePage);
    // Empty while a double-byte character waits for its second byte.
    QString Decode(uchar byte);

private:
    QStringDecoder decoder;
};

// Groups whose content is not document text.
bool IsSkippedDestination(const QByteArray &word);

// The character a symbol control word stands for (\emdash, \bullet...).
std::optional<QChar> SymbolWord(const QByteArray &word);

} // namespace anemora
