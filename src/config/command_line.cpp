// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/command_line.h"

#include "weather/text_primitives.h"

namespace anemora {

namespace {

// Only the space separates words; other blanks belong to them.
QString TrimSpaces(const QString &text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

// Cuts "host:port" into its host and sets the port. A port that is negative
// or beyond 16 bits is refused: wrapping it would connect elsewhere.
void TakeHost(QString &host, qint16 &port, QString &refused, const QString &word) {
    const qsizetype colon = word.indexOf(u':');
    host = colon < 0 ? word : word.left(colon);
    if (colon < 0)
        return;
    const QString portText = word.mid(colon + 1);
    const std::optional<qint16> value = ToInt16(LeadingValue(portText));
    if (value && *value >= 0)
        port = *value;
    else
        refused = portText;
}

} // namespace

CommandLineSettings ParseCommandLine(const QString &commandLine) {
    CommandLineSettings settings;
    const QString text = TrimSpaces(commandLine);
    const qsizetype space = text.indexOf(u' ');
    if (space < 0) {
        settings.StationCall = TrimSpaces(text.left(9)).toUpper();
        return settings;
    }
    settings.StationCall = TrimSpaces(text.left(space)).toUpper();
    const QString rest = TrimSpaces(text.mid(space));
    const qsizetype restSpace = rest.indexOf(u' ');
    const QString word = restSpace < 0 ? rest : rest.left(restSpace);
    if (restSpace >= 0)
        settings.SaveAlarms = TrimSpaces(rest.mid(restSpace + 1)).toUpper() == u"SAVE";

    const QString prefix = word.left(2).toUpper();
    if (prefix == u"S:") {
        const QString host = word.mid(2);
        TakeHost(settings.AprsHost, settings.AprsPort, settings.RefusedPort, host);
        settings.FindServer = host.contains(u':') && settings.RefusedPort.isEmpty();
    } else {
        TakeHost(settings.AgwHost, settings.AgwPort, settings.RefusedPort,
                 prefix == u"A:" ? word.mid(2) : word);
    }
    return settings;
}

QString CommandLineText(const QStringList &arguments) {
    return arguments.mid(1).join(u' ');
}

} // namespace anemora
