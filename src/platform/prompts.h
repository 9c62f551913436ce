// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace anemora {

enum class MessageIcon { Exclamation, Warning, Critical };

// User-facing boxes and the settings dialog, as the links, the file writers
// and start-up need them. Each call blocks until the user has answered.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void ShowMessage(MessageIcon icon, const QString &title, const QString &text) = 0;
    virtual bool IsSettingsDialogVisible() = 0;
    virtual void ShowSettingsDialogModal() = 0;
};

} // namespace anemora
