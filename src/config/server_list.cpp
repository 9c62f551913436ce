// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/server_list.h"

#include "config/text_file.h"
#include "weather/text_primitives.h"

#include <QFile>

namespace anemora {

std::optional<QString> ServerEntryFromLine(const QString &line) {
    QString entry = line;
    // A ";" in first place marks a comment line; anywhere later it starts a
    // trailing comment, and the blanks before it stay part of the entry.
    const qsizetype semicolon = entry.indexOf(u';');
    if (semicolon == 0)
        return std::nullopt;
    if (semicolon > 0)
        entry.truncate(semicolon);
    if (entry.isEmpty())
        return std::nullopt;
    return entry;
}

std::optional<ServerAddress> SplitServerEntry(const QString &entry) {
    const qsizetype colon = entry.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    return ServerAddress{entry.left(colon), ToInt16(LeadingValue(entry.mid(colon + 1)))};
}

QString ServerKey(const QString &host, qint16 port) {
    return host + u':' + QString::number(port);
}

QStringList ReadServerEntries(const QString &path, bool *ok) {
    const std::optional<QString> text = ReadTextFile(path);
    if (ok)
        *ok = text.has_value();
    QStringList entries;
    if (!text)
        return entries;
    for (const QString &line : SplitTextLines(*text)) {
        if (const std::optional<QString> entry = ServerEntryFromLine(line))
            entries.append(*entry);
    }
    return entries;
}

bool AppendServerEntry(const QString &path, const QString &entry) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return false;
    QByteArray line = entry.toLatin1() + "\r\n";
    // A file edited by hand may lack its last line end; without one the new
    // entry would be glued to the last server.
    if (file.size() > 0 && file.seek(file.size() - 1)) {
        const QByteArray last = file.read(1);
        if (last != "\n" && last != "\r")
            line.prepend("\r\n");
    }
    return file.write(line) == line.size() && file.flush();
}

} // namespace anemora
