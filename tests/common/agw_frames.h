#pragma once

#include "intake/agw_frame.h"

#include <QByteArray>

namespace anemora::test {

// An AGWPE frame of `kind` from `callFrom` carrying `data`.
inline QByteArray AgwFrame(char kind, const QByteArray &callFrom, const QByteArray &data) {
    QByteArray frame(AgwHeaderSize, '\0');
    frame[4] = kind;
    frame.replace(8, callFrom.size(), callFrom);
    frame[28] = static_cast<char>(data.size() & 0xff);
    frame[29] = static_cast<char>(data.size() >> 8);
    return frame + data;
}

} // namespace anemora::test
