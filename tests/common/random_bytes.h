// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QRandomGenerator>

namespace anemora::test {

// Bytes of every value, the same for the same seed.
inline QByteArray RandomBytes(quint32 seed, qsizetype size) {
    QRandomGenerator generator(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

} // namespace anemora::test
