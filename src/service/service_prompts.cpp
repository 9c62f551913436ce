// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/service_prompts.h"

#include "service/journal.h"

namespace anemora {

void ServicePrompts::ShowMessage(MessageIcon icon, const QString &title, const QString &text) {
    WriteJournalLine(icon == MessageIcon::Critical ? JournalPriority::Error
                                                   : JournalPriority::Warning,
                     title + QStringLiteral(": ") + text);
}

void ServicePrompts::ShowSettingsDialogModal() {
    // Start-up asks for the dialog when the settings name no call or no link.
    WriteJournalLine(
        JournalPriority::Error,
        QStringLiteral("The settings name no station call or no link to open: "
                       "nothing is monitored until they do (SIGHUP reads them again)"));
}

} // namespace anemora
