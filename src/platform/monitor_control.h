// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/translatable_text.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace anemora {

enum class LinkKind { Agwpe, AprsIs };

// What the links, start-up and the settings dialog hand to the station
// monitor or change in it: received packets, the status line, the state of
// the links, the history and the display as a whole. Texts come untranslated,
// so that those on show follow a change of language.
class MonitorControl {
public:
    virtual ~MonitorControl() = default;
    // One APRS-IS line, without its line end.
    virtual void HandleAprsLine(const QString &line) = 0;
    // One AGWPE frame of `frame`, header at `offset`, `dataLen` data bytes
    // (greater than 0, all present in `frame`).
    virtual void HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen) = 0;
    virtual void ClearData(const TranslatableText &caption) = 0;
    virtual void SetStatusLine(const TranslatableText &text) = 0;
    // Why the link is down or waiting to reconnect, kept in sight until it
    // is up again or switched off; an empty text once it is.
    virtual void SetLinkTrouble(LinkKind link, const TranslatableText &trouble) = 0;
    virtual void ClearHistory() = 0;
    // The next report of the station is taken whatever the minute.
    virtual void AcceptNextReport() = 0;
    // The language or the units changed: the texts on show follow.
    virtual void RefreshTexts() = 0;
};

} // namespace anemora
