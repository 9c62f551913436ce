// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/prompts.h"

namespace anemora {

// Nobody is at a screen: what would be a box is a journal line, and the
// settings dialog never opens.
class ServicePrompts : public Prompts {
public:
    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override;
    bool IsSettingsDialogVisible() override { return false; }
    void ShowSettingsDialogModal() override;
};

} // namespace anemora
