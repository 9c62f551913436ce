// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "config/wx_config.h"
#include "intake/agw_frame.h"
#include "monitor/station_monitor.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace {

anemora::AgwFrameAssembler::Result feedInChunks(QByteArrayView stream, qsizetype chunk) {
    anemora::AgwFrameAssembler assembler;
    anemora::AgwFrameAssembler::Result all;
    for (qsizetype at = 0; at < stream.size() && !all.badLength; at += chunk) {
        auto result = assembler.Feed(stream.sliced(at, qMin(chunk, stream.size() - at)));
        all.frames += result.frames;
        all.badLength = result.badLength;
    }
    return all;
}

} // namespace

// The first byte picks a chunk size; whole and chunked reads must give the
// same frames, each well formed, and every frame goes through the pipeline.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const qsizetype chunk = data[0] % 80 + 1;
    const QByteArrayView stream(reinterpret_cast<const char *>(data + 1),
                                static_cast<qsizetype>(size - 1));

    const auto whole = feedInChunks(stream, stream.size() + 1);
    const auto pieces = feedInChunks(stream, chunk);
    if (whole.frames != pieces.frames || whole.badLength != pieces.badLength)
        __builtin_trap();

    anemora::WxConfig config;
    config.StationCall = QStringLiteral("Q1ABC-13");
    anemora::test::SilentNotifications notifications;
    anemora::StationMonitor monitor(config, notifications, QStringLiteral("/nonexistent"));
    for (const QByteArray &frame : pieces.frames) {
        const int dataLen = anemora::AgwDataLen(frame, 0);
        if (frame.size() != anemora::AgwHeaderSize + dataLen)
            __builtin_trap();
        if (dataLen > 0)
            monitor.HandleAgwFrame(frame, 0, dataLen);
        monitor.MinuteTick();
        if (monitor.model.rxRows.size() > 2)
            __builtin_trap();
    }
    return 0;
}
