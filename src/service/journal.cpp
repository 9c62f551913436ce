// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/journal.h"

#include <QtGlobal>

#include <cstdio>

namespace anemora {

void WriteJournalLine(JournalPriority priority, const QString &text) {
    // A line end inside the text would start a line of its own, without a
    // priority.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "<%d>%s\n", int(priority), line.toUtf8().constData());
    std::fflush(stderr);
}

void SendQtMessagesToJournal() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        switch (type) {
        case QtDebugMsg:
            WriteJournalLine(JournalPriority::Debug, text);
            break;
        case QtInfoMsg:
            WriteJournalLine(JournalPriority::Info, text);
            break;
        case QtWarningMsg:
            WriteJournalLine(JournalPriority::Warning, text);
            break;
        case QtCriticalMsg:
        case QtFatalMsg:
            WriteJournalLine(JournalPriority::Error, text);
            break;
        }
    });
}

} // namespace anemora
