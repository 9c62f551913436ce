// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace anemora {

// Entry rules 1-3: the entry text of one line, or nothing when the line is skipped.
std::optional<QString> ServerEntryFromLine(const QString &line);

struct ServerAddress {
    QString host;
    std::optional<qint16> port; // empty: does not fit 16 bits
};

// Entry rule 4: nothing when the entry has no ':'.
std::optional<ServerAddress> SplitServerEntry(const QString &entry);

// The key an entry must equal to be the current server: host + ":" + port in decimal.
QString ServerKey(const QString &host, qint16 port);

// Every entry of the file in order; *ok false when it cannot be opened or read
// (entries read so far returned).
QStringList ReadServerEntries(const QString &path, bool *ok = nullptr);

// Appends one line ended by CR LF, creating the file; false on failure.
bool AppendServerEntry(const QString &path, const QString &entry);

} // namespace anemora
