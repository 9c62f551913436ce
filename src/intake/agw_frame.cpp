// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intake/agw_frame.h"

namespace anemora {

QByteArray AgwRequest(char kind) {
    QByteArray frame(AgwHeaderSize, '\0');
    frame[AgwKindOffset] = kind;
    return frame;
}

int AgwDataLen(const QByteArray &bytes, qsizetype offset) {
    const auto low = static_cast<unsigned char>(bytes.at(offset + AgwDataLenOffset));
    const auto high = static_cast<unsigned char>(bytes.at(offset + AgwDataLenOffset + 1));
    return low + 256 * high;
}

QString AgwCallFrom(const QByteArray &bytes, qsizetype offset) {
    QByteArrayView field = QByteArrayView(bytes).sliced(offset + AgwCallFromOffset, AgwCallSize);
    const qsizetype nul = field.indexOf('\0');
    if (nul >= 0)
        field = field.first(nul);
    return QString::fromLatin1(field);
}

QStringList MonitorRows(QByteArrayView data) {
    QStringList rows;
    QString line;
    for (const char byte : data) {
        if (byte != '\r') {
            line += QChar(static_cast<unsigned char>(byte));
            continue;
        }
        if (line.isEmpty())
            continue;
        if (rows.size() > 1)
            rows.removeFirst();
        if (QStringView(line).mid(2, 4) == u":Fm ")
            line = line.mid(1, 2) + line.mid(5);
        rows.append(line);
        line.clear();
    }
    return rows;
}

AgwFrameAssembler::Result AgwFrameAssembler::Feed(QByteArrayView bytes) {
    Result result;
    if (failed)
        return result;
    buffer.append(bytes);
    qsizetype offset = 0;
    while (buffer.size() - offset >= AgwHeaderSize) {
        const int dataLen = AgwDataLen(buffer, offset);
        if (dataLen > MaxAgwDataLen) {
            failed = true;
            buffer.clear();
            result.badLength = true;
            result.dataLen = dataLen;
            return result;
        }
        const qsizetype frameSize = AgwHeaderSize + dataLen;
        if (buffer.size() - offset < frameSize)
            break;
        result.frames.append(buffer.sliced(offset, frameSize));
        offset += frameSize;
    }
    buffer.remove(0, offset);
    return result;
}

void AgwFrameAssembler::Reset() {
    buffer.clear();
    failed = false;
}

} // namespace anemora
