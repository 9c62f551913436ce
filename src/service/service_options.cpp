// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service/service_options.h"

#include <utility>

namespace anemora {

namespace {

// Takes `--name DIR` out of `arguments`; empty when it is not there. A
// `--name` with no folder after it is left for the caller to refuse.
QString TakeFolder(QStringList &arguments, const QString &name) {
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size())
        return {};
    const QString folder = arguments.at(at + 1);
    arguments.remove(at, 2);
    return folder;
}

// systemd may name several folders, separated by colons: the first is ours.
QString FirstFolder(const QString &list) {
    return list.section(QLatin1Char(':'), 0, 0);
}

QString FirstGiven(const QString &a, const QString &b, const QString &c) {
    return !a.isEmpty() ? a : !b.isEmpty() ? b : c;
}

} // namespace

ServiceOptions ReadServiceOptions(QStringList arguments, const QString &configurationDirectory,
                                  const QString &stateDirectory, const QString &desktopSettingsDir,
                                  const QString &desktopLogDir) {
    ServiceOptions options;
    options.settingsDir = FirstGiven(TakeFolder(arguments, QStringLiteral("--config")),
                                     FirstFolder(configurationDirectory), desktopSettingsDir);
    options.logDir = FirstGiven(TakeFolder(arguments, QStringLiteral("--log")),
                                FirstFolder(stateDirectory), desktopLogDir);
    // No call, host or link starts with "--": a word that does is a typing
    // slip, which would otherwise be taken for a host and tried for ever.
    for (const QString &argument : std::as_const(arguments))
        if (argument.startsWith(QLatin1String("--"))) {
            options.badOption = argument;
            break;
        }
    options.commandLine = arguments.join(QLatin1Char(' '));
    return options;
}

} // namespace anemora
