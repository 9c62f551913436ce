// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace anemora {

// Where the service reads its settings and writes the station's log, and the
// command line it starts with, as `anemora` takes it.
struct ServiceOptions {
    QString settingsDir;
    QString logDir;
    QString commandLine;
    // An option it does not know, or one given without its folder: empty
    // when there is none.
    QString badOption;
};

// `arguments` without the program's name. `--config DIR` and `--log DIR` win
// over the folders systemd names, which win over the desktop program's.
ServiceOptions ReadServiceOptions(QStringList arguments, const QString &configurationDirectory,
                                  const QString &stateDirectory, const QString &desktopSettingsDir,
                                  const QString &desktopLogDir);

} // namespace anemora
