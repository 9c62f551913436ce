// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

#include <unistd.h>

// Resident set size of this process in bytes, -1 when it cannot be read.
inline qint64 ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? -1 : fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
}

// AddressSanitizer keeps freed memory in quarantine, so there resident size
// says nothing about growth; memory checks then rest on the buffers' sizes.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ResidentSizeIsMeaningful = false;
#else
constexpr bool ResidentSizeIsMeaningful = true;
#endif
