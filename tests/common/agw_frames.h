// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "intake/agw_frame.h"

#include <QByteArray>

namespace anemora::test {

// An AGWPE header of `kind` from `callFrom` announcing `dataLen` data bytes.
inline QByteArray AgwHeader(char kind, const QByteArray &callFrom, int dataLen) {
    QByteArray header(AgwHeaderSize, '\0');
    header[AgwKindOffset] = kind;
    header.replace(AgwCallFromOffset, callFrom.size(), callFrom);
    header[AgwDataLenOffset] = static_cast<char>(dataLen & 0xff);
    header[AgwDataLenOffset + 1] = static_cast<char>((dataLen >> 8) & 0xff);
    return header;
}

// An AGWPE frame of `kind` from `callFrom` carrying `data`.
inline QByteArray AgwFrame(char kind, const QByteArray &callFrom, const QByteArray &data) {
    return AgwHeader(kind, callFrom, int(data.size())) + data;
}

} // namespace anemora::test
