// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace anemora {

// What the command line asks for. Empty hosts and zero ports mean "not given"
// and let start-up apply its defaults.
struct CommandLineSettings {
    QString StationCall;
    QString AgwHost;
    qint16 AgwPort = 0;
    QString AprsHost;
    qint16 AprsPort = 0;
    bool SaveAlarms = false;
    // An "S:" word carried a port: the server is looked up in the server list.
    bool FindServer = false;
    // The port text of the host word when it is not a port 0..32767; the port
    // is then left at 0.
    QString RefusedPort;
};

// The grammar: call [host[:port] | A:host[:port] | S:host[:port]] [SAVE].
CommandLineSettings ParseCommandLine(const QString &commandLine);

// The argument text of the program: its arguments, without the program name,
// joined by single spaces.
QString CommandLineText(const QStringList &arguments);

} // namespace anemora
