// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "config/wx_config.h"
#include "monitor/station_monitor.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Each input is a stream of lines for one monitor; the gate is reopened after
// every line so that station reports keep reaching the decoder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    anemora::WxConfig config;
    config.StationCall = QStringLiteral("Q1ABC-13");
    config.BeepNewData = true;
    config.FocusNewData = true;
    anemora::test::SilentNotifications notifications;
    anemora::StationMonitor monitor(config, notifications, QStringLiteral("/nonexistent"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw);
        monitor.HandleAprsLine(line);
        monitor.MinuteTick();
        if (monitor.model.rxRows.size() > 2)
            __builtin_trap();
        if (monitor.model.history.size() > 9999 + line.size() + 64)
            __builtin_trap();
    }
    return 0;
}
