// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay_rules.h"

#include <QLocale>

namespace anemora {

namespace {

constexpr int MaxDelaySeconds = 24 * 3600;

QStringList Words(const QString &line) {
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

FeedParseResult ParseFeed(const QString &text) {
    QList<FeedLine> lines;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int i = 0; i < rows.size(); ++i) {
        QString row = rows.at(i);
        if (row.endsWith(QLatin1Char('\r')))
            row.chop(1);
        if (row.trimmed().isEmpty() || row.startsWith(QLatin1Char(';')))
            continue;
        const auto fail = [&](const QString &why) {
            return FeedParseResult{std::nullopt, QStringLiteral("line %1: %2").arg(i + 1).arg(why)};
        };
        const qsizetype blank = row.indexOf(QLatin1Char(' '));
        if (blank <= 0)
            return fail(QStringLiteral("expected \"<seconds> <line>\""));
        bool ok = false;
        const double seconds = QLocale::c().toDouble(row.left(blank), &ok);
        if (!ok || seconds < 0 || seconds > MaxDelaySeconds)
            return fail(QStringLiteral("bad delay \"%1\"").arg(row.left(blank)));
        const QString line = row.mid(blank + 1);
        if (line.isEmpty())
            return fail(QStringLiteral("empty line after the delay"));
        if (line.size() > MaxAprsLineLength || line.contains(QLatin1Char('\r')))
            return fail(QStringLiteral("not a single APRS-IS line of at most %1 characters")
                            .arg(MaxAprsLineLength));
        lines.append({qRound(seconds * 1000), line});
    }
    return {lines, {}};
}

QString LoginName(const QString &loginLine) {
    const QStringList words = Words(loginLine);
    if (words.size() < 2 || words.first().compare(QLatin1String("user"), Qt::CaseInsensitive) != 0)
        return {};
    return words.at(1);
}

QStringList LoginPrefixes(const QString &loginLine) {
    const QStringList words = Words(loginLine);
    QStringList prefixes;
    bool inFilter = false;
    for (const QString &word : words) {
        if (!inFilter) {
            inFilter = word.compare(QLatin1String("filter"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (word.startsWith(QLatin1String("p/"), Qt::CaseInsensitive))
            prefixes += word.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    }
    return prefixes;
}

bool PassesPrefixFilter(const QString &line, const QStringList &prefixes) {
    if (line.startsWith(QLatin1Char('#')))
        return true;
    const qsizetype arrow = line.indexOf(QLatin1Char('>'));
    if (arrow <= 0)
        return false;
    const QString sender = line.left(arrow);
    for (const QString &prefix : prefixes) {
        if (sender.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString BannerLine() {
    return QStringLiteral("# anemora-replay 1.0");
}

QString LogrespLine(const QString &login, const QString &serverName) {
    return QStringLiteral("# logresp %1 unverified, server %2").arg(login, serverName);
}

QString KeepaliveLine(const QString &serverName, const QString &utcStamp) {
    return QStringLiteral("# anemora-replay 1.0 %1 %2").arg(utcStamp, serverName);
}

} // namespace anemora
