// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/service_prompts.h"

#include "service/journal.h"

#include <QCoreApplication>

namespace anemora {

void ServicePrompts::ShowMessage(MessageIcon icon, const QString &title, const QString &text) {
    WriteJournalLine(icon == MessageIcon::Critical ? JournalPriority::Error
                                                   : JournalPriority::Warning,
                     title + QStringLiteral(": ") + text);
}

void ServicePrompts::ShowSettingsDialogModal() {
    // Start-up asks for the dialog when the settings name no call or no link.
    WriteJournalLine(JournalPriority::Error,
                     QCoreApplication::translate(
                         "anemora::ServicePrompts",
                         "Le impostazioni non indicano un nominativo o un collegamento da aprire: "
                         "nulla è monitorato finché non lo fanno (SIGHUP le rilegge)"));
}

} // namespace anemora
