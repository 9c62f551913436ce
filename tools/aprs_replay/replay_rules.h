// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace anemora {

// One line of a replay feed: sent `delayMs` after the line before it.
struct FeedLine {
    int delayMs = 0;
    QString text;
};

struct FeedParseResult {
    std::optional<QList<FeedLine>> lines;
    QString error;
};

// APRS-IS lines are at most 512 bytes with their CR LF.
constexpr int MaxAprsLineLength = 510;

// A feed holds one "<seconds> <line>" per row; blank rows and rows starting
// with ';' are notes. Seconds may have a fraction and count from the row
// before.
FeedParseResult ParseFeed(const QString &text);

// The login name of "user NAME pass ...", empty when the line is no login.
QString LoginName(const QString &loginLine);
// Every prefix of the login's "p/" filter terms.
QStringList LoginPrefixes(const QString &loginLine);
// Whether a feed line reaches a client with these prefixes: comments always
// do, packets when their sender starts with a prefix, ignoring case.
bool PassesPrefixFilter(const QString &line, const QStringList &prefixes);

QString BannerLine();
QString LogrespLine(const QString &login, const QString &serverName);
QString KeepaliveLine(const QString &serverName, const QString &utcStamp);

} // namespace anemora
