// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace anemora {

// What the links, start-up and the settings dialog hand to the station
// monitor or change in it: received packets, the status line, the history
// and the display as a whole.
class MonitorControl {
public:
    virtual ~MonitorControl() = default;
    // One APRS-IS line, without its line end.
    virtual void HandleAprsLine(const QString &line) = 0;
    // One AGWPE frame of `frame`, header at `offset`, `dataLen` data bytes
    // (greater than 0, all present in `frame`).
    virtual void HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen) = 0;
    virtual void ClearData(const QString &caption) = 0;
    virtual void SetStatusLine(const QString &text) = 0;
    virtual void ClearHistory() = 0;
    // The next report of the station is taken whatever the minute.
    virtual void AcceptNextReport() = 0;
    // The language or the units changed: the texts on show follow.
    virtual void RefreshTexts() = 0;
};

} // namespace anemora
