// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace anemora {

// The priorities journald reads from a line's "<N>" prefix.
enum class JournalPriority { Error = 3, Warning = 4, Notice = 5, Info = 6, Debug = 7 };

// One event, as one line on standard error.
void WriteJournalLine(JournalPriority priority, const QString &text);

// Qt's own warnings, and the core's, become journal lines with a priority
// too, so that no line reaches the journal without one.
void SendQtMessagesToJournal();

} // namespace anemora
