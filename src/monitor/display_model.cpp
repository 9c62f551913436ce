// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/display_model.h"

namespace anemora {

QString WindowTitle(const DisplayModel &model) {
    return model.caption;
}

QString TrayToolTip(const DisplayModel &model) {
    // Until a report or a link sets the tray tip, the caption names the window.
    return model.trayTip.isEmpty() ? model.caption : model.trayTip;
}

} // namespace anemora
