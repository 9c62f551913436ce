// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A loopback APRS-IS server that replays a feed file to each client that
// logs in, for demos and tests without the internet.
#include "replay_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cstdio>

namespace {

int Fail(const QString &message) {
    std::fprintf(stderr, "aprs_replay_server: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("aprs_replay_server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Replays a feed of APRS-IS lines to clients on 127.0.0.1.\n"
                       "Feed rows are \"<seconds> <line>\"; rows starting with ';' are notes."));
    parser.addHelpOption();
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
                                        QStringLiteral("TCP port; 0 picks a free one."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption nameOption({QStringLiteral("n"), QStringLiteral("name")},
                                        QStringLiteral("Server name in the logresp line."),
                                        QStringLiteral("name"), QStringLiteral("REPLAY"));
    const QCommandLineOption keepaliveOption(
        {QStringLiteral("k"), QStringLiteral("keepalive")},
        QStringLiteral("Seconds between keepalive comments; 0 sends none."),
        QStringLiteral("seconds"), QStringLiteral("20"));
    const QCommandLineOption speedOption({QStringLiteral("s"), QStringLiteral("speed")},
                                         QStringLiteral("Replay speed factor."),
                                         QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption loopOption({QStringLiteral("l"), QStringLiteral("loop")},
                                        QStringLiteral("Start the feed again when it ends."));
    const QCommandLineOption closeOption(
        {QStringLiteral("c"), QStringLiteral("close-at-end")},
        QStringLiteral("Close each connection when the feed ends."));
    parser.addOptions(
        {portOption, nameOption, keepaliveOption, speedOption, loopOption, closeOption});
    parser.addPositionalArgument(QStringLiteral("feed"), QStringLiteral("The feed file."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return Fail(QStringLiteral("give exactly one feed file (see --help)"));

    const QLocale c = QLocale::c();
    bool portOk = false;
    const uint port = c.toUInt(parser.value(portOption), &portOk);
    bool keepaliveOk = false;
    const double keepalive = c.toDouble(parser.value(keepaliveOption), &keepaliveOk);
    bool speedOk = false;
    const double speed = c.toDouble(parser.value(speedOption), &speedOk);
    if (!portOk || port > 65535)
        return Fail(QStringLiteral("bad port"));
    if (!keepaliveOk || keepalive < 0 || keepalive > 86400)
        return Fail(QStringLiteral("bad keepalive interval"));
    if (!speedOk || speed <= 0 || speed > 1000)
        return Fail(QStringLiteral("bad speed factor"));

    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    const anemora::FeedParseResult feed = anemora::ParseFeed(QString::fromLatin1(file.readAll()));
    if (!feed.lines)
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), feed.error));

    anemora::ReplayOptions options;
    options.serverName = parser.value(nameOption);
    options.keepaliveMs = qRound(keepalive * 1000);
    options.speed = speed;
    options.loop = parser.isSet(loopOption);
    options.closeAtEnd = parser.isSet(closeOption);

    anemora::ReplayServer server(*feed.lines, options);
    if (!server.Listen(static_cast<quint16>(port)))
        return Fail(QStringLiteral("cannot listen: %1").arg(server.errorString()));
    std::printf("listening 127.0.0.1 %u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
