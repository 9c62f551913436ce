// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/display_model.h"

#include <QCoreApplication>
#include <QStringList>

namespace anemora {

namespace {

const std::array<QString, 2> LinkNames{QStringLiteral("AGWPE"), QStringLiteral("APRS-IS")};

} // namespace

QString WindowTitle(const DisplayModel &model) {
    QStringList down;
    for (std::size_t link = 0; link < LinkNames.size(); ++link)
        if (!model.linkTrouble[link].isEmpty())
            down.append(LinkNames[link]);
    if (down.isEmpty())
        return model.caption;
    // First, where a narrow window's title bar still shows it.
    return QCoreApplication::translate("anemora::DisplayModel", "%1 fuori linea - %2")
        .arg(down.join(QStringLiteral(", ")), model.caption);
}

QString TrayToolTip(const DisplayModel &model) {
    // Until a report or a link sets the tray tip, the caption names the window.
    QString tip = model.trayTip.isEmpty() ? model.caption : model.trayTip;
    if (!model.dataStopped.isEmpty())
        tip += u'\n' + model.dataStopped;
    for (const QString &trouble : model.linkTrouble)
        if (!trouble.isEmpty())
            tip += u'\n' + trouble;
    return tip;
}

} // namespace anemora
